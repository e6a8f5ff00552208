#pragma once

#include <stdexcept>
#include <string>

namespace fondex {

// An error raised by the program; its message is what the general error report shows.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace fondex
