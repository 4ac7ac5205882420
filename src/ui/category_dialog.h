// The category list editor 分別の種類設定 (dlgSet): at most 40 category
// names, edited in a working copy. 保 存 replaces the category table and
// the rule editor's category boxes; ｷｬﾝｾﾙ and the close box change nothing.
// The settings file is written when the program ends.
#pragma once

#include <QDialog>
#include <functional>

#include "session/session.h"
#include "ui/list_editor_buttons.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace dustora {

class CategoryDialog : public QDialog {
  Q_OBJECT

 public:
  // `rebuild_boxes` refills the rule editor's category boxes from the table,
  // keeping the texts they show.
  CategoryDialog(QWidget* parent, AppSettings& settings, std::function<void()> rebuild_boxes);

 private:
  AppSettings& settings_;
  void Load();
  QListWidgetItem* Selected() const;
  // Leaves no entry selected, which is no selection by the user.
  void Deselect();
  // The name box holds what 登録 has not stored.
  bool Unregistered() const;
  void TextChanged();
  void ListClick();
  void NewEntry();
  void Delete();
  void Register();
  void RestoreDefaults();
  void Save();

  std::function<void()> rebuild_boxes_;
  QListWidget* list_ = nullptr;
  QLineEdit* name_ = nullptr;
  ListEditorButtons buttons_;
  bool deselecting_ = false;
};

void ShowCategoryEditor(QWidget* main_window, AppSettings& settings, std::function<void()> rebuild_boxes);

}  // namespace dustora
