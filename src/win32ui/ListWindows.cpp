#include "win32ui/ListWindows.h"

#include "win32ui/Glyphs.h"
#include "win32ui/Layout.h"
#include "win32ui/Text.h"

namespace fondex::win32ui {
namespace {

constexpr DWORD kListStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

}  // namespace

ItemListWindow::ItemListWindow(toolkit::Control& model, const std::vector<std::string>& items,
                               int itemHeight, DWORD style, HWND form, int id)
    : ControlWindow(model,
                    CreateChild(L"LISTBOX", "", kListStyle | style, form, id, WS_EX_CLIENTEDGE)),
      items_(items),
      itemHeight_(itemHeight) {}

void ItemListWindow::LayOut(UINT dpi) {
  ControlWindow::LayOut(dpi);
  ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, Scaled(itemHeight_, dpi));
}

bool ItemListWindow::Command(WORD code) {
  if (code == LBN_SELCHANGE) {
    UserSelected(static_cast<int>(::SendMessageW(Handle(), LB_GETCURSEL, 0, 0)));
  } else if (code == LBN_DBLCLK) {
    DoubleClicked();
  }
  return code == LBN_SETFOCUS;
}

void ItemListWindow::ShowItems(int selected) {
  ::SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  ::SendMessageW(Handle(), LB_INITSTORAGE, items_.size(), 0);
  for (const std::string& item : items_) {
    ::SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  }
  ::SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(Handle(), nullptr, TRUE);
  ShowSelection(selected);
}

// Setting the selection by message reports nothing back: no notification to undo.
void ItemListWindow::ShowSelection(int selected) {
  ::SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

ListBoxWindow::ListBoxWindow(toolkit::Application& app, toolkit::ListBox& model, HWND form, int id)
    : ItemListWindow(model, LBS_HASSTRINGS, form, id), app_(app), list_(model) {}

void ListBoxWindow::UserSelected(int index) {
  app_.Dispatch([this, index] { list_.UserSelect(index); });
}

FileListWindow::FileListWindow(toolkit::Application& app, toolkit::FileListBox& model, HWND form,
                               int id)
    : ItemListWindow(model, LBS_HASSTRINGS | (model.showGlyphs ? LBS_OWNERDRAWFIXED : 0), form, id),
      app_(app),
      list_(model) {}

void FileListWindow::UserSelected(int index) {
  app_.Dispatch([this, index] { list_.SetItemIndex(index); });
}

void FileListWindow::DoubleClicked() {
  if (list_.OnDblClick) {
    app_.Dispatch([this] { list_.OnDblClick(); });
  }
}

void FileListWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= list_.Items().size()) {
    return;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  RECT row = item.rcItem;
  ::FillRect(item.hDC, &row, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int side = row.bottom - row.top - 2;
  DrawGlyph(item.hDC, "fichier",
            RECT{row.left + 1, row.top + 1, row.left + 1 + side, row.bottom - 1}, false);
  row.left += side + 4;
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::wstring name = Widen(list_.Items()[item.itemID]);
  ::DrawTextW(item.hDC, name.c_str(), static_cast<int>(name.size()), &row,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0) {
    ::DrawFocusRect(item.hDC, &item.rcItem);
  }
}

}  // namespace fondex::win32ui
