// The three option dialogs of the 設定 menu: what a fixed-day rule does on a
// Sunday (dlgDateOption), the base date of the every-other-week rules
// (dlgEveryOther) and whether documents keep the chosen year and month
// (dlgSelectSetDate). Each is built afresh from the current setting; its OK
// button stores that one setting, ｷｬﾝｾﾙ and the close box store nothing.
// None of them touches the open document.
#pragma once

#include <QDialog>
#include <array>
#include "session/session.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace dustora {

// 特定日オプション: SpecialSundayOption.
class DateOptionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DateOptionDialog(AppSettings& settings, QWidget* parent = nullptr);

 private:
  AppSettings& settings_;
  void Store();

  std::array<QRadioButton*, 3> options_{};
};

// 隔週の基準日設定: EveryOtherBase, chosen with the date picker.
class EveryOtherDialog : public QDialog {
  Q_OBJECT

 public:
  explicit EveryOtherDialog(AppSettings& settings, QWidget* parent = nullptr);

 private:
  AppSettings& settings_;
  void Store();

  QLabel* base_day_ = nullptr;
};

// ダストーラファイル保存オプション: SaveYearMonth.
class SaveYearMonthDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SaveYearMonthDialog(AppSettings& settings, QWidget* parent = nullptr);

 private:
  AppSettings& settings_;
  void Store();

  QCheckBox* save_ = nullptr;
};

// Open each dialog modally (through the platform). The owner is the main
// window, also for dlgDateOption, which belongs to no window but must stay
// in front of the one it blocks.
void ShowDateOption(QWidget* main_window, AppSettings& settings);
void ShowEveryOther(QWidget* main_window, AppSettings& settings);
void ShowSaveYearMonth(QWidget* main_window, AppSettings& settings);

}  // namespace dustora
