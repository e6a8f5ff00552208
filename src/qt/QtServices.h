#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/System.h"

namespace fondex::qt {

// The size of the primary screen.
class QtScreen : public platform::Screen {
 public:
  int Width() override;
  int Height() override;
};

// Files dropped from the desktop: the windows registered as drop targets, and the names of
// each drop until its handle is released.
class QtShellDrop : public platform::ShellDrop {
 public:
  void DragAcceptFiles(const void* window, bool accept) override;
  unsigned DragQueryFileCount(platform::DropHandle drop) override;
  std::string DragQueryFile(platform::DropHandle drop, unsigned index,
                            std::size_t bufferSize) override;
  void DragFinish(platform::DropHandle drop) override;

  bool Accepts(const void* window) const { return targets_.contains(window); }
  // A new drop of Windows-shaped names; its handle stays valid until DragFinish.
  platform::DropHandle AddDrop(std::vector<std::string> names);
  std::size_t OpenDrops() const { return drops_.size(); }

 private:
  std::set<const void*> targets_;
  std::map<platform::DropHandle, std::vector<std::string>> drops_;
  platform::DropHandle next_ = 1;
};

}  // namespace fondex::qt
