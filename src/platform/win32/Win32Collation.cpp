#include "platform/win32/Win32Collation.h"

#include <string>

#include "platform/win32/WinApi.h"

namespace fondex::platform::win32 {
namespace {

int Length(std::string_view text) {
  return static_cast<int>(text.size());
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

std::string Lowered(std::string_view name) {
  if (name.empty()) {
    return {};
  }
  std::string lowered(name.size(), '\0');
  // Lower case maps each character to one of the same code page: the length stays.
  const int length = ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, name.data(), Length(name),
                                    lowered.data(), Length(lowered));
  lowered.resize(static_cast<std::size_t>(length));
  return lowered;
}

}  // namespace

int Win32Collation::Compare(std::string_view a, std::string_view b) const {
  const int order = ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), Length(a),
                                     b.data(), Length(b));
  // CSTR_LESS_THAN, CSTR_EQUAL and CSTR_GREATER_THAN are 1, 2 and 3; 0 is a failure.
  if (order != 0 && order != CSTR_EQUAL) {
    return order - CSTR_EQUAL;
  }
  return Sign(Lowered(a).compare(Lowered(b)));
}

}  // namespace fondex::platform::win32
