#include "ui/report_list.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

#include "ui/help.h"
#include "ui/qt_text.h"

namespace dustora {

ReportList::ReportList(const char* name, std::vector<Column> columns, QWidget* parent)
    : QTreeWidget(parent), columns_(std::move(columns)) {
  setObjectName(ToQt(name));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSortingEnabled(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setToolTip(ToQt(kHelpTip));
  ShowCutTextsInTips(this);
  setColumnCount(static_cast<int>(columns_.size()));
  QTreeWidgetItem* header = headerItem();
  for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
    header->setText(i, ToQt(columns_[static_cast<std::size_t>(i)].caption));
    header->setData(i, Qt::UserRole, ToQt(columns_[static_cast<std::size_t>(i)].key));
  }
  this->header()->setSectionsMovable(false);
  this->header()->setStretchLastSection(false);
  SetColumnWidths();
}

QTreeWidgetItem* ReportList::SelectedRow() const {
  const QList<QTreeWidgetItem*> rows = selectedItems();
  return rows.isEmpty() ? nullptr : rows.front();
}

QTreeWidgetItem* ReportList::AppendRow(const QStringList& texts) {
  auto* row = new QTreeWidgetItem(texts);
  addTopLevelItem(row);
  return row;
}

void ReportList::ChooseRow(QTreeWidgetItem* row) {
  setCurrentItem(row);
  row->setSelected(true);
  scrollToItem(row);
  setFocus();
}

void ReportList::Deselect() {
  clearSelection();
  setCurrentItem(nullptr);
}

std::vector<QStringList> ReportList::Rows() const {
  std::vector<QStringList> rows;
  for (int i = 0; i < topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = topLevelItem(i);
    QStringList texts;
    for (int column = 0; column < columnCount(); ++column) texts << item->text(column);
    rows.push_back(texts);
  }
  return rows;
}

void ReportList::resizeEvent(QResizeEvent* event) {
  QTreeWidget::resizeEvent(event);
  SetColumnWidths();
}

void ReportList::SetColumnWidths() {
  for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
    setColumnWidth(i, width() * columns_[static_cast<std::size_t>(i)].percent / 100);
  }
}

namespace {

class CutTextTips : public QObject {
 public:
  explicit CutTextTips(QAbstractItemView* view) : QObject(view), view_(view) {
    view->viewport()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = view_->indexAt(help->pos());
    if (!index.isValid()) return false;
    // What of the cell shows: a list that scrolls sideways has cells as wide
    // as their texts, cut by the viewport.
    const QRect cell = view_->visualRect(index).intersected(view_->viewport()->rect());
    if (view_->sizeHintForIndex(index).width() <= cell.width()) return false;
    QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(), view_->viewport(), cell);
    return true;
  }

 private:
  QAbstractItemView* view_;
};

}  // namespace

void ShowCutTextsInTips(QAbstractItemView* view) {
  new CutTextTips(view);
}

}  // namespace dustora
