// Writes the program's icon, drawn by the code that draws the about box's picture: a scalable
// SVG and the PNG sizes of the freedesktop icon theme.
//
//   fondex_icons FOLDER   ->   FOLDER/scalable/apps/fondex.svg, FOLDER/NxN/apps/fondex.png

#include <QDir>
#include <QImage>
#include <QSvgGenerator>
#include <iostream>

#include "qt/Glyphs.h"

namespace {

constexpr const char* kGlyph = "programme";
constexpr int kSvgSide = 256;

QString AppsFolder(const QString& root, const QString& size) {
  const QString folder = root + u'/' + size + QStringLiteral("/apps");
  QDir().mkpath(folder);
  return folder;
}

bool WriteSvg(const QString& root) {
  QSvgGenerator svg;
  svg.setFileName(AppsFolder(root, QStringLiteral("scalable")) + QStringLiteral("/fondex.svg"));
  svg.setSize(QSize(kSvgSide, kSvgSide));
  svg.setViewBox(QRect(0, 0, kSvgSide, kSvgSide));
  svg.setTitle(QStringLiteral("Fondex"));
  return fondex::qt::PaintGlyph(kGlyph, svg, QSizeF(kSvgSide, kSvgSide));
}

bool WritePng(const QString& root, int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const QString size = QStringLiteral("%1x%1").arg(side);
  return fondex::qt::PaintGlyph(kGlyph, image, QSizeF(side, side)) &&
         image.save(AppsFolder(root, size) + QStringLiteral("/fondex.png"), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fondex_icons FOLDER\n";
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  bool written = WriteSvg(root);
  for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
    written = WritePng(root, side) && written;
  }
  if (!written) {
    std::cerr << "fondex_icons: cannot write the icons into " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
