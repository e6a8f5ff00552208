#pragma once

#include <filesystem>

#include "e2e/VirtualScreen.h"

namespace fondex::e2e {

// Writes the image as an 8-bit RGB PNG file, uncompressed (stored deflate blocks).
void WritePng(const std::filesystem::path& path, const Image& image);

}  // namespace fondex::e2e
