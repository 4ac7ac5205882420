// The 開始 and 月数 rows of the dialogs that write several months (the year
// page, the calendar export): the first year and month, on the main
// window's choice, and the number of months.
#pragma once

#include <QStringList>
#include <string>
#include <string_view>

class QComboBox;
class QDialog;
class QGridLayout;
class QSpinBox;

namespace dustora {

struct MonthRange {
  QComboBox* year = nullptr;    // cmbYear: the main window's years
  QComboBox* month = nullptr;   // cmbMonth
  QSpinBox* months = nullptr;   // txtMonths
  QGridLayout* grid = nullptr;  // rows 0 and 1; a dialog adds its own below

  std::string YearText() const;
  // The year as a number, once AcceptableStart has passed.
  int Year() const;
  int Month() const;
  int Months() const;
};

// Makes the 開始 row in `dialog`: `years`, and `year` and `month` chosen;
// no 月数 row (`months` stays null).
MonthRange AddStartMonth(QDialog& dialog, const QStringList& years, const QString& year, const QString& month);
// Makes the rows in `dialog`: `years` and the main window's `year` and
// `month`, `months` (taken as `fallback` when outside 1..max_months).
MonthRange AddMonthRange(QDialog& dialog, const QStringList& years, const QString& year, const QString& month,
                         int max_months, int months, int fallback);
// The check of the create command: false, after saying so in a box titled
// `title`, when the year is no number.
bool AcceptableStart(const MonthRange& range, std::string_view title);

}  // namespace dustora
