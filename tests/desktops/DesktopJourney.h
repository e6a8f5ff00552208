#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "desktops/LiveDesktop.h"
#include "e2e/FondexJourney.h"

namespace fondex::desktops {

enum class Style { kCentred, kTiled, kStretched, kFitted, kFilled };

// The pictures the program takes: its bitmaps alone, or JPEG, PNG and WebP too (the option on).
// The folder holds all four formats either way.
enum class Formats { kBitmapsOnly, kWithOthers };

// A journey through the real program on a real desktop: a picture already on the desktop shows
// in the caption; each style is set and checked where the desktop keeps it and, where it draws,
// on the screen; a change made with the desktop's own tool reaches the system profile and the
// caption; a plain desktop, and a picture again.
class DesktopJourney : public e2e::FondexJourney {
 protected:
  using FondexJourney::FondexJourney;

  void SetUp() override;
  void TearDown() override;

  // The desktop's own programs started; the reason when they cannot be.
  virtual std::optional<std::string> StartDesktop() = 0;
  // What FONDEX_DESKTOP names it.
  virtual std::string Kind() const = 0;
  // What the desktop keeps: "<path> <its word for the style>", "plain", or nothing when it keeps
  // nothing to read.
  virtual std::optional<std::string> Kept() { return std::nullopt; }
  // Its words for the styles, in the order of Style.
  virtual std::array<std::string, 5> StyleWords() const { return {}; }
  // Puts a picture on the desktop with its own tool; false when it has none.
  virtual bool SetFromOutside(const std::filesystem::path& /*picture*/) { return false; }
  // The screen as it shows now; empty when the desktop draws nothing of its own.
  virtual e2e::Image CaptureScreen() { return {}; }
  // The colour a plain desktop shows all over; nothing when any colour but a picture's will do.
  virtual std::optional<e2e::Rgb> PlainColour() const { return std::nullopt; }
  // Whether the screen draws a tiled picture here as the desktop draws it for its users.
  virtual bool DrawsTilesHere() const { return true; }
  // The variables the program runs with besides its journey's own.
  virtual std::vector<std::string> ProgramVariables() const { return desktop_->Environment(); }
  // Further checks of the desktop's own, once the program runs.
  virtual void FollowMore() {}

  // Whether the screen is checked for a picture in that style.
  virtual bool ScreenChecked(Style /*style*/) const { return true; }

  void RunJourney(Formats formats = Formats::kBitmapsOnly);

  // The picture of the folder by name, and its path as the program stores it.
  std::filesystem::path Picture(const std::string& name) const { return plage_ / name; }
  std::string Stored(const std::string& name) const { return e2e::StoredPath(plage_ / name); }
  // Waits until the desktop keeps what is expected.
  ::testing::AssertionResult KeptBecomes(const std::string& expected);
  // The caption and the system profile both name the picture ("" for none).
  void ProgramShows(const std::string& name);
  // Waits until the program has a window on the screen.
  bool WindowShows(pid_t program);

  std::unique_ptr<LiveDesktop> desktop_;

 private:
  void ChooseStyle(Style style);
  void FitAndFillLargePicture();
  void ChooseLayoutOnDesktop(int line);
  std::string ClickForNextPicture();
  std::string ChangeAndCheck(Style style);
  bool ClickUntil(e2e::Bounds button, const std::function<bool()>& done);
  void CheckScreen(const std::string& name, std::optional<Style> style);

  std::filesystem::path plage_;
};

// The whole screen, as an X desktop draws it.
class RootJourney : public DesktopJourney {
 protected:
  using DesktopJourney::DesktopJourney;

  e2e::Image CaptureScreen() override {
    return Screen().CaptureArea(Screen().Root(), 0, 0, Screen().Width(), Screen().Height());
  }
};

// "file:///a%20b.bmp" -> "/a b.bmp".
std::string PathOfUri(std::string uri);
// A path with its "." and ".." folded, as desktops may be handed "/a/./b.bmp".
std::string Normal(const std::string& path);

}  // namespace fondex::desktops
