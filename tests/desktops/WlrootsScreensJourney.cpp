// A picture per output on the wlroots compositors (sway, labwc), each headless with two outputs:
// a change gives each output a picture of its own; a picture set by hand goes on the window's
// output alone, the other keeping its own, also once the program has started again.

#include <map>

#include "desktops/WlrootsJourney.h"

namespace fondex::desktops {
namespace {

constexpr int kLeeway = 4;

// Pictures of one colour each, so that an output's centre tells which one it shows.
const std::map<std::string, e2e::Rgb>& Colours() {
  static const std::map<std::string, e2e::Rgb> colours = {
      {"bleu.bmp", {0, 80, 200}},
      {"jaune.bmp", {240, 220, 0}},
      {"rouge.bmp", {200, 30, 30}},
      {"vert.bmp", {20, 160, 60}},
  };
  return colours;
}

const std::vector<std::string> kOutputs = {"HEADLESS-1", "HEADLESS-2"};

template <class Compositor>
class WlrootsScreens : public Compositor {
 protected:
  WlrootsScreens() { this->outputs_ = static_cast<int>(kOutputs.size()); }

  // The picture whose colour the output's centre shows; "" for none of them.
  std::string ShownOn(const std::string& output) {
    const e2e::Image image = this->CaptureOutput(output);
    if (image.rgb.empty()) {
      return "";
    }
    const auto at =
        static_cast<std::size_t>((image.height / 2 * image.width + image.width / 2) * 3);
    for (const auto& [name, colour] : Colours()) {
      if (std::abs(image.rgb[at] - colour.red) <= kLeeway &&
          std::abs(image.rgb[at + 1] - colour.green) <= kLeeway &&
          std::abs(image.rgb[at + 2] - colour.blue) <= kLeeway) {
        return name;
      }
    }
    return "";
  }

  // Each output's picture, by output.
  std::map<std::string, std::string> Shown() {
    std::map<std::string, std::string> shown;
    for (const std::string& output : kOutputs) {
      shown[output] = ShownOn(output);
    }
    return shown;
  }

  // The name the system profile holds, in lower case, without its folder.
  std::string Stored() const {
    const std::string stored = e2e::LowerAscii(this->WinIniWallpaper());
    return stored.substr(stored.rfind('\\') + 1);
  }

  // A picture of the folder that no output shows.
  std::string NotShown(const std::map<std::string, std::string>& shown) const {
    for (const auto& [name, colour] : Colours()) {
      if (std::ranges::none_of(shown, [&](const auto& output) { return output.second == name; })) {
        return name;
      }
    }
    return "";
  }

  // `fondex --set` from a second start, handed to the running copy: once it has shown, the
  // window's output shows the picture and the other output what it showed before.
  void SetByHand(const std::map<std::string, std::string>& before) {
    const std::string picture = NotShown(before);
    ASSERT_FALSE(picture.empty());
    SCOPED_TRACE("--set " + picture);
    EXPECT_EQ(0, e2e::RunToCompletion(this->ProgramRequest(this->AppFile("fondex"),
                                                           {"--set", (folder_ / picture).string()},
                                                           this->Kind(), this->ProgramVariables()),
                                      this->kWaitLimit));
    ASSERT_TRUE(this->WaitFor([&] { return Stored() == picture; })) << Stored();
    std::map<std::string, std::string> after;
    EXPECT_TRUE(this->WaitFor([&] {
      after = Shown();
      return std::ranges::count_if(after, [&](const auto& o) { return o.second == picture; }) == 1;
    }));
    int kept = 0;
    for (const auto& [output, name] : after) {
      kept += name == before.at(output) ? 1 : 0;
    }
    EXPECT_EQ(kept, 1) << after.begin()->second << " " << after.rbegin()->second;
    // The drawer replaced ends a moment after the new one draws.
    EXPECT_TRUE(this->WaitFor([&] { return this->Drawers().size() == 1; }));
  }

  std::filesystem::path folder_;
};

using Compositors = ::testing::Types<SwayJourney, LabwcJourney>;

struct CompositorName {
  template <class Desktop>
  static std::string GetName(int) {
    return Desktop::kName;
  }
};

TYPED_TEST_SUITE(WlrootsScreens, Compositors, CompositorName);

TYPED_TEST(WlrootsScreens, EachOutputHasItsPictureAndAHandSetOneGoesOnTheWindowsAlone) {
  this->folder_ = this->ImageFolder("Ecrans");
  for (const auto& [name, colour] : Colours()) {
    e2e::WriteBitmap(this->folder_ / name, 8, 8, colour);
  }
  e2e::WriteFile(this->AppFile("FONDEX.INI"),
                 "[Options]\r\nHasardTech=Successif\r\nParEcran=Oui\r\n");
  // The session's picture at the start, as the user's own swaybg draws it (sway 1.10 starts one
  // of its own too).
  ASSERT_TRUE(this->SetFromOutside(this->folder_ / "bleu.bmp"));
  e2e::WriteFile(this->PlatformFile("WIN.INI"),
                 "[Desktop]\r\nWallpaper=" + e2e::WindowsPath(this->folder_ / "bleu.bmp") +
                     "\r\nTileWallpaper=0\r\nWallpaperStyle=2\r\n");
  this->StartFondex(this->Kind(), this->ProgramVariables());

  // A change: each output its own picture, the window's the one the system profile names.
  this->Raise(this->MainWindow());
  this->Click(this->MainWindow(), e2e::main_window::kBBtnHasard);
  std::map<std::string, std::string> shown;
  EXPECT_TRUE(this->WaitFor([&] {
    shown = this->Shown();
    const std::string& first = shown.at(kOutputs[0]);
    const std::string& second = shown.at(kOutputs[1]);
    return !first.empty() && !second.empty() && first != second &&
           (first == this->Stored() || second == this->Stored());
  })) << shown.at(kOutputs[0])
      << " and " << shown.at(kOutputs[1]) << ", the profile " << this->Stored();
  EXPECT_TRUE(this->WaitFor([&] { return this->Drawers().size() == 1; }));

  this->SetByHand(shown);

  // Started again, the program reads what each output shows from the session's drawer.
  this->CloseWindow(this->MainWindow());
  EXPECT_EQ(0, this->WaitForExit());
  shown = this->Shown();
  this->StartFondex(this->Kind(), this->ProgramVariables());
  this->SetByHand(shown);
  this->CloseWindow(this->MainWindow());
  EXPECT_EQ(0, this->WaitForExit());
}

}  // namespace
}  // namespace fondex::desktops
