// The message box and a form's window, driven by the keys the user would press: each key is
// queued before the window's modal loop starts, and the loop handles it as it would the user's.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "win32ui/FormWindow.h"
#include "win32ui/HelpWindow.h"
#include "win32ui/MessageBoxWindow.h"
#include "win32ui/NativeModalHost.h"
#include "win32ui/Text.h"

namespace fondex::win32ui {
namespace {

using toolkit::MessageButton;

constexpr UINT kClick = WM_APP;  // queued stand-in for a click on the button named by wParam

struct Press {
  UINT message;
  WPARAM key;
};

toolkit::MessageBoxRequest Request(std::vector<MessageButton> buttons,
                                   std::optional<MessageButton> defaultButton,
                                   std::optional<MessageButton> cancelButton) {
  toolkit::MessageBoxRequest request;
  request.title = "Confirm";
  request.kind = toolkit::MessageKind::kConfirmation;
  request.text = "Supprimer le fichier c:\\images\\mer.bmp ?";
  request.buttons = std::move(buttons);
  request.defaultButton = defaultButton;
  request.cancelButton = cancelButton;
  request.helpContext = 3;
  return request;
}

TEST(MessageBoxWindow, KeysGiveTheRequestsResults) {
  const auto yesNo =
      Request({MessageButton::kYes, MessageButton::kNo}, MessageButton::kYes, MessageButton::kNo);
  const auto information = Request({MessageButton::kYes}, std::nullopt, std::nullopt);
  const auto okCancel = Request({MessageButton::kOK, MessageButton::kCancel}, MessageButton::kOK,
                                MessageButton::kCancel);
  const struct {
    const char* what;
    toolkit::MessageBoxRequest request;
    std::vector<Press> presses;
    int expected;
  } cases[] = {
      {"Enter presses the default", yesNo, {{WM_KEYDOWN, VK_RETURN}}, 6},
      {"Escape presses the cancel button", yesNo, {{WM_KEYDOWN, VK_ESCAPE}}, 7},
      {"without a cancel button Escape does nothing",
       information,
       {{WM_KEYDOWN, VK_ESCAPE}, {WM_CLOSE, 0}},
       2},
      {"Enter presses the first button when none is the default",
       information,
       {{WM_KEYDOWN, VK_RETURN}},
       6},
      {"Tab moves to the next button, which Enter presses",
       okCancel,
       {{WM_KEYDOWN, VK_TAB}, {WM_KEYDOWN, VK_RETURN}},
       2},
      {"a click on a button", okCancel, {{kClick, 1}}, 2},
      {"the close box", okCancel, {{WM_CLOSE, 0}}, 2},
  };
  for (const auto& [what, request, presses, expected] : cases) {
    MessageBoxWindow box(request, nullptr);
    for (const Press& press : presses) {
      if (press.message == kClick) {
        ::PostMessageW(box.Button(request.buttons[press.key]), BM_CLICK, 0, 0);
      } else {
        ::PostMessageW(press.key == VK_TAB ? ::GetWindow(box.Handle(), GW_CHILD) : box.Handle(),
                       press.message, press.key, 0);
      }
    }
    EXPECT_EQ(box.Run(), expected) << what;
  }
}

TEST(MessageBoxWindow, ButtonsInTheRequestsOrderAndHelpLeavesTheBoxOpen) {
  const auto request =
      Request({MessageButton::kOK, MessageButton::kHelp}, MessageButton::kOK, std::nullopt);
  std::vector<int> helped;
  MessageBoxWindow box(request, [&helped](int context) { helped.push_back(context); });
  RECT ok{};
  RECT help{};
  ::GetWindowRect(box.Button(MessageButton::kOK), &ok);
  ::GetWindowRect(box.Button(MessageButton::kHelp), &help);
  EXPECT_LT(ok.right, help.left);
  wchar_t caption[16];
  ::GetWindowTextW(box.Button(MessageButton::kHelp), caption, 16);
  EXPECT_EQ(std::wstring(caption), L"&Help");
  EXPECT_EQ(box.Button(MessageButton::kYes), nullptr);

  ::PostMessageW(box.Button(MessageButton::kHelp), BM_CLICK, 0, 0);
  ::PostMessageW(box.Button(MessageButton::kOK), BM_CLICK, 0, 0);
  EXPECT_EQ(box.Run(), 1);
  EXPECT_EQ(helped, std::vector<int>{3});
}

// The bounds of the dark pixels in a part of a device context; empty when there are none.
RECT InkIn(HDC dc, RECT part) {
  RECT ink{part.right, part.bottom, part.left, part.top};
  for (int y = part.top; y < part.bottom; ++y) {
    for (int x = part.left; x < part.right; ++x) {
      const COLORREF colour = ::GetPixel(dc, x, y);
      if (GetRValue(colour) < 128 && GetGValue(colour) < 128 && GetBValue(colour) < 128) {
        ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                   std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
      }
    }
  }
  return ink;
}

// The text as it looks when drawn whole in the font, lines no wider than the width.
RECT InkOfWholeText(HFONT font, const std::wstring& text, int width) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  const RECT room{0, 0, width + 64, 400};
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, room.right, room.bottom);
  HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
  HGDIOBJ oldFont = ::SelectObject(dc, font);
  ::FillRect(dc, &room, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  RECT lines{0, 0, width, room.bottom};
  ::DrawTextW(dc, text.c_str(), -1, &lines, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
  const RECT ink = InkIn(dc, room);
  ::SelectObject(dc, oldFont);
  ::SelectObject(dc, oldBitmap);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return ink;
}

// Each message, short or long, shows whole in the box: the text's ink in the box is as wide and
// as high as the whole text drawn in the box's font, lines wrapped at half the screen (a long
// name breaking anywhere), clear of the box's right edge and of the buttons; the box fits on the
// screen.
TEST(MessageBoxWindow, TheWholeTextShowsInTheBox) {
  std::string deep = "z:\\tmp\\fdx1A2B.tmp";
  for (int i = 0; i < 12; ++i) {
    deep +=
        "\\fonds d'\xC3\xA9"
        "cran " +
        std::to_string(i);
  }
  std::string unbroken = "z:\\";
  for (int i = 0; i < 20; ++i) {
    unbroken += "r\xC3\xA9pertoire" + std::to_string(i) + "\\";
  }
  const std::string names[] = {"z:\\tmp\\fdx1A2B.tmp\\absent.bmp", deep + "\\absent.bmp",
                               unbroken + "walls2"};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const int screenWidth = monitor.rcWork.right - monitor.rcWork.left;
  for (const std::string& name : names) {
    const std::string texts[] = {
        "Le fichier " + name + " est introuvable.",
        "Le r\xC3\xA9pertoire " + name + " est introuvable",
        "Tenez-vous vraiment \xC3\xA0 effacer " + name + " ?",
        "Windows n'a pu charger " + name +
            ". V\xC3\xA9rifiez la valdidit\xC3\xA9 de ce papier peint",
    };
    for (const std::string& text : texts) {
      auto request = Request({MessageButton::kOK}, MessageButton::kOK, std::nullopt);
      request.text = text;
      MessageBoxWindow box(request, nullptr);
      ::ShowWindow(box.Handle(), SW_SHOWNA);
      ::UpdateWindow(box.Handle());
      RECT client{};
      ::GetClientRect(box.Handle(), &client);
      RECT outer{};
      ::GetWindowRect(box.Handle(), &outer);
      EXPECT_LE(outer.right - outer.left, screenWidth) << text;
      RECT button{};
      ::GetWindowRect(box.Button(MessageButton::kOK), &button);
      ::MapWindowPoints(nullptr, box.Handle(), reinterpret_cast<POINT*>(&button), 2);
      const int iconColumn =
          ::MulDiv(12 + 32 + 6, static_cast<int>(::GetDpiForWindow(box.Handle())), 96);
      HDC dc = ::GetDC(box.Handle());
      const RECT shown = InkIn(dc, RECT{iconColumn, 0, client.right, button.top});
      ::ReleaseDC(box.Handle(), dc);
      const auto font = reinterpret_cast<HFONT>(::SendMessageW(box.Handle(), WM_GETFONT, 0, 0));
      ASSERT_NE(font, nullptr);
      const RECT whole = InkOfWholeText(font, Widen(text), screenWidth / 2);
      EXPECT_NEAR(shown.right - shown.left, whole.right - whole.left, 1) << text;
      EXPECT_NEAR(shown.bottom - shown.top, whole.bottom - whole.top, 1) << text;
      EXPECT_LE(shown.right, client.right - 6) << text;
      ::PostMessageW(box.Handle(), WM_CLOSE, 0, 0);
      box.Run();
    }
  }
}

// A dialog with an edit box whose key-press handler swallows "x", turns "a" into "b" and can
// swallow Enter, and OK and Cancel buttons with their roles.
class KeyForm : public toolkit::Form {
 public:
  KeyForm() : toolkit::Form("KeyForm") {
    bounds = {0, 0, 200, 100};
    borderStyle = toolkit::BorderStyle::kDialog;
    Edit.bounds = {10, 10, 120, 24};
    Edit.tabOrder = 0;
    Edit.OnKeyPress = [this](char& key) {
      heard.push_back(key);
      if (key == 'x' || (key == '\r' && swallowEnter)) {
        key = 0;
      } else if (key == 'a') {
        key = 'b';
      }
    };
    Edit.OnKeyUp = [this](int key, toolkit::ShiftState) { released.push_back(key); };
    Ok.bounds = {10, 50, 80, 30};
    Ok.modalResult = toolkit::mr::kOK;
    Ok.isDefault = true;
    Ok.tabOrder = 1;
    Cancel.bounds = {100, 50, 80, 30};
    Cancel.modalResult = toolkit::mr::kCancel;
    Cancel.isCancel = true;
    Cancel.tabOrder = 2;
    SetActiveControl(&Edit);
  }

  toolkit::EditBox Edit{"Edit", this};
  toolkit::BitButton Ok{"Ok", this};
  toolkit::BitButton Cancel{"Cancel", this};
  std::string heard;
  std::vector<int> released;
  bool swallowEnter = false;
};

TEST(FormWindow, TypedKeysReachTheEditBoxsHandlerBeforeTheDialogButtons) {
  const struct {
    const char* what;
    bool swallowEnter;
    std::vector<Press> presses;
    int expected;
    std::string heard;
    std::string text;
  } cases[] = {
      {"Enter after the handler presses the default button",
       false,
       {{WM_CHAR, 'a'}, {WM_CHAR, 'x'}, {WM_CHAR, 'c'}, {WM_KEYDOWN, VK_RETURN}},
       toolkit::mr::kOK,
       "axc\r",
       "bc"},
      {"Escape presses the cancel button",
       false,
       {{WM_KEYDOWN, VK_ESCAPE}},
       toolkit::mr::kCancel,
       "\x1b",
       ""},
      {"an Enter the handler swallows presses nothing",
       true,
       {{WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_ESCAPE}},
       toolkit::mr::kCancel,
       "\r\x1b",
       ""},
  };
  for (const auto& [what, swallowEnter, presses, expected, heard, text] : cases) {
    HelpWindow help;
    NativeModalHost host;
    toolkit::Application app(host, help);
    KeyForm form;
    form.swallowEnter = swallowEnter;
    FormWindow window(app, form, nullptr);
    host.AddWindow(window);
    HWND edit = ::GetWindow(window.Handle(), GW_CHILD);
    for (const Press& press : presses) {
      ::PostMessageW(press.message == WM_CLOSE ? window.Handle() : edit, press.message, press.key,
                     0);
    }
    EXPECT_EQ(app.ShowModal(form), expected) << what;
    EXPECT_EQ(form.heard, heard) << what;
    EXPECT_EQ(form.Edit.Text(), text) << what;
    EXPECT_FALSE(::IsWindowVisible(window.Handle())) << what;
  }
}

TEST(FormWindow, AKeyReleasedWithoutItsPressIsNotTheControlsKeyUp) {
  HelpWindow help;
  NativeModalHost host;
  toolkit::Application app(host, help);
  KeyForm form;
  FormWindow window(app, form, nullptr);
  host.AddWindow(window);
  HWND edit = ::GetWindow(window.Handle(), GW_CHILD);
  ::PostMessageW(edit, WM_KEYUP, VK_DELETE, 0);  // its press went to another window
  ::PostMessageW(edit, WM_KEYDOWN, 'D', 0);
  ::PostMessageW(edit, WM_KEYUP, 'D', 0);
  ::PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.ShowModal(form), toolkit::kCloseBoxResult);
  EXPECT_EQ(form.released, std::vector<int>{'D'});
}

// A dialog with a check box, a group of three radio buttons whose tab order is not their
// construction order, and OK and Cancel buttons.
class ChoiceForm : public toolkit::Form {
 public:
  ChoiceForm() : toolkit::Form("ChoiceForm") {
    bounds = {0, 0, 300, 200};
    borderStyle = toolkit::BorderStyle::kDialog;
    Box.bounds = {10, 10, 120, 20};
    Box.tabOrder = 0;
    Group.bounds = {10, 40, 150, 100};
    Group.tabOrder = 1;
    const int tabs[] = {0, 2, 1};
    for (int i = 0; i < 3; ++i) {
      Choices[i].bounds = {10, 20 + 25 * i, 120, 20};
      Choices[i].tabOrder = tabs[i];
    }
    Choices[2].SetChecked(true);
    Ok.bounds = {180, 40, 90, 30};
    Ok.isDefault = true;
    Ok.tabOrder = 2;
    Cancel.bounds = {180, 90, 90, 30};
    Cancel.isCancel = true;
    Cancel.tabOrder = 3;
    SetActiveControl(&Box);
  }

  toolkit::CheckBox Box{"Box", this};
  toolkit::GroupBox Group{"Group", this};
  toolkit::RadioButton Choices[3] = {{"A", &Group}, {"B", &Group}, {"C", &Group}};
  toolkit::BitButton Ok{"Ok", this};
  toolkit::BitButton Cancel{"Cancel", this};
};

// Handles what is queued, as the program's loop does.
void Settle() {
  PumpMessages([] {
    MSG waiting{};
    return ::PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE) == 0;
  });
}

// The window of a form, shown and active.
template <class FormType>
struct Shown {
  Shown() {
    host.AddWindow(window);
    app.Dispatch([this] { form.Show(); });
    ::SetForegroundWindow(window.Handle());
  }
  HWND View(const toolkit::Control& control) const { return window.ViewOf(&control); }
  void Press(WPARAM key) const {
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, key, 0);
    ::PostMessageW(::GetFocus(), WM_KEYUP, key, 0);
    Settle();
  }

  HelpWindow help;
  NativeModalHost host;
  toolkit::Application app{host, help};
  FormType form;
  FormWindow window{app, form, nullptr};
};

using ShownChoices = Shown<ChoiceForm>;

// After each box, the window that was active has the keyboard again, so a second key reaches it.
TEST(MessageBoxWindow, TheWindowActiveBeforeTheBoxIsActiveAfterIt) {
  const Shown<KeyForm> shown;
  const FormWindow& window = shown.window;
  ASSERT_EQ(::GetActiveWindow(), window.Handle());
  const auto question =
      Request({MessageButton::kYes, MessageButton::kNo}, MessageButton::kYes, MessageButton::kNo);
  for (int time = 0; time < 2; ++time) {
    MessageBoxWindow box(question, nullptr);
    ::PostMessageW(box.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(box.Run(), 7) << time;
    EXPECT_EQ(::GetActiveWindow(), window.Handle()) << time;
    EXPECT_EQ(::GetFocus(), ::GetWindow(window.Handle(), GW_CHILD)) << "the edit box, " << time;
  }
}

// The desktop service names screens as the system names its monitors; so does the window.
TEST(FormWindow, TheFormKnowsTheScreenItsWindowStandsOnWhileTheWindowLives) {
  HelpWindow help;
  NativeModalHost host;
  toolkit::Application app(host, help);
  KeyForm form;
  {
    FormWindow window(app, form, nullptr);
    EXPECT_EQ(form.ScreenName(), "\\\\.\\DISPLAY1");
  }
  EXPECT_EQ(form.ScreenName(), "");
}

// Tab enters the group at its checked button without checking another; the arrow keys move the
// choice in the group's tab order, wrapping; Tab leaves the group for the next control.
TEST(FormWindow, ARadioGroupIsOneTabStopAndTheArrowsMoveItsChoice) {
  ShownChoices shown;
  const auto& choices = shown.form.Choices;
  ASSERT_EQ(::GetFocus(), shown.View(shown.form.Box));
  const struct {
    WPARAM key;
    const toolkit::Control* focused;
    const toolkit::RadioButton* checked;
  } steps[] = {
      {VK_TAB, &choices[2], &choices[2]},     {VK_DOWN, &choices[1], &choices[1]},
      {VK_DOWN, &choices[0], &choices[0]},    {VK_UP, &choices[1], &choices[1]},
      {VK_TAB, &shown.form.Ok, &choices[1]},  {VK_TAB, &shown.form.Cancel, &choices[1]},
      {VK_TAB, &shown.form.Box, &choices[1]}, {VK_TAB, &choices[1], &choices[1]},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    shown.Press(steps[i].key);
    EXPECT_EQ(::GetFocus(), shown.View(*steps[i].focused)) << "step " << i;
    for (const auto& choice : choices) {
      EXPECT_EQ(choice.Checked(), &choice == steps[i].checked) << "step " << i;
    }
  }
}

// A double click on a check box is two clicks: the box toggles twice.
TEST(FormWindow, ADoubleClickOnACheckBoxTogglesItTwice) {
  ShownChoices shown;
  HWND box = shown.View(shown.form.Box);
  const LPARAM inside = MAKELPARAM(5, 5);
  ::PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  ::PostMessageW(box, WM_LBUTTONUP, 0, inside);
  Settle();
  EXPECT_TRUE(shown.form.Box.Checked());
  ::PostMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
  ::PostMessageW(box, WM_LBUTTONUP, 0, inside);
  Settle();
  EXPECT_FALSE(shown.form.Box.Checked());
}

// The colour at the middle of the top edge of the button as it shows now.
COLORREF TopEdgeOf(HWND button) {
  ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT frame{};
  ::GetClientRect(button, &frame);
  HDC dc = ::GetDC(button);
  const COLORREF top = ::GetPixel(dc, frame.right / 2, 0);
  ::ReleaseDC(button, dc);
  return top;
}

// The same colour of a push button of the button's size drawn as a default button: by the theme,
// or without one in the window frame's colour.
COLORREF DefaultTopEdgeOf(HWND button) {
  HTHEME theme = ::OpenThemeData(button, L"BUTTON");
  if (theme == nullptr) {
    return ::GetSysColor(COLOR_WINDOWFRAME);
  }
  RECT frame{};
  ::GetClientRect(button, &frame);
  HDC screen = ::GetDC(button);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, frame.right, frame.bottom);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  ::DrawThemeBackground(theme, dc, BP_PUSHBUTTON, PBS_DEFAULTED, &frame, nullptr);
  const COLORREF top = ::GetPixel(dc, frame.right / 2, 0);
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  ::ReleaseDC(button, screen);
  ::CloseThemeData(theme);
  return top;
}

bool WearsTheDefaultFrame(HWND button) {
  return TopEdgeOf(button) == DefaultTopEdgeOf(button);
}

// The default button wears its frame while the focus is on a control that is no push button, or
// on itself; another push button with the focus wears it instead.
TEST(FormWindow, TheDefaultButtonsFrameFollowsTheFocus) {
  ShownChoices shown;
  HWND ok = shown.View(shown.form.Ok);
  HWND cancel = shown.View(shown.form.Cancel);
  const struct {
    const toolkit::Control* focused;
    bool okFramed;
    bool cancelFramed;
  } cases[] = {
      {&shown.form.Box, true, false},
      {&shown.form.Cancel, false, true},
      {&shown.form.Choices[2], true, false},
      {&shown.form.Ok, true, false},
  };
  for (const auto& [focused, okFramed, cancelFramed] : cases) {
    ::SetFocus(shown.View(*focused));
    Settle();
    EXPECT_EQ(WearsTheDefaultFrame(ok), okFramed) << focused->Name();
    EXPECT_EQ(WearsTheDefaultFrame(cancel), cancelFramed) << focused->Name();
  }
}

// Help opens beside the window it helps, to its right or, without room there, to its left, level
// with its top; Escape closes it and gives the keyboard back to that window.
TEST(HelpWindow, OpensBesideTheWindowItHelpsAndClosesOnEscape) {
  ShownChoices shown;
  HWND helped = shown.window.Handle();
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer{};
  ::GetWindowRect(helped, &outer);
  const int width = outer.right - outer.left;
  const struct {
    int left;
    bool toTheRight;
  } cases[] = {{100, true}, {static_cast<int>(work.right) - width, false}};
  for (const auto& [left, toTheRight] : cases) {
    ::SetWindowPos(helped, nullptr, left, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetForegroundWindow(helped);
    ASSERT_EQ(::GetActiveWindow(), helped);
    shown.help.ShowHelp("z:\\nulle-part\\Fondex.hlp", 3);
    RECT help{};
    ::GetWindowRect(shown.help.Handle(), &help);
    EXPECT_EQ(help.top, 120) << left;
    if (toTheRight) {
      EXPECT_EQ(help.left, left + width);
    } else {
      EXPECT_EQ(help.right, left);
    }
    shown.Press(VK_ESCAPE);
    EXPECT_FALSE(::IsWindowVisible(shown.help.Handle())) << left;
    EXPECT_EQ(::GetActiveWindow(), helped) << left;
  }
}

// Runs the thread's messages until done() holds or the time has passed.
void PumpFor(ULONGLONG milliseconds, const std::function<bool()>& done) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  const UINT_PTR awake = ::SetTimer(nullptr, 0, 10, nullptr);
  PumpMessages([&done, end] { return done() || ::GetTickCount64() >= end; });
  ::KillTimer(nullptr, awake);
}

class SpinForm : public toolkit::Form {
 public:
  SpinForm() : toolkit::Form("SpinForm") {
    bounds = {0, 0, 100, 100};
    borderStyle = toolkit::BorderStyle::kDialog;
    Spin.bounds = {10, 10, 20, 26};
    Spin.OnUpClick = [this] { ups.push_back(::GetTickCount64()); };
    Spin.OnDownClick = [this] { ++downs; };
  }

  toolkit::SpinButton Spin{"Spin", this};
  std::vector<ULONGLONG> ups;
  int downs = 0;
};

// A half held down clicks at once, again 400 ms later and then every 100 ms. Timers never tick
// early and a busy machine may make them late: each click comes no sooner than its time from
// the first click, less one tick of the system's timer, and before the click after it is due.
TEST(SpinWindow, AHeldHalfRepeatsAfterTheDelayThenAtTheInterval) {
  Shown<SpinForm> shown;
  SpinForm& form = shown.form;
  HWND spin = shown.View(form.Spin);
  RECT client{};
  ::GetClientRect(spin, &client);
  const LPARAM upper = MAKELPARAM(client.right / 2, 2);
  ::PostMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, upper);
  PumpFor(3000, [&form] { return form.ups.size() >= 5; });
  ::PostMessageW(spin, WM_LBUTTONUP, 0, upper);
  ASSERT_EQ(form.ups.size(), 5U);
  constexpr ULONGLONG kTick = 16;
  for (std::size_t i = 1; i < form.ups.size(); ++i) {
    const ULONGLONG due = 400 + 100 * (i - 1);
    EXPECT_GE(form.ups[i] - form.ups[0], due - kTick) << i;
    EXPECT_LT(form.ups[i] - form.ups[0], due + 100) << i;
  }
  // Released, it stops.
  PumpFor(300, [] { return false; });
  EXPECT_EQ(form.ups.size(), 5U);
  EXPECT_EQ(form.downs, 0);
}

}  // namespace
}  // namespace fondex::win32ui
