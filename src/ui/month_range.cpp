#include "ui/month_range.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>

#include "core/text.h"
#include "ui/dialogs.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

std::string MonthRange::YearText() const {
  return FromQt(year->currentText());
}

int MonthRange::Year() const {
  return static_cast<int>(NumericToWhole(YearText()).value_or(0));
}

int MonthRange::Month() const {
  return month->currentIndex() + 1;
}

int MonthRange::Months() const {
  return months->value();
}

MonthRange AddStartMonth(QDialog& dialog, const QStringList& years, const QString& year, const QString& month) {
  MonthRange range;
  range.year = new QComboBox(&dialog);
  range.year->setObjectName(QStringLiteral("cmbYear"));
  range.year->addItems(years);
  range.year->setCurrentIndex(std::max(0, range.year->findText(year)));
  range.month = new QComboBox(&dialog);
  range.month->setObjectName(QStringLiteral("cmbMonth"));
  for (int m = 1; m <= 12; ++m) range.month->addItem(QString::number(m));
  range.month->setCurrentIndex(std::max(0, range.month->findText(month)));

  QLabel* start = MakeCaption(&dialog, "lblStart", "開始(&S):");
  start->setBuddy(range.year);
  auto* start_row = new QHBoxLayout;
  start_row->addWidget(range.year);
  start_row->addWidget(MakeCaption(&dialog, "lblYearUnit", "年"));
  start_row->addWidget(range.month);
  start_row->addWidget(MakeCaption(&dialog, "lblMonthUnit", "月から"));
  start_row->addStretch(1);
  range.grid = new QGridLayout;
  range.grid->addWidget(start, 0, 0);
  range.grid->addLayout(start_row, 0, 1);
  return range;
}

MonthRange AddMonthRange(QDialog& dialog, const QStringList& years, const QString& year, const QString& month,
                         int max_months, int months, int fallback) {
  MonthRange range = AddStartMonth(dialog, years, year, month);
  range.months = new QSpinBox(&dialog);
  range.months->setObjectName(QStringLiteral("txtMonths"));
  range.months->setRange(1, max_months);
  range.months->setValue(months >= 1 && months <= max_months ? months : fallback);
  range.months->setAlignment(Qt::AlignRight);

  QLabel* count = MakeCaption(&dialog, "lblMonths", "月数(&N):");
  count->setBuddy(range.months);
  auto* count_row = new QHBoxLayout;
  count_row->addWidget(range.months);
  count_row->addWidget(MakeCaption(&dialog, "lblMonthsUnit", "か月分"));
  count_row->addStretch(1);

  range.grid->addWidget(count, 1, 0);
  range.grid->addLayout(count_row, 1, 1);
  return range;
}

bool AcceptableStart(const MonthRange& range, std::string_view title) {
  if (IsNumeric(range.YearText()) && range.month->currentIndex() >= 0) return true;
  PlatformOf(range.month)
      .ShowMessage(
          {"年月の指定が不正です", std::string(title), MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
  return false;
}

}  // namespace dustora
