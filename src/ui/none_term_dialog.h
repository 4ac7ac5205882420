// The no-collection period editor 回収のない期間の設定 (dlgNone). It edits a
// list of its own; O K replaces the period table, ｷｬﾝｾﾙ and the close box
// change nothing. Nothing is written here: the period file is written when
// the program ends.
#pragma once

#include <QDialog>

#include "session/session.h"
#include "ui/list_editor_buttons.h"
#include "ui/report_list.h"

class QLabel;
class QPushButton;

namespace dustora {

class ChoiceComboBox;

class NoneTermDialog : public QDialog {
  Q_OBJECT

 public:
  explicit NoneTermDialog(Session& session, QWidget* parent = nullptr);

 private:
  Session& session_;
  void Load();
  void SetEditBox();
  // A date or the category holds what 登録 has not stored.
  bool Unregistered() const;
  void Register();
  void Delete();
  void NewEntry();
  void Store();
  void ClearEditFields();
  // "選択された項目", the row's start, end and category, and `question`.
  static std::string AboutRow(const QTreeWidgetItem& row, const char* question);

  ReportList* list_ = nullptr;
  QLabel* start_ = nullptr;
  QLabel* end_ = nullptr;
  QPushButton* pick_start_ = nullptr;
  QPushButton* pick_end_ = nullptr;
  ChoiceComboBox* category_ = nullptr;
  ListEditorButtons buttons_;
};

// mnuNone: opens dlgNone modally over the main window.
void ShowNoneTermEditor(QWidget* main_window, Session& session);

}  // namespace dustora
