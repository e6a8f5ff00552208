#include "win32ui/Glyphs.h"

#include <map>
#include <utility>

#include "win32ui/Window.h"

namespace fondex::win32ui {
namespace {

// Resource names are upper case with underscores: "ouvrir-image" is OUVRIR_IMAGE.
std::string ResourceName(const std::string& name) {
  std::string resource = name;
  for (char& c : resource) {
    if (c == '-') {
      c = '_';
    } else if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return resource;
}

}  // namespace

HICON GlyphIcon(const std::string& name, int side) {
  static std::map<std::pair<std::string, int>, HICON> icons;
  const auto key = std::make_pair(name, side);
  const auto found = icons.find(key);
  if (found != icons.end()) {
    return found->second;
  }
  const std::string resource = name == "programme" ? "FONDEX" : ResourceName(name);
  auto* icon = static_cast<HICON>(
      ::LoadImageA(ProgramInstance(), resource.c_str(), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
  icons.emplace(key, icon);
  return icon;
}

void DrawGlyph(HDC dc, const std::string& name, RECT square, bool disabled) {
  const int side = std::min(square.right - square.left, square.bottom - square.top);
  HICON icon = GlyphIcon(name, side);
  if (icon == nullptr) {
    return;
  }
  const UINT flags = DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL);
  ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, square.left, square.top,
               side, side, flags);
}

}  // namespace fondex::win32ui
