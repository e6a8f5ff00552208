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
  bool operator==(const PixelArea&) const = default;
};

// What a picture is drawn on: the screen's pixels, or a picture of them. Every call stays inside
// the canvas.
class ScreenCanvas {
 public:
  virtual ~ScreenCanvas() = default;
  // Paints the area in one word.
  virtual void Fill(const PixelArea& area, std::uint32_t word) = 0;
  virtual void Put(const PixelBand& band) = 0;
  // Copies the area's pixels to the same columns, its top row going to row `to`; the two do not
  // overlap.
  virtual void CopyRows(const PixelArea& area, int to) = 0;
};

// Draws the picture into one area of the canvas and nowhere else, every pixel of the area once or
// more, a band of rows at a time, reading each row of the picture at most once and no further
// than its last row that shows: centred in the area (cut when larger, margins in `background`),
// tiled from the area's top-left corner, stretched, fitted (the whole picture, proportions kept,
// bands beside it in `background`) or filled (the area covered, proportions kept, the picture
// cut). False when the picture's data is bad; what was drawn until then stays.
bool DrawPicture(PictureReader& picture, WallpaperStyle style, ScreenCanvas& canvas,
                 const PixelArea& area, std::uint32_t background);

}  // namespace fondex::platform::posix::desktop
