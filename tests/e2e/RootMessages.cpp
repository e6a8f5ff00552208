#include "e2e/RootMessages.h"

#include <X11/Xlib.h>

#include <map>
#include <stdexcept>

namespace fondex::e2e {

struct RootMessages::Connection {
  explicit Connection(const std::string& name) : display(XOpenDisplay(name.c_str())) {
    if (display == nullptr) {
      throw std::runtime_error("cannot connect to the X server " + name);
    }
    activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    infoBegin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    info = XInternAtom(display, "_NET_STARTUP_INFO", False);
    // Activation requests go to the root's substructure; X messages to its property changes.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask | PropertyChangeMask);
    XSync(display, False);
  }
  ~Connection() { XCloseDisplay(display); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  Display* display;
  Atom activeWindow;
  Atom infoBegin;
  Atom info;
  // The X messages being put together, by the window that tells each apart.
  std::map<Window, std::string> partial;
};

RootMessages::RootMessages(const std::string& displayName)
    : connection_(std::make_unique<Connection>(displayName)) {}

RootMessages::~RootMessages() = default;

const std::vector<RootMessages::Activation>& RootMessages::Activations() {
  Drain();
  return activations_;
}

const std::vector<std::string>& RootMessages::StartupMessages() {
  Drain();
  return startupMessages_;
}

void RootMessages::Drain() {
  Connection& c = *connection_;
  XSync(c.display, False);
  while (XPending(c.display) > 0) {
    XEvent event;
    XNextEvent(c.display, &event);
    if (event.type != ClientMessage) {
      continue;
    }
    const XClientMessageEvent& message = event.xclient;
    if (message.message_type == c.activeWindow && message.format == 32) {
      activations_.push_back(
          {message.window, message.data.l[0], static_cast<std::uint32_t>(message.data.l[1])});
    } else if ((message.message_type == c.infoBegin || message.message_type == c.info) &&
               message.format == 8) {
      std::string& text = c.partial[message.window];
      if (message.message_type == c.infoBegin) {
        text.clear();
      }
      const std::string piece(message.data.b, sizeof message.data.b);
      text += piece.substr(0, piece.find('\0'));
      if (piece.find('\0') != std::string::npos) {
        startupMessages_.push_back(text);
        c.partial.erase(message.window);
      }
    }
  }
}

}  // namespace fondex::e2e
