#include "platform/win32/Win32System.h"

#include <vector>

#include "platform/win32/WinApi.h"

namespace fondex::platform::win32 {
namespace {

HDROP DropOf(DropHandle drop) {
  return reinterpret_cast<HDROP>(drop);
}

}  // namespace

SystemTime Win32Clock::NowUtc() {
  SYSTEMTIME now{};
  ::GetSystemTime(&now);
  return SystemTime{.hour = now.wHour,
                    .minute = now.wMinute,
                    .second = now.wSecond,
                    .milliseconds = now.wMilliseconds};
}

int Win32Screen::Width() {
  return ::GetSystemMetrics(SM_CXSCREEN);
}

int Win32Screen::Height() {
  return ::GetSystemMetrics(SM_CYSCREEN);
}

void Win32ShellDrop::ShowsIn(const void* form, void* window) {
  windows_[form] = window;
  Apply(form);
}

void Win32ShellDrop::DragAcceptFiles(const void* window, bool accept) {
  accepted_[window] = accept;
  Apply(window);
}

void Win32ShellDrop::Apply(const void* form) {
  const auto window = windows_.find(form);
  const auto accepted = accepted_.find(form);
  if (window != windows_.end() && window->second != nullptr && accepted != accepted_.end()) {
    ::DragAcceptFiles(static_cast<HWND>(window->second), accepted->second ? TRUE : FALSE);
  }
}

unsigned Win32ShellDrop::DragQueryFileCount(DropHandle drop) {
  return ::DragQueryFileA(DropOf(drop), 0xFFFFFFFF, nullptr, 0);
}

std::string Win32ShellDrop::DragQueryFile(DropHandle drop, unsigned index, std::size_t bufferSize) {
  if (bufferSize == 0) {
    return {};
  }
  std::vector<char> buffer(bufferSize, '\0');
  const UINT length =
      ::DragQueryFileA(DropOf(drop), index, buffer.data(), static_cast<UINT>(bufferSize));
  return std::string(buffer.data(), length);
}

void Win32ShellDrop::DragFinish(DropHandle drop) {
  ::DragFinish(DropOf(drop));
}

}  // namespace fondex::platform::win32
