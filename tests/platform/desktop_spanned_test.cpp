#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "Scratch.h"
#include "desktop_bitmaps.h"
#include "desktop_fake_runner.h"
#include "platform/pictures/Picture.h"
#include "platform/posix/desktop/GSettingsBackend.h"
#include "platform/posix/desktop/SpannedScreens.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr std::uint32_t kRed = 0xC81E1E, kGreen = 0x14A03C, kBlue = 0x1E1EC8, kGrey = 0x336699;
constexpr RgbColour kBackground{0x33, 0x66, 0x99};

// Each screen's picture is one colour, 8 x 6: whatever the style, its middle is that colour.
class SpannedTest : public posix::testing::ScratchTest {
 protected:
  std::string Solid(const std::string& name, std::uint32_t word) const {
    const posix::testing::Rgb colour{static_cast<std::uint8_t>(word >> 16),
                                     static_cast<std::uint8_t>(word >> 8),
                                     static_cast<std::uint8_t>(word)};
    Write(name, posix::testing::TrueColourBitmap(8, 6, [&](int, int) { return colour; }));
    return Posix(name);
  }

  static DecodedBitmap Decoded(const std::string& png) {
    MemorySource source(png);
    return DecodePicture(source, {}).value_or(DecodedBitmap{});
  }

  static std::uint32_t CentreOf(const DecodedBitmap& picture, const PixelArea& area) {
    const int x = area.left + area.width / 2, y = area.top + area.height / 2;
    return picture.pixels[static_cast<std::size_t>(y * picture.width + x)] & 0xFFFFFF;
  }
};

struct Layout {
  const char* name;
  std::vector<XMonitor> screens;
  WallpaperStyle style;
  PixelArea outside;  // a place no screen shows; empty when the screens fill the whole
};

class ComposeScreensTest : public SpannedTest, public ::testing::WithParamInterface<Layout> {};

// The last screen has no picture: it shows the background.
TEST_P(ComposeScreensTest, EachRectangleShowsItsScreensPicture) {
  const Layout& layout = GetParam();
  const std::vector<std::uint32_t> colours = {kRed, kGreen, kBlue};
  std::vector<ScreenPath> pictures;
  for (std::size_t i = 0; i + 1 < layout.screens.size(); ++i) {
    pictures.push_back({layout.screens[i].name, Solid(std::to_string(i) + ".bmp", colours[i])});
  }
  const std::optional<std::string> png =
      ComposeScreens(layout.screens, pictures, layout.style, kBackground);
  ASSERT_TRUE(png);
  const DecodedBitmap picture = Decoded(*png);
  const PixelArea last = layout.screens.back().area;
  EXPECT_EQ(last.left + last.width, picture.width);
  for (std::size_t i = 0; i + 1 < layout.screens.size(); ++i) {
    EXPECT_EQ(colours[i], CentreOf(picture, layout.screens[i].area)) << layout.screens[i].name;
  }
  EXPECT_EQ(kGrey, CentreOf(picture, last));
  if (layout.outside.width > 0) {
    EXPECT_EQ(kGrey, CentreOf(picture, layout.outside));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ComposeScreensTest,
    ::testing::Values(
        Layout{"SideBySide",
               {{"A", {0, 0, 64, 48}}, {"B", {64, 0, 80, 60}}, {"C", {144, 0, 40, 30}}},
               WallpaperStyle::kStretched,
               {0, 48, 64, 12}},
        Layout{"Offset",
               {{"A", {0, 20, 40, 30}}, {"B", {40, 0, 64, 48}}, {"C", {104, 8, 32, 24}}},
               WallpaperStyle::kCentred,
               {0, 0, 40, 20}},
        Layout{
            "Tiled", {{"A", {0, 0, 50, 40}}, {"B", {50, 0, 50, 40}}}, WallpaperStyle::kTiled, {}},
        Layout{"FittedOverlapping",
               {{"A", {0, 0, 60, 60}}, {"B", {30, 0, 60, 20}}, {"C", {90, 0, 30, 30}}},
               WallpaperStyle::kFitted,
               {90, 30, 30, 30}},
        Layout{"Filled",
               {{"A", {0, 0, 90, 30}}, {"B", {90, 0, 30, 90}}},
               WallpaperStyle::kFilled,
               {0, 30, 90, 60}}),
    [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

TEST(CompositionRecord, ComesBackAsItWasWrittenAndRefusesWhatItCannotHold) {
  const Composition composed{"/home/ana/.cache/fondex/spanned-3.png",
                             {{"HDMI-1", "/home/ana/Mes images/été=1.bmp"}, {"DP-2", "/b c.bmp"}}};
  const std::optional<std::string> text = CompositionText(composed);
  ASSERT_TRUE(text);
  EXPECT_EQ(composed, ParseComposition(*text));
  EXPECT_EQ((Composition{"/p.png", {}}), ParseComposition("/p.png\n"));
  for (const Composition& unrecordable :
       {Composition{"", {}}, Composition{"/p.png", {{"A\tB", "/a.bmp"}}},
        Composition{"/p.png", {{"A", "/a\n.bmp"}}}, Composition{"/p.png", {{"", "/a.bmp"}}}}) {
    EXPECT_FALSE(CompositionText(unrecordable));
  }
  for (const char* broken : {"", "/p.png\nA /a.bmp\n", "/p.png\n\t/a.bmp\n", "/p.png\nA\t\n"}) {
    EXPECT_FALSE(ParseComposition(broken)) << broken;
  }
}

// Cinnamon's settings through a runner that keeps what it is given.
class SpannedBackendTest : public SpannedTest {
 protected:
  SpannedBackendTest() {
    runner_.respond = [this](const Argv& argv) -> std::optional<ToolResult> {
      if (argv.size() == 5 && argv[1] == "set") {
        keys_[argv[3]] = argv[4];
        return ToolResult{.succeeded = argv[4] != refused_, .output = {}};
      }
      if (argv.size() == 4 && argv[1] == "get" && keys_.contains(argv[3])) {
        return ToolResult{.succeeded = true, .output = keys_[argv[3]] + "\n"};
      }
      return std::nullopt;
    };
  }

  std::unique_ptr<GSettingsBackend> Started() {
    return std::make_unique<GSettingsBackend>(
        runner_, kCinnamonSchema, std::string(),
        SpannedScreens(Posix("cache"), [this] { return screens_; }));
  }

  std::vector<std::string> Composed() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Posix("cache"))) {
      names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
  }

  std::uint32_t CentreOn(std::size_t screen) const {
    const std::string uri = keys_.at("picture-uri");
    const std::string path = uri.substr(std::string("'file://").size(), uri.size() - 9);
    return CentreOf(Decoded(Read(path.substr(Posix("").size() + 1))), screens_[screen].area);
  }

  testing::FakeRunner runner_;
  std::map<std::string, std::string> keys_{{"picture-options", "'zoom'"},
                                           {"picture-uri", "'file:///elsewhere.bmp'"},
                                           {"primary-color", "'#336699'"}};
  std::string refused_;
  std::vector<XMonitor> screens_{
      {"A", {0, 0, 40, 30}}, {"B", {40, 0, 40, 30}}, {"C", {80, 0, 40, 30}}};
};

TEST_F(SpannedBackendTest, OneScreenSetByHandKeepsTheOthersAcrossARestart) {
  const std::string red = Solid("red.bmp", kRed), green = Solid("green.bmp", kGreen),
                    blue = Solid("blue.bmp", kBlue);
  auto backend = Started();
  EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), backend->Screens());
  ASSERT_TRUE(backend->SetEach({{"A", red}, {"B", green}, {"C", blue}}, WallpaperStyle::kCentred));
  EXPECT_EQ("'spanned'", keys_["picture-options"]);
  EXPECT_EQ((std::vector<std::string>{"spanned-1.png", "spanned-screens"}), Composed());
  EXPECT_EQ(green, backend->CurrentOn("B"));
  EXPECT_EQ(blue, backend->Current());

  backend = Started();
  ASSERT_TRUE(backend->SetEach({{"B", red}}, WallpaperStyle::kStretched));
  EXPECT_EQ((std::vector<std::string>{"spanned-2.png", "spanned-screens"}), Composed());
  EXPECT_EQ((std::vector<std::uint32_t>{kRed, kRed, kBlue}),
            (std::vector<std::uint32_t>{CentreOn(0), CentreOn(1), CentreOn(2)}));
  EXPECT_EQ(red, backend->CurrentOn("A"));
  EXPECT_EQ(blue, backend->CurrentOn("C"));
  EXPECT_EQ(red, backend->Current());

  // A picture the desktop refuses leaves the one it shows, and its record.
  refused_ = "'spanned'";
  EXPECT_FALSE(backend->SetEach({{"C", green}}, WallpaperStyle::kStretched));
  EXPECT_EQ((std::vector<std::string>{"spanned-2.png", "spanned-screens"}), Composed());
  refused_.clear();

  // Another program's picture is on every screen, and stays on those not named.
  keys_["picture-uri"] = "'file://" + green + "'";
  keys_["picture-options"] = "'zoom'";
  EXPECT_EQ(green, backend->CurrentOn("A"));
  ASSERT_TRUE(backend->SetEach({{"C", blue}}, WallpaperStyle::kFilled));
  EXPECT_EQ((std::vector<std::uint32_t>{kGreen, kGreen, kBlue}),
            (std::vector<std::uint32_t>{CentreOn(0), CentreOn(1), CentreOn(2)}));

  screens_.resize(1);
  EXPECT_TRUE(backend->Screens().empty());
  EXPECT_FALSE(backend->SetEach({{"B", blue}}, WallpaperStyle::kFilled));
}

}  // namespace
}  // namespace fondex::platform::posix::desktop
