#include "platform/posix/desktop/RootWindowBackend.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <memory>
#include <utility>
#include <vector>

#include "platform/pictures/Picture.h"
#include "platform/posix/desktop/ScreenPicture.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kRootPixmap = "_XROOTPMAP_ID";
constexpr const char* kSetterPixmap = "ESETROOT_PMAP_ID";

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

// Xlib reports protocol errors to one handler for the whole process, which by default ends the
// program; while a trap is set they are only counted.
class ErrorTrap {
 public:
  ErrorTrap() : previous_(XSetErrorHandler(&Count)) { errors_ = 0; }
  ~ErrorTrap() { XSetErrorHandler(previous_); }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // True when the server has done every request so far without an error; starts counting anew.
  bool Clean(Display* display) {
    XSync(display, False);
    return std::exchange(errors_, 0) == 0;
  }

 private:
  static int Count(Display*, XErrorEvent*) {
    ++errors_;
    return 0;
  }
  static inline int errors_ = 0;
  XErrorHandler previous_;
};

// The default screen of a connection.
struct RootScreen {
  Display* display;
  int number;
  Window root;
  Visual* visual;
  int depth;
  int width;
  int height;
};

RootScreen DefaultScreenOf(Display* display) {
  const int number = DefaultScreen(display);
  return {display,
          number,
          RootWindow(display, number),
          DefaultVisual(display, number),
          DefaultDepth(display, number),
          DisplayWidth(display, number),
          DisplayHeight(display, number)};
}

std::optional<Pixmap> RootPixmapProperty(const RootScreen& screen, const char* name) {
  const Atom atom = XInternAtom(screen.display, name, True);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (atom == None || XGetWindowProperty(screen.display, screen.root, atom, 0, 1, False, XA_PIXMAP,
                                         &type, &format, &count, &after, &data) != Success) {
    return std::nullopt;
  }
  std::optional<Pixmap> pixmap;
  if (data != nullptr && type == XA_PIXMAP && format == 32 && count == 1) {
    pixmap = *reinterpret_cast<Pixmap*>(data);
  }
  XFree(data);
  return pixmap;
}

// A pixmap published in both properties was left behind by a setter that kept it past its own
// connection: killing that connection's resources frees it.
void ReleaseLeftPixmap(const RootScreen& screen) {
  const auto root = RootPixmapProperty(screen, kRootPixmap);
  const auto setter = RootPixmapProperty(screen, kSetterPixmap);
  if (root && setter && *root == *setter) {
    XKillClient(screen.display, *root);
  }
}

void PublishPixmap(const RootScreen& screen, Pixmap pixmap) {
  for (const char* name : {kRootPixmap, kSetterPixmap}) {
    XChangeProperty(screen.display, screen.root, XInternAtom(screen.display, name, False),
                    XA_PIXMAP, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&pixmap), 1);
  }
}

// Draws into a pixmap of the screen's size: words of 32 bits in this machine's byte order go
// as they are, other layouts pixel by pixel.
class PixmapCanvas : public ScreenCanvas {
 public:
  PixmapCanvas(const RootScreen& screen, Pixmap pixmap)
      : screen_(screen), pixmap_(pixmap), gc_(XCreateGC(screen.display, pixmap, 0, nullptr)) {}
  ~PixmapCanvas() override { XFreeGC(screen_.display, gc_); }
  PixmapCanvas(const PixmapCanvas&) = delete;
  PixmapCanvas& operator=(const PixmapCanvas&) = delete;

  void Fill(const PixelArea& area, std::uint32_t word) override {
    XSetForeground(screen_.display, gc_, word);
    XFillRectangle(screen_.display, pixmap_, gc_, area.left, area.top,
                   static_cast<unsigned>(area.width), static_cast<unsigned>(area.height));
  }

  void Put(const PixelBand& band) override {
    XImage* image = XCreateImage(screen_.display, screen_.visual, screen_.depth, ZPixmap, 0,
                                 nullptr, band.width, band.rows, 32, 0);
    if (image == nullptr) {
      return;
    }
    std::vector<char> converted;
    if (image->bits_per_pixel == 32 && image->byte_order == kHostOrder) {
      image->data = const_cast<char*>(reinterpret_cast<const char*>(band.words));
      image->bytes_per_line = static_cast<int>(band.stride * 4);
    } else {
      converted.resize(static_cast<std::size_t>(image->bytes_per_line) * band.rows);
      image->data = converted.data();
      for (int y = 0; y < band.rows; ++y) {
        for (int x = 0; x < band.width; ++x) {
          XPutPixel(image, x, y, band.words[y * band.stride + x]);
        }
      }
    }
    XPutImage(screen_.display, pixmap_, gc_, image, 0, 0, band.left, band.top, band.width,
              band.rows);
    image->data = nullptr;  // the words are not Xlib's to free
    XDestroyImage(image);
  }

  void CopyRows(const PixelArea& area, int to) override {
    XCopyArea(screen_.display, pixmap_, pixmap_, gc_, area.left, area.top,
              static_cast<unsigned>(area.width), static_cast<unsigned>(area.height), area.left, to);
  }

 private:
  static constexpr int kHostOrder =
      std::endian::native == std::endian::little ? LSBFirst : MSBFirst;

  const RootScreen& screen_;
  Pixmap pixmap_;
  GC gc_;
};

PixelFormat FormatOf(const Visual& visual) {
  return {.redMask = static_cast<std::uint32_t>(visual.red_mask),
          .greenMask = static_cast<std::uint32_t>(visual.green_mask),
          .blueMask = static_cast<std::uint32_t>(visual.blue_mask)};
}

// Draws the picture into a new pixmap and makes it the root window's background; the pixmap
// is published only when it was drawn whole.
bool ShowOnRoot(const RootScreen& screen, PictureReader& picture, WallpaperStyle style) {
  ErrorTrap trap;
  const Pixmap pixmap =
      XCreatePixmap(screen.display, screen.root, screen.width, screen.height, screen.depth);
  bool drawn = false;
  {
    PixmapCanvas canvas(screen, pixmap);
    drawn = DrawPicture(picture, style, canvas, {0, 0, screen.width, screen.height},
                        BlackPixel(screen.display, screen.number));
  }
  if (!trap.Clean(screen.display) || !drawn) {
    XFreePixmap(screen.display, pixmap);
    return false;
  }
  ReleaseLeftPixmap(screen);
  trap.Clean(screen.display);  // the setter before may have freed its pixmap itself
  PublishPixmap(screen, pixmap);
  XSetWindowBackgroundPixmap(screen.display, screen.root, pixmap);
  XClearWindow(screen.display, screen.root);
  if (!trap.Clean(screen.display)) {
    return false;
  }
  XSetCloseDownMode(screen.display, RetainPermanent);
  return true;
}

// Xlib ends the process when a server goes away in the middle of a call: its default handler
// of the whole process, then the connection's own one. Here the first only lets the second
// decide, and the second of this back-end's connections returns: every later call on the
// connection does nothing, and the change fails. Other connections still end the process.
int LetTheConnectionDecide(Display*) {
  return 0;
}

void NoteConnectionLost(Display*, void* lost) {
  *static_cast<bool*>(lost) = true;
}

// A connection of its own; lost is set once the server has gone away.
DisplayHandle Connect(const std::string& name, bool& lost) {
  DisplayHandle display(XOpenDisplay(name.empty() ? nullptr : name.c_str()));
  if (display) {
    XSetIOErrorHandler(&LetTheConnectionDecide);
    XSetIOErrorExitHandler(display.get(), &NoteConnectionLost, &lost);
  }
  return display;
}

}  // namespace

RootWindowBackend::RootWindowBackend(std::string displayName)
    : displayName_(std::move(displayName)) {}

bool RootWindowBackend::Set(const std::string& path, WallpaperStyle style) {
  bool lost = false;
  const DisplayHandle display = Connect(displayName_, lost);
  const std::unique_ptr<FileSource> file = FileSource::Open(path);
  if (!display || !file) {
    return false;
  }
  const RootScreen screen = DefaultScreenOf(display.get());
  if (screen.visual->c_class != TrueColor) {
    return false;
  }
  const std::unique_ptr<PictureReader> picture = OpenPicture(*file, FormatOf(*screen.visual));
  return picture && ShowOnRoot(screen, *picture, style) && !lost;
}

bool RootWindowBackend::Clear() {
  bool lost = false;
  const DisplayHandle display = Connect(displayName_, lost);
  if (!display) {
    return false;
  }
  const RootScreen screen = DefaultScreenOf(display.get());
  ErrorTrap trap;
  ReleaseLeftPixmap(screen);
  trap.Clean(screen.display);
  for (const char* name : {kRootPixmap, kSetterPixmap}) {
    XDeleteProperty(screen.display, screen.root, XInternAtom(screen.display, name, False));
  }
  XSetWindowBackground(screen.display, screen.root, BlackPixel(screen.display, screen.number));
  XClearWindow(screen.display, screen.root);
  return trap.Clean(screen.display) && !lost;
}

}  // namespace fondex::platform::posix::desktop
