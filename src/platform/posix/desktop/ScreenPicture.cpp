#include "platform/posix/desktop/ScreenPicture.h"

#include <algorithm>
#include <vector>

namespace fondex::platform::posix::desktop {
namespace {

using Words = std::vector<std::uint32_t>;

// About a mebibyte of words per band: few requests, little memory.
constexpr std::int64_t kBandWords = std::int64_t{1} << 18;

struct Screen {
  std::int64_t width;
  std::int64_t height;
};

std::int64_t BandRows(std::int64_t width) {
  return std::max<std::int64_t>(1, kBandWords / std::max<std::int64_t>(width, 1));
}

// Reads `rows` rows of the picture into the band, which it sizes.
bool ReadBand(PictureReader& picture, std::int64_t rows, Words& band) {
  band.resize(static_cast<std::size_t>(rows * picture.Width()));
  return picture.ReadRows(band);
}

bool SkipRows(PictureReader& picture, std::int64_t rows, Words& band) {
  for (std::int64_t done = 0; done < rows;) {
    const std::int64_t count = std::min(BandRows(picture.Width()), rows - done);
    if (!ReadBand(picture, count, band)) {
      return false;
    }
    done += count;
  }
  return true;
}

bool Centre(PictureReader& picture, Screen screen, ScreenCanvas& canvas, std::uint32_t background) {
  const std::int64_t left = (screen.width - picture.Width()) / 2;
  const std::int64_t top = (screen.height - picture.Height()) / 2;
  const std::int64_t firstX = std::max<std::int64_t>(left, 0);
  const std::int64_t endX = std::min<std::int64_t>(left + picture.Width(), screen.width);
  const std::int64_t firstY = std::max<std::int64_t>(top, 0);
  const std::int64_t endY = std::min<std::int64_t>(top + picture.Height(), screen.height);
  if (firstX > 0 || endX < screen.width || firstY > 0 || endY < screen.height) {
    canvas.Fill(background);
  }
  if (firstX >= endX || firstY >= endY) {
    return true;
  }
  Words band;
  if (!SkipRows(picture, firstY - top, band)) {
    return false;
  }
  for (std::int64_t y = firstY; y < endY;) {
    const std::int64_t rows = std::min(BandRows(picture.Width()), endY - y);
    if (!ReadBand(picture, rows, band)) {
      return false;
    }
    canvas.Put({.left = static_cast<int>(firstX),
                .top = static_cast<int>(y),
                .width = static_cast<int>(endX - firstX),
                .rows = static_cast<int>(rows),
                .stride = static_cast<std::size_t>(picture.Width()),
                .words = band.data() + (firstX - left)});
    y += rows;
  }
  return true;
}

// The first rows of the screen, as many as the picture has, are drawn; the rows below are
// copies of those, in doubling strips.
bool Tile(PictureReader& picture, Screen screen, ScreenCanvas& canvas) {
  const std::int64_t width = picture.Width();
  const std::int64_t tileRows = std::min<std::int64_t>(picture.Height(), screen.height);
  const std::int64_t bandRows = BandRows(std::max(width, screen.width));
  Words band, rows;
  for (std::int64_t y = 0; y < tileRows; y += bandRows) {
    const std::int64_t count = std::min(bandRows, tileRows - y);
    if (!ReadBand(picture, count, band)) {
      return false;
    }
    const std::uint32_t* words = band.data();
    std::size_t stride = static_cast<std::size_t>(width);
    if (width < screen.width) {
      rows.resize(static_cast<std::size_t>(count * screen.width));
      for (std::int64_t row = 0; row < count; ++row) {
        for (std::int64_t x = 0; x < screen.width; x += width) {
          const std::int64_t part = std::min(width, screen.width - x);
          std::copy_n(band.begin() + row * width, part, rows.begin() + row * screen.width + x);
        }
      }
      words = rows.data();
      stride = static_cast<std::size_t>(screen.width);
    }
    canvas.Put({.left = 0,
                .top = static_cast<int>(y),
                .width = static_cast<int>(screen.width),
                .rows = static_cast<int>(count),
                .stride = stride,
                .words = words});
  }
  for (std::int64_t filled = tileRows; filled < screen.height;) {
    const std::int64_t count = std::min(filled, screen.height - filled);
    canvas.CopyRows(0, static_cast<int>(filled), static_cast<int>(count));
    filled += count;
  }
  return true;
}

// Screen row y shows picture row y * height / screen height: the picture is read in order.
bool Stretch(PictureReader& picture, Screen screen, ScreenCanvas& canvas) {
  const std::int64_t width = picture.Width();
  const std::int64_t height = picture.Height();
  std::vector<std::int64_t> columns(static_cast<std::size_t>(screen.width));
  for (std::int64_t x = 0; x < screen.width; ++x) {
    columns[x] = x * width / screen.width;
  }
  const std::int64_t sourceRows = BandRows(width);
  const std::int64_t screenRows = BandRows(screen.width);
  Words source, out(static_cast<std::size_t>(screenRows * screen.width));
  std::int64_t sourceTop = 0, sourceCount = 0;
  for (std::int64_t top = 0; top < screen.height; top += screenRows) {
    const std::int64_t rows = std::min(screenRows, screen.height - top);
    for (std::int64_t row = 0; row < rows; ++row) {
      const std::int64_t wanted = (top + row) * height / screen.height;
      while (wanted >= sourceTop + sourceCount) {
        sourceTop += sourceCount;
        sourceCount = std::min(sourceRows, height - sourceTop);
        if (!ReadBand(picture, sourceCount, source)) {
          return false;
        }
      }
      const auto from = source.begin() + (wanted - sourceTop) * width;
      std::transform(columns.begin(), columns.end(), out.begin() + row * screen.width,
                     [&from](std::int64_t column) { return from[column]; });
    }
    canvas.Put({.left = 0,
                .top = static_cast<int>(top),
                .width = static_cast<int>(screen.width),
                .rows = static_cast<int>(rows),
                .stride = static_cast<std::size_t>(screen.width),
                .words = out.data()});
  }
  return true;
}

}  // namespace

bool DrawPicture(PictureReader& picture, WallpaperStyle style, ScreenCanvas& canvas, int width,
                 int height, std::uint32_t background) {
  const Screen screen{std::max(width, 0), std::max(height, 0)};
  if (screen.width == 0 || screen.height == 0) {
    return true;
  }
  switch (style) {
    case WallpaperStyle::kCentred:
      return Centre(picture, screen, canvas, background);
    case WallpaperStyle::kTiled:
      return Tile(picture, screen, canvas);
    case WallpaperStyle::kStretched:
      return Stretch(picture, screen, canvas);
  }
  return false;
}

}  // namespace fondex::platform::posix::desktop
