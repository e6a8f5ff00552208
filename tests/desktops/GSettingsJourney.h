#pragma once

#include <array>
#include <optional>
#include <string>

#include "desktops/DesktopJourney.h"

namespace fondex::desktops {

// The quoted string gsettings prints, without its quotes.
inline std::string Unquoted(std::string printed) {
  while (!printed.empty() && (printed.back() == '\n' || printed.back() == ' ')) {
    printed.pop_back();
  }
  return printed.size() >= 2 ? printed.substr(1, printed.size() - 2) : printed;
}

inline std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

// GNOME, Cinnamon and MATE: their settings schemas and the dconf store behind gsettings.
class GSettingsJourney : public DesktopJourney {
 protected:
  GSettingsJourney(std::string kind, std::string schema, bool pictureIsUri)
      : schema_(std::move(schema)), kind_(std::move(kind)), pictureIsUri_(pictureIsUri) {}

  std::optional<std::string> StartDesktop() override {
    if (!LiveDesktop::Installed("gsettings") || !LiveDesktop::Installed("dbus-daemon")) {
      return "gsettings or dbus-daemon is not installed";
    }
    if (!desktop_->StartBus()) {
      return "no session bus started";
    }
    if (desktop_->Run({"gsettings", "list-keys", schema_}).code != 0) {
      return "the schema " + schema_ + " is not installed";
    }
    // Without dconf, gsettings keeps each value in the memory of the one process.
    if (desktop_->Run({"gsettings", "set", schema_, "picture-options", "'zoom'"}).code != 0 ||
        Unquoted(Get("picture-options")) != "zoom") {
      return "gsettings keeps nothing between processes (no dconf back-end)";
    }
    return std::nullopt;
  }

  // Budgie's window manager on the session, drawing the background GNOME's settings name.
  std::optional<std::string> StartBudgie() {
    if (!LiveDesktop::Installed("budgie-wm")) {
      return "budgie-wm is not installed";
    }
    desktop_->AddVariables({"XDG_CURRENT_DESKTOP=Budgie:GNOME"});
    if (auto reason = GSettingsJourney::StartDesktop()) {
      return reason;
    }
    desktop_->Output({"gsettings", "set", schema_, "color-shading-type", "'solid'"});
    desktop_->Output({"gsettings", "set", schema_, "primary-color", "'#336699'"});
    desktop_->Start({"budgie-wm", "--x11"});
    // A window manager names itself on the root window.
    if (!WaitFor([&] {
          return desktop_->Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"})
                     .output.find("window id") != std::string::npos;
        })) {
      return "budgie-wm did not start";
    }
    return std::nullopt;
  }

  std::string Kind() const override { return kind_; }

  std::optional<std::string> Kept() override {
    const std::string options = Unquoted(Get("picture-options"));
    const std::string picture =
        pictureIsUri_ ? PathOfUri(Unquoted(Get("picture-uri"))) : Unquoted(Get("picture-filename"));
    if (options == "none" || picture.empty()) {
      return "plain";
    }
    return Normal(picture) + " " + options;
  }

  std::array<std::string, 5> StyleWords() const override {
    return {"centered", "wallpaper", "stretched", "scaled", "zoom"};
  }

  bool SetFromOutside(const std::filesystem::path& picture) override {
    const std::string value = pictureIsUri_ ? "file://" + picture.string() : picture.string();
    desktop_->Output({"gsettings", "set", schema_,
                      pictureIsUri_ ? "picture-uri" : "picture-filename", Quoted(value)});
    return true;
  }

  std::string Get(const std::string& key) {
    return desktop_->Output({"gsettings", "get", schema_, key});
  }

  std::string schema_;

 private:
  std::string kind_;
  bool pictureIsUri_;
};

class GnomeJourney : public GSettingsJourney {
 public:
  static constexpr const char* kName = "Gnome";

 protected:
  GnomeJourney() : GSettingsJourney("gnome", "org.gnome.desktop.background", true) {}

  // In the dark style the desktop shows its dark picture: the program follows that one.
  void FollowMore() override {
    const std::string scheme = "org.gnome.desktop.interface";
    desktop_->Output({"gsettings", "set", schema_, "picture-uri-dark",
                      Quoted("file://" + Picture("foret.bmp").string())});
    desktop_->Output({"gsettings", "set", scheme, "color-scheme", "'prefer-dark'"});
    ProgramShows("foret.bmp");
    desktop_->Output({"gsettings", "set", scheme, "color-scheme", "'default'"});
    ProgramShows("ciel.bmp");
  }
};

}  // namespace fondex::desktops
