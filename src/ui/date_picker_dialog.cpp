#include "ui/date_picker_dialog.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

#include "core/text.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/target_registry.h"

namespace dustora {

namespace {

// Date codes stand in the registry at this base plus the code (colour codes
// use 1000 and up).
constexpr int kLastDateTarget = date_target::kEveryOtherBase;

// Room around the month view, in twips: a quarter inch across, a third of
// an inch down, split evenly between both sides.
constexpr double kWidthTwips = 360;
constexpr double kHeightTwips = 480;

QDate ToQDate(const Date& date) {
  return QDate(date.year, date.month, date.day);
}

}  // namespace

std::optional<int> DateTargetKey(int date_target) {
  if (date_target < 0 || date_target > kLastDateTarget) return std::nullopt;
  return date_target;
}

bool RegisterDateTarget(int date_target, QObject* owner, std::function<std::string()> read,
                        std::function<void(const std::string&)> write) {
  const std::optional<int> key = DateTargetKey(date_target);
  if (!key) return false;
  TargetRegistry::Target target;
  if (read) target.read = [read = std::move(read)] { return QVariant(ToQt(read())); };
  if (write) {
    target.write = [write = std::move(write)](const QVariant& value) { write(FromQt(value.toString())); };
  }
  TargetRegistry::Register(TargetKind::Date, *key, owner, std::move(target));
  return true;
}

bool RegisterDateLabel(int date_target, QLabel* label) {
  return RegisterDateTarget(
      date_target, label, [label] { return FromQt(label->text()); },
      [label](const std::string& text) { label->setText(ToQt(text)); });
}

QLabel* MakeDateLabel(QWidget* dialog, const char* name, int date_target) {
  auto* label = new QLabel(dialog);
  label->setObjectName(ToQt(name));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  label->setAutoFillBackground(true);
  label->setBackgroundRole(QPalette::Base);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 24);
  label->setToolTip(ToQt(kHelpTip));
  RegisterDateLabel(date_target, label);
  return label;
}

QPushButton* MakePickButton(QWidget* dialog, const char* name, int date_target, const char* tag) {
  auto* pick = new QPushButton(QStringLiteral("..."), dialog);
  pick->setObjectName(ToQt(name));
  pick->setToolTip(ToQt(kHelpTip));
  pick->setFixedWidth(pick->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 20);
  QObject::connect(pick, &QPushButton::clicked, dialog, [dialog, date_target, tag] {
    RunHandler(tag, [dialog, date_target] { ShowDatePicker(dialog, date_target); });
  });
  return pick;
}

void SetUpMonthView(QCalendarWidget& view) {
  view.setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  view.setFirstDayOfWeek(Qt::Sunday);
  view.setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  view.setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
  view.setGridVisible(true);
  view.setDateEditEnabled(false);
  // As Japanese calendars print them: Saturdays blue, Sundays red.
  QTextCharFormat saturday = view.weekdayTextFormat(Qt::Saturday);
  saturday.setForeground(QColor(0, 0, 255));
  view.setWeekdayTextFormat(Qt::Saturday, saturday);
  QTextCharFormat sunday = view.weekdayTextFormat(Qt::Sunday);
  sunday.setForeground(QColor(255, 0, 0));
  view.setWeekdayTextFormat(Qt::Sunday, sunday);
}

QString MonthHeading(int year, int month) {
  return QStringLiteral("%1年%2月").arg(year).arg(month);
}

QWidget* MakeMonthHeader(QCalendarWidget& view, QWidget* parent) {
  // The view's own bar puts the month before the year; ours reads
  // "2026年12月". PageUp and PageDown in the view turn the months too.
  view.setNavigationBarVisible(false);
  auto* header = new QWidget(parent);
  header->setObjectName(QStringLiteral("MonthHeader"));
  const auto make_button = [header](const char* name, Qt::ArrowType arrow) {
    auto* button = new QToolButton(header);
    button->setObjectName(ToQt(name));
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(ToQt(kHelpTip));
    return button;
  };
  QToolButton* previous = make_button("cmdPrevMonth", Qt::LeftArrow);
  QToolButton* next = make_button("cmdNextMonth", Qt::RightArrow);
  auto* heading = new QLabel(MonthHeading(view.yearShown(), view.monthShown()), header);
  heading->setObjectName(QStringLiteral("lblMonth"));
  heading->setAlignment(Qt::AlignCenter);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  auto* row = new QHBoxLayout(header);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(previous);
  row->addWidget(heading, 1);
  row->addWidget(next);
  QObject::connect(previous, &QToolButton::clicked, &view, &QCalendarWidget::showPreviousMonth);
  QObject::connect(next, &QToolButton::clicked, &view, &QCalendarWidget::showNextMonth);
  QObject::connect(&view, &QCalendarWidget::currentPageChanged, heading,
                   [heading](int year, int month) { heading->setText(MonthHeading(year, month)); });
  return header;
}

DatePickerDialog::DatePickerDialog(int date_target, QWidget* parent) : QDialog(parent), date_target_(date_target) {
  setObjectName(QStringLiteral("dlgCalendar"));
  setWindowTitle(ToQt("日付の選択"));

  view_ = new QCalendarWidget(this);
  view_->setObjectName(QStringLiteral("MonthView1"));
  view_->setToolTip(ToQt("[F1]でヘルプ"));
  SetUpMonthView(*view_);
  // A click on a day chooses it; Enter (and a double click, which the
  // first click has already answered) chooses the highlighted day.
  connect(view_, &QCalendarWidget::clicked, this,
          [this](QDate date) { RunUnexpectedHandler("monthview.click", [&] { Choose(date); }); });
  connect(view_, &QCalendarWidget::activated, this,
          [this](QDate date) { RunUnexpectedHandler("monthview.click", [&] { Choose(date); }); });

  // The window fits the month view with a margin; the caption bar is the
  // window manager's.
  const double twips = CurrentPlatform().TwipsPerPixelY();
  const int across = static_cast<int>(std::lround(kWidthTwips / twips / 2));
  const int down = static_cast<int>(std::lround(kHeightTwips / twips / 2));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(across, down, across, down);
  layout->addWidget(MakeMonthHeader(*view_, this));
  layout->addWidget(view_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  InstallHelpKey(this);

  // A failure while opening leaves the picker open on today.
  view_->setSelectedDate(ToQDate(CurrentPlatform().Today()));
  RunUnexpectedHandler("dlgCalendar.load", [&] { Load(); });
}

void DatePickerDialog::Load() {
  // The end of a period without a date of its own opens where it begins.
  const int fallback = date_target_ == date_target::kNoneEnd ? date_target::kNoneStart : -1;
  for (const int target : {date_target_, fallback}) {
    const std::optional<int> key = DateTargetKey(target);
    if (!key) continue;
    const std::optional<QVariant> text = TargetRegistry::Read(this, TargetKind::Date, *key);
    if (!text) continue;
    if (const std::optional<Date> date = ParseDate(FromQt(text->toString()))) {
      view_->setSelectedDate(ToQDate(*date));
      return;
    }
  }
}

void DatePickerDialog::Choose(const QDate& date) {
  if (chosen_ || !date.isValid()) return;
  const Date day{date.year(), date.month(), date.day()};
  if (const std::optional<int> key = DateTargetKey(date_target_)) {
    TargetRegistry::Write(this, TargetKind::Date, *key, QVariant(ToQt(day.ToText())));
  }
  chosen_ = true;
  accept();
}

void ShowDatePicker(QWidget* owner, int date_target) {
  DatePickerDialog dialog(date_target, owner);
  OpenOurDialog(dialog);
}

}  // namespace dustora
