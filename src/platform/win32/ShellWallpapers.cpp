#include "platform/win32/ShellWallpapers.h"

#include <objbase.h>
#include <shobjidl.h>

namespace fondex::platform::win32 {
namespace {

class ComShellWallpapers : public ShellWallpapers {
 public:
  explicit ComShellWallpapers(IDesktopWallpaper* shell) : shell_(shell) {}
  ~ComShellWallpapers() override { shell_->Release(); }
  ComShellWallpapers(const ComShellWallpapers&) = delete;
  ComShellWallpapers& operator=(const ComShellWallpapers&) = delete;

  std::vector<ShellMonitor> Monitors() override {
    UINT count = 0;
    if (FAILED(shell_->GetMonitorDevicePathCount(&count))) {
      return {};
    }
    std::vector<ShellMonitor> monitors;
    for (UINT index = 0; index < count; ++index) {
      LPWSTR id = nullptr;
      if (FAILED(shell_->GetMonitorDevicePathAt(index, &id))) {
        continue;
      }
      ShellMonitor monitor{id, {}};
      ::CoTaskMemFree(id);
      // A monitor the shell remembers but that is not attached has no rectangle.
      if (shell_->GetMonitorRECT(monitor.id.c_str(), &monitor.rect) == S_OK) {
        monitors.push_back(std::move(monitor));
      }
    }
    return monitors;
  }

  bool Set(const std::wstring& monitor, const std::wstring& picture) override {
    return SUCCEEDED(shell_->SetWallpaper(monitor.c_str(), picture.c_str()));
  }

 private:
  IDesktopWallpaper* shell_;
};

}  // namespace

std::unique_ptr<ShellWallpapers> SystemShellWallpapers() {
  IDesktopWallpaper* shell = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_DesktopWallpaper, nullptr, CLSCTX_ALL, IID_IDesktopWallpaper,
                                reinterpret_cast<void**>(&shell)))) {
    return nullptr;
  }
  return std::make_unique<ComShellWallpapers>(shell);
}

ComApartment::ComApartment()
    : entered_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
  if (entered_) {
    ::CoUninitialize();
  }
}

}  // namespace fondex::platform::win32
