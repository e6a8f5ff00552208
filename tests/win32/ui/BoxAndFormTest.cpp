// The message box and a form's window, driven by the keys the user would press: each key is
// queued before the window's modal loop starts, and the loop handles it as it would the user's.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "win32ui/FormWindow.h"
#include "win32ui/HelpWindow.h"
#include "win32ui/MessageBoxWindow.h"
#include "win32ui/NativeModalHost.h"

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

// After each box, the window that was active has the keyboard again, so a second key reaches it.
TEST(MessageBoxWindow, TheWindowActiveBeforeTheBoxIsActiveAfterIt) {
  HelpWindow help;
  NativeModalHost host;
  toolkit::Application app(host, help);
  KeyForm form;
  FormWindow window(app, form, nullptr);
  app.Dispatch([&form] { form.Show(); });
  ::SetForegroundWindow(window.Handle());
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

}  // namespace
}  // namespace fondex::win32ui
