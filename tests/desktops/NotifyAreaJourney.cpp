// The notification-area icon in a real notification area: XFCE's panel, whose area is a
// StatusNotifierItem watcher and host. The journey reaches the icon as the panel does, over the
// session bus: its item, its menu through the D-Bus menu interface, its Activate method.

#include <signal.h>

#include <map>
#include <regex>
#include <sstream>

#include "desktops/LiveDesktop.h"
#include "e2e/FondexJourney.h"

namespace fondex::desktops {
namespace {

constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";

class NotifyAreaJourney : public e2e::PlageJourney {
 protected:
  void SetUp() override {
    PlageJourney::SetUp();
    if (!LiveDesktop::Installed("xfce4-panel") || !LiveDesktop::Installed("dbus-send")) {
      GTEST_SKIP() << "xfce4-panel or dbus-send is not installed";
    }
    desktop_ = std::make_unique<LiveDesktop>(
        SessionEnvironment(Screen().DisplayName(), Folder("home"), Folder("runtime")),
        Folder("desktop-logs"));
    ASSERT_TRUE(desktop_->StartBus());
    desktop_->Start({"xfce4-panel"});
    ASSERT_TRUE(desktop_->RunsWithin(
        Call(kWatcher, "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties.Get",
             {"string:" + std::string(kWatcher), "string:IsStatusNotifierHostRegistered"})));
    e2e::WriteFile(AppFile("FONDEX.INI"),
                   "[Options]\r\nHasardLieu=RepActif\r\nHasardTech=Successif\r\n"
                   "IconeNotification=Oui\r\n");
    WriteWinIni(e2e::WindowsPath(plage_ / "foret.bmp"));
  }

  void TearDown() override {
    FondexJourney::TearDown();
    desktop_.reset();
  }

  static std::vector<std::string> Call(const std::string& destination, const std::string& path,
                                       const std::string& method,
                                       const std::vector<std::string>& arguments) {
    std::vector<std::string> argv = {
        "dbus-send", "--session", "--print-reply", "--dest=" + destination, path, method};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
  }

  // The program's item as the watcher lists it: its bus name and object path.
  bool FindItem() {
    const std::regex item(R"re(string "(:[0-9.]+)(/[^"]*)")re");
    return e2e::WaitUntil(
        [&] {
          const LiveDesktop::Outcome listed = desktop_->Run(
              Call(kWatcher, "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties.Get",
                   {"string:" + std::string(kWatcher), "string:RegisteredStatusNotifierItems"}));
          std::smatch found;
          if (!std::regex_search(listed.output, found, item)) {
            return false;
          }
          service_ = found[1];
          itemPath_ = found[2];
          return true;
        },
        kWaitLimit);
  }

  std::string ItemProperty(const std::string& name) {
    return desktop_->Output(Call(service_, itemPath_, "org.freedesktop.DBus.Properties.Get",
                                 {"string:org.kde.StatusNotifierItem", "string:" + name}));
  }

  // The menu's lines by label, with their ids, as a host reads them.
  std::map<std::string, int> MenuLines(const std::string& menuPath) {
    const std::string layout =
        desktop_->Output(Call(service_, menuPath, "com.canonical.dbusmenu.GetLayout",
                              {"int32:0", "int32:-1", "array:string:label"}));
    std::map<std::string, int> lines;
    std::istringstream text(layout);
    const std::regex id(R"(^\s*int32 (\d+)$)");
    const std::regex label(R"re(variant\s+string "(.*)"$)re");
    int current = -1;
    for (std::string line; std::getline(text, line);) {
      std::smatch found;
      if (std::regex_match(line, found, id)) {
        current = std::stoi(found[1]);
      } else if (std::regex_search(line, found, label)) {
        lines[found[1]] = current;
      }
    }
    return lines;
  }

  void Choose(const std::string& menuPath, int line) {
    desktop_->Output(
        Call(service_, menuPath, "com.canonical.dbusmenu.Event",
             {"int32:" + std::to_string(line), "string:clicked", "variant:int32:0", "uint32:0"}));
  }

  void Shows(const std::string& name) {
    EXPECT_TRUE(WallpaperBecomes(Stored(name)));
    EXPECT_TRUE(TitleBecomes(MainWindow(), "Fondex2 : " + Stored(name)));
  }

  std::unique_ptr<LiveDesktop> desktop_;
  std::string service_;
  std::string itemPath_;
};

TEST_F(NotifyAreaJourney, TheIconsMenuChangesAndGoesBackAndEscapeHidesTheWindowIntoIt) {
  StartFondex("none", desktop_->Environment());
  ASSERT_TRUE(FindItem());
  EXPECT_NE(ItemProperty("ToolTip").find("Fondex2 : " + Stored("foret.bmp")), std::string::npos);

  const std::string menuProperty = ItemProperty("Menu");
  std::smatch menu;
  ASSERT_TRUE(std::regex_search(menuProperty, menu, std::regex(R"re(object path "([^"]+)")re")));
  const std::string menuPath = menu[1];
  const std::map<std::string, int> lines = MenuLines(menuPath);
  for (const char* caption :
       {"Changer de papier peint", "Papier peint précédent", "Pas de papier peint",
        "Geler le choix automatique", "Afficher Fondex", "Options…", "Quitter Fondex"}) {
    EXPECT_TRUE(lines.contains(caption)) << caption;
  }
  ASSERT_TRUE(lines.contains("Changer de papier peint"));
  ASSERT_TRUE(lines.contains("Papier peint précédent"));

  Choose(menuPath, lines.at("Changer de papier peint"));
  Shows("mer.bmp");
  Choose(menuPath, lines.at("Changer de papier peint"));
  Shows("ciel.bmp");
  EXPECT_NE(ItemProperty("ToolTip").find("Fondex2 : " + Stored("ciel.bmp")), std::string::npos);
  Choose(menuPath, lines.at("Papier peint précédent"));
  Shows("mer.bmp");

  // Escape hides the window into the icon, not into a task bar; a click on the icon brings it
  // back.
  Key(MainWindow(), "Escape");
  EXPECT_TRUE(WaitFor([&] { return !Screen().IsMapped(MainWindow()); }));
  EXPECT_FALSE(Screen().AskedToIconify(MainWindow()));
  desktop_->Output(
      Call(service_, itemPath_, "org.kde.StatusNotifierItem.Activate", {"int32:0", "int32:0"}));
  EXPECT_TRUE(WaitFor([&] { return Screen().IsMapped(MainWindow()); }));

  // "Quitter Fondex" closes it with its closing steps: the settings are saved.
  Choose(menuPath, lines.at("Quitter Fondex"));
  EXPECT_EQ(0, WaitForExit());
  EXPECT_NE(e2e::ReadFile(AppFile("FONDEX.INI")).find("IconeNotification=Oui\r\n"),
            std::string::npos);
}

// The session ends while the window is hidden in the icon: the closing steps still run.
TEST_F(NotifyAreaJourney, TheSessionsEndWhileHiddenInTheIconSavesAsAtALogOff) {
  StartFondex("none", desktop_->Environment());
  ASSERT_TRUE(FindItem());
  Key(MainWindow(), "Escape");
  ASSERT_TRUE(WaitFor([&] { return !Screen().IsMapped(MainWindow()); }));
  SendSignal(SIGTERM);
  EXPECT_EQ(0, WaitForExit());
  const std::string settings = e2e::ReadFile(AppFile("FONDEX.INI"));
  EXPECT_NE(settings.find("IconeNotification=Oui\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("[Placement]\r\nTop="), std::string::npos) << settings;
}

}  // namespace
}  // namespace fondex::desktops
