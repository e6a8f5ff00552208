#pragma once

#include <QImage>
#include <string>
#include <vector>

namespace fondex::tools {

// One sample wallpaper: where it goes, the depth of its bitmap file, and its picture.
struct Scene {
  std::string folder;  // the theme
  std::string name;    // the file's name
  int bitsPerPixel = 24;
  QImage (*draw)(QSize size) = nullptr;
};

// The sample wallpapers: landscapes made of shapes, gradients and geometric patterns.
const std::vector<Scene>& SampleScenes();

}  // namespace fondex::tools
