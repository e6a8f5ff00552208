#include "platform/posix/desktop/SwaybgBackend.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/posix/desktop/ChangeFeeds.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kTool = "swaybg";
// swaybg exits at once when it cannot load the picture or reach the compositor.
constexpr std::chrono::milliseconds kSettle{300};
// What the compositors show where nothing is drawn.
constexpr const char* kBlack = "#000000";

// The session's drawers, by process id.
std::string Drawers(ProcessRunner& runner) {
  std::string pids;
  for (const SessionProgram& program : runner.SessionPrograms(kTool)) {
    pids += std::to_string(program.pid) + ' ';
  }
  return pids;
}

// "--image=FILE", or "-i FILE": the value of an option, whichever way it is written.
std::optional<std::string> OptionValue(const Argv& argv, std::size_t& at, std::string_view brief,
                                       std::string_view full) {
  const std::string& argument = argv[at];
  if (argument == brief || argument == full) {
    return ++at < argv.size() ? std::optional<std::string>(argv[at]) : std::nullopt;
  }
  if (argument.starts_with(full) && argument.size() > full.size() && argument[full.size()] == '=') {
    return argument.substr(full.size() + 1);
  }
  if (argument.starts_with(brief) && argument.size() > brief.size()) {
    return argument.substr(brief.size());
  }
  return std::nullopt;
}

}  // namespace

SwaybgDrawing DrawingOf(const Argv& argv) {
  SwaybgDrawing drawing;
  bool plain = false;
  for (std::size_t at = 1; at < argv.size(); ++at) {
    if (auto picture = OptionValue(argv, at, "-i", "--image")) {
      drawing.picture = drawing.picture.value_or(*picture);
    } else if (auto colour = OptionValue(argv, at, "-c", "--color")) {
      drawing.colour = drawing.colour.value_or(*colour);
    } else if (auto mode = OptionValue(argv, at, "-m", "--mode")) {
      plain = plain || (*mode == "solid_color" && !drawing.picture);
      drawing.mode = drawing.mode.value_or(*mode);
    } else {
      OptionValue(argv, at, "-o", "--output");  // an output's name is no picture
    }
  }
  if (plain) {
    drawing.picture.reset();
  }
  return drawing;
}

bool SwaybgBackend::Set(const std::string& path, WallpaperStyle style) {
  return Replace({kTool, "-o", "*", "-i", path, "-m", StyleModeName(style), "-c", SessionColour()});
}

bool SwaybgBackend::Clear() {
  return Replace({kTool, "-o", "*", "-m", "solid_color", "-c", SessionColour()});
}

std::optional<std::string> SwaybgBackend::Current() {
  const std::optional<SwaybgDrawing> shown = Shown();
  shownStyle_ = shown && shown->picture && shown->mode ? StyleOfWord(*shown->mode, StyleModeName)
                                                       : std::nullopt;
  if (!shown) {
    return std::nullopt;
  }
  return shown->picture ? std::filesystem::path(*shown->picture).lexically_normal().string() : "";
}

// What the session's drawers show: no picture for a plain desktop; nothing when another program
// draws the background, or nothing does.
std::optional<SwaybgDrawing> SwaybgBackend::Shown() {
  const std::vector<SessionProgram> drawers = runner_.SessionPrograms(kTool);
  if (drawers.empty()) {
    return std::nullopt;
  }
  // One with neither picture nor colour (sway's own, with no background configured) draws
  // nothing over the others.
  for (auto drawer = drawers.rbegin(); drawer != drawers.rend(); ++drawer) {
    SwaybgDrawing drawing = DrawingOf(drawer->argv);
    if (drawing.picture || drawing.colour) {
      return drawing;
    }
  }
  return SwaybgDrawing{};
}

// A drawer started by another program says nothing: the session's drawers are looked at again.
std::unique_ptr<ChangeFeed> SwaybgBackend::Follow() {
  return std::make_unique<PacedFeed>([this] { return Drawers(runner_); });
}

// The colour of the newest drawer that has one, as swaybg takes it ("#rrggbb" or "#rrggbbaa"):
// one it would refuse would keep every picture off the screen.
std::string SwaybgBackend::SessionColour() {
  const std::vector<SessionProgram> drawers = runner_.SessionPrograms(kTool);
  for (auto drawer = drawers.rbegin(); drawer != drawers.rend(); ++drawer) {
    if (const std::optional<std::string> colour = DrawingOf(drawer->argv).colour) {
      const std::string digits = colour->substr(colour->starts_with('#') ? 1 : 0);
      const bool valid =
          (digits.size() == 6 || digits.size() == 8) && std::ranges::all_of(digits, [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
          });
      return valid ? "#" + digits : kBlack;
    }
  }
  return kBlack;
}

bool SwaybgBackend::Replace(const Argv& argv) {
  const std::vector<SessionProgram> earlier = runner_.SessionPrograms(kTool);
  if (!runner_.StartLasting(argv, kSettle)) {
    return false;  // the earlier drawers keep the screen
  }
  for (const SessionProgram& drawer : earlier) {
    runner_.StopLasting(drawer.pid, kTool);
  }
  return true;
}

}  // namespace fondex::platform::posix::desktop
