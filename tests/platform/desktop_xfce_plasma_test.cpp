#include <gtest/gtest.h>

#include <poll.h>

#include <algorithm>

#include "Scratch.h"
#include "desktop_fake_runner.h"
#include "platform/posix/desktop/PlasmaBackend.h"
#include "platform/posix/desktop/XfconfBackend.h"

namespace fondex::platform::posix::desktop {
namespace {

using testing::FakeRunner;

Argv XfconfSet(const std::string& property, const char* type, const std::string& value) {
  return {"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-n", "-t", type, "-s", value};
}

const Argv kListing{"xfconf-query", "-c", "xfce4-desktop", "-l"};
const std::string kHdmi = "/backdrop/screen0/monitorHDMI-1/workspace";
const std::string kEdp = "/backdrop/screen0/monitoreDP-1/workspace0";

class XfceBackendTest : public ::testing::Test {
 protected:
  XfceBackendTest() {
    // Two workspaces with a picture on one monitor; another monitor that never had one.
    runner_.Answer(kListing, {true, kHdmi + "0/color-style\n" + kHdmi + "0/image-style\n" + kHdmi +
                                        "0/last-image\n" + kHdmi + "1/last-image\n" + kEdp +
                                        "/color-style\n/desktop-icons/style\n"});
  }

  FakeRunner runner_;
  XfconfBackend backend_{runner_, [] { return std::vector<std::string>(); }};
};

TEST_F(XfceBackendTest, SetsEveryMonitorAndWorkspace) {
  const std::string path = "/home/ana/Mes images/l'été \"$x\";`y`\\.bmp";
  EXPECT_TRUE(backend_.Set(path, WallpaperStyle::kStretched));
  EXPECT_EQ(runner_.runs, (std::vector<Argv>{
                              kListing,
                              XfconfSet(kHdmi + "0/last-image", "string", path),
                              XfconfSet(kHdmi + "0/image-style", "int", "3"),
                              XfconfSet(kHdmi + "1/last-image", "string", path),
                              XfconfSet(kHdmi + "1/image-style", "int", "3"),
                              XfconfSet(kEdp + "/last-image", "string", path),
                              XfconfSet(kEdp + "/image-style", "int", "3"),
                          }));

  runner_.runs.clear();
  EXPECT_TRUE(backend_.Set(path, WallpaperStyle::kTiled));  // the same file: spelled anew
  EXPECT_EQ(runner_.runs[1], XfconfSet(kHdmi + "0/last-image", "string",
                                       "/home/ana/Mes images/./l'été \"$x\";`y`\\.bmp"));
  EXPECT_EQ(runner_.runs[2], XfconfSet(kHdmi + "0/image-style", "int", "2"));

  // Centred, fitted (scaled) and filled (zoomed).
  for (const auto& [style, word] : {std::pair{WallpaperStyle::kCentred, "1"},
                                    {WallpaperStyle::kFitted, "4"},
                                    {WallpaperStyle::kFilled, "5"}}) {
    runner_.runs.clear();
    EXPECT_TRUE(backend_.Set("/a.bmp", style));
    EXPECT_EQ(runner_.runs[2], XfconfSet(kHdmi + "0/image-style", "int", word));
  }

  runner_.runs.clear();
  EXPECT_TRUE(backend_.Clear());
  EXPECT_EQ(runner_.runs, (std::vector<Argv>{
                              kListing,
                              XfconfSet(kHdmi + "0/image-style", "int", "0"),
                              XfconfSet(kHdmi + "1/image-style", "int", "0"),
                              XfconfSet(kEdp + "/image-style", "int", "0"),
                          }));
}

TEST_F(XfceBackendTest, RefusesWhatCannotReachTheDesktop) {
  EXPECT_FALSE(backend_.Set("/home/ana/\xE9t\xE9.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(runner_.runs.empty());
  runner_.Fail({"xfconf-query", "-c", "xfce4-desktop", "-p", kHdmi + "1/last-image"});
  EXPECT_FALSE(backend_.Set("/a.bmp", WallpaperStyle::kCentred));
  runner_.Fail(kListing);
  EXPECT_FALSE(backend_.Set("/a.bmp", WallpaperStyle::kCentred));
  EXPECT_FALSE(backend_.Clear());
}

TEST_F(XfceBackendTest, ReadsAndFollowsTheFirstPicture) {
  const Argv get{"xfconf-query", "-c", "xfce4-desktop", "-p"};
  Argv image = get, style = get;
  image.push_back(kHdmi + "0/last-image");
  style.push_back(kHdmi + "0/image-style");
  runner_.Answer(image, {true, "/home/ana/foret.bmp\n"});
  runner_.Answer(style, {true, "5\n"});
  EXPECT_EQ(backend_.Current(), "/home/ana/foret.bmp");
  EXPECT_EQ(backend_.ShownStyle(), WallpaperStyle::kFilled);
  runner_.Answer(style, {true, "4\n"});
  backend_.Current();
  EXPECT_EQ(backend_.ShownStyle(), WallpaperStyle::kFitted);
  runner_.Answer(style, {true, "0\n"});
  EXPECT_EQ(backend_.Current(), "");
  EXPECT_EQ(backend_.ShownStyle(), std::nullopt);

  const auto feed = backend_.Follow();
  ASSERT_NE(feed, nullptr);
  EXPECT_EQ(runner_.monitorArgs,
            (std::vector<Argv>{{"xfconf-query", "-c", "xfce4-desktop", "-m"}}));
  runner_.lastMonitor->Emit("set: " + kHdmi + "0/color1");
  EXPECT_FALSE(feed->Drain());
  runner_.lastMonitor->Emit("set: " + kHdmi + "1/last-image");
  EXPECT_TRUE(feed->Drain());
}

// xfdesktop 4.20 lists nothing until its settings dialog writes; Debian's own defaults name
// monitors that no screen has.
TEST(XfceBackend, WritesTheScreensOwnMonitorsFirst) {
  const std::string screen = "/backdrop/screen0/monitor";
  const struct {
    std::string listing;
    std::vector<std::string> monitors;
    std::vector<std::string> written;
  } cases[] = {
      {"/last-settings-migration-version\n", {"screen"}, {screen + "screen/workspace0"}},
      {screen + "0/workspace0/last-image\n" + screen + "1/workspace0/last-image\n",
       {"HDMI-1", "DP-2"},
       {screen + "HDMI-1/workspace0", screen + "DP-2/workspace0", screen + "0/workspace0",
        screen + "1/workspace0"}},
      {screen + "DP-2/workspace1/last-image\n",
       {"HDMI-1", "DP-2"},
       {screen + "HDMI-1/workspace0", screen + "DP-2/workspace1"}},
      {"/desktop-icons/style\n", {}, {screen + "X11-1/workspace0"}},
  };
  for (const auto& [listing, monitors, written] : cases) {
    FakeRunner runner;
    runner.Answer(kListing, {true, listing});
    XfconfBackend backend(runner, [&] { return monitors; });
    EXPECT_TRUE(backend.Set("/a.bmp", WallpaperStyle::kTiled));
    std::vector<Argv> expected{kListing};
    for (const std::string& workspace : written) {
      expected.push_back(XfconfSet(workspace + "/last-image", "string", "/a.bmp"));
      expected.push_back(XfconfSet(workspace + "/image-style", "int", "2"));
    }
    EXPECT_EQ(runner.runs, expected) << listing;
  }
}

// Each monitor alone: only the named ones are written, each in every workspace listed for it.
TEST(XfceBackend, SetsAndReadsEachMonitorOnItsOwn) {
  const std::string hdmi = "/backdrop/screen0/monitorHDMI-1/workspace";
  const std::string dp = "/backdrop/screen0/monitorDP-2/workspace0";
  const struct {
    std::vector<ScreenPath> pictures;
    std::vector<std::string> written;  // workspace, picture
  } cases[] = {
      {{{"DP-2", "/b.bmp"}}, {dp, "/b.bmp"}},
      {{{"HDMI-1", "/a.bmp"}}, {hdmi + "0", "/a.bmp", hdmi + "1", "/a.bmp"}},
      {{{"HDMI-1", "/a.bmp"}, {"DP-2", "/a.bmp"}},
       {hdmi + "0", "/a.bmp", hdmi + "1", "/a.bmp", dp, "/a.bmp"}},
      {{{"HDMI-1", "/a.bmp"}, {"DP-2", "/\xE9.bmp"}}, {}},
  };
  for (const auto& [pictures, written] : cases) {
    FakeRunner runner;
    runner.Answer(kListing, {true, hdmi + "0/last-image\n" + hdmi + "1/last-image\n"});
    XfconfBackend backend(runner, [] { return std::vector<std::string>{"HDMI-1", "DP-2"}; });
    EXPECT_EQ(backend.SetEach(pictures, WallpaperStyle::kFitted), !written.empty());
    std::vector<Argv> expected;
    for (std::size_t i = 0; i < written.size(); i += 2) {
      expected.push_back(XfconfSet(written[i] + "/last-image", "string", written[i + 1]));
      expected.push_back(XfconfSet(written[i] + "/image-style", "int", "4"));
    }
    std::erase(runner.runs, kListing);
    EXPECT_EQ(runner.runs, expected) << pictures.size();
    EXPECT_EQ(backend.Screens(), (std::vector<std::string>{"HDMI-1", "DP-2"}));
  }

  // Each monitor reads its own first workspace, and spells its own picture anew.
  FakeRunner runner;
  runner.Answer(kListing, {true, hdmi + "1/last-image\n"});
  const Argv get{"xfconf-query", "-c", "xfce4-desktop", "-p"};
  runner.Answer(Argv{get[0], get[1], get[2], get[3], hdmi + "1/last-image"}, {true, "/a.bmp\n"});
  runner.Answer(Argv{get[0], get[1], get[2], get[3], dp + "/last-image"}, {true, "/b.bmp\n"});
  runner.Answer(Argv{get[0], get[1], get[2], get[3], dp + "/image-style"}, {true, "0\n"});
  XfconfBackend backend(runner, [] { return std::vector<std::string>{"HDMI-1", "DP-2"}; });
  EXPECT_EQ(backend.CurrentOn("HDMI-1"), "/a.bmp");
  EXPECT_EQ(backend.CurrentOn("DP-2"), "");
  runner.runs.clear();
  EXPECT_TRUE(backend.SetEach({{"HDMI-1", "/a.bmp"}, {"DP-2", "/a.bmp"}}, WallpaperStyle::kTiled));
  EXPECT_EQ(runner.runs[1], XfconfSet(hdmi + "1/last-image", "string", "/./a.bmp"));
  EXPECT_EQ(runner.runs[3], XfconfSet(dp + "/last-image", "string", "/a.bmp"));
  runner.Fail(kListing);
  EXPECT_FALSE(backend.CurrentOn("DP-2").has_value());
}

Argv ShellCall(const std::string& method, const std::string& argument) {
  return {"dbus-send",     "--session",
          "--print-reply", "--dest=org.kde.plasmashell",
          "/PlasmaShell",  "org.kde.PlasmaShell." + method,
          argument};
}

std::vector<std::string> NoMonitors() {
  return {};
}

ToolResult Printed(const std::string& text) {
  return {true,
          "method return time=1.5 sender=:1.7 -> destination=:1.9 serial=41 reply_serial=2\n"
          "   string \"" +
              text + "\"\n"};
}

std::string SetScript(const std::string& literal, int fillMode) {
  return "var all = desktops(); for (var i = 0; i < all.length; i++) { var d = all[i]; "
         "d.wallpaperPlugin = 'org.kde.image'; d.currentConfigGroup = Array('Wallpaper', "
         "'org.kde.image', 'General'); d.writeConfig('Image', " +
         literal + "); d.writeConfig('FillMode', " + std::to_string(fillMode) + "); }";
}

TEST(PlasmaBackend, ScriptsEveryDesktop) {
  FakeRunner runner;
  PlasmaBackend backend(runner, "/nowhere/plasma-org.kde.plasma.desktop-appletsrc", NoMonitors);
  EXPECT_TRUE(backend.Set("/home/ana/Mes images/été.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(backend.Set("/home/ana/b.bmp", WallpaperStyle::kTiled));
  EXPECT_TRUE(backend.Set("/home/ana/b.bmp", WallpaperStyle::kStretched));
  EXPECT_TRUE(backend.Set("/home/ana/c.bmp", WallpaperStyle::kFitted));
  EXPECT_TRUE(backend.Set("/home/ana/d.bmp", WallpaperStyle::kFilled));
  EXPECT_TRUE(backend.Clear());
  EXPECT_EQ(
      runner.runs,
      (std::vector<Argv>{
          ShellCall("evaluateScript",
                    "string:" + SetScript("'file:///home/ana/Mes%20images/%C3%A9t%C3%A9.bmp'", 6)),
          ShellCall("evaluateScript", "string:" + SetScript("'file:///home/ana/b.bmp'", 3)),
          ShellCall("evaluateScript", "string:" + SetScript("'file:///home/ana/./b.bmp'", 0)),
          ShellCall("evaluateScript", "string:" + SetScript("'file:///home/ana/c.bmp'", 1)),
          ShellCall("evaluateScript", "string:" + SetScript("'file:///home/ana/d.bmp'", 2)),
          ShellCall("evaluateScript",
                    "string:var all = desktops(); for (var i = 0; i < all.length; i++) { "
                    "all[i].wallpaperPlugin = 'org.kde.color'; }"),
      }));
  runner.Fail({"dbus-send"});
  EXPECT_FALSE(backend.Set("/home/ana/b.bmp", WallpaperStyle::kCentred));
}

TEST(PlasmaBackend, APathStaysAFileNameInTheScript) {
  const std::string hostile = "/tmp/x'); runCommand('touch /tmp/pwned";
  const std::string script = PlasmaWallpaperScript(hostile, WallpaperStyle::kCentred);
  EXPECT_EQ(script, SetScript("'file:///tmp/x%27%29%3B%20runCommand%28%27touch%20/tmp/pwned'", 6));
  // Every quote of the script is one of the script's own.
  EXPECT_EQ(std::ranges::count(script, '\''),
            std::ranges::count(PlasmaWallpaperScript("/a", WallpaperStyle::kCentred), '\''));
  EXPECT_EQ(PathOfFileUri("file:///tmp/x%27%29%3B%20runCommand%28%27touch%20/tmp/pwned"), hostile);
}

TEST(PlasmaBackend, ReadsTheFirstScreensWallpaperAndFollowsItsSignal) {
  FakeRunner runner;
  PlasmaBackend backend(runner, "/nowhere/plasma-org.kde.plasma.desktop-appletsrc", NoMonitors);
  const std::string reply =
      "method return time=1765000000.1 sender=:1.20 -> destination=:1.99 serial=77 "
      "reply_serial=2\n"
      "   array [\n"
      "      dict entry(\n"
      "         string \"wallpaperPlugin\"\n"
      "         variant             string \"org.kde.image\"\n"
      "      )\n"
      "      dict entry(\n"
      "         string \"Image\"\n"
      "         variant             string \"file:///home/ana/Mes%20images/mer.bmp\"\n"
      "      )\n"
      "      dict entry(\n"
      "         string \"FillMode\"\n"
      "         variant             int32 6\n"
      "      )\n"
      "   ]\n";
  runner.Answer(ShellCall("wallpaper", "uint32:0"), {true, reply});
  EXPECT_EQ(backend.Current(), "/home/ana/Mes images/mer.bmp");
  std::string plain = reply;
  plain.replace(plain.find("org.kde.image"), 13, "org.kde.color");
  runner.Answer(ShellCall("wallpaper", "uint32:0"), {true, plain});
  EXPECT_EQ(backend.Current(), "");
  runner.Fail(ShellCall("wallpaper", "uint32:0"));
  runner.Fail(ShellCall("evaluateScript", "string:" + PlasmaReadScript()));
  EXPECT_FALSE(backend.Current().has_value());

  const auto feed = backend.Follow();
  ASSERT_NE(feed, nullptr);
  EXPECT_EQ(runner.monitorArgs,
            (std::vector<Argv>{{"dbus-monitor", "--session",
                                "type='signal',interface='org.kde.PlasmaShell',member='"
                                "wallpaperChanged'"}}));
  runner.lastMonitor->Emit(
      "signal time=1.2 sender=org.freedesktop.DBus -> destination=:1.5 serial=2 "
      "path=/org/freedesktop/DBus; interface=org.freedesktop.DBus; member=NameAcquired");
  EXPECT_FALSE(feed->Drain());
  runner.lastMonitor->Emit(
      "signal time=1.3 sender=:1.20 -> destination=(null destination) serial=80 "
      "path=/PlasmaShell; interface=org.kde.PlasmaShell; member=wallpaperChanged");
  EXPECT_TRUE(feed->Drain());
}

// Plasma 5.27 has neither the wallpaper call nor its signal.
class OlderPlasmaTest : public posix::testing::ScratchTest {
 protected:
  OlderPlasmaTest() {
    MakeDirectory("config");
    runner_.Fail(ShellCall("wallpaper", "uint32:0"));
  }

  void ScriptPrints(const std::string& printed) {
    runner_.Answer(ShellCall("evaluateScript", "string:" + PlasmaReadScript()), Printed(printed));
  }

  FakeRunner runner_;
  PlasmaBackend backend_{runner_, Posix("config/plasma-org.kde.plasma.desktop-appletsrc"),
                         NoMonitors};
};

TEST_F(OlderPlasmaTest, ReadsThePictureThroughAScript) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"org.kde.image|file:///home/ana/Mes%20images/./mer.bmp\n", "/home/ana/Mes images/mer.bmp"},
      {"org.kde.image|/home/ana/foret.bmp\n", "/home/ana/foret.bmp"},
      {"org.kde.color|file:///home/ana/mer.bmp\n", ""},
      {"org.kde.image|\n", ""},
      {"no bar here", std::nullopt},
  };
  for (const auto& [printed, shown] : cases) {
    ScriptPrints(printed);
    EXPECT_EQ(backend_.Current(), shown) << printed;
  }
  runner_.Answer(ShellCall("evaluateScript", "string:" + PlasmaReadScript()),
                 {false, "Error org.freedesktop.DBus.Error.Failed: Error: SyntaxError"});
  EXPECT_FALSE(backend_.Current().has_value());

  // What the shell holds is what the next change must differ from.
  ScriptPrints("org.kde.image|file:///home/ana/mer.bmp\n");
  backend_.Current();
  runner_.runs.clear();
  EXPECT_TRUE(backend_.Set("/home/ana/mer.bmp", WallpaperStyle::kCentred));
  EXPECT_NE(runner_.runs.front().back().find("'file:///home/ana/./mer.bmp'"), std::string::npos);
}

TEST_F(OlderPlasmaTest, FollowsTheFileOfItsDesktopsSettings) {
  const auto feed = backend_.Follow();
  ASSERT_NE(feed, nullptr);
  pollfd readable{.fd = feed->Descriptor(), .events = POLLIN, .revents = 0};
  EXPECT_EQ(::poll(&readable, 1, 0), 0);
  Write("config/plasmashellrc", "[PlasmaViews]\n");
  EXPECT_FALSE(feed->Drain());
  Write("config/plasma-org.kde.plasma.desktop-appletsrc",
        "[Containments][1][Wallpaper][org.kde.image][General]\nImage=file:///home/ana/mer.bmp\n");
  EXPECT_EQ(::poll(&readable, 1, 1000), 1);
  EXPECT_TRUE(feed->Drain());
}

TEST(PlasmaScreens, NamesTheMonitorsTheShellShowsADesktopOn) {
  const std::vector<std::string> two{"HDMI-1", "DP-2"};
  const struct {
    std::vector<std::string> monitors;
    std::optional<ToolResult> reply;  // nothing: the shell is not asked
    std::vector<std::string> screens;
  } cases[] = {
      {{}, std::nullopt, {}},
      {two, Printed("DP-2\nHDMI-1\n"), {"DP-2", "HDMI-1"}},
      {two, Printed("HDMI-1"), {"HDMI-1"}},
      {two, Printed(""), {}},
      {two, ToolResult{false, "Error org.freedesktop.DBus.Error.Failed"}, {}},
  };
  for (const auto& [monitors, reply, screens] : cases) {
    FakeRunner runner;
    const Argv call = ShellCall("evaluateScript", "string:" + PlasmaScreensScript(monitors));
    if (reply) {
      runner.Answer(call, *reply);
    }
    PlasmaBackend backend(runner, "/nowhere/appletsrc", [&] { return monitors; });
    EXPECT_EQ(backend.Screens(), screens) << ::testing::PrintToString(monitors);
    EXPECT_EQ(runner.runs, reply ? std::vector<Argv>{call} : std::vector<Argv>{});
  }
}

TEST(PlasmaScreens, OneScriptPerChangeEachScreenSpelledAfreshOnItsOwn) {
  FakeRunner runner;
  PlasmaBackend backend(runner, "/nowhere/appletsrc", NoMonitors);
  const auto each = [&](const std::vector<ScreenPath>& pictures, WallpaperStyle style) {
    return ShellCall("evaluateScript", "string:" + PlasmaEachScript(pictures, style));
  };
  EXPECT_TRUE(backend.SetEach({{"A", "/p/a.bmp"}, {"B", "/p/b.bmp"}}, WallpaperStyle::kFilled));
  EXPECT_TRUE(backend.SetEach({{"A", "/p/a.bmp"}, {"B", "/p/a.bmp"}}, WallpaperStyle::kTiled));
  runner.Answer(ShellCall("evaluateScript", "string:" + PlasmaReadOnScript("B")),
                Printed("org.kde.image|file:///p/c.bmp\n"));
  EXPECT_EQ(backend.CurrentOn("B"), "/p/c.bmp");
  EXPECT_TRUE(backend.SetEach({{"B", "/p/c.bmp"}}, WallpaperStyle::kCentred));
  EXPECT_TRUE(backend.Set("/p/d.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(backend.SetEach({{"A", "/p/d.bmp"}}, WallpaperStyle::kCentred));
  EXPECT_EQ(runner.runs,
            (std::vector<Argv>{
                each({{"A", "/p/a.bmp"}, {"B", "/p/b.bmp"}}, WallpaperStyle::kFilled),
                each({{"A", "/p/./a.bmp"}, {"B", "/p/a.bmp"}}, WallpaperStyle::kTiled),
                ShellCall("evaluateScript", "string:" + PlasmaReadOnScript("B")),
                each({{"B", "/p/./c.bmp"}}, WallpaperStyle::kCentred),
                ShellCall("evaluateScript",
                          "string:" + PlasmaWallpaperScript("/p/d.bmp", WallpaperStyle::kCentred)),
                each({{"A", "/p/./d.bmp"}}, WallpaperStyle::kCentred),
            }));
  runner.Fail({"dbus-send"});
  EXPECT_FALSE(backend.SetEach({{"A", "/p/e.bmp"}}, WallpaperStyle::kCentred));
  EXPECT_FALSE(backend.CurrentOn("A").has_value());
}

TEST(PlasmaScreens, ScreenNamesAndPathsStayStringsInTheScripts) {
  const std::string hostile = "x'); runCommand('touch /tmp/pwned";
  const std::pair<std::string, std::string> scripts[] = {
      {PlasmaEachScript({{hostile, "/" + hostile}}, WallpaperStyle::kFitted),
       PlasmaEachScript({{"A", "/a"}}, WallpaperStyle::kFitted)},
      {PlasmaReadOnScript(hostile), PlasmaReadOnScript("A")},
      {PlasmaScreensScript({hostile, "B"}), PlasmaScreensScript({"A", "B"})},
  };
  // The quotes that open or close a literal: none of the name's own.
  const auto quotes = [](const std::string& text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      count += text[i] == '\'' && (i == 0 || text[i - 1] != '\\') ? 1 : 0;
    }
    return count;
  };
  for (const auto& [script, plain] : scripts) {
    EXPECT_EQ(quotes(script), quotes(plain)) << script;
    EXPECT_EQ(script.find("runCommand('"), std::string::npos) << script;
  }
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
