#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fondex::platform {

struct SystemTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// System clock in universal time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual SystemTime NowUtc() = 0;
};

// Size of the primary screen in pixels.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual int Width() = 0;
  virtual int Height() = 0;
};

// The system help viewer.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual bool ShowHelp(const std::string& helpFile, int context) = 0;
};

using DropHandle = std::uintptr_t;

// Files dropped from the shell.
class ShellDrop {
 public:
  virtual ~ShellDrop() = default;
  virtual void DragAcceptFiles(const void* window, bool accept) = 0;
  virtual unsigned DragQueryFileCount(DropHandle drop) = 0;
  // Name i of the drop, cut to bufferSize - 1 bytes.
  virtual std::string DragQueryFile(DropHandle drop, unsigned index, std::size_t bufferSize) = 0;
  virtual void DragFinish(DropHandle drop) = 0;
};

}  // namespace fondex::platform
