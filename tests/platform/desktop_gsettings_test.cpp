#include <gtest/gtest.h>
#include <poll.h>

#include "Scratch.h"
#include "desktop_fake_runner.h"
#include "platform/pictures/Picture.h"
#include "platform/posix/desktop/GSettingsBackend.h"
#include "platform/posix/desktop/PlainPicture.h"

namespace fondex::platform::posix::desktop {
namespace {

using testing::FakeRunner;

constexpr const char* kGnome = "org.gnome.desktop.background";

Argv GnomeSet(const char* key, const std::string& value) {
  return {"gsettings", "set", kGnome, key, value};
}

class GnomeBackendTest : public ::testing::Test {
 protected:
  GnomeBackendTest() {
    runner_.Answer({"gsettings", "list-keys", kGnome},
                   {.succeeded = true,
                    .output = "color-shading-type\npicture-options\n"
                              "picture-uri\npicture-uri-dark\n"});
  }

  FakeRunner runner_;
  GSettingsBackend backend_{runner_, kGnomeSchema};
};

TEST_F(GnomeBackendTest, SetsBothPicturesAndTheirFit) {
  EXPECT_TRUE(backend_.Set("/home/ana/mer.bmp", WallpaperStyle::kCentred));
  EXPECT_EQ(runner_.runs, (std::vector<Argv>{
                              GnomeSet("picture-uri", "'file:///home/ana/mer.bmp'"),
                              {"gsettings", "list-keys", kGnome},
                              GnomeSet("picture-uri-dark", "'file:///home/ana/mer.bmp'"),
                              GnomeSet("picture-options", "'centered'"),
                          }));

  runner_.runs.clear();
  EXPECT_TRUE(
      backend_.Set("/home/ana/Mes images/l'été \"2\" $x;`y`\\.bmp", WallpaperStyle::kTiled));
  const std::string uri =
      "'file:///home/ana/Mes%20images/l%27%C3%A9t%C3%A9%20%222%22%20%24x%3B%60y%60%5C.bmp'";
  EXPECT_EQ(runner_.runs, (std::vector<Argv>{
                              GnomeSet("picture-uri", uri),
                              GnomeSet("picture-uri-dark", uri),
                              GnomeSet("picture-options", "'wallpaper'"),
                          }));

  for (const auto& [style, word] :
       {std::pair{WallpaperStyle::kFitted, "'scaled'"}, {WallpaperStyle::kFilled, "'zoom'"}}) {
    runner_.runs.clear();
    EXPECT_TRUE(backend_.Set("/home/ana/mer.bmp", style));
    EXPECT_EQ(runner_.runs.back(), GnomeSet("picture-options", word));
  }

  runner_.runs.clear();
  EXPECT_TRUE(backend_.Set("/home/ana/\xE9t\xE9.bmp", WallpaperStyle::kStretched));
  EXPECT_EQ(runner_.runs.front(), GnomeSet("picture-uri", "'file:///home/ana/%E9t%E9.bmp'"));
  EXPECT_EQ(runner_.runs.back(), GnomeSet("picture-options", "'stretched'"));

  runner_.runs.clear();
  EXPECT_TRUE(backend_.Clear());
  EXPECT_EQ(runner_.runs, (std::vector<Argv>{GnomeSet("picture-options", "'none'")}));
}

TEST_F(GnomeBackendTest, TheSameFileAgainIsLoadedAgain) {
  EXPECT_TRUE(backend_.Set("/home/ana/mer.bmp", WallpaperStyle::kCentred));
  runner_.runs.clear();
  EXPECT_TRUE(backend_.Set("/home/ana/mer.bmp", WallpaperStyle::kCentred));
  EXPECT_EQ(runner_.runs.front(), GnomeSet("picture-uri", "'file:///home/ana/./mer.bmp'"));
}

TEST_F(GnomeBackendTest, AFailingToolRefusesTheChange) {
  runner_.Fail({"gsettings", "set", kGnome, "picture-uri"});
  EXPECT_FALSE(backend_.Set("/home/ana/mer.bmp", WallpaperStyle::kCentred));
  EXPECT_EQ(runner_.runs.size(), 1u);
  runner_.Fail({"gsettings", "set", kGnome, "picture-options"});
  EXPECT_FALSE(backend_.Clear());
}

TEST_F(GnomeBackendTest, ReadsThePictureOnTheDesktop) {
  runner_.Answer({"gsettings", "get", kGnome, "picture-options"}, {true, "'zoom'\n"});
  runner_.Answer({"gsettings", "get", kGnome, "picture-uri"},
                 {true, "'file:///home/ana/./Mes%20images/mer.bmp'\n"});
  EXPECT_EQ(backend_.Current(), "/home/ana/Mes images/mer.bmp");
  EXPECT_EQ(backend_.ShownStyle(), WallpaperStyle::kFilled);
  runner_.Answer({"gsettings", "get", kGnome, "picture-options"}, {true, "'scaled'\n"});
  backend_.Current();
  EXPECT_EQ(backend_.ShownStyle(), WallpaperStyle::kFitted);
  runner_.Answer({"gsettings", "get", kGnome, "picture-options"}, {true, "'spanned'\n"});
  backend_.Current();
  EXPECT_EQ(backend_.ShownStyle(), std::nullopt);  // a layout of its own

  // What the desktop holds is what the next change must differ from.
  runner_.runs.clear();
  EXPECT_TRUE(backend_.Set("/home/ana/./Mes images/mer.bmp", WallpaperStyle::kCentred));
  EXPECT_EQ(runner_.runs.front(),
            GnomeSet("picture-uri", "'file:///home/ana/./Mes%20images/./mer.bmp'"));

  runner_.Answer({"gsettings", "get", kGnome, "picture-options"}, {true, "'none'\n"});
  EXPECT_EQ(backend_.Current(), "");
  runner_.Answer({"gsettings", "get", kGnome, "picture-options"}, {true, "'centered'\n"});
  runner_.Answer({"gsettings", "get", kGnome, "picture-uri"}, {true, "''\n"});
  EXPECT_EQ(backend_.Current(), "");
  runner_.Fail({"gsettings", "get", kGnome, "picture-uri"});
  EXPECT_FALSE(backend_.Current().has_value());
}

TEST_F(GnomeBackendTest, ReadsThePictureOfTheStyleTheDesktopShows) {
  runner_.Answer({"gsettings", "get", kGnome, "picture-options"}, {true, "'zoom'\n"});
  runner_.Answer({"gsettings", "get", kGnome, "picture-uri"}, {true, "'file:///clair.bmp'\n"});
  runner_.Answer({"gsettings", "get", kGnome, "picture-uri-dark"},
                 {true, "'file:///sombre.bmp'\n"});
  const Argv scheme = {"gsettings", "get", "org.gnome.desktop.interface", "color-scheme"};
  const std::pair<ToolResult, const char*> cases[] = {
      {{true, "'prefer-dark'\n"}, "/sombre.bmp"},
      {{true, "'default'\n"}, "/clair.bmp"},
      {{true, "'prefer-light'\n"}, "/clair.bmp"},
      {{false, ""}, "/clair.bmp"},  // schemas older than the dark style
  };
  for (const auto& [answer, shown] : cases) {
    runner_.Answer(scheme, answer);
    EXPECT_EQ(backend_.Current(), shown) << answer.output;
  }

  // A desktop without a dark picture shows its one picture in either style.
  FakeRunner cinnamonRunner;
  cinnamonRunner.Answer({"gsettings", "get"}, {true, "'file:///clair.bmp'\n"});
  cinnamonRunner.Answer(scheme, {true, "'prefer-dark'\n"});
  cinnamonRunner.Answer({"gsettings", "get", "org.cinnamon.desktop.background", "picture-options"},
                        {true, "'centered'\n"});
  GSettingsBackend cinnamon(cinnamonRunner, kCinnamonSchema);
  EXPECT_EQ(cinnamon.Current(), "/clair.bmp");
}

TEST_F(GnomeBackendTest, FollowsThePictureKeysAndTheDarkStyle) {
  const auto feed = backend_.Follow();
  ASSERT_NE(feed, nullptr);
  ASSERT_EQ(
      runner_.monitorArgs,
      (std::vector<Argv>{{"gsettings", "monitor", kGnome},
                         {"gsettings", "monitor", "org.gnome.desktop.interface", "color-scheme"}}));
  const struct {
    std::size_t monitor;
    const char* line;
    bool concerns;
  } lines[] = {
      {0, "primary-color: '#023c88'", false},
      {0, "picture-uri: 'file:///home/ana/foret.bmp'", true},
      {0, "picture-uri-dark: 'file:///home/ana/foret.bmp'", true},
      {0, "picture-options: 'none'", true},
      {0, "picture-opacity: 100", false},
      {1, "color-scheme: 'prefer-dark'", true},
      {1, "gtk-theme: 'Adwaita'", false},
  };
  // Either monitor makes the one descriptor readable, until what came is taken in.
  pollfd readable{.fd = feed->Descriptor(), .events = POLLIN, .revents = 0};
  for (const auto& [monitor, line, concerns] : lines) {
    EXPECT_EQ(::poll(&readable, 1, 0), 0) << line;
    runner_.monitors.at(monitor)->Emit(line);
    EXPECT_EQ(::poll(&readable, 1, 1000), 1) << line;
    EXPECT_EQ(feed->Drain(), concerns) << line;
  }
}

TEST(MateFollow, WatchesItsOneSchema) {
  FakeRunner runner;
  GSettingsBackend backend(runner, kMateSchema);
  const auto feed = backend.Follow();
  ASSERT_NE(feed, nullptr);
  EXPECT_EQ(runner.monitorArgs,
            (std::vector<Argv>{{"gsettings", "monitor", "org.mate.background"}}));
  EXPECT_EQ(feed->Descriptor(), runner.lastMonitor->OutputDescriptor());
  runner.lastMonitor->Emit("picture-filename: '/home/ana/foret.bmp'");
  EXPECT_TRUE(feed->Drain());
}

TEST(CinnamonBackend, SetsOnlyTheKeysItsSchemaHas) {
  FakeRunner runner;
  constexpr const char* kCinnamon = "org.cinnamon.desktop.background";
  runner.Answer({"gsettings", "list-keys", kCinnamon}, {true, "picture-options\npicture-uri\n"});
  GSettingsBackend backend(runner, kCinnamonSchema);
  EXPECT_TRUE(backend.Set("/home/ana/mer.bmp", WallpaperStyle::kStretched));
  EXPECT_EQ(runner.runs,
            (std::vector<Argv>{
                {"gsettings", "set", kCinnamon, "picture-uri", "'file:///home/ana/mer.bmp'"},
                {"gsettings", "list-keys", kCinnamon},
                {"gsettings", "set", kCinnamon, "picture-options", "'stretched'"},
            }));
}

TEST(MateBackend, UsesThePlainPathOfItsFileNameKey) {
  FakeRunner runner;
  constexpr const char* kMate = "org.mate.background";
  GSettingsBackend backend(runner, kMateSchema);
  EXPECT_TRUE(backend.Set("/home/ana/l'été \\ $x.bmp", WallpaperStyle::kTiled));
  EXPECT_TRUE(backend.Clear());
  EXPECT_EQ(runner.runs,
            (std::vector<Argv>{
                {"gsettings", "set", kMate, "picture-filename", "'/home/ana/l\\'été \\\\ $x.bmp'"},
                {"gsettings", "set", kMate, "picture-options", "'wallpaper'"},
                {"gsettings", "set", kMate, "picture-filename", "''"},
            }));

  // The key holds UTF-8 text only: a Latin-1 name could not reach the desktop as that file.
  runner.runs.clear();
  EXPECT_FALSE(backend.Set("/home/ana/\xE9t\xE9.bmp", WallpaperStyle::kCentred));
  EXPECT_TRUE(runner.runs.empty());

  runner.Answer({"gsettings", "get", kMate, "picture-filename"}, {true, "'/home/ana//mer.bmp'\n"});
  EXPECT_EQ(backend.Current(), "/home/ana/mer.bmp");
  runner.Answer({"gsettings", "get", kMate, "picture-filename"}, {true, "''\n"});
  EXPECT_EQ(backend.Current(), "");
}

// budgie-wm never redraws a background of its colour alone: its plain desktop is a picture of that
// colour, which reads back as a plain desktop; its dark style shows the same picture.
class BudgieBackendTest : public posix::testing::ScratchTest {
 protected:
  BudgieBackendTest() {
    MakeDirectory("platform");
    runner_.Answer({"gsettings", "list-keys", kGnome},
                   {true, "picture-options\npicture-uri\npicture-uri-dark\nprimary-color\n"});
  }

  // The colour of the plain picture, as the program's own reader decodes it.
  std::optional<std::uint32_t> PlainColour() {
    const auto file = FileSource::Open(Posix("platform/plain-desktop.bmp"));
    const auto picture = file ? DecodePicture(*file, {}) : std::nullopt;
    if (!picture || picture->width != 1 || picture->height != 1) {
      return std::nullopt;
    }
    return picture->pixels.front() & 0xFFFFFF;
  }

  FakeRunner runner_;
  GSettingsBackend backend_{runner_, kBudgieSchema, Posix("platform/plain-desktop.bmp")};
};

TEST_F(BudgieBackendTest, APlainDesktopIsAPictureOfItsColour) {
  std::vector<Argv> pictures;  // the picture each plain desktop asked for
  const struct {
    const char* colour;  // as gsettings prints it
    std::uint32_t shown;
  } cases[] = {{"'#336699'\n", 0x336699}, {"'#A0b1C2'\n", 0xA0B1C2}, {"'rgb(1,2,3)'\n", 0}};
  for (const auto& [colour, shown] : cases) {
    runner_.Answer({"gsettings", "get", kGnome, "primary-color"}, {true, colour});
    runner_.runs.clear();
    EXPECT_TRUE(backend_.Clear());
    EXPECT_EQ(PlainColour(), shown) << colour;
    EXPECT_EQ(runner_.runs.back(), GnomeSet("picture-options", "'stretched'"));
    pictures.push_back(runner_.runs[1]);
    runner_.Answer({"gsettings", "get", kGnome, "picture-uri"}, {true, runner_.runs[1].back()});
    runner_.Answer({"gsettings", "get", kGnome, "picture-options"}, {true, "'stretched'\n"});
    EXPECT_EQ(backend_.Current(), "") << colour;
  }
  // The same picture again is spelled anew, so that the window manager loads its new colour.
  EXPECT_EQ(pictures[0],
            GnomeSet("picture-uri", "'file://" + Posix("platform/plain-desktop.bmp") + "'"));
  EXPECT_NE(pictures[0], pictures[1]);
  EXPECT_NE(pictures[1], pictures[2]);

  runner_.Answer({"gsettings", "get", kGnome, "picture-uri"}, {true, "'file:///home/ana/a.bmp'"});
  runner_.Answer({"gsettings", "get", "org.gnome.desktop.interface", "color-scheme"},
                 {true, "'prefer-dark'"});
  runner_.Answer({"gsettings", "get", kGnome, "picture-uri-dark"}, {true, "'file:///b.bmp'"});
  EXPECT_EQ(backend_.Current(), "/home/ana/a.bmp");
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
