#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/Handles.h"

namespace fondex::platform::posix {

// Far above any list of directories or settings the program writes; a larger file is not one of
// them.
inline constexpr std::size_t kMaxTextFileSize = std::size_t{16} << 20;

// A regular file open for reading. Opening never waits: a FIFO, a device or anything else that
// is not a regular file is refused before a byte is read, so that a name chosen by anyone can
// neither hold the program nor feed it without end.
class RegularFile {
 public:
  static std::optional<RegularFile> Open(const std::string& path);

  // The size the file had when it was opened (0 for the files of /proc, which still hold text).
  std::uint64_t Size() const { return size_; }

  // Up to count bytes from offset; fewer only where the file ends; nothing on a read error.
  std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t count) const;

  // The file from its start to its end, when that end comes within limit bytes; nothing for a
  // longer file or a read error.
  std::optional<std::string> ReadUpTo(std::size_t limit) const;

 private:
  RegularFile(FileDescriptor fd, std::uint64_t size) : fd_(std::move(fd)), size_(size) {}

  FileDescriptor fd_;
  std::uint64_t size_;
};

// Whole contents of a regular file of at most limit bytes; nothing for any other kind of file,
// a longer one, or one that cannot be opened or read.
std::optional<std::string> ReadRegularFile(const std::string& path,
                                           std::size_t limit = kMaxTextFileSize);

// Replaces a file through a temporary file in the same directory (written, synced, renamed over
// it), so that readers see the old contents or the new ones, never a mixture. A read-only file
// or a directory is not replaced. On any failure the old file stays whole, the temporary file
// is removed, and the result is false. A symbolic link stays: the file it finally names is the
// one replaced. Temporary files that killed processes left beside that file are removed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The whole text of another program's file that is about to be rewritten: "" when there is no
// such file, which may then be created; nothing when it is there but cannot be read whole (too
// large, unreadable, not a regular file), and must then be left as it is.
std::optional<std::string> ReadFileToRewrite(const std::string& path,
                                             std::size_t limit = kMaxTextFileSize);

// Whether WriteFileAtomically could now replace the file with `size` bytes: the file, if there is
// one, may be replaced, and its directory takes a new file of that size (one is made, synced and
// removed again).
bool CanReplaceFile(const std::string& path, std::size_t size);

}  // namespace fondex::platform::posix
