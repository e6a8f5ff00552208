#include "win32ui/ControlWindows.h"

#include <algorithm>

#include "toolkit/Controls.h"
#include "toolkit/Error.h"
#include "toolkit/FormKeys.h"
#include "win32ui/Glyphs.h"
#include "win32ui/Layout.h"
#include "win32ui/ListWindows.h"
#include "win32ui/Text.h"
#include "win32ui/Window.h"

namespace fondex::win32ui {

HWND CreateChild(const wchar_t* className, const std::string& text, DWORD style, HWND form, int id,
                 DWORD exStyle) {
  return ::CreateWindowExW(exStyle, className, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                           0, 0, 0, 0, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ProgramInstance(), nullptr);
}

ControlWindow::ControlWindow(toolkit::Control& model, HWND hwnd)
    : model_(model), hwnd_(hwnd), changed_(model.Changed, [this] { Refresh(); }) {}

void ControlWindow::LayOut(UINT dpi) {
  const RECT place = PlaceInForm(model_, dpi);
  ::SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(model_, dpi)), TRUE);
}

bool ControlWindow::Command(WORD /*code*/) {
  return false;
}

void ControlWindow::DrawItem(const DRAWITEMSTRUCT& /*item*/) {}

LRESULT ControlWindow::Notify(const NMHDR& /*header*/) {
  return 0;
}

void ControlWindow::Refresh() {
  if ((::IsWindowEnabled(hwnd_) != 0) != model_.Enabled()) {
    ::EnableWindow(hwnd_, model_.Enabled() ? TRUE : FALSE);
  }
  if (((::GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0) != model_.Visible()) {
    ::ShowWindow(hwnd_, model_.Visible() ? SW_SHOWNA : SW_HIDE);
  }
  ShowContent();
}

namespace {

std::wstring WideTextOf(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetTextIfChanged(HWND hwnd, const std::string& text) {
  const std::wstring wide = Widen(text);
  if (WideTextOf(hwnd) != wide) {
    ::SetWindowTextW(hwnd, wide.c_str());
  }
}

DWORD AlignmentOf(const toolkit::Label& label) {
  if (label.centred) {
    return SS_CENTER;
  }
  return label.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

// A label grows to show its whole text, as the designed one sized itself to it: a wider line to
// the right, wrapped text downwards.
class LabelWindow : public ControlWindow {
 public:
  LabelWindow(toolkit::Label& model, HWND form, int id)
      : ControlWindow(model,
                      CreateChild(L"STATIC", model.Caption(),
                                  SS_NOPREFIX | SS_NOTIFY | AlignmentOf(model), form, id, 0)),
        label_(model) {
    Refresh();
  }

  void LayOut(UINT dpi) override {
    ControlWindow::LayOut(dpi);
    RECT place = PlaceInForm(label_, dpi);
    HDC dc = ::GetDC(Handle());
    HGDIOBJ old = ::SelectObject(dc, FontOf(label_, dpi));
    RECT needed = place;
    ::DrawTextW(dc, Widen(label_.Caption()).c_str(), -1, &needed,
                DT_CALCRECT | DT_NOPREFIX | (label_.wordWrap ? DT_WORDBREAK : DT_SINGLELINE));
    ::SelectObject(dc, old);
    ::ReleaseDC(Handle(), dc);
    place.right = std::max(place.right, label_.wordWrap ? place.right : needed.right);
    place.bottom = std::max(place.bottom, needed.bottom);
    ::SetWindowPos(Handle(), nullptr, 0, 0, place.right - place.left, place.bottom - place.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  void ShowContent() override { SetTextIfChanged(Handle(), label_.Caption()); }
  toolkit::Label& label_;
};

// An edit box: what the user types becomes the model's text. Typed characters reach the model's
// key-press handler through the form, before the control sees them.
class EditWindow : public ControlWindow {
 public:
  EditWindow(toolkit::Application& app, toolkit::EditBox& model, HWND form, int id)
      : ControlWindow(model, CreateChild(L"EDIT", model.Text(), WS_TABSTOP | ES_AUTOHSCROLL, form,
                                         id, WS_EX_CLIENTEDGE)),
        app_(app),
        edit_(model) {
    Refresh();
  }

  bool Command(WORD code) override {
    if (code == EN_CHANGE && !showing_) {
      app_.Dispatch([this] { edit_.SetText(Narrow(WideTextOf(Handle()))); });
    }
    return code == EN_SETFOCUS;
  }

 private:
  void ShowContent() override {
    showing_ = true;
    ::SendMessageW(Handle(), EM_SETREADONLY, edit_.readOnly ? TRUE : FALSE, 0);
    SetTextIfChanged(Handle(), edit_.Text());
    showing_ = false;
  }

  toolkit::Application& app_;
  toolkit::EditBox& edit_;
  bool showing_ = false;
};

// A check box or a radio button. The model decides the check mark: a click goes to the model (a
// check box toggles, a radio button checks itself and unchecks its siblings), which the view
// then shows.
template <typename Button>
class CheckableWindow : public ControlWindow {
 public:
  static constexpr bool kRadio = std::is_same_v<Button, toolkit::RadioButton>;

  CheckableWindow(toolkit::Application& app, Button& model, HWND form, int id)
      : ControlWindow(
            model, CreateChild(L"BUTTON", model.Caption(),
                               BS_NOTIFY | (kRadio ? BS_RADIOBUTTON : BS_CHECKBOX), form, id, 0)),
        app_(app),
        button_(model) {
    Refresh();
  }

  bool Command(WORD code) override {
    if (code == BN_CLICKED) {
      app_.Dispatch([this] {
        if constexpr (kRadio) {
          button_.SetChecked(true);
        } else {
          button_.Toggle();
        }
      });
      Refresh();
    }
    return code == BN_SETFOCUS;
  }

 private:
  void ShowContent() override {
    SetTextIfChanged(Handle(), button_.Caption());
    ::SendMessageW(Handle(), BM_SETCHECK, button_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  toolkit::Application& app_;
  Button& button_;
};

void DrawButtonFace(HWND hwnd, HDC dc, RECT frame, UINT state) {
  const bool pushed = (state & ODS_SELECTED) != 0;
  const bool disabled = (state & ODS_DISABLED) != 0;
  if (HTHEME theme = ::OpenThemeData(hwnd, L"BUTTON")) {
    const int part = disabled ? PBS_DISABLED : pushed ? PBS_PRESSED : PBS_NORMAL;
    ::DrawThemeBackground(theme, dc, BP_PUSHBUTTON, part, &frame, nullptr);
    ::CloseThemeData(theme);
    return;
  }
  ::DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
}

// A push button with a glyph, drawn by the program; Enter and Escape are the form's business.
class BitButtonWindow : public ControlWindow {
 public:
  BitButtonWindow(toolkit::Application& app, toolkit::BitButton& model, HWND form, int id)
      : ControlWindow(model, CreateChild(L"BUTTON", model.caption,
                                         WS_TABSTOP | BS_OWNERDRAW | BS_NOTIFY, form, id, 0)),
        app_(app),
        button_(model) {
    Refresh();
  }

  bool Command(WORD code) override {
    if (code == BN_CLICKED) {
      app_.Dispatch([this] { button_.Click(); });
    }
    return code == BN_SETFOCUS;
  }

  void DrawItem(const DRAWITEMSTRUCT& item) override {
    constexpr int kMargin = 4;
    constexpr int kSmallest = 12;
    constexpr int kLargest = 24;
    RECT frame = item.rcItem;
    DrawButtonFace(Handle(), item.hDC, frame, item.itemState);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const int height = frame.bottom - frame.top;
    const UINT dpi = ::GetDpiForWindow(Handle());
    const int side =
        std::clamp(height - 2 * kMargin, Scaled(kSmallest, dpi), Scaled(kLargest, dpi));
    HDC dc = item.hDC;
    const std::wstring caption = Widen(button_.caption);
    SIZE text{};
    HGDIOBJ old = ::SelectObject(dc, FontOf(button_, dpi));
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    const int gap = caption.empty() ? 0 : kMargin;
    const int pushed = (item.itemState & ODS_SELECTED) != 0 ? 1 : 0;
    int left = frame.left + (frame.right - frame.left - side - gap - text.cx) / 2 + pushed;
    const int top = frame.top + (height - side) / 2 + pushed;
    DrawGlyph(dc, toolkit::GlyphOf(button_), RECT{left, top, left + side, top + side}, disabled);
    left += side + gap;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    ::TextOutW(dc, left, frame.top + (height - text.cy) / 2 + pushed, caption.c_str(),
               static_cast<int>(caption.size()));
    ::SelectObject(dc, old);
    if ((item.itemState & ODS_FOCUS) != 0) {
      ::InflateRect(&frame, -3, -3);
      ::DrawFocusRect(dc, &frame);
    }
  }

 private:
  toolkit::Application& app_;
  toolkit::BitButton& button_;
};

// The spin button: the system's up-down control, held in the middle of its range so that every
// click is one step up or down for the model.
class SpinWindow : public ControlWindow {
 public:
  SpinWindow(toolkit::Application& app, toolkit::SpinButton& model, HWND form, int id)
      : ControlWindow(model, CreateChild(UPDOWN_CLASSW, "", 0, form, id, 0)),
        app_(app),
        spin_(model) {
    ::SendMessageW(Handle(), UDM_SETRANGE32, 0, kRange);
    ::SendMessageW(Handle(), UDM_SETPOS32, 0, kRange / 2);
    Refresh();
  }

  LRESULT Notify(const NMHDR& header) override {
    if (header.code != UDN_DELTAPOS) {
      return 0;
    }
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    const std::function<void()>& handler = change.iDelta > 0 ? spin_.OnUpClick : spin_.OnDownClick;
    if (handler) {
      app_.Dispatch(handler);
    }
    return 1;  // the position stays where it is
  }

 private:
  static constexpr int kRange = 100;
  toolkit::Application& app_;
  toolkit::SpinButton& spin_;
};

// Bevels and panels only draw their edges: the controls on them stay visible.
class FrameWindow : public ControlWindow {
 public:
  FrameWindow(toolkit::Control& model, UINT edge, HWND form, int id)
      : ControlWindow(model, CreateChild(L"STATIC", "", SS_OWNERDRAW, form, id, WS_EX_TRANSPARENT)),
        edge_(edge) {
    ::SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Refresh();
  }

  void DrawItem(const DRAWITEMSTRUCT& item) override {
    RECT frame = item.rcItem;
    ::DrawEdge(item.hDC, &frame, edge_, BF_RECT);
  }

 private:
  UINT edge_;
};

class GroupBoxWindow : public ControlWindow {
 public:
  GroupBoxWindow(toolkit::GroupBox& model, HWND form, int id)
      : ControlWindow(model, CreateChild(L"BUTTON", model.caption, BS_GROUPBOX, form, id, 0)) {
    ::SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Refresh();
  }
};

// A picture: stretched over the control, or at its own size in the top-left corner.
class ImageWindow : public ControlWindow {
 public:
  ImageWindow(toolkit::Image& model, HWND form, int id)
      : ControlWindow(model, CreateChild(L"STATIC", "", SS_OWNERDRAW, form, id, 0)), image_(model) {
    Refresh();
  }

  void DrawItem(const DRAWITEMSTRUCT& item) override {
    constexpr int kNaturalSide = 116;
    const RECT& room = item.rcItem;
    const int side = image_.stretch ? std::min(room.right - room.left, room.bottom - room.top)
                                    : Scaled(kNaturalSide, ::GetDpiForWindow(Handle()));
    if (HICON icon = GlyphIcon(image_.picture, side)) {
      ::DrawIconEx(item.hDC, room.left, room.top, icon, side, side, 0, nullptr, DI_NORMAL);
    }
  }

 private:
  toolkit::Image& image_;
};

}  // namespace

std::unique_ptr<ControlWindow> CreateControlWindow(toolkit::Application& app,
                                                   toolkit::Control& control, HWND form, int id) {
  using toolkit::ControlKind;
  switch (control.Kind()) {
    case ControlKind::kLabel:
      return std::make_unique<LabelWindow>(static_cast<toolkit::Label&>(control), form, id);
    case ControlKind::kEditBox:
      return std::make_unique<EditWindow>(app, static_cast<toolkit::EditBox&>(control), form, id);
    case ControlKind::kCheckBox:
      return std::make_unique<CheckableWindow<toolkit::CheckBox>>(
          app, static_cast<toolkit::CheckBox&>(control), form, id);
    case ControlKind::kRadioButton:
      return std::make_unique<CheckableWindow<toolkit::RadioButton>>(
          app, static_cast<toolkit::RadioButton&>(control), form, id);
    case ControlKind::kListBox:
      return std::make_unique<ListBoxWindow>(app, static_cast<toolkit::ListBox&>(control), form,
                                             id);
    case ControlKind::kFileListBox:
      return std::make_unique<FileListWindow>(app, static_cast<toolkit::FileListBox&>(control),
                                              form, id);
    case ControlKind::kBitButton:
      return std::make_unique<BitButtonWindow>(app, static_cast<toolkit::BitButton&>(control), form,
                                               id);
    case ControlKind::kSpinButton:
      return std::make_unique<SpinWindow>(app, static_cast<toolkit::SpinButton&>(control), form,
                                          id);
    case ControlKind::kBevel:
      return std::make_unique<FrameWindow>(control, BDR_SUNKENOUTER, form, id);
    case ControlKind::kPanel: {
      const auto& panel = static_cast<const toolkit::Panel&>(control);
      const UINT edge =
          (panel.loweredOuter ? BDR_SUNKENOUTER : 0U) | (panel.raisedInner ? BDR_RAISEDINNER : 0U);
      return std::make_unique<FrameWindow>(control, edge, form, id);
    }
    case ControlKind::kGroupBox:
      return std::make_unique<GroupBoxWindow>(static_cast<toolkit::GroupBox&>(control), form, id);
    case ControlKind::kImage:
      return std::make_unique<ImageWindow>(static_cast<toolkit::Image&>(control), form, id);
    case ControlKind::kForm:
      break;
  }
  throw Error("Pépin : une fenêtre ne peut pas être le contrôle d'une autre");
}

}  // namespace fondex::win32ui
