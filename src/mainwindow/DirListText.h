#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/DirCounts.h"
#include "toolkit/Error.h"

namespace fondex {

// What the directory list file holds, as the load takes it in.
struct DirListContents {
  std::vector<std::string> directories;  // in file order
  DirCountTable counts;                  // paired with the directories by position
  // Why the load fails. The directories are then every one the damaged file still names, all
  // uncounted.
  std::optional<Error> failure;
  // The damaged file names more directories than the list holds.
  bool overfull = false;
};

DirListContents ReadDirListText(const std::string& bytes);

// The file's text: the directories, then as many counts, each line ended by CR LF.
std::string DirListText(const std::vector<std::string>& directories, const DirCountTable& counts);

}  // namespace fondex
