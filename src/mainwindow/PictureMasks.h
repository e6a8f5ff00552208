#pragma once

namespace fondex {

// What the file list shows and the picture dialog offers: bitmaps, or, when the user asks for
// them, JPEG, PNG and WebP pictures as well. Patterns are separated by ";", letter case ignored.
inline constexpr const char* kBitmapMask = "*.BMP";
inline constexpr const char* kPictureMask = "*.BMP;*.jpg;*.jpeg;*.png;*.webp";
inline constexpr const char* kBitmapFilter = "Images bitmap (*.BMP)|*.bmp";
inline constexpr const char* kPictureFilter =
    "Images|*.bmp;*.jpg;*.jpeg;*.png;*.webp|Bitmaps (*.bmp)|*.bmp";

}  // namespace fondex
