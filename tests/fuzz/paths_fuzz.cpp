// Full-path expansion and the path routines: any name expands to a full path without "." or ".."
// components or empty ones, and expanding it again changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "platform/posix/WindowsPath.h"
#include "util/Paths.h"

using namespace fondex;
using platform::posix::ExpandFullPath;

namespace {

void CheckFullPath(const std::string& full) {
  FUZZ_CHECK(platform::posix::HasDriveLetter(full) && full.size() >= 3 && full[2] == '\\');
  FUZZ_CHECK(full.find('/') == std::string::npos);
  FUZZ_CHECK(full.find("\\\\") == std::string::npos);
  const std::string inner = full.substr(2) + (full.ends_with('\\') ? "" : "\\");
  FUZZ_CHECK(inner.find("\\.\\") == std::string::npos && inner.find("\\..\\") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // The input is a current directory and a name, split at its first NUL byte.
  const std::size_t split = std::min(input.find('\0'), input.size());
  const std::string name = input.substr(std::min(split + 1, input.size()));
  const auto current = ExpandFullPath(input.substr(0, split), "C:\\");
  if (!current) {
    return 0;
  }
  CheckFullPath(*current);
  if (const auto full = ExpandFullPath(name, *current)) {
    CheckFullPath(*full);
    FUZZ_CHECK(ExpandFullPath(*full, "C:\\") == full);
    FUZZ_CHECK(ExpandFullPath(*full, *current) == full);
    const std::string bare = util::WithoutTrailingBackslash(*full);
    // A colon past the drive counts as a separator for one routine and not the other.
    FUZZ_CHECK(util::DirectoryPart(bare) + util::NameAfterLastBackslash(bare) == bare ||
               platform::posix::IsDriveRoot(*full) || bare.find(':', 2) != std::string::npos);
  }
  const auto search = platform::posix::SplitSearchPattern(name);
  FUZZ_CHECK(search.directory + search.name == platform::posix::WithBackslashes(name));
  FUZZ_CHECK(search.name.find('\\') == std::string::npos);
  FUZZ_CHECK(util::LowerAscii(util::LowerAscii(name)) == util::LowerAscii(name));
  return 0;
}
