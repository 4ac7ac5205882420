// The icon manager アイコンの設定 (dlgImageSet): the picture files of the
// data folder's img folder, with a preview, adding (a copy), renaming and
// deleting. Every change is made on disk at once; after each one the list
// and the rule editor's icon boxes are rebuilt.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <string_view>
#include "session/session.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace dustora {

class IconDialog : public QDialog {
  Q_OBJECT

 public:
  // `rebuild_boxes` refills the rule editor's icon boxes from the folder,
  // keeping the texts they show (SetMainCombo).
  IconDialog(QWidget* parent, const AppFolders& folders, std::function<void()> rebuild_boxes);

 private:
  const AppFolders& folders_;
  // The list of the img folder's files, nothing selected; a failure on
  // opening is said under the tag.
  void FillIconList();
  static constexpr std::string_view kFillIconListTag = "SetList";
  void SetMainCombo();
  QListWidgetItem* Selected() const;
  void ListClick();
  void Add();
  void Rename();
  void Delete();
  void PutNameBack();
  std::string IconFolder() const;

  std::function<void()> rebuild_boxes_;
  QListWidget* list_ = nullptr;
  QLabel* picture_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* rename_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* add_ = nullptr;
  bool rebuilding_ = false;
};

void ShowIconManager(QWidget* main_window, const AppFolders& folders, std::function<void()> rebuild_boxes);

}  // namespace dustora
