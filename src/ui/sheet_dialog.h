// 年間一覧表作成 (dlgSheet) of the ファイル menu: the first month of the
// one-sheet year calendar, each category's mark (a symbol and a short label,
// chosen automatically and changed here) and a preview of the first month
// with those marks. O K keeps the marks in the document when they changed;
// writing the sheet is the caller's.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "core/calendar_document.h"
#include "core/sheet_mark.h"
#include "output/evaluation.h"
#include "ui/month_range.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace dustora {

class SheetDialog : public QDialog {
  Q_OBJECT

 public:
  // `years` are the main window's years; `year` and `month` the start shown.
  SheetDialog(CalendarDocument& document, const OutputSources& sources, const QStringList& years, const QString& year,
              const QString& month, QWidget* parent = nullptr);

  // The choice as O K left it.
  const MonthRange& Range() const { return range_; }
  // Whether O K changed the document's marks.
  [[nodiscard]] bool MarksChanged() const { return marks_changed_; }

 private:
  void ShowRow(int row);
  void ShowChosenMark();
  void ChangeSymbol(int symbol);
  void ChangeLabel(const QString& text);
  void ReturnToAutomatic();
  void ShowPreview();
  bool Acceptable();
  void Store();

  CalendarDocument& document_;
  const OutputSources& sources_;
  std::vector<SheetMark> automatic_;
  std::vector<SheetMark> marks_;
  MonthRange range_;
  QListWidget* list_ = nullptr;
  QComboBox* symbol_ = nullptr;
  QLineEdit* label_ = nullptr;
  QLabel* preview_ = nullptr;
  bool marks_changed_ = false;
};

}  // namespace dustora
