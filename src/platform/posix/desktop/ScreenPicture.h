#pragma once

#include <cstdint>
#include <span>

#include "platform/pictures/PictureReader.h"
#include "platform/posix/desktop/DesktopBackend.h"

namespace fondex::platform::posix::desktop {

// Rows of pixel words to be drawn at (left, top): `rows` rows of `width` words, each row
// `stride` words after the one before.
struct PixelBand {
  int left;
  int top;
  int width;
  int rows;
  std::size_t stride;
  const std::uint32_t* words;
};

// A rectangle of the canvas.
struct PixelArea {
  int left;
  int top;
  int width;
  int height;
};

// What a picture is drawn on: the screen's pixels, or a picture of them.
class ScreenCanvas {
 public:
  virtual ~ScreenCanvas() = default;
  virtual void Fill(std::uint32_t word) = 0;
  virtual void Put(const PixelBand& band) = 0;
  // Copies `count` whole rows from row `from` to row `to`; the two do not overlap.
  virtual void CopyRows(int from, int to, int count) = 0;
};

// Draws the picture on a width x height canvas, a band of rows at a time, reading each row of
// the picture at most once and only the rows that show: centred (cut when larger than the
// screen, margins in `background`), tiled from the top-left corner, or scaled as DrawScaled
// does over the whole canvas. False when the picture's data is bad; what was drawn until then
// stays.
bool DrawPicture(PictureReader& picture, WallpaperStyle style, ScreenCanvas& canvas, int width,
                 int height, std::uint32_t background);

// Draws the picture stretched, fitted or filled into one area of the canvas and nowhere else,
// every pixel of the area once: each pixel takes the picture's pixel under it, the bands beside
// a fitted picture take `background`. The picture is read once, in bands, and no further than
// its last row that shows. False when the picture's data is bad, or for another style.
bool DrawScaled(PictureReader& picture, WallpaperStyle style, ScreenCanvas& canvas,
                const PixelArea& area, std::uint32_t background);

}  // namespace fondex::platform::posix::desktop
