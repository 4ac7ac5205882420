// The option dialog 特定日オプション (dlgDateOption) of the 設定 menu: what a
// fixed-day rule does on a Sunday (SpecialSundayOption). It is built afresh
// from the current setting; its OK button stores that one setting, ｷｬﾝｾﾙ
// and the close box store nothing. It does not touch the open document.
#pragma once

#include <QDialog>
#include <array>
#include "session/session.h"

class QRadioButton;

namespace dustora {

class DateOptionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DateOptionDialog(AppSettings& settings, QWidget* parent = nullptr);

 private:
  AppSettings& settings_;
  void Store();

  std::array<QRadioButton*, 3> options_{};
};

// Opens the dialog modally (through the platform). Its owner is the main
// window: dlgDateOption belongs to no window but must stay in front of the
// one it blocks.
void ShowDateOption(QWidget* main_window, AppSettings& settings);

}  // namespace dustora
