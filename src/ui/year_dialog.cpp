#include "ui/year_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/platform.h"
#include "core/text.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

constexpr std::string_view kTitle = "年間カレンダー作成";

QLabel* Caption(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(ToQt(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

YearDialog::YearDialog(AppSettings& settings, const QStringList& years, const QString& year, const QString& month,
                       QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlgYear"));
  setWindowTitle(ToQt(kTitle));

  year_ = new QComboBox(this);
  year_->setObjectName(QStringLiteral("cmbYear"));
  year_->addItems(years);
  year_->setCurrentIndex(std::max(0, year_->findText(year)));
  month_ = new QComboBox(this);
  month_->setObjectName(QStringLiteral("cmbMonth"));
  for (int m = 1; m <= 12; ++m) month_->addItem(QString::number(m));
  month_->setCurrentIndex(std::max(0, month_->findText(month)));
  months_ = new QSpinBox(this);
  months_->setObjectName(QStringLiteral("txtMonths"));
  months_->setRange(1, kMaxYearMonths);
  months_->setValue(settings_.year_months >= 1 && settings_.year_months <= kMaxYearMonths ? settings_.year_months
                                                                                          : kDefaultYearMonths);
  months_->setAlignment(Qt::AlignRight);

  QLabel* start = Caption(this, "lblStart", "開始(&S):");
  start->setBuddy(year_);
  QLabel* count = Caption(this, "lblMonths", "月数(&N):");
  count->setBuddy(months_);

  auto* start_row = new QHBoxLayout;
  start_row->addWidget(year_);
  start_row->addWidget(Caption(this, "lblYearUnit", "年"));
  start_row->addWidget(month_);
  start_row->addWidget(Caption(this, "lblMonthUnit", "月から"));
  start_row->addStretch(1);
  auto* count_row = new QHBoxLayout;
  count_row->addWidget(months_);
  count_row->addWidget(Caption(this, "lblMonthsUnit", "か月分"));
  count_row->addStretch(1);

  auto* grid = new QGridLayout;
  grid->addWidget(start, 0, 0);
  grid->addLayout(start_row, 0, 1);
  grid->addWidget(count, 1, 0);
  grid->addLayout(count_row, 1, 1);

  auto* note = Caption(this, "lblNote", "1か月が1枚の用紙(A4縦)に印刷されます.");

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(4);
  layout->addWidget(note);
  layout->addSpacing(6);
  layout->addWidget(AddOkCancelButtons(
      *this, "O K", "dlgYear.OKButton", [this] { return Acceptable(); }, [this] { Store(); }));
  for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTip(ToQt(kHelpTip));
  FinishDialogLayout(*this, layout);
}

std::string YearDialog::YearText() const {
  return FromQt(year_->currentText());
}

int YearDialog::Month() const {
  return month_->currentIndex() + 1;
}

int YearDialog::Months() const {
  return months_->value();
}

bool YearDialog::Acceptable() {
  // The checks of the create command.
  if (IsNumeric(YearText()) && month_->currentIndex() >= 0) return true;
  CurrentPlatform().ShowMessage(
      {"年月の指定が不正です", std::string(kTitle), MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
  return false;
}

void YearDialog::Store() {
  settings_.year_months = months_->value();
}

}  // namespace dustora
