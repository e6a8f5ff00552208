#include "platform/posix/desktop/RootWindowBackend.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/pictures/Picture.h"
#include "platform/posix/desktop/DesktopText.h"
#include "platform/posix/desktop/MonitorPictures.h"
#include "platform/posix/desktop/ScreenPicture.h"
#include "platform/posix/desktop/XMonitors.h"

namespace fondex::platform::posix::desktop {
namespace {

constexpr const char* kRootPixmap = "_XROOTPMAP_ID";
constexpr const char* kSetterPixmap = "ESETROOT_PMAP_ID";
// Which picture each monitor shows in the root's pixmap: this program's own record.
constexpr const char* kMonitorPictures = "_FONDEX_MONITOR_PICTURES";

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

  // The area of another pixmap of the screen's size, drawn where it lies.
  void CopyFrom(Pixmap source, const PixelArea& area) {
    XCopyArea(screen_.display, source, pixmap_, gc_, area.left, area.top,
              static_cast<unsigned>(area.width), static_cast<unsigned>(area.height), area.left,
              area.top);
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

const PixelArea WholeScreen(const RootScreen& screen) {
  return {0, 0, screen.width, screen.height};
}

std::unique_ptr<PictureReader> OpenOn(const RootScreen& screen, const std::string& path,
                                      std::unique_ptr<FileSource>& file) {
  file = FileSource::Open(path);
  return file ? OpenPicture(*file, FormatOf(*screen.visual)) : nullptr;
}

// Draws the picture at the path into one area of the canvas; false when it cannot be read.
bool DrawFile(const RootScreen& screen, const std::string& path, WallpaperStyle style,
              ScreenCanvas& canvas, const PixelArea& area) {
  std::unique_ptr<FileSource> file;
  const std::unique_ptr<PictureReader> picture = OpenOn(screen, path, file);
  return picture &&
         DrawPicture(*picture, style, canvas, area, BlackPixel(screen.display, screen.number));
}

// Draws a new pixmap and makes it the root window's background; the pixmap is published only
// when it was drawn whole. Its id, or nothing.
std::optional<Pixmap> ShowOnRoot(const RootScreen& screen,
                                 const std::function<bool(PixmapCanvas&)>& draw) {
  ErrorTrap trap;
  const Pixmap pixmap =
      XCreatePixmap(screen.display, screen.root, screen.width, screen.height, screen.depth);
  bool drawn = false;
  {
    PixmapCanvas canvas(screen, pixmap);
    drawn = draw(canvas);
  }
  if (!trap.Clean(screen.display) || !drawn) {
    XFreePixmap(screen.display, pixmap);
    return std::nullopt;
  }
  ReleaseLeftPixmap(screen);
  trap.Clean(screen.display);  // the setter before may have freed its pixmap itself
  PublishPixmap(screen, pixmap);
  XSetWindowBackgroundPixmap(screen.display, screen.root, pixmap);
  XClearWindow(screen.display, screen.root);
  if (!trap.Clean(screen.display)) {
    return std::nullopt;
  }
  XSetCloseDownMode(screen.display, RetainPermanent);
  return pixmap;
}

Atom RecordAtom(const RootScreen& screen) {
  return XInternAtom(screen.display, kMonitorPictures, False);
}

void WriteRecord(const RootScreen& screen, const MonitorRecord& record) {
  const std::string text = EncodeRecord(record);
  XChangeProperty(screen.display, screen.root, RecordAtom(screen), XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text.data()),
                  static_cast<int>(text.size()));
}

// The record, while the pixmap it tells of is still the root's.
std::optional<MonitorRecord> RecordOnRoot(const RootScreen& screen) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(screen.display, screen.root, RecordAtom(screen), 0, 1 << 20, False,
                         XA_STRING, &type, &format, &count, &after, &data) != Success) {
    return std::nullopt;
  }
  std::optional<MonitorRecord> record;
  if (data != nullptr && format == 8) {
    record = DecodeRecord({reinterpret_cast<const char*>(data), count});
  }
  XFree(data);
  if (record && RootPixmapProperty(screen, kRootPixmap) != record->pixmap) {
    record.reset();
  }
  return record;
}

// The root's pixmap, when it has the screen's size and depth: the pixels it shows.
std::optional<Pixmap> ShownPixmap(const RootScreen& screen) {
  const std::optional<Pixmap> shown = RootPixmapProperty(screen, kRootPixmap);
  ErrorTrap trap;
  Window root = None;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  const bool known = shown && XGetGeometry(screen.display, *shown, &root, &x, &y, &width, &height,
                                           &border, &depth) != 0;
  if (!trap.Clean(screen.display) || !known || static_cast<int>(width) != screen.width ||
      static_cast<int>(height) != screen.height || static_cast<int>(depth) != screen.depth) {
    return std::nullopt;
  }
  return shown;
}

// Draws each monitor as planned; a kept picture that cannot be read any more leaves its monitor
// plain and the record. False when a named one cannot be read.
bool DrawMonitors(const RootScreen& screen, std::vector<MonitorDrawing>& drawings,
                  const std::vector<ScreenPath>& named, std::optional<Pixmap> shown,
                  WallpaperStyle style, PixmapCanvas& canvas) {
  const std::uint32_t background = BlackPixel(screen.display, screen.number);
  canvas.Fill(WholeScreen(screen), background);
  for (MonitorDrawing& drawing : drawings) {
    const PixelArea& area = drawing.monitor.area;
    if (drawing.copyShown) {
      canvas.CopyFrom(*shown, area);
    } else if (!drawing.path.empty() && !DrawFile(screen, drawing.path, style, canvas, area)) {
      if (std::ranges::find(named, drawing.monitor.name, &ScreenPath::screen) != named.end()) {
        return false;
      }
      canvas.Fill(area, background);
      drawing.path.clear();
    }
  }
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
  if (!display) {
    return false;
  }
  const RootScreen screen = DefaultScreenOf(display.get());
  std::unique_ptr<FileSource> file;
  const std::unique_ptr<PictureReader> picture =
      screen.visual->c_class == TrueColor ? OpenOn(screen, path, file) : nullptr;
  if (!picture) {
    return false;
  }
  const std::optional<Pixmap> shown = ShowOnRoot(screen, [&](PixmapCanvas& canvas) {
    return DrawPicture(*picture, style, canvas, WholeScreen(screen),
                       BlackPixel(screen.display, screen.number));
  });
  // RandR's calls on a connection the server has left would read freed extension data.
  if (!shown || lost) {
    return false;
  }
  // Every monitor shows this one picture.
  MonitorRecord record{*shown, {}};
  for (XMonitor& monitor : ActiveMonitors(screen.display)) {
    record.pictures.push_back({std::move(monitor.name), monitor.area, path});
  }
  WriteRecord(screen, record);
  XSync(screen.display, False);
  return !lost;
}

std::vector<std::string> RootWindowBackend::Screens() {
  std::vector<std::string> names = ActiveMonitorNames(displayName_);
  return names.size() < 2 ? std::vector<std::string>{} : names;
}

bool RootWindowBackend::SetEach(const std::vector<ScreenPath>& pictures, WallpaperStyle style) {
  bool lost = false;
  const DisplayHandle display = Connect(displayName_, lost);
  if (!display) {
    return false;
  }
  const RootScreen screen = DefaultScreenOf(display.get());
  const std::vector<XMonitor> monitors = ActiveMonitors(screen.display);
  if (lost) {
    return false;
  }
  for (const ScreenPath& picture : pictures) {
    if (std::ranges::find(monitors, picture.screen, &XMonitor::name) == monitors.end()) {
      return false;
    }
  }
  if (screen.visual->c_class != TrueColor) {
    return false;
  }
  const std::optional<Pixmap> shown = ShownPixmap(screen);
  std::vector<MonitorDrawing> drawings =
      PlanMonitors(monitors, pictures, RecordOnRoot(screen), shown.has_value());
  const std::optional<Pixmap> pixmap = ShowOnRoot(screen, [&](PixmapCanvas& canvas) {
    return DrawMonitors(screen, drawings, pictures, shown, style, canvas);
  });
  if (!pixmap) {
    return false;
  }
  WriteRecord(screen, RecordOf(*pixmap, drawings));
  XSync(screen.display, False);
  return !lost;
}

std::optional<std::string> RootWindowBackend::CurrentOn(const std::string& monitor) {
  bool lost = false;
  const DisplayHandle display = Connect(displayName_, lost);
  if (!display) {
    return std::nullopt;
  }
  const RootScreen screen = DefaultScreenOf(display.get());
  if (!RootPixmapProperty(screen, kRootPixmap)) {
    return lost ? std::nullopt : std::optional<std::string>("");
  }
  const std::optional<MonitorRecord> record = RecordOnRoot(screen);
  if (!record || lost) {
    return std::nullopt;  // another program's picture
  }
  const auto picture = std::ranges::find(record->pictures, monitor, &MonitorPicture::monitor);
  if (picture == record->pictures.end()) {
    return std::nullopt;
  }
  return LexicallyNormal(picture->path);
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
  for (const char* name : {kRootPixmap, kSetterPixmap, kMonitorPictures}) {
    XDeleteProperty(screen.display, screen.root, XInternAtom(screen.display, name, False));
  }
  XSetWindowBackground(screen.display, screen.root, BlackPixel(screen.display, screen.number));
  XClearWindow(screen.display, screen.root);
  return trap.Clean(screen.display) && !lost;
}

}  // namespace fondex::platform::posix::desktop
