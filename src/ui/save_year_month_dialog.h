// The option dialog ダストーラファイル保存オプション (dlgSelectSetDate) of the
// 設定 menu: whether documents keep the chosen year and month
// (SaveYearMonth). It is built afresh from the current setting; its OK
// button stores that one setting, ｷｬﾝｾﾙ and the close box store nothing. It
// does not touch the open document.
#pragma once

#include <QDialog>
#include "session/session.h"

class QCheckBox;

namespace dustora {

class SaveYearMonthDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SaveYearMonthDialog(AppSettings& settings, QWidget* parent = nullptr);

 private:
  AppSettings& settings_;
  void Store();

  QCheckBox* save_ = nullptr;
};

// Opens the dialog modally (through the platform), owned by the main window.
void ShowSaveYearMonth(QWidget* main_window, AppSettings& settings);

}  // namespace dustora
