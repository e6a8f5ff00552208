#pragma once

#include "toolkit/Binding.h"

namespace fondex::qt {

using toolkit::Binding;

}  // namespace fondex::qt
