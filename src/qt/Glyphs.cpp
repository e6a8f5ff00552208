#include "qt/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <map>
#include <numbers>

namespace fondex::qt {

namespace {

// Every image is drawn in a 24 x 24 unit square that the painter scales to the target.
constexpr double kUnits = 24.0;

const QColor kOutline(40, 40, 40);
const QColor kFolder(240, 196, 64);
const QColor kFolderDark(200, 150, 30);
const QColor kSky(120, 180, 240);
const QColor kHill(70, 160, 70);
const QColor kSun(250, 210, 40);
const QColor kBlue(40, 90, 200);

void Pen(QPainter& p, const QColor& color, double width) {
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A framed landscape: the wallpaper this program is about.
void Landscape(QPainter& p, const QRectF& frame) {
  Pen(p, kOutline, 1);
  p.setBrush(kSky);
  p.drawRect(frame);
  const double w = frame.width();
  const double h = frame.height();
  p.setPen(Qt::NoPen);
  p.setBrush(kSun);
  p.drawEllipse(QPointF(frame.left() + w * 0.72, frame.top() + h * 0.3), w * 0.12, w * 0.12);
  QPainterPath hills(QPointF(frame.left(), frame.bottom()));
  hills.lineTo(frame.left(), frame.top() + h * 0.7);
  hills.quadTo(frame.left() + w * 0.3, frame.top() + h * 0.35, frame.left() + w * 0.55,
               frame.top() + h * 0.7);
  hills.quadTo(frame.left() + w * 0.8, frame.top() + h * 0.5, frame.right(),
               frame.top() + h * 0.65);
  hills.lineTo(frame.right(), frame.bottom());
  hills.closeSubpath();
  p.setBrush(kHill);
  p.drawPath(hills);
  Pen(p, kOutline, 1);
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame);
}

void OpenFolder(QPainter& p) {
  Pen(p, kOutline, 1);
  p.setBrush(kFolderDark);
  p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {20, 8}, {20, 19}, {2, 19}}));
  p.setBrush(kFolder);
  p.drawPolygon(QPolygonF({{5, 11}, {23, 11}, {20, 19}, {2, 19}}));
}

void OpenImage(QPainter& p) {
  Landscape(p, QRectF(2, 3, 20, 15));
  // The arrow that says "choose".
  Pen(p, kOutline, 1);
  p.setBrush(Qt::white);
  p.drawPolygon(
      QPolygonF({{12, 12}, {12, 23}, {15, 20}, {17, 23.5}, {19, 22.5}, {17, 19}, {21, 19}}));
}

void PlainDesktop(QPainter& p) {
  Pen(p, kOutline, 1);
  p.setBrush(QColor(90, 90, 90));
  p.drawRoundedRect(QRectF(2, 3, 20, 14), 1.5, 1.5);
  p.setBrush(QColor(0, 128, 128));
  p.drawRect(QRectF(4, 5, 16, 10));
  p.setBrush(QColor(90, 90, 90));
  p.drawRect(QRectF(10, 17, 4, 3));
  p.drawRect(QRectF(6, 20, 12, 2));
}

void Die(QPainter& p) {
  Pen(p, kOutline, 1.2);
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(3, 3, 18, 18), 4, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 30, 30));
  for (const QPointF& pip :
       {QPointF(8, 8), QPointF(16, 8), QPointF(12, 12), QPointF(8, 16), QPointF(16, 16)}) {
    p.drawEllipse(pip, 1.8, 1.8);
  }
}

void Options(QPainter& p) {
  // Three sliders.
  for (const auto& [y, knob] :
       std::array<std::pair<double, double>, 3>{{{6, 15}, {12, 7}, {18, 12}}}) {
    Pen(p, kOutline, 1.6);
    p.drawLine(QPointF(3, y), QPointF(21, y));
    Pen(p, kOutline, 1);
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(knob - 2, y - 3, 4, 6), 1, 1);
  }
}

void Letter(QPainter& p, const QColor& disc, const QString& letter) {
  Pen(p, kOutline, 1);
  p.setBrush(disc);
  p.drawEllipse(QRectF(2, 2, 20, 20));
  QFont font;
  font.setBold(true);
  font.setPixelSize(15);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, letter);
}

void About(QPainter& p) {
  Letter(p, kBlue, QStringLiteral("i"));
}
void Help(QPainter& p) {
  Letter(p, QColor(30, 140, 60), QStringLiteral("?"));
}

void Ok(QPainter& p) {
  Pen(p, QColor(20, 140, 40), 3.5);
  p.drawPolyline(QPolygonF({{4, 13}, {10, 19}, {20, 5}}));
}

void Cancel(QPainter& p) {
  Pen(p, QColor(200, 30, 30), 3.5);
  p.drawLine(QPointF(5, 5), QPointF(19, 19));
  p.drawLine(QPointF(19, 5), QPointF(5, 19));
}

void Retry(QPainter& p) {
  Pen(p, QColor(30, 110, 30), 2.5);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(4, 4, 16, 16), 60 * 16, 280 * 16);
  // Arrow head at the arc's open end, pointing along the turn.
  const double angle = 60.0 * std::numbers::pi / 180.0;
  const QPointF end(12 + 8 * std::cos(angle), 12 - 8 * std::sin(angle));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 110, 30));
  p.drawPolygon(QPolygonF({end + QPointF(-4, -3), end + QPointF(3, 0), end + QPointF(-3, 4)}));
}

void File(QPainter& p) {
  Pen(p, kOutline, 1);
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({{4, 1}, {15, 1}, {20, 6}, {20, 23}, {4, 23}}));
  p.drawPolyline(QPolygonF({{15, 1}, {15, 6}, {20, 6}}));
  Landscape(p, QRectF(6, 9, 12, 11));
}

void Program(QPainter& p) {
  Pen(p, kOutline, 1);
  p.setBrush(QColor(170, 170, 170));
  p.drawRoundedRect(QRectF(1, 2, 22, 16), 1.5, 1.5);
  Landscape(p, QRectF(3, 4, 18, 12));
  p.setBrush(QColor(170, 170, 170));
  p.drawRect(QRectF(9, 18, 6, 2.5));
  p.drawRoundedRect(QRectF(5, 20.5, 14, 2.5), 1, 1);
}

using Drawing = void (*)(QPainter&);

const std::map<std::string, Drawing>& Drawings() {
  static const std::map<std::string, Drawing> drawings = {
      {"ouvrir-repertoire", OpenFolder},
      {"ouvrir-image", OpenImage},
      {"uni", PlainDesktop},
      {"hasard", Die},
      {"options", Options},
      {"apropos", About},
      {"ok", Ok},
      {"annuler", Cancel},
      {"aide", Help},
      {"recommencer", Retry},
      {"fichier", File},
      {"programme", Program},
  };
  return drawings;
}

}  // namespace

bool HasGlyph(const std::string& name) {
  return Drawings().contains(name);
}

bool PaintGlyph(const std::string& name, QPaintDevice& device, QSizeF size) {
  const auto found = Drawings().find(name);
  if (found == Drawings().end() || size.isEmpty()) {
    return false;
  }
  QPainter painter(&device);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size.width() / kUnits, size.height() / kUnits);
  found->second(painter);
  return true;
}

QPixmap GlyphPixmap(const std::string& name, QSize size) {
  if (!HasGlyph(name) || size.isEmpty()) {
    return {};
  }
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  PaintGlyph(name, pixmap, size);
  return pixmap;
}

QIcon GlyphIcon(const std::string& name) {
  QIcon icon;
  if (HasGlyph(name)) {
    for (const int side : {16, 24, 32, 48, 64}) {
      icon.addPixmap(GlyphPixmap(name, QSize(side, side)));
    }
  }
  return icon;
}

}  // namespace fondex::qt
