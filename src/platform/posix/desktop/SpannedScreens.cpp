#include "platform/posix/desktop/SpannedScreens.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "platform/pictures/Picture.h"
#include "platform/pictures/PngWriter.h"
#include "platform/posix/FileIo.h"
#include "platform/posix/PathMapper.h"
#include "platform/posix/desktop/DesktopText.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kRecordName = "spanned-screens";
constexpr std::string_view kPicturePrefix = "spanned-";
constexpr std::string_view kPictureSuffix = ".png";
constexpr std::size_t kMaxRecordSize = 1 << 20;

// The whole picture in memory, in words of 0x00RRGGBB.
class MemoryCanvas : public ScreenCanvas {
 public:
  MemoryCanvas(int width, int height, std::uint32_t word)
      : width_(static_cast<std::size_t>(width)),
        words_(width_ * static_cast<std::size_t>(height), word) {}

  void Fill(const PixelArea& area, std::uint32_t word) override {
    for (int y = 0; y < area.height; ++y) {
      std::fill_n(At(area.left, area.top + y), area.width, word);
    }
  }

  void Put(const PixelBand& band) override {
    for (int y = 0; y < band.rows; ++y) {
      std::copy_n(band.words + static_cast<std::size_t>(y) * band.stride, band.width,
                  At(band.left, band.top + y));
    }
  }

  void CopyRows(const PixelArea& area, int to) override {
    for (int y = 0; y < area.height; ++y) {
      std::copy_n(At(area.left, area.top + y), area.width, At(area.left, to + y));
    }
  }

  std::span<const std::uint32_t> Words() const { return words_; }

 private:
  std::vector<std::uint32_t>::iterator At(int x, int y) {
    return words_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * width_ +
                                                        static_cast<std::size_t>(x));
  }

  std::size_t width_;
  std::vector<std::uint32_t> words_;
};

std::uint32_t WordOf(RgbColour colour) {
  return std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue;
}

// The screen's area within the picture: the root window has no pixels left of or above 0.
PixelArea Clipped(const PixelArea& area) {
  const int left = std::max(area.left, 0);
  const int top = std::max(area.top, 0);
  return {left, top, std::max(area.left + area.width - left, 0),
          std::max(area.top + area.height - top, 0)};
}

bool DrawFile(const std::string& path, WallpaperStyle style, MemoryCanvas& canvas,
              const PixelArea& area, std::uint32_t background) {
  const std::unique_ptr<FileSource> file = FileSource::Open(path);
  const std::unique_ptr<PictureReader> picture = file ? OpenPicture(*file, {}) : nullptr;
  return picture && DrawPicture(*picture, style, canvas, area, background);
}

bool Recordable(std::string_view text) {
  return !text.empty() && text.find_first_of("\t\n\r") == std::string_view::npos;
}

bool IsComposedPicture(std::string_view name) {
  return name.starts_with(kPicturePrefix) && name.ends_with(kPictureSuffix);
}

// The number in a composed picture's file name; 0 for another name.
unsigned long NumberOf(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  unsigned long number = 0;
  if (IsComposedPicture(name)) {
    const char* end = name.data() + name.size() - kPictureSuffix.size();
    const auto [at, error] = std::from_chars(name.data() + kPicturePrefix.size(), end, number);
    return error == std::errc() && at == end ? number : 0;
  }
  return 0;
}

// Screens that keep their picture: the recorded ones, when the desktop shows the composed
// picture, else every screen the desktop's own picture; the pictures gone since are left out.
std::vector<ScreenPath> Kept(const std::optional<Composition>& recorded, const std::string& shown,
                             const std::vector<XMonitor>& screens) {
  std::vector<ScreenPath> kept;
  if (recorded) {
    kept = recorded->screens;
  } else if (!shown.empty()) {
    for (const XMonitor& screen : screens) {
      kept.push_back({screen.name, shown});
    }
  }
  std::erase_if(kept, [&](const ScreenPath& picture) {
    return std::ranges::find(screens, picture.screen, &XMonitor::name) == screens.end() ||
           ::access(picture.path.c_str(), R_OK) != 0;
  });
  return kept;
}

}  // namespace

std::optional<std::string> ComposeScreens(const std::vector<XMonitor>& screens,
                                          const std::vector<ScreenPath>& pictures,
                                          WallpaperStyle style, RgbColour background) {
  int width = 0, height = 0;
  for (const XMonitor& screen : screens) {
    const PixelArea area = Clipped(screen.area);
    width = std::max(width, area.left + area.width);
    height = std::max(height, area.top + area.height);
  }
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
      !Decodable(width, height)) {
    return std::nullopt;
  }
  const std::uint32_t word = WordOf(background);
  MemoryCanvas canvas(width, height, word);
  for (const ScreenPath& picture : pictures) {
    const auto screen = std::ranges::find(screens, picture.screen, &XMonitor::name);
    if (screen == screens.end() ||
        !DrawFile(picture.path, style, canvas, Clipped(screen->area), word)) {
      return std::nullopt;
    }
  }
  return EncodePng(width, height, canvas.Words());
}

std::optional<std::string> CompositionText(const Composition& composition) {
  if (!Recordable(composition.picture)) {
    return std::nullopt;
  }
  std::string text = composition.picture + '\n';
  for (const ScreenPath& picture : composition.screens) {
    if (!Recordable(picture.screen) || !Recordable(picture.path)) {
      return std::nullopt;
    }
    text += picture.screen + '\t' + picture.path + '\n';
  }
  return text;
}

std::optional<Composition> ParseComposition(std::string_view text) {
  const std::vector<std::string> lines = SplitLines(text);
  if (lines.empty() || !Recordable(lines.front())) {
    return std::nullopt;
  }
  Composition composition{lines.front(), {}};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::size_t tab = lines[i].find('\t');
    if (tab == std::string::npos || tab == 0 || tab + 1 == lines[i].size()) {
      return std::nullopt;
    }
    composition.screens.push_back({lines[i].substr(0, tab), lines[i].substr(tab + 1)});
  }
  return composition;
}

SpannedScreens::SpannedScreens(std::string folder, AreaReader areas)
    : folder_(std::move(folder)), areas_(std::move(areas)) {}

std::vector<std::string> SpannedScreens::Names() const {
  std::vector<std::string> names;
  for (const XMonitor& screen : areas_()) {
    names.push_back(screen.name);
  }
  return names.size() < 2 ? std::vector<std::string>{} : names;
}

std::optional<Composition> SpannedScreens::Compose(const std::vector<ScreenPath>& pictures,
                                                   const std::string& shown, WallpaperStyle style,
                                                   RgbColour background) const {
  const std::vector<XMonitor> screens = areas_();
  Composition composition{NewPictureName(), Kept(Recorded(shown), shown, screens)};
  for (const ScreenPath& picture : pictures) {
    if (std::ranges::find(screens, picture.screen, &XMonitor::name) == screens.end()) {
      return std::nullopt;
    }
    std::erase_if(composition.screens,
                  [&](const ScreenPath& kept) { return kept.screen == picture.screen; });
    composition.screens.push_back(picture);
  }
  const std::optional<std::string> bytes =
      ComposeScreens(screens, composition.screens, style, background);
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  if (!bytes || !CompositionText(composition) ||
      !WriteFileAtomically(composition.picture, *bytes)) {
    return std::nullopt;
  }
  return composition;
}

bool SpannedScreens::Keep(const Composition& composition) const {
  const std::optional<std::string> text = CompositionText(composition);
  if (!text || !WriteFileAtomically(JoinPosix(folder_, kRecordName), *text)) {
    return false;
  }
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
    if (IsComposedPicture(entry.path().filename().string()) &&
        entry.path().string() != composition.picture) {
      std::filesystem::remove(entry.path(), error);
    }
  }
  return true;
}

void SpannedScreens::Discard(const Composition& composition) const {
  std::error_code ignored;
  std::filesystem::remove(composition.picture, ignored);
}

std::optional<std::string> SpannedScreens::On(const std::string& shown,
                                              const std::string& screen) const {
  const std::optional<Composition> recorded = Recorded(shown);
  if (!recorded) {
    return std::nullopt;
  }
  const auto picture = std::ranges::find(recorded->screens, screen, &ScreenPath::screen);
  return picture == recorded->screens.end() ? std::string() : picture->path;
}

std::optional<std::string> SpannedScreens::Latest(const std::string& shown) const {
  const std::optional<Composition> recorded = Recorded(shown);
  if (!recorded) {
    return std::nullopt;
  }
  return recorded->screens.empty() ? std::string() : recorded->screens.back().path;
}

std::optional<Composition> SpannedScreens::Record() const {
  const std::optional<std::string> text =
      ReadRegularFile(JoinPosix(folder_, kRecordName), kMaxRecordSize);
  return text ? ParseComposition(*text) : std::nullopt;
}

// The record, when the desktop's picture is the one it names.
std::optional<Composition> SpannedScreens::Recorded(const std::string& shown) const {
  std::optional<Composition> recorded = Record();
  if (!recorded || shown.empty() || LexicallyNormal(recorded->picture) != LexicallyNormal(shown)) {
    return std::nullopt;
  }
  return recorded;
}

// A name of its own for each picture, so that the desktop loads the new one.
std::string SpannedScreens::NewPictureName() const {
  const std::optional<Composition> recorded = Record();
  unsigned long number = recorded ? NumberOf(recorded->picture) : 0;
  std::string name;
  do {
    name = JoinPosix(folder_, std::string(kPicturePrefix) + std::to_string(++number) +
                                  std::string(kPictureSuffix));
  } while (::access(name.c_str(), F_OK) == 0);
  return name;
}

}  // namespace fondex::platform::posix::desktop
