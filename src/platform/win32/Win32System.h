#pragma once

#include <map>

#include "platform/System.h"

namespace fondex::platform::win32 {

class Win32Clock : public Clock {
 public:
  SystemTime NowUtc() override;
};

// The primary screen in its own pixels, those the main window is placed and stored in.
class Win32Screen : public Screen {
 public:
  int Width() override;
  int Height() override;
};

// Files dropped from the shell. The program names its windows by their forms, and registers
// them before the system windows exist: the registration reaches a window once the front end
// says which one shows the form.
class Win32ShellDrop : public ShellDrop {
 public:
  void ShowsIn(const void* form, void* window);

  void DragAcceptFiles(const void* window, bool accept) override;
  unsigned DragQueryFileCount(DropHandle drop) override;
  std::string DragQueryFile(DropHandle drop, unsigned index, std::size_t bufferSize) override;
  void DragFinish(DropHandle drop) override;

 private:
  void Apply(const void* form);

  std::map<const void*, bool> accepted_;
  std::map<const void*, void*> windows_;
};

}  // namespace fondex::platform::win32
