#include "platform/posix/PosixProfileFiles.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/FileIo.h"
#include "platform/posix/ProfileText.h"

namespace fondex::platform::posix {
namespace {

bool IsBareName(const std::string& file) {
  return file.find_first_of("\\/:") == std::string::npos;
}

// The text a write starts from: the file's, or none for a file that does not exist yet.
std::optional<std::string> TextToUpdate(const std::string& path) {
  if (auto text = ReadRegularFile(path)) {
    return text;
  }
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 && errno == ENOENT) {
    return std::string();
  }
  return std::nullopt;
}

}  // namespace

PosixProfileFiles::PosixProfileFiles(PosixFileSystem& files, const PathMapper& paths)
    : files_(files), paths_(paths) {}

std::string PosixProfileFiles::GetString(const std::string& file, const std::string& section,
                                         const std::string& key, const std::string& defaultValue,
                                         std::size_t bufferSize) {
  const auto path = PosixPathOf(file);
  const auto text = path ? ReadRegularFile(*path) : std::nullopt;
  const auto value = text ? FindProfileValue(*text, section, key) : std::nullopt;
  const std::string& result = value ? *value : defaultValue;
  return result.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
}

bool PosixProfileFiles::WriteString(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& value) {
  if (!StaysOnItsLine(section) || !StaysOnItsLine(key) || !StaysOnItsLine(value)) {
    return false;
  }
  const auto path = PosixPathOf(file);
  const auto text = path ? TextToUpdate(*path) : std::nullopt;
  return text && WriteFileAtomically(*path, WithProfileValue(*text, section, key, value));
}

std::optional<std::string> PosixProfileFiles::PosixPathOf(const std::string& file) {
  if (file.empty() || !IsBareName(file)) {
    return files_.PosixPathOf(file);
  }
  const std::string& directory = paths_.PlatformDirectory();
  return JoinPosix(directory, ResolveEntryName(directory, file));
}

}  // namespace fondex::platform::posix
