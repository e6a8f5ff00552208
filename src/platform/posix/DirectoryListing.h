#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace fondex::platform::posix {

// Attributes of an entry from its status: directory; archive for a regular file; read-only
// when the owner may not write; hidden when the name starts with ".".
std::uint32_t AttributesOf(const struct stat& status, std::string_view name);

// Entries read from a directory whose attributes are still to be read.
struct PendingBlock {
  std::vector<FoundEntry> entries;
  std::vector<bool> found;  // whether each entry's status could be read
};

// The entries of one POSIX directory as a directory search reports them.
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
  void ReadAttributes(int directoryFd, PendingBlock& block) const;
  std::string_view NameForAttributes(std::string_view name) const;

  std::string directory_;
  bool hasDotEntries_;
};

}  // namespace fondex::platform::posix
