#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "e2e/ChildProcess.h"

namespace fondex::e2e {

using WindowId = unsigned long;  // an X window

struct Point {
  int x = 0;
  int y = 0;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows from the top, three bytes a pixel

  bool operator==(const Image&) const = default;
};

// An X server of its own (Xvfb on the first free display, no window manager) and a connection
// to it through which the test looks at the windows of the program it drives.
class VirtualScreen {
 public:
  VirtualScreen(int width, int height, const std::string& logFile);
  // Several monitors of width x height side by side, the RandR outputs DUMMY0, DUMMY1… of X.Org's
  // dummy driver, from the left; its configuration is written beside the log.
  VirtualScreen(int width, int height, int monitors, const std::string& logFile);
  ~VirtualScreen();
  VirtualScreen(const VirtualScreen&) = delete;
  VirtualScreen& operator=(const VirtualScreen&) = delete;

  const std::string& DisplayName() const { return displayName_; }
  // The whole screen's width: every monitor's.
  int Width() const { return width_; }
  int Height() const { return height_; }

  // The mapped top-level windows that the process owns, in stacking order (bottom first).
  std::vector<WindowId> WindowsOf(pid_t owner) const;
  // Every mapped top-level window, in stacking order (bottom first); under a window manager, the
  // program's window inside each frame.
  std::vector<WindowId> TopLevelWindows() const;
  // The title in UTF-8; empty for a window that is gone.
  std::string Title(WindowId window) const;
  // The launch the window last said it came from (_NET_STARTUP_ID).
  std::string StartupId(WindowId window) const;
  bool IsMapped(WindowId window) const;
  // Whether a key typed now reaches the window: it has the input focus, or the focus follows
  // the pointer and the pointer is on the window.
  bool KeyboardGoesTo(WindowId window) const;
  // Where the window's top-left corner lies on the screen.
  Point Position(WindowId window) const;
  // Whether the window has asked to be iconified: without a window manager nobody obeys, but
  // the request stays in the window's hints.
  bool AskedToIconify(WindowId window) const;
  // What a window manager sends when the user clicks the close box.
  void RequestClose(WindowId window) const;
  // Lays another window over the whole window and takes it away, as a menu or a window passing
  // by does: the window is left to paint itself again.
  void Obscure(WindowId window) const;
  // The window's contents as they are on the screen now; an empty image for a window that is
  // gone or not mapped.
  Image Capture(WindowId window) const;
  // A rectangle of a window (the root window included) as it is on the screen now.
  Image CaptureArea(WindowId window, int x, int y, int width, int height) const;
  // The screen's root window, on which a bare X11 session's wallpaper is drawn.
  WindowId Root() const;

 private:
  struct Connection;
  void Serve(const std::vector<std::string>& server, const std::string& logFile);

  int width_;
  int height_;
  std::unique_ptr<ChildProcess> server_;
  std::string displayName_;
  std::unique_ptr<Connection> connection_;
};

}  // namespace fondex::e2e
