#include "qt/X11Activation.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace fondex::qt {

std::uint32_t StartupTime(const std::string& startupId) {
  const std::size_t at = startupId.rfind("_TIME");
  if (at == std::string::npos) {
    return 0;
  }
  const char* first = startupId.data() + at + 5;
  const char* last = startupId.data() + startupId.size();
  std::uint32_t time = 0;
  const auto [end, error] = std::from_chars(first, last, time);
  return error == std::errc() && end == last ? time : 0;
}

namespace {

// The "remove" message that ends the launch's feedback (the busy cursor), its value quoted as
// the protocol asks.
std::string StartupRemoval(const std::string& startupId) {
  std::string message = "remove: ID=\"";
  for (const char c : startupId) {
    if (c == '"' || c == '\\' || c == ' ') {
      message += '\\';
    }
    message += c;
  }
  return message + '"';
}

// An X message in the pieces of 20 bytes that client messages carry, the last one ended by a
// NUL byte (and padded with them).
std::vector<std::array<char, 20>> XMessagePieces(const std::string& message) {
  const std::string ended = message.substr(0, message.find('\0')) + '\0';
  std::vector<std::array<char, 20>> pieces;
  for (std::size_t at = 0; at < ended.size(); at += 20) {
    std::array<char, 20> piece{};
    ended.copy(piece.data(), piece.size(), at);
    pieces.push_back(piece);
  }
  return pieces;
}

struct Atoms {
  xcb_atom_t startupId;
  xcb_atom_t utf8;
  xcb_atom_t activeWindow;
  xcb_atom_t infoBegin;
  xcb_atom_t info;
};

xcb_atom_t Intern(xcb_connection_t* connection, const char* name) {
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(
          connection,
          xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
          nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

Atoms AtomsOf(xcb_connection_t* connection) {
  return {Intern(connection, "_NET_STARTUP_ID"), Intern(connection, "UTF8_STRING"),
          Intern(connection, "_NET_ACTIVE_WINDOW"), Intern(connection, "_NET_STARTUP_INFO_BEGIN"),
          Intern(connection, "_NET_STARTUP_INFO")};
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
  const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr),
      &std::free);
  return geometry ? geometry->root : xcb_window_t{XCB_WINDOW_NONE};
}

// A client message to the root window, as window managers and launchers listen for them.
void SendToRoot(xcb_connection_t* connection, xcb_window_t root, xcb_client_message_event_t event,
                std::uint32_t mask) {
  event.response_type = XCB_CLIENT_MESSAGE;
  char wire[32];
  static_assert(sizeof event == sizeof wire);
  std::memcpy(wire, &event, sizeof wire);
  xcb_send_event(connection, 0, root, mask, wire);
}

// EWMH's request of an application (source 1) at the time of the user's action that launched it.
void RequestActivation(xcb_connection_t* connection, const Atoms& atoms, xcb_window_t root,
                       xcb_window_t window, std::uint32_t time) {
  xcb_client_message_event_t event{};
  event.format = 32;
  event.window = window;
  event.type = atoms.activeWindow;
  event.data.data32[0] = 1;
  event.data.data32[1] = time;
  SendToRoot(connection, root, event,
             XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT);
}

// An X message is told apart from others by a window of its own, gone once it is sent.
void BroadcastXMessage(xcb_connection_t* connection, const Atoms& atoms, xcb_window_t root,
                       const std::string& message) {
  const xcb_window_t sender = xcb_generate_id(connection);
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, sender, root, -100, -100, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_atom_t type = atoms.infoBegin;
  for (const std::array<char, 20>& piece : XMessagePieces(message)) {
    xcb_client_message_event_t event{};
    event.format = 8;
    event.window = sender;
    event.type = type;
    std::copy(piece.begin(), piece.end(), event.data.data8);
    SendToRoot(connection, root, event, XCB_EVENT_MASK_PROPERTY_CHANGE);
    type = atoms.info;
  }
  xcb_destroy_window(connection, sender);
}

}  // namespace

bool ActivateWithStartupId(QWidget& window, const std::string& startupId) {
  // Qt's offscreen platform may answer for X11 too, without a connection of its windows.
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (QGuiApplication::platformName() != "xcb" || x11 == nullptr || x11->connection() == nullptr) {
    return false;
  }
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_window_t root = RootOf(connection, id);
  if (root == XCB_WINDOW_NONE) {
    return false;
  }
  const Atoms atoms = AtomsOf(connection);
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atoms.startupId, atoms.utf8, 8,
                      static_cast<std::uint32_t>(startupId.size()), startupId.data());
  if (const std::uint32_t time = StartupTime(startupId); time != 0) {
    RequestActivation(connection, atoms, root, id, time);
  }
  BroadcastXMessage(connection, atoms, root, StartupRemoval(startupId));
  xcb_flush(connection);
  return true;
}

}  // namespace fondex::qt
