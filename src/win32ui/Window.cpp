#include "win32ui/Window.h"

namespace fondex::win32ui {
namespace {

constexpr const wchar_t* kClassName = L"FondexWindow";
constexpr int kProgramIcon = 1;

void RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = ProgramInstance();
    windowClass.hIcon = ::LoadIconW(ProgramInstance(), MAKEINTRESOURCEW(kProgramIcon));
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

HINSTANCE ProgramInstance() {
  return ::GetModuleHandleA(nullptr);
}

Window::~Window() {
  if (hwnd_ != nullptr) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

void Window::Create(const std::wstring& caption, DWORD style, DWORD exStyle, HWND owner,
                    SIZE outer) {
  RegisterOnce();
  hwnd_ =
      ::CreateWindowExW(exStyle, kClassName, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                        outer.cx, outer.cy, owner, nullptr, ProgramInstance(), nullptr);
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure));
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr) {
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return window->HandleMessage(message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Window::PreTranslate(MSG& /*message*/) {
  return false;
}

Window* ProgramWindowOf(HWND hwnd) {
  HWND root = hwnd == nullptr ? nullptr : ::GetAncestor(hwnd, GA_ROOT);
  if (root == nullptr ||
      ::GetWindowLongPtrW(root, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Window::Procedure)) {
    return nullptr;
  }
  return reinterpret_cast<Window*>(::GetWindowLongPtrW(root, GWLP_USERDATA));
}

bool PumpMessages(const std::function<bool()>& done) {
  MSG message{};
  while (!done()) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    Window* window = ProgramWindowOf(message.hwnd);
    if (window != nullptr && window->PreTranslate(message)) {
      continue;
    }
    if (window != nullptr && ::IsDialogMessageW(window->Handle(), &message)) {
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return true;
}

}  // namespace fondex::win32ui
