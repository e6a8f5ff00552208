#include "qt/ListViews.h"

#include <QStyledItemDelegate>

#include "qt/ControlView.h"
#include "qt/Glyphs.h"
#include "qt/Text.h"

namespace fondex::qt {

namespace {

// Every row has the model's item height.
class FixedHeightDelegate : public QStyledItemDelegate {
 public:
  FixedHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  int height_;
};

}  // namespace

ItemModel::ItemModel(const std::vector<std::string>& items, QIcon glyph, QObject* parent)
    : QAbstractListModel(parent), items_(items), glyph_(std::move(glyph)) {}

int ItemModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

QVariant ItemModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(items_.size())) {
    return {};
  }
  if (role == Qt::DisplayRole) {
    return ToQt(items_[static_cast<std::size_t>(index.row())]);
  }
  if (role == Qt::DecorationRole && !glyph_.isNull()) {
    return glyph_;
  }
  return {};
}

void ItemModel::Reload() {
  beginResetModel();
  endResetModel();
}

ItemListView::ItemListView(toolkit::Application& app, toolkit::Control& model,
                           const std::vector<std::string>& items, int itemHeight, QIcon glyph,
                           QWidget* parent)
    : QListView(parent),
      app_(app),
      model_(model),
      items_(items, std::move(glyph), this),
      changed_(model.Changed, [this] { ShowState(); }) {
  ApplyDesign(*this, model);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(new FixedHeightDelegate(itemHeight, this));
  setIconSize(QSize(itemHeight - 2, itemHeight - 2));
  setModel(&items_);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { SelectionChangedByUser(); });
  ShowState();
}

void ItemListView::ShowState() {
  ApplyState(*this, model_);
}

void ItemListView::ShowItems(int selected) {
  showingModel_ = true;
  items_.Reload();
  showingModel_ = false;
  ShowSelection(selected);
}

void ItemListView::ShowSelection(int selected) {
  showingModel_ = true;
  const QModelIndex index = items_.index(selected, 0);
  if (index.isValid()) {
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
  } else {
    selectionModel()->clear();
  }
  showingModel_ = false;
}

void ItemListView::SelectionChangedByUser() {
  if (showingModel_) {
    return;
  }
  const QModelIndexList rows = selectionModel()->selectedRows();
  UserSelected(rows.isEmpty() ? -1 : rows.first().row());
}

// A click never takes the selection away, as in a single-selection list box.
QItemSelectionModel::SelectionFlags ItemListView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
  const QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
  if (index.isValid() &&
      flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
    return QItemSelectionModel::ClearAndSelect;
  }
  return flags;
}

ListBoxView::ListBoxView(toolkit::Application& app, toolkit::ListBox& model, QWidget* parent)
    : ItemListView(app, model, model.Items(), model.itemHeight, QIcon(), parent),
      list_(model),
      itemsChanged_(model.ItemsChanged, [this] { ShowItems(list_.ItemIndex()); }),
      selectionChanged_(model.SelectionChanged, [this] { ShowSelection(list_.ItemIndex()); }) {
  ShowSelection(model.ItemIndex());
}

void ListBoxView::UserSelected(int row) {
  app_.Dispatch([this, row] { list_.UserSelect(row); });
}

FileListBoxView::FileListBoxView(toolkit::Application& app, toolkit::FileListBox& model,
                                 QWidget* parent)
    : ItemListView(app, model, model.Items(), model.itemHeight,
                   model.showGlyphs ? GlyphIcon("fichier") : QIcon(), parent),
      list_(model),
      itemsChanged_(model.ItemsChanged, [this] { ShowItems(list_.ItemIndex()); }),
      selectionChanged_(model.SelectionChanged, [this] { ShowSelection(list_.ItemIndex()); }) {
  ShowSelection(model.ItemIndex());
}

void FileListBoxView::UserSelected(int row) {
  app_.Dispatch([this, row] { list_.SetItemIndex(row); });
}

void FileListBoxView::mouseDoubleClickEvent(QMouseEvent* event) {
  QListView::mouseDoubleClickEvent(event);
  if (list_.OnDblClick) {
    app_.Dispatch([this] { list_.OnDblClick(); });
  }
}

}  // namespace fondex::qt
