#pragma once

#include "platform/System.h"

namespace fondex::platform::posix {

class PosixClock : public Clock {
 public:
  SystemTime NowUtc() override;
};

}  // namespace fondex::platform::posix
