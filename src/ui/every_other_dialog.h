// The option dialog 隔週の基準日設定 (dlgEveryOther) of the 設定 menu: the
// base date of the every-other-week rules (EveryOtherBase), chosen with the
// date picker. It is built afresh from the current setting; its OK button
// stores that one setting, ｷｬﾝｾﾙ and the close box store nothing. It does
// not touch the open document.
#pragma once

#include <QDialog>
#include "session/session.h"

class QLabel;

namespace dustora {

class EveryOtherDialog : public QDialog {
  Q_OBJECT

 public:
  explicit EveryOtherDialog(AppSettings& settings, QWidget* parent = nullptr);

 private:
  AppSettings& settings_;
  void Store();

  QLabel* base_day_ = nullptr;
};

// Opens the dialog modally (through the platform), owned by the main window.
void ShowEveryOther(QWidget* main_window, AppSettings& settings);

}  // namespace dustora
