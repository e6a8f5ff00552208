#include "win32ui/Layout.h"

#include <cstdlib>
#include <map>
#include <string>
#include <tuple>

#include "win32ui/Text.h"

namespace fondex::win32ui {
namespace {

// The face the design names, or today's dialog face for the old system one, which is a bitmap
// font that does not scale.
std::string FaceOf(const toolkit::Font& font) {
  return font.name == "System" ? "MS Shell Dlg 2" : font.name;
}

}  // namespace

RECT PlaceInForm(const toolkit::Control& control, UINT dpi) {
  int left = control.bounds.left;
  int top = control.bounds.top;
  for (const toolkit::Control* container = control.Parent();
       container != nullptr && container->Kind() != toolkit::ControlKind::kForm;
       container = container->Parent()) {
    left += container->bounds.left;
    top += container->bounds.top;
  }
  const int x = Scaled(left, dpi);
  const int y = Scaled(top, dpi);
  return RECT{x, y, x + Scaled(control.bounds.width, dpi), y + Scaled(control.bounds.height, dpi)};
}

HFONT FontOf(const toolkit::Control& control, UINT dpi) {
  const toolkit::Control* source = &control;
  while (source->parentFont && source->Parent() != nullptr) {
    source = source->Parent();
  }
  const toolkit::Font& design = source->font;
  static std::map<std::tuple<std::string, int, bool, UINT>, HFONT> fonts;
  const auto key = std::make_tuple(FaceOf(design), design.height, design.bold, dpi);
  HFONT& font = fonts[key];
  if (font == nullptr) {
    // A negative height is the character height, a positive one the cell's.
    const int height =
        design.height < 0 ? -Scaled(-design.height, dpi) : Scaled(design.height, dpi);
    font =
        ::CreateFontW(height, 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                      DEFAULT_PITCH | FF_SWISS, Widen(std::get<0>(key)).c_str());
  }
  return font;
}

}  // namespace fondex::win32ui
