#include "ui/date_option_dialog.h"

#include <tuple>

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/settings.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/qt_text.h"

namespace dustora {

DateOptionDialog::DateOptionDialog(AppSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlgDateOption"));
  setWindowTitle(ToQt("特定日オプション"));

  auto* frame = new QGroupBox(ToQt("特定日の設定"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* frame_layout = new QVBoxLayout(frame);
  auto* question = new QLabel(ToQt("特定日が日曜日の場合・・・"), frame);
  question->setObjectName(QStringLiteral("Label1"));
  frame_layout->addWidget(question);
  constexpr std::array<const char*, 3> captions = {"何もしない", "翌日に繰り越す", "その日は指定を中止する"};
  static_assert(captions.size() == std::tuple_size_v<decltype(options_)>);
  for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
    auto* option = new QRadioButton(ToQt(captions[static_cast<std::size_t>(i)]), frame);
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

void ShowDateOption(QWidget* main_window, AppSettings& settings) {
  DateOptionDialog dialog(settings, main_window);
  OpenOurDialog(dialog);
}

}  // namespace dustora
