#pragma once

#include <QIcon>
#include <QPaintDevice>
#include <QPixmap>
#include <QSize>
#include <QSizeF>
#include <string>

namespace fondex::qt {

// The program's own images, drawn at whatever size they are shown. Names:
// "ouvrir-repertoire", "ouvrir-image", "uni", "hasard", "options", "apropos" (the main window's
// buttons), "ok", "annuler", "aide", "recommencer" (the standard button kinds), "fichier" (a
// file-list item) and "programme" (the program's picture and icon).
bool HasGlyph(const std::string& name);

// Paints the image stretched to the size on a device (a pixmap, an image, a vector file); false
// for an unknown name or an empty size.
bool PaintGlyph(const std::string& name, QPaintDevice& device, QSizeF size);

// The image stretched to the size; a null pixmap for an unknown name.
QPixmap GlyphPixmap(const std::string& name, QSize size);

// The image at the usual icon sizes; a null icon for an unknown name.
QIcon GlyphIcon(const std::string& name);

}  // namespace fondex::qt
