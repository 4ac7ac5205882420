// The holiday editor 祝祭日の確認と編集 (dlgHoliday): the holiday table and
// whether the page prints holiday names. It edits a list of its own; O K
// replaces the table and the option, ｷｬﾝｾﾙ changes nothing. Nothing is
// written here: the table file is written when the program ends.
#pragma once

#include <QDialog>

#include "session/session.h"
#include "ui/list_editor_buttons.h"
#include "ui/report_list.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dustora {

class HolidayDialog : public QDialog {
  Q_OBJECT

 public:
  explicit HolidayDialog(Session& session, QWidget* parent = nullptr);

 protected:
  // The list opens on this year: the first row dated on or after 1 January
  // of the current year stands at the top (the last row when none is).
  void showEvent(QShowEvent* event) override;

 private:
  Session& session_;
  void Load();
  void ShowSelection();
  // The date or the name holds what 登録 has not stored.
  bool Unregistered() const;
  void Register();
  // Puts a row where its date belongs: after every row dated on or before
  // it, so the list (and the file it is stored into) stays in date order.
  void PlaceByDate(QTreeWidgetItem* row, const Date& date);
  void Delete();
  void NewEntry();
  void Store();
  void ClearEditFields();

  ReportList* list_ = nullptr;
  QLabel* date_ = nullptr;
  QPushButton* pick_ = nullptr;
  QLineEdit* name_ = nullptr;
  ListEditorButtons buttons_;
  QCheckBox* show_names_ = nullptr;
  bool shown_ = false;
};

// The menu command: when the holiday file is missing, first the message
// that says where to get the table, then the dialog, modal over the main
// window.
void ShowHolidayEditor(QWidget* main_window, Session& session);

}  // namespace dustora
