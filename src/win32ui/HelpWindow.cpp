#include "win32ui/HelpWindow.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "toolkit/HelpFile.h"
#include "win32ui/ControlWindows.h"
#include "win32ui/Layout.h"
#include "win32ui/Text.h"

namespace fondex::win32ui {
namespace {

constexpr SIZE kWindowSize{480, 360};

// The edit control breaks lines only at "\r\n".
std::string WithCarriageReturns(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') {
      result += '\r';
    }
    if (c != '\r') {
      result += c;
    }
  }
  return result;
}

}  // namespace

HelpWindow::HelpWindow() {
  const UINT dpi = ::GetDpiForSystem();
  Create(L"Aide", WS_OVERLAPPEDWINDOW, 0, nullptr,
         SIZE{Scaled(kWindowSize.cx, dpi), Scaled(kWindowSize.cy, dpi)});
  text_ = CreateChild(L"EDIT", "",
                      WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL,
                      Handle(), 1, WS_EX_CLIENTEDGE);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  ::SendMessageW(text_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(::CreateFontIndirectW(&metrics.lfMessageFont)), FALSE);
}

bool HelpWindow::ShowHelp(const std::string& helpFile, int context) {
  std::ifstream file(helpFile, std::ios::binary);
  if (!file) {
    Show("Aide", "Le fichier d'aide " + helpFile + " est introuvable.");
    return false;
  }
  const std::string helpText{std::istreambuf_iterator<char>(file), {}};
  const auto section = toolkit::FindHelpSection(helpText, context);
  if (!section) {
    Show("Aide", "Le fichier d'aide " + helpFile + " n'a pas de rubrique pour le contexte " +
                     std::to_string(context) + ".");
    return false;
  }
  Show(section->title.empty() ? "Aide" : section->title, section->text);
  return true;
}

void HelpWindow::Show(const std::string& title, const std::string& text) {
  ::SetWindowTextW(Handle(), Widen(title).c_str());
  ::SetWindowTextW(text_, Widen(WithCarriageReturns(text)).c_str());
  HWND active = ::GetActiveWindow();
  if (active != Handle()) {
    helped_ = active;
    PlaceBeside(helped_);
  }
  // A modal window of the program disables the others; help must stay readable beside it.
  ::EnableWindow(Handle(), TRUE);
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
}

// To the right of the window it helps, or to its left when the screen has no room there, its
// top edge level with that window's, all of it on the screen.
void HelpWindow::PlaceBeside(HWND helped) {
  if (helped == nullptr) {
    return;
  }
  RECT beside{};
  RECT own{};
  ::GetWindowRect(helped, &beside);
  ::GetWindowRect(Handle(), &own);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(helped, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  int x = beside.right;
  if (x + width > work.right && beside.left - width >= work.left) {
    x = beside.left - width;
  }
  x = std::max<int>(work.left, std::min<int>(x, work.right - width));
  const int y = std::max<int>(work.top, std::min<int>(beside.top, work.bottom - height));
  ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Escape closes the help, and the window it helped has the keyboard again.
bool HelpWindow::PreTranslate(MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) {
    return false;
  }
  Close();
  return true;
}

void HelpWindow::Close() {
  ::ShowWindow(Handle(), SW_HIDE);
  if (helped_ != nullptr && ::IsWindowVisible(helped_) && ::IsWindowEnabled(helped_)) {
    ::SetForegroundWindow(helped_);
  }
}

std::wstring HelpWindow::Text() const {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(text_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(text_, text.data(), static_cast<int>(text.size()))));
  return text;
}

LRESULT HelpWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      ::MoveWindow(text_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace fondex::win32ui
