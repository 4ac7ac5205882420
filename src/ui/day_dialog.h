// 臨時の収集日と休みの設定 (dlgDay): the open document's dated changes (a
// category collected on a day its rules do not give it, or not collected on
// a day they do, on one date or every year) and the categories not
// collected on holidays. Built like the no-collection period editor: a list
// sorted by date, entry fields, 登録/削除/新規. O K stores both into the
// document; ｷｬﾝｾﾙ and the close box change nothing.
#pragma once

#include <QDialog>

#include "core/calendar_document.h"
#include "settings/settings.h"
#include "ui/list_editor_buttons.h"
#include "ui/report_list.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace dustora {

class ChoiceComboBox;

class DayDialog : public QDialog {
  Q_OBJECT

 public:
  DayDialog(CalendarDocument& document, const AppSettings& settings, QWidget* parent = nullptr);
  // Whether O K changed the document.
  [[nodiscard]] bool changed() const { return changed_; }

 private:
  void Load(const AppSettings& settings);
  void SetEditBox();
  // The change the fields say, or none (and a box says what is missing).
  std::optional<DayChange> FieldChange(bool tell);
  bool Unregistered();
  void Register();
  void Delete();
  void NewEntry();
  void Store();
  void ClearEditFields();
  // [すべて] is offered only for a day without collection.
  void OfferEveryCategory();
  void ShowRow(QTreeWidgetItem& row, const DayChange& change);
  void SortRows();

  CalendarDocument& document_;
  bool changed_ = false;
  ReportList* list_ = nullptr;
  QLabel* date_ = nullptr;
  QPushButton* pick_date_ = nullptr;
  QCheckBox* every_year_ = nullptr;
  QRadioButton* collect_ = nullptr;
  QRadioButton* no_collect_ = nullptr;
  ChoiceComboBox* category_ = nullptr;
  QListWidget* holiday_ = nullptr;
  ListEditorButtons buttons_;
};

// mnuDay: opens dlgDay over the main window; whether the document changed.
bool ShowDayEditor(QWidget* main_window, CalendarDocument& document, const AppSettings& settings);

}  // namespace dustora
