#include "wallpapers/Scenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace fondex::tools {
namespace {

constexpr double kTau = 2 * std::numbers::pi;

// A fixed sequence of numbers in [0, 1): the same pictures at every build.
class Sequence {
 public:
  explicit Sequence(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
  }

 private:
  std::uint32_t state_;
};

struct Canvas {
  explicit Canvas(QSize size, bool smooth = true) : image(size, QImage::Format_RGB32) {
    image.fill(Qt::black);
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setPen(Qt::NoPen);
  }
  QImage Done() {
    painter.end();
    return image;
  }
  double W() const { return image.width(); }
  double H() const { return image.height(); }

  QImage image;
  QPainter painter;
};

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

void Sky(Canvas& c, double bottom, std::initializer_list<std::pair<double, QColor>> stops) {
  QLinearGradient gradient(0, 0, 0, bottom);
  for (const auto& [at, colour] : stops) {
    gradient.setColorAt(at, colour);
  }
  c.painter.fillRect(QRectF(0, 0, c.W(), bottom), gradient);
}

// A rolling ridge: two sine waves over a base line, filled down to the bottom of the picture.
void Ridge(Canvas& c, double base, double height, double waves, double phase, const QColor& fill) {
  QPainterPath path(QPointF(0, c.H()));
  for (double x = 0; x <= c.W() + 20; x += 12) {
    const double u = x / c.W() * kTau * waves + phase;
    path.lineTo(x, base - height * (0.65 * std::sin(u) + 0.35 * std::sin(2.3 * u + 1.1)));
  }
  path.lineTo(c.W(), c.H());
  path.closeSubpath();
  c.painter.setBrush(fill);
  c.painter.drawPath(path);
}

// A range of peaks between base - height and base, filled down to the bottom.
void Peaks(Canvas& c, double base, double height, int count, std::uint32_t seed,
           const QColor& fill) {
  Sequence random(seed);
  QPainterPath path(QPointF(0, c.H()));
  path.lineTo(0, base - height * random.Next());
  const double step = c.W() / count;
  for (int i = 0; i < count; ++i) {
    const double x = step * (i + 0.3 + 0.4 * random.Next());
    path.lineTo(x, base - height * (0.45 + 0.55 * random.Next()));
    path.lineTo(step * (i + 1), base - height * 0.25 * random.Next());
  }
  path.lineTo(c.W(), c.H());
  path.closeSubpath();
  c.painter.setBrush(fill);
  c.painter.drawPath(path);
}

void Glow(Canvas& c, QPointF centre, double radius, const QColor& colour) {
  QRadialGradient halo(centre, radius);
  QColor clear = colour;
  clear.setAlpha(0);
  halo.setColorAt(0, colour);
  halo.setColorAt(1, clear);
  c.painter.setBrush(halo);
  c.painter.drawEllipse(centre, radius, radius);
}

void Disc(Canvas& c, QPointF centre, double radius, const QColor& colour) {
  c.painter.setBrush(colour);
  c.painter.drawEllipse(centre, radius, radius);
}

// A sun or a moon in its halo.
void Star(Canvas& c, QPointF centre, double radius, const QColor& colour, const QColor& halo) {
  Glow(c, centre, radius * 4, halo);
  Disc(c, centre, radius, colour);
}

void Cloud(Canvas& c, QPointF at, double size) {
  c.painter.setBrush(QColor(255, 255, 255, 220));
  QPainterPath cloud;
  cloud.setFillRule(Qt::WindingFill);  // the puffs merge into one outline
  cloud.addEllipse(at, size * 1.6, size * 0.55);
  cloud.addEllipse(at + QPointF(-size * 0.6, -size * 0.3), size * 0.7, size * 0.6);
  cloud.addEllipse(at + QPointF(size * 0.35, -size * 0.45), size * 0.85, size * 0.75);
  c.painter.drawPath(cloud.simplified());
}

QImage Hills(QSize size) {
  Canvas c(size);
  Sky(c, c.H() * 0.75, {{0, QColor(74, 144, 217)}, {1, QColor(214, 236, 248)}});
  Star(c, QPointF(c.W() * 0.76, c.H() * 0.24), c.H() * 0.075, QColor(255, 226, 122),
       QColor(255, 244, 200, 170));
  Cloud(c, QPointF(c.W() * 0.22, c.H() * 0.2), c.H() * 0.07);
  Cloud(c, QPointF(c.W() * 0.5, c.H() * 0.12), c.H() * 0.045);
  // From the farthest hills, pale, to the nearest.
  const struct {
    double base, height, waves, phase;
    QColor fill;
  } hills[] = {{0.58, 0.06, 1.5, 0.4, QColor(150, 196, 170)},
               {0.66, 0.07, 1.2, 2.1, QColor(108, 170, 110)},
               {0.76, 0.08, 0.9, 4.0, QColor(70, 140, 72)},
               {0.88, 0.07, 0.7, 1.3, QColor(44, 105, 52)}};
  for (const auto& hill : hills) {
    Ridge(c, c.H() * hill.base, c.H() * hill.height, hill.waves, hill.phase, hill.fill);
  }
  return c.Done();
}

QImage Mountains(QSize size) {
  Canvas c(size);
  Sky(c, c.H() * 0.8,
      {{0, QColor(43, 26, 74)}, {0.55, QColor(199, 84, 128)}, {1, QColor(247, 178, 103)}});
  Star(c, QPointF(c.W() * 0.42, c.H() * 0.4), c.H() * 0.09, QColor(255, 214, 150),
       QColor(255, 210, 140, 150));
  Peaks(c, c.H() * 0.68, c.H() * 0.3, 5, 7, QColor(140, 84, 140));
  Peaks(c, c.H() * 0.8, c.H() * 0.28, 7, 11, QColor(96, 60, 118));
  Peaks(c, c.H() * 0.93, c.H() * 0.22, 9, 23, QColor(52, 38, 82));
  return c.Done();
}

QImage Lake(QSize size) {
  Canvas c(size);
  const double shore = c.H() * 0.64;
  Sky(c, shore, {{0, QColor(8, 16, 44)}, {1, QColor(44, 70, 120)}});
  Sequence random(5);
  for (int i = 0; i < 90; ++i) {
    const QPointF star(c.W() * random.Next(), shore * 0.8 * random.Next());
    Disc(c, star, 0.8 + 1.6 * random.Next(), QColor(255, 255, 240, 120 + int(130 * random.Next())));
  }
  const QPointF moon(c.W() * 0.22, c.H() * 0.2);
  Star(c, moon, c.H() * 0.055, QColor(244, 241, 222), QColor(220, 230, 255, 90));
  Peaks(c, shore, c.H() * 0.22, 6, 3, QColor(26, 37, 66));
  QLinearGradient water(0, shore, 0, c.H());
  water.setColorAt(0, QColor(30, 50, 92));
  water.setColorAt(1, QColor(6, 12, 32));
  c.painter.fillRect(QRectF(0, shore, c.W(), c.H() - shore), water);
  c.painter.setBrush(QColor(244, 241, 222, 90));
  for (int i = 0; i < 7; ++i) {
    const double y = shore + c.H() * (0.03 + 0.045 * i);
    const double half = c.W() * (0.06 - 0.006 * i);
    c.painter.drawRoundedRect(QRectF(moon.x() - half, y, 2 * half, 5), 2.5, 2.5);
  }
  return c.Done();
}

QImage Sea(QSize size) {
  Canvas c(size);
  const double horizon = c.H() * 0.52;
  Sky(c, horizon, {{0, QColor(100, 170, 230)}, {1, QColor(226, 242, 250)}});
  Cloud(c, QPointF(c.W() * 0.7, c.H() * 0.18), c.H() * 0.08);
  Cloud(c, QPointF(c.W() * 0.3, c.H() * 0.3), c.H() * 0.05);
  QLinearGradient sea(0, horizon, 0, c.H());
  sea.setColorAt(0, QColor(40, 130, 180));
  sea.setColorAt(1, QColor(14, 77, 122));
  c.painter.fillRect(QRectF(0, horizon, c.W(), c.H() - horizon), sea);
  c.painter.setBrush(Qt::NoBrush);
  for (int i = 0; i < 8; ++i) {
    const double y = horizon + c.H() * (0.03 + 0.035 * i * (1 + 0.12 * i));
    c.painter.setPen(QPen(QColor(255, 255, 255, 60 + 12 * i), 1.5 + 0.6 * i));
    QPainterPath wave(QPointF(0, y));
    for (double x = 0; x <= c.W() + 20; x += 10) {
      wave.lineTo(x, y + (3 + i) * std::sin(x / (90.0 + 25 * i) + i));
    }
    c.painter.drawPath(wave);
  }
  c.painter.setPen(Qt::NoPen);
  QPainterPath sand(QPointF(0, c.H()));
  sand.lineTo(0, c.H() * 0.8);
  sand.cubicTo(c.W() * 0.3, c.H() * 0.78, c.W() * 0.55, c.H() * 0.92, c.W(), c.H() * 0.88);
  sand.lineTo(c.W(), c.H());
  sand.closeSubpath();
  c.painter.setBrush(QColor(233, 211, 161));
  c.painter.drawPath(sand);
  return c.Done();
}

QImage Dawn(QSize size) {
  Canvas c(size);
  QLinearGradient gradient(0, 0, c.W(), c.H());
  gradient.setColorAt(0, QColor(255, 154, 158));
  gradient.setColorAt(0.35, QColor(250, 208, 196));
  gradient.setColorAt(0.7, QColor(251, 194, 235));
  gradient.setColorAt(1, QColor(166, 193, 238));
  c.painter.fillRect(c.image.rect(), gradient);
  Glow(c, QPointF(c.W() * 0.3, c.H() * 0.35), c.H() * 0.6, QColor(255, 255, 255, 90));
  return c.Done();
}

QImage Ocean(QSize size) {
  Canvas c(size);
  QRadialGradient gradient(QPointF(c.W() * 0.3, c.H() * 0.3), c.W() * 0.85);
  gradient.setColorAt(0, QColor(67, 206, 162));
  gradient.setColorAt(0.45, QColor(24, 90, 157));
  gradient.setColorAt(1, QColor(11, 37, 69));
  c.painter.fillRect(c.image.rect(), gradient);
  return c.Done();
}

// Drawn with a palette of its own: sky bands of 200 shades, a sun and two hills.
QImage Dusk(QSize size) {
  Canvas c(size, false);
  const QColor stops[] = {QColor(20, 33, 61), QColor(123, 45, 91), QColor(231, 111, 81),
                          QColor(244, 162, 97)};
  constexpr int kBands = 200;
  for (int band = 0; band < kBands; ++band) {
    const double t = static_cast<double>(band) / (kBands - 1) * 3;
    const int stop = std::min(static_cast<int>(t), 2);
    const double top = c.H() * band / kBands;
    c.painter.fillRect(QRectF(0, top, c.W(), c.H() / kBands + 1),
                       Mix(stops[stop], stops[stop + 1], t - stop));
  }
  Disc(c, QPointF(c.W() * 0.62, c.H() * 0.7), c.H() * 0.12, QColor(255, 209, 102));
  Ridge(c, c.H() * 0.8, c.H() * 0.05, 1.1, 0.7, QColor(74, 33, 72));
  Ridge(c, c.H() * 0.9, c.H() * 0.05, 0.8, 2.9, QColor(38, 20, 48));
  return c.Done();
}

QImage Hexagons(QSize size) {
  Canvas c(size);
  c.painter.fillRect(c.image.rect(), QColor(38, 70, 83));
  const double r = 64;
  const double dx = std::sqrt(3.0) * r;
  const double dy = 1.5 * r;
  const QColor from(42, 157, 143);
  const QColor middle(233, 196, 106);
  const QColor to(231, 111, 81);
  for (int row = -1; row * dy < c.H() + r; ++row) {
    for (int col = -1; col * dx < c.W() + dx; ++col) {
      const QPointF centre(col * dx + (row % 2 != 0 ? dx / 2 : 0), row * dy);
      const double t = std::clamp((centre.x() / c.W() + centre.y() / c.H()) / 2, 0.0, 1.0);
      QPolygonF hexagon;
      for (int corner = 0; corner < 6; ++corner) {
        const double angle = kTau * (corner + 0.5) / 6;
        hexagon << centre + QPointF(std::cos(angle), std::sin(angle)) * (r - 4);
      }
      c.painter.setBrush(t < 0.5 ? Mix(from, middle, t * 2) : Mix(middle, to, t * 2 - 1));
      c.painter.drawPolygon(hexagon);
    }
  }
  return c.Done();
}

QImage Waves(QSize size) {
  Canvas c(size);
  c.painter.fillRect(c.image.rect(), QColor(224, 247, 250));
  constexpr int kBands = 9;
  for (int band = 0; band < kBands; ++band) {
    const double t = static_cast<double>(band) / (kBands - 1);
    Ridge(c, c.H() * (0.18 + 0.1 * band), c.H() * 0.035, 1.5 + 0.25 * band, band * 0.9,
          Mix(QColor(128, 222, 234), QColor(1, 42, 74), t));
  }
  return c.Done();
}

QImage Triangles(QSize size) {
  Canvas c(size);
  const double side = 120;
  Sequence random(17);
  for (double y = 0; y < c.H(); y += side) {
    for (double x = 0; x < c.W(); x += side) {
      const double t = (x / c.W() * 0.6 + y / c.H() * 0.4);
      const QColor base = Mix(QColor(255, 221, 225), QColor(106, 76, 147), t);
      const QPointF a(x, y), b(x + side, y), d(x, y + side), e(x + side, y + side);
      c.painter.setBrush(base.lighter(100 + static_cast<int>(12 * random.Next())));
      c.painter.drawPolygon(QPolygonF({a, b, d}));
      c.painter.setBrush(base.darker(100 + static_cast<int>(12 * random.Next())));
      c.painter.drawPolygon(QPolygonF({b, e, d}));
    }
  }
  return c.Done();
}

}  // namespace

const std::vector<Scene>& SampleScenes() {
  static const std::vector<Scene> scenes = {
      {"paysages", "collines.bmp", 24, Hills}, {"paysages", "montagnes.bmp", 24, Mountains},
      {"paysages", "lac.bmp", 32, Lake},       {"paysages", "mer.bmp", 24, Sea},
      {"degrades", "aurore.bmp", 24, Dawn},    {"degrades", "ocean.bmp", 24, Ocean},
      {"degrades", "crepuscule.bmp", 8, Dusk}, {"motifs", "hexagones.bmp", 24, Hexagons},
      {"motifs", "vagues.bmp", 32, Waves},     {"motifs", "triangles.bmp", 24, Triangles},
  };
  return scenes;
}

}  // namespace fondex::tools
