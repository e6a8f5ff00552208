#include "platform/posix/desktop/ScreenPicture.h"

#include <algorithm>
#include <vector>

namespace fondex::platform::posix::desktop {
namespace {

using Words = std::vector<std::uint32_t>;

// About a mebibyte of words per band: few requests, little memory.
constexpr std::int64_t kBandWords = std::int64_t{1} << 18;

// An area of the canvas, in 64 bits for the products of the scaling.
struct ScreenArea {
  std::int64_t left;
  std::int64_t top;
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

PixelArea ToPixels(const ScreenArea& area) {
  return {static_cast<int>(area.left), static_cast<int>(area.top), static_cast<int>(area.width),
          static_cast<int>(area.height)};
}

bool Centre(PictureReader& picture, ScreenArea area, ScreenCanvas& canvas,
            std::uint32_t background) {
  const std::int64_t left = area.left + (area.width - picture.Width()) / 2;
  const std::int64_t top = area.top + (area.height - picture.Height()) / 2;
  const std::int64_t firstX = std::max(left, area.left);
  const std::int64_t endX = std::min(left + picture.Width(), area.left + area.width);
  const std::int64_t firstY = std::max(top, area.top);
  const std::int64_t endY = std::min(top + picture.Height(), area.top + area.height);
  if (firstX > area.left || endX < area.left + area.width || firstY > area.top ||
      endY < area.top + area.height) {
    canvas.Fill(ToPixels(area), background);
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

// The area's first rows, as many as the picture has, are drawn; the rows below are copies of
// those, in doubling strips.
bool Tile(PictureReader& picture, ScreenArea area, ScreenCanvas& canvas) {
  const std::int64_t width = picture.Width();
  const std::int64_t tileRows = std::min<std::int64_t>(picture.Height(), area.height);
  const std::int64_t bandRows = BandRows(std::max(width, area.width));
  Words band, rows;
  for (std::int64_t y = 0; y < tileRows; y += bandRows) {
    const std::int64_t count = std::min(bandRows, tileRows - y);
    if (!ReadBand(picture, count, band)) {
      return false;
    }
    const std::uint32_t* words = band.data();
    std::size_t stride = static_cast<std::size_t>(width);
    if (width < area.width) {
      rows.resize(static_cast<std::size_t>(count * area.width));
      for (std::int64_t row = 0; row < count; ++row) {
        for (std::int64_t x = 0; x < area.width; x += width) {
          const std::int64_t part = std::min(width, area.width - x);
          std::copy_n(band.begin() + row * width, part, rows.begin() + row * area.width + x);
        }
      }
      words = rows.data();
      stride = static_cast<std::size_t>(area.width);
    }
    canvas.Put({.left = static_cast<int>(area.left),
                .top = static_cast<int>(area.top + y),
                .width = static_cast<int>(area.width),
                .rows = static_cast<int>(count),
                .stride = stride,
                .words = words});
  }
  for (std::int64_t filled = tileRows; filled < area.height;) {
    const std::int64_t count = std::min(filled, area.height - filled);
    canvas.CopyRows(ToPixels({area.left, area.top, area.width, count}),
                    static_cast<int>(area.top + filled));
    filled += count;
  }
  return true;
}

// Where the scaled picture lies, relative to the area's top-left corner; it may pass the area's
// edges (filled) or leave bands beside it (fitted).
struct Placement {
  std::int64_t left;
  std::int64_t top;
  std::int64_t width;
  std::int64_t height;
};

// Fitted: the side that meets the area first sets the scale; filled: the side that meets it
// last. Either is centred.
Placement PlaceScaled(std::int64_t width, std::int64_t height, ScreenArea area,
                      WallpaperStyle style) {
  if (style == WallpaperStyle::kStretched) {
    return {0, 0, area.width, area.height};
  }
  // The picture is the wider of the two when width / height > area width / area height.
  const bool wider = width * area.height > height * area.width;
  const bool byWidth = wider == (style == WallpaperStyle::kFitted);
  const std::int64_t scaledWidth =
      byWidth ? area.width : std::max<std::int64_t>(1, (width * area.height + height / 2) / height);
  const std::int64_t scaledHeight =
      byWidth ? std::max<std::int64_t>(1, (height * area.width + width / 2) / width) : area.height;
  return {(area.width - scaledWidth) / 2, (area.height - scaledHeight) / 2, scaledWidth,
          scaledHeight};
}

// The picture's column under each column of the area, -1 for a band.
std::vector<std::int64_t> SourceColumns(std::int64_t width, std::int64_t areaWidth,
                                        const Placement& place) {
  std::vector<std::int64_t> columns(static_cast<std::size_t>(areaWidth), -1);
  const std::int64_t first = std::max<std::int64_t>(place.left, 0);
  const std::int64_t end = std::min(place.left + place.width, areaWidth);
  for (std::int64_t x = first; x < end; ++x) {
    columns[x] = (x - place.left) * width / place.width;
  }
  return columns;
}

// Area row y shows the picture's row under it, or a band: the picture is read in order, a band
// of rows at a time, and no further than its last row that shows.
bool Scale(PictureReader& picture, WallpaperStyle style, ScreenCanvas& canvas, ScreenArea area,
           std::uint32_t background) {
  const std::int64_t width = picture.Width();
  const std::int64_t height = picture.Height();
  const Placement place = PlaceScaled(width, height, area, style);
  const std::vector<std::int64_t> columns = SourceColumns(width, area.width, place);
  const std::int64_t sourceRows = BandRows(width);
  const std::int64_t areaRows = BandRows(area.width);
  Words source, out(static_cast<std::size_t>(areaRows * area.width));
  std::int64_t sourceTop = 0, sourceCount = 0;
  for (std::int64_t top = 0; top < area.height; top += areaRows) {
    const std::int64_t rows = std::min(areaRows, area.height - top);
    for (std::int64_t row = 0; row < rows; ++row) {
      const auto line = out.begin() + row * area.width;
      const std::int64_t y = top + row - place.top;
      if (y < 0 || y >= place.height) {
        std::fill_n(line, area.width, background);
        continue;
      }
      const std::int64_t wanted = y * height / place.height;
      while (wanted >= sourceTop + sourceCount) {
        sourceTop += sourceCount;
        sourceCount = std::min(sourceRows, height - sourceTop);
        if (!ReadBand(picture, sourceCount, source)) {
          return false;
        }
      }
      const auto from = source.begin() + (wanted - sourceTop) * width;
      std::transform(columns.begin(), columns.end(), line,
                     [&from, background](std::int64_t x) { return x < 0 ? background : from[x]; });
    }
    canvas.Put({.left = static_cast<int>(area.left),
                .top = static_cast<int>(area.top + top),
                .width = static_cast<int>(area.width),
                .rows = static_cast<int>(rows),
                .stride = static_cast<std::size_t>(area.width),
                .words = out.data()});
  }
  return true;
}

}  // namespace

bool DrawPicture(PictureReader& picture, WallpaperStyle style, ScreenCanvas& canvas,
                 const PixelArea& area, std::uint32_t background) {
  if (area.width <= 0 || area.height <= 0) {
    return true;
  }
  if (picture.Width() <= 0 || picture.Height() <= 0) {
    canvas.Fill(area, background);
    return true;
  }
  const ScreenArea inside{area.left, area.top, area.width, area.height};
  switch (style) {
    case WallpaperStyle::kCentred:
      return Centre(picture, inside, canvas, background);
    case WallpaperStyle::kTiled:
      return Tile(picture, inside, canvas);
    case WallpaperStyle::kStretched:
    case WallpaperStyle::kFitted:
    case WallpaperStyle::kFilled:
      return Scale(picture, style, canvas, inside, background);
  }
  return false;
}

}  // namespace fondex::platform::posix::desktop
