#include "platform/win32/Win32ProfileFiles.h"

#include <limits>
#include <vector>

#include "platform/win32/WinApi.h"

namespace fondex::platform::win32 {

std::string Win32ProfileFiles::GetString(const std::string& file, const std::string& section,
                                         const std::string& key, const std::string& defaultValue,
                                         std::size_t bufferSize) {
  if (bufferSize == 0) {
    return {};
  }
  const DWORD size =
      static_cast<DWORD>(std::min<std::size_t>(bufferSize, std::numeric_limits<DWORD>::max()));
  std::vector<char> buffer(size, '\0');
  const DWORD length = ::GetPrivateProfileStringA(
      section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(), size, file.c_str());
  return std::string(buffer.data(), length);
}

bool Win32ProfileFiles::WriteString(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& value) {
  // The system would write the line ends as they are, and stop at a NUL.
  if (!StaysOnItsLine(section) || !StaysOnItsLine(key) || !StaysOnItsLine(value)) {
    return false;
  }
  return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
         0;
}

}  // namespace fondex::platform::win32
