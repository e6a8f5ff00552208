#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ProgramInstance.h"
#include "platform/win32/WinApi.h"

namespace fondex::platform::win32 {

// The guard of one program folder: a named mutex held by the running copy (the system drops it
// when the process ends, however it ends), and a message-only window of the same key that takes
// the later starts' messages as WM_COPYDATA. The key comes from the folder's full name with
// letter case ignored, so that every spelling of the folder names the same guard.
class Win32ProgramInstance : public ProgramInstance {
 public:
  explicit Win32ProgramInstance(const std::string& programFolder);
  ~Win32ProgramInstance() override;
  Win32ProgramInstance(const Win32ProgramInstance&) = delete;
  Win32ProgramInstance& operator=(const Win32ProgramInstance&) = delete;

  bool Claim() override;
  // Waits up to a second for a copy that holds the folder but has no window yet.
  bool Send(const std::string& message) override;
  int Descriptor() const override { return -1; }
  std::vector<std::string> Receive() override;

  // Runs from the message loop once messages wait, after the sender has been answered.
  void OnArrival(std::function<void()> arrived) { arrived_ = std::move(arrived); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Listen();

  std::string key_;
  HANDLE mutex_ = nullptr;
  HWND window_ = nullptr;
  std::vector<std::string> waiting_;
  std::function<void()> arrived_;
};

}  // namespace fondex::platform::win32
