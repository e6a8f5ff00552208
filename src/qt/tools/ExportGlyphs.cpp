// Writes the program's images as Windows icon files (32-bit colour with alpha, several sizes
// each), so that the native Windows front end shows the same drawings as this one, and the
// installer's two pictures of the program (its pages' side and header) as bitmaps:
//   fondex_export_glyphs resources/win32/glyphs
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cstdio>
#include <vector>

#include "qt/Glyphs.h"

namespace {

const std::vector<int> kButtonSizes = {16, 20, 24, 32, 40, 48};
const std::vector<int> kProgramSizes = {16, 20, 24, 32, 40, 48, 64, 128, 256};

void Put16(QByteArray& out, quint16 value) {
  const quint16 little = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

void Put32(QByteArray& out, quint32 value) {
  const quint32 little = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// One icon image: its header, the colour rows bottom-up, then the transparency mask.
QByteArray IconImage(const QImage& image) {
  const int side = image.width();
  const int maskStride = ((side + 31) / 32) * 4;
  QByteArray out;
  Put32(out, 40);
  Put32(out, static_cast<quint32>(side));
  Put32(out, static_cast<quint32>(2 * side));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, static_cast<quint32>(side * side * 4 + maskStride * side));
  for (int i = 0; i < 4; ++i) {
    Put32(out, 0);
  }
  for (int y = side - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < side; ++x) {
      const QRgb pixel = row[x];
      out.append(static_cast<char>(qBlue(pixel)));
      out.append(static_cast<char>(qGreen(pixel)));
      out.append(static_cast<char>(qRed(pixel)));
      out.append(static_cast<char>(qAlpha(pixel)));
    }
  }
  for (int y = side - 1; y >= 0; --y) {
    QByteArray mask(maskStride, '\0');
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < side; ++x) {
      if (qAlpha(row[x]) == 0) {
        mask[x / 8] = static_cast<char>(mask[x / 8] | (0x80 >> (x % 8)));
      }
    }
    out.append(mask);
  }
  return out;
}

QByteArray IconFile(const std::string& name, const std::vector<int>& sizes) {
  std::vector<QByteArray> images;
  for (const int side : sizes) {
    const QImage image = fondex::qt::GlyphPixmap(name, QSize(side, side))
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    images.push_back(IconImage(image));
  }
  QByteArray out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<quint16>(sizes.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const int side = sizes[i];
    out.append(static_cast<char>(side >= 256 ? 0 : side));
    out.append(static_cast<char>(side >= 256 ? 0 : side));
    out.append('\0');
    out.append('\0');
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<quint32>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<quint32>(images[i].size());
  }
  for (const QByteArray& image : images) {
    out.append(image);
  }
  return out;
}

// The program's picture of the side on a white page of the size, its top at the height.
QImage PictureOnPage(QSize page, int side, QPoint at) {
  QImage image(page, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.drawPixmap(at, fondex::qt::GlyphPixmap("programme", QSize(side, side)));
  return image;
}

// The installer's welcome and finish pages (164 x 314) and the header of its other pages
// (150 x 57, the picture at its right).
bool WriteInstallerPictures(const QDir& folder) {
  const QImage side = PictureOnPage(QSize(164, 314), 128, QPoint(18, 60));
  const QImage header = PictureOnPage(QSize(150, 57), 48, QPoint(150 - 48 - 6, 4));
  return side.save(folder.filePath(QStringLiteral("installeur-page.bmp")), "BMP") &&
         header.save(folder.filePath(QStringLiteral("installeur-entete.bmp")), "BMP");
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (const char* name :
       {"ouvrir-repertoire", "ouvrir-image", "uni", "hasard", "options", "apropos", "ok", "annuler",
        "aide", "recommencer", "fichier", "programme"}) {
    QFile file(folder.filePath(QString::fromLatin1(name) + QStringLiteral(".ico")));
    const bool program = std::string(name) == "programme";
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(IconFile(name, program ? kProgramSizes : kButtonSizes)) < 0) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
      return 1;
    }
  }
  if (!WriteInstallerPictures(folder)) {
    std::fprintf(stderr, "cannot write the installer's pictures in %s\n", argv[1]);
    return 1;
  }
  return 0;
}
