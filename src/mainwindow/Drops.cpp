#include <cstddef>

#include "mainwindow/Fondexmf.h"
#include "util/Paths.h"

namespace fondex {

namespace {

constexpr std::size_t kDropBuffer = 300;
// Enough for any path the system can hand over.
constexpr std::size_t kLongestDropName = 32768;

// Releases the drop handle however the handling ends.
class DropRelease {
 public:
  DropRelease(platform::ShellDrop& drops, platform::DropHandle drop) : drops_(drops), drop_(drop) {}
  ~DropRelease() { drops_.DragFinish(drop_); }
  DropRelease(const DropRelease&) = delete;
  DropRelease& operator=(const DropRelease&) = delete;

 private:
  platform::ShellDrop& drops_;
  platform::DropHandle drop_;
};

}  // namespace

void TFondexMainForm::ProcessDroppedFiles(platform::DropHandle drop) {
  platform::ShellDrop& drops = platform_.drops;
  DropRelease release(drops, drop);
  bool applied = false;
  const unsigned count = drops.DragQueryFileCount(drop);
  for (unsigned i = 0; i < count; ++i) {
    std::string name = drops.DragQueryFile(drop, i, kDropBuffer);
    // A name that fills the buffer may have been cut, and a cut path may name another file or
    // directory: such a name is ignored.
    if (name.size() == kDropBuffer - 1 &&
        drops.DragQueryFile(drop, i, kLongestDropName).size() > name.size()) {
      continue;
    }
    const std::string full = platform_.files.GetFullPathName(name).value_or(name);
    if (util::IsPlainFile(platform_.files, full)) {
      if (!applied) {
        applied = true;
        ApplyWallpaper(full);
      }
    } else if (util::IsDirectory(platform_.files, full)) {
      NouveauRep(full);
    }
  }
}

}  // namespace fondex
