#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/FileListBox.h"
#include "toolkit/ListBox.h"
#include "win32ui/ControlWindows.h"

namespace fondex::win32ui {

// A single-selection list box over the items of a list model, in the model's order (the model
// keeps its own sorting, so indexes agree). Selections made by the program are shown without
// being reported back as the user's.
class ItemListWindow : public ControlWindow {
 public:
  void LayOut(UINT dpi) override;
  bool Command(WORD code) override;

 protected:
  // The list model's items, height, signals and selection.
  template <class List>
  ItemListWindow(List& list, DWORD style, HWND form, int id)
      : ItemListWindow(list, list.Items(), list.itemHeight, style, form, id) {
    itemsChanged_.emplace(list.ItemsChanged, [this, &list] { ShowItems(list.ItemIndex()); });
    selectionChanged_.emplace(list.SelectionChanged,
                              [this, &list] { ShowSelection(list.ItemIndex()); });
    ShowItems(list.ItemIndex());
    Refresh();
  }
  void ShowItems(int selected);
  void ShowSelection(int selected);
  // The user selected an item (-1: none), with the mouse or the keyboard.
  virtual void UserSelected(int index) = 0;
  virtual void DoubleClicked() {}

 private:
  ItemListWindow(toolkit::Control& model, const std::vector<std::string>& items, int itemHeight,
                 DWORD style, HWND form, int id);

  const std::vector<std::string>& items_;
  int itemHeight_;
  std::optional<toolkit::Binding> itemsChanged_;
  std::optional<toolkit::Binding> selectionChanged_;
};

class ListBoxWindow : public ItemListWindow {
 public:
  ListBoxWindow(toolkit::Application& app, toolkit::ListBox& model, HWND form, int id);

 private:
  void UserSelected(int index) override;

  toolkit::Application& app_;
  toolkit::ListBox& list_;
};

// The file list, each file with the file glyph when the model asks for it; a double click goes
// to the model's handler.
class FileListWindow : public ItemListWindow {
 public:
  FileListWindow(toolkit::Application& app, toolkit::FileListBox& model, HWND form, int id);
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void UserSelected(int index) override;
  void DoubleClicked() override;

  toolkit::Application& app_;
  toolkit::FileListBox& list_;
};

}  // namespace fondex::win32ui
