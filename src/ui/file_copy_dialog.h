// The tool 旧フォルダからのファイルコピーツール (dlgFileCopy): finds the
// calendar and memo files that Ver1.64 and earlier kept in the program
// folder and copies the checked ones into the user's document folder,
// never over a file that is already there.
#pragma once

#include <QDialog>
#include "session/session.h"

class QPushButton;

namespace dustora {

class ReportList;

class FileCopyDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FileCopyDialog(const AppFolders& folders, QWidget* parent = nullptr);

 private:
  const AppFolders& folders_;
  void Search();
  void Copy();

  ReportList* list_ = nullptr;
  QPushButton* search_ = nullptr;
  QPushButton* copy_ = nullptr;
};

// mnuCopyMyDoc: opens dlgFileCopy modally over the main window.
void ShowFileCopy(QWidget* main_window, const AppFolders& folders);

}  // namespace dustora
