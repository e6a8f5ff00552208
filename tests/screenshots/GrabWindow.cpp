// Saves the picture of an X window, once its painting has settled, as a PNG file:
//
//   fondex_grab_window WINDOW-ID FILE.png
//
// scripts/screenshots takes the Windows program's pictures with it under Wine, whose windows
// are X windows.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: fondex_grab_window WINDOW-ID FILE.png\n";
    return 2;
  }
  QGuiApplication app(argc, argv);
  bool number = false;
  const WId window = QString::fromLocal8Bit(argv[1]).toULongLong(&number, 0);
  if (!number) {
    std::cerr << "not a window: " << argv[1] << '\n';
    return 2;
  }
  constexpr int kTries = 40;
  constexpr unsigned long kSettleMs = 150;
  QImage last;
  for (int i = 0; i < kTries; ++i) {
    const QImage now = QGuiApplication::primaryScreen()->grabWindow(window).toImage();
    if (!now.isNull() && now == last) {
      return now.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
    }
    last = now;
    QThread::msleep(kSettleMs);
  }
  std::cerr << "the window " << argv[1] << " did not settle\n";
  return 1;
}
