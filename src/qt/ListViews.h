#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QListView>
#include <string>
#include <vector>

#include "qt/Binding.h"
#include "toolkit/Application.h"
#include "toolkit/FileListBox.h"
#include "toolkit/ListBox.h"

namespace fondex::qt {

// The items of a list model as Qt rows, read on demand: no widget and no copy per item.
class ItemModel : public QAbstractListModel {
 public:
  ItemModel(const std::vector<std::string>& items, QIcon glyph, QObject* parent);
  int rowCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // The items changed as a whole.
  void Reload();

 private:
  const std::vector<std::string>& items_;
  QIcon glyph_;
};

// A single-selection list of fixed-height rows over one of the list models. Selections made by
// the program are shown without being reported back as the user's.
class ItemListView : public QListView {
 protected:
  ItemListView(toolkit::Application& app, toolkit::Control& model,
               const std::vector<std::string>& items, int itemHeight, QIcon glyph, QWidget* parent);

  // The model's items or selection changed.
  void ShowItems(int selected);
  void ShowSelection(int selected);
  // The user selected a row (-1: none), with the mouse or the keyboard.
  virtual void UserSelected(int row) = 0;

  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

  toolkit::Application& app_;

 private:
  void ShowState();
  void SelectionChangedByUser();

  toolkit::Control& model_;
  ItemModel items_;
  bool showingModel_ = false;
  Binding changed_;
};

class ListBoxView : public ItemListView {
 public:
  ListBoxView(toolkit::Application& app, toolkit::ListBox& model, QWidget* parent);

 private:
  void UserSelected(int row) override;

  toolkit::ListBox& list_;
  Binding itemsChanged_;
  Binding selectionChanged_;
};

// The file list; a double click anywhere in it goes to the model's handler.
class FileListBoxView : public ItemListView {
 public:
  FileListBoxView(toolkit::Application& app, toolkit::FileListBox& model, QWidget* parent);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void UserSelected(int row) override;

  toolkit::FileListBox& list_;
  Binding itemsChanged_;
  Binding selectionChanged_;
};

}  // namespace fondex::qt
