#pragma once

#include <string>

#include "platform/win32/WinApi.h"

namespace fondex::win32ui {

// The program's own images, kept as icon resources of several sizes; names as the controls give
// them ("hasard", "ouvrir-image", ..., "programme" for the program's icon). Drawn to fill the
// square, or greyed for a disabled control; nothing for an unknown name.
void DrawGlyph(HDC dc, const std::string& name, RECT square, bool disabled);

// The icon of the name at the size; nullptr for an unknown name. The handles live as long as the
// program.
HICON GlyphIcon(const std::string& name, int side);

}  // namespace fondex::win32ui
