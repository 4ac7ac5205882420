// The date picker 日付の選択 (dlgCalendar): a month view whose clicked day
// the caller gets.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "core/text.h"

class QCalendarWidget;
class QLabel;
class QPushButton;
class QWidget;

namespace dustora {

// The sunken label of a date in `dialog` (its text yyyy/MM/dd, or empty).
QLabel* MakeDateLabel(QWidget* dialog, const char* name);
// Its "..." button: opens the picker with `dialog` as owner on the label's
// date (when it has none, on the date `fallback` gives, else today) and
// writes the day chosen into the label.
QPushButton* MakePickButton(QWidget* dialog, const char* name, const char* tag, QLabel* label,
                            std::function<std::optional<Date>()> fallback = {});

// The month view of every window: weeks from Sunday, Japanese names whatever
// the system locale, no week numbers, Saturdays blue and Sundays red.
void SetUpMonthView(QCalendarWidget& view);
// The row above a month view: the month shown as "2026年12月" between the
// buttons to the previous and the next month (cmdPrevMonth, lblMonth,
// cmdNextMonth). It replaces the view's own navigation bar.
QWidget* MakeMonthHeader(QCalendarWidget& view, QWidget* parent);

// dlgCalendar, opened on the caller's date, else on today; one click on a
// day (or Enter) takes that day and closes. The close box closes without
// one.
class DatePickerDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DatePickerDialog(std::optional<Date> initial, QWidget* parent = nullptr);

  QCalendarWidget* monthView() const { return view_; }
  // The day taken; nullopt until then.
  [[nodiscard]] std::optional<Date> Chosen() const { return chosen_; }

 private:
  void Choose(const QDate& date);

  QCalendarWidget* view_ = nullptr;
  std::optional<Date> chosen_;
};

// Opens dlgCalendar modally (through the platform) on `initial` (today when
// none), with `owner` as its owner window: the day the user took, or nullopt.
[[nodiscard]] std::optional<Date> ChooseDate(std::optional<Date> initial, QWidget* owner);

}  // namespace dustora
