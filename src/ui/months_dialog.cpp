#include "ui/months_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/schedule_text.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

const char* const kTitle = "収集する月";

// Months 2, 4, .. 12 and 1, 3, .. 11.
constexpr MonthSet kEvenMonths = 0x1554;
constexpr MonthSet kOddMonths = kEveryMonth & ~kEvenMonths;

}  // namespace

MonthsDialog::MonthsDialog(MonthSet months, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgMonths"));
  setWindowTitle(ToQt(kTitle));

  auto* grid = new QGridLayout;
  for (int i = 0; i < 12; ++i) {
    months_[static_cast<std::size_t>(i)] = new QCheckBox(ToQt(std::to_string(i + 1) + "月"), this);
    months_[static_cast<std::size_t>(i)]->setObjectName(Indexed("CheckMonth", i));
    grid->addWidget(months_[static_cast<std::size_t>(i)], i / 6, i % 6);
  }
  const auto preset = [this](const char* name, const char* caption, MonthSet set) {
    auto* button = new QPushButton(ToQt(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, set] { Check(set); });
    return button;
  };
  QPushButton* every = preset("cmdEveryMonth", "毎月(&A)", kEveryMonth);
  QPushButton* even = preset("cmdEvenMonths", "偶数月(&E)", kEvenMonths);
  QPushButton* odd = preset("cmdOddMonths", "奇数月(&O)", kOddMonths);
  auto* presets = new QHBoxLayout;
  presets->addWidget(every);
  presets->addWidget(even);
  presets->addWidget(odd);
  presets->addStretch(1);

  auto* bottom = MakeHelpRow(this, {AddOkCancelButtons(
                                       *this, "O K", "dlgMonths.OK",
                                       [this] {
                                         if (Chosen() != 0) return true;
                                         ShowInformation(this, "収集する月を選んでください.", kTitle);
                                         months_[0]->setFocus();
                                         return false;
                                       },
                                       [] {})});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(presets);
  layout->addSpacing(6);
  layout->addLayout(bottom);
  FinishDialogLayout(*this, layout);
  for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTip(ToQt(kHelpTip));
  Check(months);
}

void MonthsDialog::Check(MonthSet months) {
  for (int i = 0; i < 12; ++i) months_[static_cast<std::size_t>(i)]->setChecked(InMonths(months, i + 1));
}

MonthSet MonthsDialog::Chosen() const {
  MonthSet months = 0;
  for (int i = 0; i < 12; ++i) {
    if (months_[static_cast<std::size_t>(i)]->isChecked()) months = static_cast<MonthSet>(months | (1U << (i + 1)));
  }
  return months;
}

std::optional<MonthSet> ChooseMonths(MonthSet months, QWidget* parent) {
  MonthsDialog dialog(months, parent);
  if (OpenOurDialog(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

std::string MonthsCaption(MonthSet months) {
  return months == kEveryMonth ? std::string("毎月") : MonthsText(months) + "月";
}

}  // namespace dustora
