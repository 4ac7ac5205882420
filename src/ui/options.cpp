#include "ui/options.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <string>

#include "core/text.h"
#include "settings/settings.h"
#include "ui/date_picker_dialog.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

// What the base-date label shows while no base date is set.
const char* const kNoBaseDay = "(未指定)";

}  // namespace

// --- dlgDateOption ---

DateOptionDialog::DateOptionDialog(AppSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlgDateOption"));
  setWindowTitle(ToQt("特定日オプション"));

  auto* frame = new QGroupBox(ToQt("特定日の設定"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* frame_layout = new QVBoxLayout(frame);
  auto* question = new QLabel(ToQt("特定日が日曜日の場合・・・"), frame);
  question->setObjectName(QStringLiteral("Label1"));
  frame_layout->addWidget(question);
  const char* const captions[] = {"何もしない", "翌日に繰り越す", "その日は指定を中止する"};
  for (int i = 0; i < static_cast<int>(options_.size()); ++i) {
    auto* option = new QRadioButton(ToQt(captions[i]), frame);
    option->setObjectName(ToQt("Option日付変更(") + QString::number(i) + QStringLiteral(")"));
    option->setToolTip(ToQt(kHelpTip));
    frame_layout->addWidget(option);
    options_[static_cast<std::size_t>(i)] = option;
  }
  // A value the options do not know selects none of them.
  const int current = settings_.special_sunday_option;
  if (current >= 0 && current < static_cast<int>(options_.size())) {
    options_[static_cast<std::size_t>(current)]->setChecked(true);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addWidget(AddOkCancelButtons(*this, "O K", "dlgDateOption.OKButton", [this] { Store(); }));
  FinishDialogLayout(*this, layout);
}

void DateOptionDialog::Store() {
  int value = 0;
  if (options_[1]->isChecked()) {
    value = 1;
  } else if (options_[2]->isChecked()) {
    value = 2;
  }
  settings_.special_sunday_option = value;
}

// --- dlgEveryOther ---

EveryOtherDialog::EveryOtherDialog(AppSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlgEveryOther"));
  setWindowTitle(ToQt("隔週の基準日設定"));

  auto* caption = new QLabel(ToQt("基準日:"), this);
  caption->setObjectName(QStringLiteral("Label1"));
  base_day_ = MakeDateLabel(this, "lblOmoteDay", date_target::kEveryOtherBase);
  const std::string& stored = settings_.every_other_base;
  base_day_->setText(ToQt(stored.empty() ? kNoBaseDay : stored));
  QPushButton* pick = MakePickButton(this, "cmdCal", date_target::kEveryOtherBase, "dlgEveryOther.cmdCal");

  auto* row = new QHBoxLayout;
  row->addWidget(caption);
  row->addWidget(base_day_, 1);
  row->addWidget(pick);

  auto* note = new QLabel(ToQt("基準日として設定した日のある週が[表]になります."), this);
  note->setObjectName(QStringLiteral("Label2"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addSpacing(4);
  layout->addWidget(note);
  layout->addSpacing(6);
  layout->addWidget(AddOkCancelButtons(*this, "O  K", "dlgEveryOther.OKButton", [this] { Store(); }));
  FinishDialogLayout(*this, layout);
}

void EveryOtherDialog::Store() {
  // The label shows "(未指定)" until a date is chosen; stored as it is, it
  // is no date and so still means no base date.
  settings_.every_other_base = std::string(TrimBlanks(FromQt(base_day_->text())));
}

// --- dlgSelectSetDate ---

SaveYearMonthDialog::SaveYearMonthDialog(AppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlgSelectSetDate"));
  setWindowTitle(ToQt("ダストーラファイル保存オプション"));

  save_ = new QCheckBox(ToQt("[年月]をダストーラファイルに保存する"), this);
  save_->setObjectName(QStringLiteral("CheckSaveYM"));
  save_->setToolTip(ToQt(kHelpTip));
  save_->setChecked(settings_.save_year_month == 1);

  auto* layout = new QVBoxLayout(this);
  layout->addSpacing(4);
  layout->addWidget(save_);
  layout->addSpacing(10);
  layout->addWidget(AddOkCancelButtons(*this, "O　K", "dlgSelectSetDate.OKButton", [this] { Store(); }));
  FinishDialogLayout(*this, layout);
}

void SaveYearMonthDialog::Store() {
  settings_.save_year_month = save_->isChecked() ? 1 : 0;
}

void ShowDateOption(QWidget* main_window, AppSettings& settings) {
  DateOptionDialog dialog(settings, main_window);
  OpenOurDialog(dialog);
}

void ShowEveryOther(QWidget* main_window, AppSettings& settings) {
  EveryOtherDialog dialog(settings, main_window);
  OpenOurDialog(dialog);
}

void ShowSaveYearMonth(QWidget* main_window, AppSettings& settings) {
  SaveYearMonthDialog dialog(settings, main_window);
  OpenOurDialog(dialog);
}

}  // namespace dustora
