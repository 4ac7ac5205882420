// The list of the list editors: a list in report form whose rows keep the
// order they were added in, one row selected at a time, the selection
// following the current row however it moves. Columns take fixed shares of
// the list's width.
#pragma once

#include <QTreeWidget>
#include <vector>

class QAbstractItemView;
class QWidget;

namespace dustora {

class ReportList : public QTreeWidget {
  Q_OBJECT

 public:
  struct Column {
    const char* caption;
    const char* key;  // kept as the header's data
    int percent;      // share of the list's width
  };

  ReportList(const char* name, std::vector<Column> columns, QWidget* parent);

  // The selected row, or null.
  QTreeWidgetItem* SelectedRow() const;
  // Adds a row at the end without selecting it.
  QTreeWidgetItem* AppendRow(const QStringList& texts);
  // Selects a row, scrolls it into view and gives the list the focus.
  void ChooseRow(QTreeWidgetItem* row);
  // Leaves no row selected and none current.
  void Deselect();
  // The texts of every row, in list order.
  std::vector<QStringList> Rows() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void SetColumnWidths();

  std::vector<Column> columns_;
};

// Hovering a cell whose text its column (or the view's edge) cuts shows the
// whole text in a tooltip; elsewhere the view's own tooltip shows.
void ShowCutTextsInTips(QAbstractItemView* view);

}  // namespace dustora
