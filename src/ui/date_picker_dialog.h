// The date picker 日付の選択 (dlgCalendar): a month view whose clicked day is
// written straight into the date label of another window that a date code
// names.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class QCalendarWidget;
class QLabel;
class QPushButton;
class QObject;
class QWidget;

namespace dustora {

// Date codes: which label the picker writes into.
namespace date_target {
inline constexpr int kHoliday = 0;         // holiday editor, lblDate
inline constexpr int kNoneStart = 1;       // no-collection editor, lblDateStart
inline constexpr int kNoneEnd = 2;         // no-collection editor, lblDateEnd
inline constexpr int kEveryOtherBase = 3;  // every-other base date, lblOmoteDay
}  // namespace date_target

// The code when it names a label, as the TargetRegistry holds it under
// TargetKind::Date; nullopt for any other code.
std::optional<int> DateTargetKey(int date_target);

// Registers the label of a date code for as long as `owner` lives. False
// (and nothing registered) for a code that names no label.
bool RegisterDateTarget(int date_target, QObject* owner, std::function<std::string()> read,
                        std::function<void(const std::string&)> write);
// The same for a plain label, read and written as its text.
bool RegisterDateLabel(int date_target, QLabel* label);

// The sunken label of a date code in `dialog`, registered for the picker.
QLabel* MakeDateLabel(QWidget* dialog, const char* name, int date_target);
// Its "..." button: opens the picker for the code with `dialog` as owner.
QPushButton* MakePickButton(QWidget* dialog, const char* name, int date_target, const char* tag);

// The month view of every window: weeks from Sunday, Japanese names whatever
// the system locale, no week numbers, Saturdays blue and Sundays red.
void SetUpMonthView(QCalendarWidget& view);
// The row above a month view: the month shown as "2026年12月" between the
// buttons to the previous and the next month (cmdPrevMonth, lblMonth,
// cmdNextMonth). It replaces the view's own navigation bar.
QWidget* MakeMonthHeader(QCalendarWidget& view, QWidget* parent);

// dlgCalendar for one date code. It opens on the date its label shows when
// that is a valid date (a period's end without one on its start's), else on
// today; one click on a day (or Enter) writes
// that day as yyyy/MM/dd into the label and closes. The close box closes
// without writing.
class DatePickerDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DatePickerDialog(int date_target, QWidget* parent = nullptr);

  QCalendarWidget* monthView() const { return view_; }

 private:
  void Load();
  void Choose(const QDate& date);

  int date_target_;
  QCalendarWidget* view_ = nullptr;
  bool chosen_ = false;
};

// Opens dlgCalendar modally (through the platform) for one date code, with
// `owner` as its owner window.
void ShowDatePicker(QWidget* owner, int date_target);

}  // namespace dustora
