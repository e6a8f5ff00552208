#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace fondex::platform::posix {

// Attributes of an entry from its status, as GetAttributes reports them: directory; archive for a
// regular file; read-only when the owner may not write; hidden when the name starts with ".".
std::uint32_t AttributesOf(const struct stat& status, std::string_view name);

// Directory, archive or neither for an entry of an open directory that readdir gave with the
// type `type` (DT_DIR, DT_REG, ...). The status is read only when that type does not tell: a
// link, or DT_UNKNOWN from a file system that does not fill it in. Nothing when that status
// cannot be read.
std::optional<std::uint32_t> TypeAttributesAt(int directoryFd, const char* name,
                                              unsigned char type);

// The entries of one POSIX directory as a directory search reports them: type and hidden bits,
// never read-only, so that the status of most entries need not be read.
class DirectoryListing {
 public:
  // A drive root has no "." and ".." entries.
  DirectoryListing(std::string directory, bool hasDotEntries);

  // Every entry whose name matches the pattern, in the directory's order.
  std::vector<FoundEntry> Matching(std::string_view pattern) const;

  // The entry that a name without wildcards designates: the exact name when it exists, else the
  // first entry that matches it ignoring case.
  std::vector<FoundEntry> Named(std::string_view name) const;

 private:
  bool Lists(std::string_view name) const;
  std::vector<FoundEntry> Scan(std::string_view pattern, std::size_t limit) const;
  // Attributes of the entry `at` names (relative to the directory, or a full path), reported
  // under `name`.
  std::optional<std::uint32_t> AttributesAt(int directoryFd, const char* at, std::string_view name,
                                            unsigned char type) const;
  std::string_view NameForAttributes(std::string_view name) const;

  std::string directory_;
  bool hasDotEntries_;
};

}  // namespace fondex::platform::posix
