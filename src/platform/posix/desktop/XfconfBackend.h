#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/desktop/DesktopBackend.h"
#include "platform/posix/desktop/DesktopText.h"
#include "platform/posix/desktop/ProcessRunner.h"

namespace fondex::platform::posix::desktop {

// XFCE: the last-image property of every monitor and workspace of channel xfce4-desktop, with
// its image-style beside it, through the `xfconf-query` tool.
class XfconfBackend : public DesktopBackend {
 public:
  explicit XfconfBackend(ProcessRunner& runner);

  bool Set(const std::string& path, WallpaperStyle style) override;
  bool Clear() override;
  std::optional<std::string> Current() override;
  std::unique_ptr<ChangeFeed> Follow() override;

 private:
  // Every last-image property, plus one for each monitor that has none yet; nothing when the
  // channel cannot be listed.
  std::optional<std::vector<std::string>> ImageProperties();
  bool SetProperty(const std::string& property, const char* type, const std::string& value);
  std::optional<std::string> GetProperty(const std::string& property);

  ProcessRunner& runner_;
  FreshSpelling spelling_;
};

}  // namespace fondex::platform::posix::desktop
