#pragma once

#include <functional>
#include <string>

#include "platform/win32/WinApi.h"

namespace fondex::win32ui {

// A top-level window of the program with a procedure of its own. The message loop offers it the
// messages for itself and its controls before they are translated.
class Window;

// The program's window that holds the given window or control; nullptr for another one.
Window* ProgramWindowOf(HWND hwnd);

class Window {
 public:
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }

  // True when the message was taken and must go no further.
  virtual bool PreTranslate(MSG& message);

 protected:
  Window() = default;
  // Creates the window (hidden) with the program's window class.
  void Create(const std::wstring& caption, DWORD style, DWORD exStyle, HWND owner, SIZE outer);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend Window* ProgramWindowOf(HWND hwnd);
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// Runs the thread's messages until done() holds. False when the program is quitting: the quit
// message is posted again for the outer loops.
bool PumpMessages(const std::function<bool()>& done);

// The instance the program's resources come from.
HINSTANCE ProgramInstance();

}  // namespace fondex::win32ui
