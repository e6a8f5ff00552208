#include "e2e/VirtualScreen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

#include "e2e/Sandbox.h"

namespace fondex::e2e {

namespace {

constexpr int kStartLimitMs = 10000;

// A window can vanish between two requests; the error must not end the test program.
int IgnoreXError(Display* /*display*/, XErrorEvent* /*error*/) {
  return 0;
}

class Pipe {
 public:
  Pipe() {
    if (pipe(ends_) != 0) {
      throw std::runtime_error("cannot make a pipe");
    }
    // Only the write end goes to the server.
    fcntl(ends_[0], F_SETFD, FD_CLOEXEC);
  }
  ~Pipe() {
    CloseWriteEnd();
    close(ends_[0]);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  int ReadEnd() const { return ends_[0]; }
  int WriteEnd() const { return ends_[1]; }
  void CloseWriteEnd() {
    if (ends_[1] >= 0) {
      close(ends_[1]);
      ends_[1] = -1;
    }
  }

 private:
  int ends_[2] = {-1, -1};
};

// The server writes the number of the display it took, then a newline, once it accepts connections.
std::string ReadDisplayNumber(int descriptor) {
  std::string number;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartLimitMs);
  while (std::chrono::steady_clock::now() < end) {
    pollfd ready{descriptor, POLLIN, 0};
    if (poll(&ready, 1, 50) <= 0) {
      continue;
    }
    char byte = 0;
    if (read(descriptor, &byte, 1) != 1) {
      break;
    }
    if (byte == '\n') {
      return number;
    }
    number += byte;
  }
  throw std::runtime_error("the X server gave no display number");
}

// A window's property as the server holds it, up to `length` 32-bit units, freed with it.
struct Property {
  Property(Display* display, Window window, Atom property, long length, Atom wanted) {
    unsigned long remaining = 0;
    if (XGetWindowProperty(display, window, property, 0, length, False, wanted, &type, &format,
                           &count, &remaining, &data) != Success) {
      type = None;
    }
  }
  ~Property() {
    if (data != nullptr) {
      XFree(data);
    }
  }
  Property(const Property&) = delete;
  Property& operator=(const Property&) = delete;

  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned char* data = nullptr;
};

std::string TextProperty(Display* display, Window window, Atom property, Atom type) {
  const Property text(display, window, property, 4096, type);
  return text.data != nullptr && text.format == 8
             ? std::string(reinterpret_cast<const char*>(text.data), text.count)
             : std::string();
}

long CardinalProperty(Display* display, Window window, Atom property) {
  const Property value(display, window, property, 1, XA_CARDINAL);
  return value.data != nullptr && value.format == 32 && value.count == 1
             ? *reinterpret_cast<const long*>(value.data)
             : -1;
}

bool HasProperty(Display* display, Window window, Atom property) {
  return Property(display, window, property, 0, AnyPropertyType).type != None;
}

// A window manager puts each program's window into a frame of its own and marks the window with
// WM_STATE: the frame's marked child is the window; without a manager, the window is the frame.
Window ClientIn(Display* display, Window frame, Atom state) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  Window client = frame;
  if (!HasProperty(display, frame, state) &&
      XQueryTree(display, frame, &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count; ++i) {
      if (HasProperty(display, children[i], state)) {
        client = children[i];
      }
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return client;
}

std::uint8_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) {
    return 0;
  }
  int shift = 0;
  while (((mask >> shift) & 1UL) == 0) {
    ++shift;
  }
  const unsigned long maximum = mask >> shift;
  return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255UL / maximum);
}

}  // namespace

struct VirtualScreen::Connection {
  explicit Connection(const std::string& name) : display(XOpenDisplay(name.c_str())) {
    if (display == nullptr) {
      throw std::runtime_error("cannot connect to the X server " + name);
    }
  }
  ~Connection() { XCloseDisplay(display); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  Atom Intern(const char* name) const { return XInternAtom(display, name, False); }

  Display* display;
};

VirtualScreen::VirtualScreen(int width, int height, const std::string& logFile)
    : width_(width), height_(height) {
  Serve({"Xvfb", "-screen", "0", std::to_string(width) + "x" + std::to_string(height) + "x24"},
        logFile);
}

VirtualScreen::VirtualScreen(int width, int height, int monitors, const std::string& logFile)
    : width_(width * monitors), height_(height) {
  const std::string mode = std::to_string(width) + "x" + std::to_string(height);
  const std::string config = logFile + ".conf";
  WriteFile(config,
            "Section \"Device\"\n Identifier \"d\"\n Driver \"dummy\"\n VideoRam 256000\n"
            "EndSection\nSection \"Monitor\"\n Identifier \"m\"\n HorizSync 5.0-1000.0\n"
            " VertRefresh 5.0-200.0\nEndSection\nSection \"Screen\"\n Identifier \"s\"\n"
            " Device \"d\"\n Monitor \"m\"\n DefaultDepth 24\n SubSection \"Display\"\n"
            "  Depth 24\n  Virtual " +
                std::to_string(width_) + " " + std::to_string(height) +
                "\n EndSubSection\nEndSection\nSection \"ServerFlags\"\n"
                " Option \"AutoAddDevices\" \"false\"\nEndSection\n");
  Serve({"Xorg", "-config", config, "-logfile", logFile + ".xorg", "-noreset", "-novtswitch",
         "-sharevts"},
        logFile);
  const auto xrandr = [&](std::vector<std::string> arguments) {
    SpawnRequest request;
    request.arguments = std::move(arguments);
    request.environment = {"PATH=" + EnvironmentValue("PATH"), "DISPLAY=" + displayName_};
    return RunToCompletion(request, std::chrono::milliseconds(kStartLimitMs));
  };
  // The driver connects an output once it is given a mode; the first has its modes already.
  std::vector<std::string> layout{"xrandr"};
  for (int monitor = 0; monitor < monitors; ++monitor) {
    const std::string output = "DUMMY" + std::to_string(monitor);
    if (monitor > 0) {
      xrandr({"xrandr", "--addmode", output, mode});
    }
    layout.insert(layout.end(), {"--output", output, "--mode", mode, "--pos",
                                 std::to_string(width * monitor) + "x0"});
  }
  // A query probes the outputs again: GDK reads the connections the server last found.
  if (xrandr(layout) != 0 || xrandr({"xrandr", "--query"}) != 0) {
    throw std::runtime_error("xrandr could not lay out the monitors");
  }
}

void VirtualScreen::Serve(const std::vector<std::string>& server, const std::string& logFile) {
  XSetErrorHandler(IgnoreXError);
  Pipe displayNumber;
  SpawnRequest request;
  request.arguments = server;
  request.arguments.insert(
      request.arguments.end(),
      {"-displayfd", std::to_string(displayNumber.WriteEnd()), "-nolisten", "tcp"});
  request.environment = {"PATH=" + EnvironmentValue("PATH")};
  request.outputFile = logFile;
  server_ = std::make_unique<ChildProcess>(request);
  displayNumber.CloseWriteEnd();
  // Appended: GCC 12 at -O3 warns wrongly (-Wrestrict) on a literal + std::string.
  displayName_ = std::string(":") + ReadDisplayNumber(displayNumber.ReadEnd());
  connection_ = std::make_unique<Connection>(displayName_);
}

VirtualScreen::~VirtualScreen() {
  connection_.reset();
  server_.reset();
}

std::vector<WindowId> VirtualScreen::WindowsOf(pid_t owner) const {
  const Atom pidAtom = connection_->Intern("_NET_WM_PID");
  std::vector<WindowId> windows;
  for (const WindowId window : TopLevelWindows()) {
    if (CardinalProperty(connection_->display, window, pidAtom) == owner) {
      windows.push_back(window);
    }
  }
  return windows;
}

std::vector<WindowId> VirtualScreen::TopLevelWindows() const {
  Display* display = connection_->display;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<WindowId> windows;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return windows;
  }
  const Atom state = connection_->Intern("WM_STATE");
  for (unsigned int i = 0; i < count; ++i) {
    if (IsMapped(children[i])) {
      windows.push_back(ClientIn(display, children[i], state));
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return windows;
}

std::string VirtualScreen::Title(WindowId window) const {
  Display* display = connection_->display;
  return TextProperty(display, window, connection_->Intern("_NET_WM_NAME"),
                      connection_->Intern("UTF8_STRING"));
}

std::string VirtualScreen::StartupId(WindowId window) const {
  return TextProperty(connection_->display, window, connection_->Intern("_NET_STARTUP_ID"),
                      connection_->Intern("UTF8_STRING"));
}

bool VirtualScreen::IsMapped(WindowId window) const {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(connection_->display, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

bool VirtualScreen::KeyboardGoesTo(WindowId window) const {
  Display* display = connection_->display;
  const Window root = DefaultRootWindow(display);
  Window target = 0;
  int revert = 0;
  XGetInputFocus(display, &target, &revert);
  if (target == static_cast<Window>(PointerRoot) || target == root) {
    Window pointerRoot = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int buttons = 0;
    XQueryPointer(display, root, &pointerRoot, &target, &rootX, &rootY, &x, &y, &buttons);
  }
  // The focus may sit on a child of the top-level window.
  while (target != 0 && target != root && target != window) {
    Window treeRoot = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, target, &treeRoot, &parent, &children, &count) == 0) {
      return false;
    }
    if (children != nullptr) {
      XFree(children);
    }
    target = parent;
  }
  return target == window;
}

Point VirtualScreen::Position(WindowId window) const {
  Display* display = connection_->display;
  Point position;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &position.x, &position.y,
                        &child);
  return position;
}

bool VirtualScreen::AskedToIconify(WindowId window) const {
  XWMHints* hints = XGetWMHints(connection_->display, window);
  if (hints == nullptr) {
    return false;
  }
  const bool iconic = (hints->flags & StateHint) != 0 && hints->initial_state == IconicState;
  XFree(hints);
  return iconic;
}

void VirtualScreen::RequestClose(WindowId window) const {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = connection_->Intern("WM_PROTOCOLS");
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(connection_->Intern("WM_DELETE_WINDOW"));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(connection_->display, window, False, NoEventMask, &event);
  XFlush(connection_->display);
}

void VirtualScreen::Obscure(WindowId window) const {
  Display* display = connection_->display;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0) {
    return;
  }
  const Point at = Position(window);
  XSetWindowAttributes cover{};
  cover.override_redirect = True;
  cover.background_pixel = WhitePixel(display, DefaultScreen(display));
  const Window over = XCreateWindow(
      display, DefaultRootWindow(display), at.x, at.y, static_cast<unsigned>(attributes.width),
      static_cast<unsigned>(attributes.height), 0, CopyFromParent, InputOutput, CopyFromParent,
      CWOverrideRedirect | CWBackPixel, &cover);
  XMapRaised(display, over);
  XSync(display, False);
  XDestroyWindow(display, over);
  XSync(display, False);
}

Image VirtualScreen::Capture(WindowId window) const {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(connection_->display, window, &attributes) == 0 ||
      attributes.map_state != IsViewable) {
    return {};
  }
  return CaptureArea(window, 0, 0, attributes.width, attributes.height);
}

WindowId VirtualScreen::Root() const {
  return DefaultRootWindow(connection_->display);
}

Image VirtualScreen::CaptureArea(WindowId window, int x, int y, int width, int height) const {
  Image image;
  XImage* shot = XGetImage(connection_->display, window, x, y, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (shot == nullptr) {
    return image;
  }
  image.width = width;
  image.height = height;
  image.rgb.reserve(static_cast<std::size_t>(image.width) * image.height * 3);
  for (int row = 0; row < image.height; ++row) {
    for (int column = 0; column < image.width; ++column) {
      const unsigned long pixel = XGetPixel(shot, column, row);
      image.rgb.push_back(Channel(pixel, shot->red_mask));
      image.rgb.push_back(Channel(pixel, shot->green_mask));
      image.rgb.push_back(Channel(pixel, shot->blue_mask));
    }
  }
  XDestroyImage(shot);
  return image;
}

}  // namespace fondex::e2e
