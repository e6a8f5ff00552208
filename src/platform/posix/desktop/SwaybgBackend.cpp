#include "platform/posix/desktop/SwaybgBackend.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <utility>

#include "platform/posix/desktop/ChangeFeeds.h"
#include "platform/posix/desktop/JsonObjects.h"

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

// The picture an output shows: none in swaybg's plain mode.
std::optional<std::string> PictureShown(const SwaybgOutput& output) {
  return output.mode == "solid_color" ? std::nullopt : output.picture;
}

// "#rrggbb" or "#rrggbbaa", as swaybg takes a colour; nothing for one it would refuse, which
// would keep every picture off the screen.
std::optional<std::string> ValidColour(const std::optional<std::string>& colour) {
  if (!colour) {
    return std::nullopt;
  }
  const std::string digits = colour->substr(colour->starts_with('#') ? 1 : 0);
  const bool valid =
      (digits.size() == 6 || digits.size() == 8) && std::ranges::all_of(digits, [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
      });
  return valid ? std::optional("#" + digits) : std::nullopt;
}

// What the output shows among the drawers: the newest one's that gives it something of its own,
// or else its "*"; nothing when none draws on it.
std::optional<SwaybgOutput> ShownOn(const std::vector<SessionProgram>& drawers,
                                    const std::string& name) {
  for (auto drawer = drawers.rbegin(); drawer != drawers.rend(); ++drawer) {
    const std::vector<SwaybgOutput> outputs = OutputsOf(drawer->argv);
    auto given = std::ranges::find(outputs, name, &SwaybgOutput::output);
    if (given == outputs.end()) {
      given = std::ranges::find(outputs, std::string("*"), &SwaybgOutput::output);
    }
    if (given != outputs.end()) {
      return *given;
    }
  }
  return std::nullopt;
}

// What every output the drawers name shows now ("*" first), under its own name: outputs
// unplugged now keep theirs for when they come back.
std::vector<SwaybgOutput> ShownEverywhere(const std::vector<SessionProgram>& drawers) {
  std::vector<std::string> names = {"*"};
  for (const SessionProgram& drawer : drawers) {
    for (const SwaybgOutput& output : OutputsOf(drawer.argv)) {
      if (std::ranges::find(names, output.output) == names.end()) {
        names.push_back(output.output);
      }
    }
  }
  std::vector<SwaybgOutput> shown;
  for (const std::string& name : names) {
    if (std::optional<SwaybgOutput> output = ShownOn(drawers, name)) {
      output->output = name;
      shown.push_back(std::move(*output));
    }
  }
  return shown;
}

}  // namespace

std::vector<SwaybgOutput> OutputsOf(const Argv& argv) {
  std::vector<SwaybgOutput> outputs = {{.output = "*"}};
  SwaybgOutput* current = &outputs.front();
  for (std::size_t at = 1; at < argv.size(); ++at) {
    if (auto picture = OptionValue(argv, at, "-i", "--image")) {
      current->picture = std::move(picture);
    } else if (auto colour = OptionValue(argv, at, "-c", "--color")) {
      current->colour = std::move(colour);
    } else if (auto mode = OptionValue(argv, at, "-m", "--mode")) {
      current->mode = std::move(mode);
    } else if (auto output = OptionValue(argv, at, "-o", "--output")) {
      auto named = std::ranges::find(outputs, *output, &SwaybgOutput::output);
      if (named == outputs.end()) {
        outputs.push_back({.output = *output});
        named = outputs.end() - 1;
      }
      current = &*named;
    }
  }
  std::erase_if(outputs,
                [](const SwaybgOutput& output) { return !output.picture && !output.colour; });
  return outputs;
}

std::vector<std::string> OutputNames(OutputLister lister, const std::string& listed) {
  std::vector<std::string> names;
  if (lister == OutputLister::kSway) {
    // swaymsg's objects, each with its name and whether it is on.
    for (const JsonMembers& output : ArrayOfObjects(listed).value_or(std::vector<JsonMembers>{})) {
      const auto name = output.find("name");
      const auto active = output.find("active");
      if (name != output.end() && active != output.end() && active->second == "true") {
        names.push_back(name->second);
      }
    }
    return names;
  }
  // wlr-randr: `NAME "description"` at the start of a line, then its indented details, among
  // them "  Enabled: yes".
  std::istringstream lines(listed);
  std::string head;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.front() != ' ') {
      head = line.substr(0, line.find(" \""));
    } else if (line.find_first_not_of(' ') != std::string::npos &&
               line.substr(line.find_first_not_of(' ')) == "Enabled: yes" && !head.empty()) {
      names.push_back(std::exchange(head, {}));
    }
  }
  return names;
}

bool SwaybgBackend::Set(const std::string& path, WallpaperStyle style) {
  return Replace({kTool, "-o", "*", "-i", path, "-m", StyleModeName(style), "-c", SessionColour()});
}

bool SwaybgBackend::Clear() {
  return Replace({kTool, "-o", "*", "-m", "solid_color", "-c", SessionColour()});
}

std::optional<std::string> SwaybgBackend::Current() {
  return Reported(Shown());
}

std::optional<std::string> SwaybgBackend::CurrentOn(const std::string& screen) {
  return Reported(ShownOn(runner_.SessionPrograms(kTool), screen));
}

// The picture shown, lexically normal, "" for a plain colour, with its layout.
std::optional<std::string> SwaybgBackend::Reported(const std::optional<SwaybgOutput>& shown) {
  const std::optional<std::string> picture = shown ? PictureShown(*shown) : std::nullopt;
  shownStyle_ = picture && shown->mode ? StyleOfWord(*shown->mode, StyleModeName) : std::nullopt;
  if (!shown) {
    return std::nullopt;
  }
  return picture ? std::filesystem::path(*picture).lexically_normal().string() : "";
}

// What the session's drawers show: the first output the newest drawer that draws gives something
// to; nothing when another program draws the background, or nothing does.
std::optional<SwaybgOutput> SwaybgBackend::Shown() {
  const std::vector<SessionProgram> drawers = runner_.SessionPrograms(kTool);
  if (drawers.empty()) {
    return std::nullopt;
  }
  // One with neither picture nor colour (sway's own, with no background configured) draws
  // nothing over the others.
  for (auto drawer = drawers.rbegin(); drawer != drawers.rend(); ++drawer) {
    if (const std::vector<SwaybgOutput> outputs = OutputsOf(drawer->argv); !outputs.empty()) {
      return outputs.front();
    }
  }
  return SwaybgOutput{};
}

std::vector<std::string> SwaybgBackend::Screens() {
  const ToolResult listed = lister_ == OutputLister::kSway
                                ? runner_.Run({"swaymsg", "-r", "-t", "get_outputs"})
                                : runner_.Run({"wlr-randr"});
  return listed.succeeded ? OutputNames(lister_, listed.output) : std::vector<std::string>{};
}

// One drawer for every output: the named ones get their picture, every other output the drawers
// name keeps what it shows, each in the style asked for and its own colour or the session's.
bool SwaybgBackend::SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) {
  std::vector<SwaybgOutput> outputs = ShownEverywhere(runner_.SessionPrograms(kTool));
  for (const ScreenPath& picture : pictures) {
    std::erase_if(outputs,
                  [&](const SwaybgOutput& output) { return output.output == picture.screen; });
    outputs.push_back({.output = picture.screen, .picture = picture.path});
  }
  const std::string colour = SessionColour();
  Argv argv = {kTool};
  for (const SwaybgOutput& output : outputs) {
    const std::optional<std::string> picture = PictureShown(output);
    argv.insert(argv.end(), {"-o", output.output});
    if (picture) {
      argv.insert(argv.end(), {"-i", *picture, "-m", StyleModeName(style)});
    } else {
      argv.insert(argv.end(), {"-m", "solid_color"});
    }
    argv.insert(argv.end(), {"-c", ValidColour(output.colour).value_or(colour)});
  }
  return Replace(argv);
}

// A drawer started by another program says nothing: the session's drawers are looked at again.
std::unique_ptr<ChangeFeed> SwaybgBackend::Follow() {
  return std::make_unique<PacedFeed>([this] { return Drawers(runner_); });
}

// The colour of the newest drawer that has one, black when it is one swaybg would refuse.
std::string SwaybgBackend::SessionColour() {
  const std::vector<SessionProgram> drawers = runner_.SessionPrograms(kTool);
  for (auto drawer = drawers.rbegin(); drawer != drawers.rend(); ++drawer) {
    for (const SwaybgOutput& output : OutputsOf(drawer->argv)) {
      if (output.colour) {
        return ValidColour(output.colour).value_or(kBlack);
      }
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
