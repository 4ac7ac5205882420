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

namespace dustora {

namespace {

// Room around the month view, in twips: a quarter inch across, a third of
// an inch down, split evenly between both sides.
constexpr double kWidthTwips = 360;
constexpr double kHeightTwips = 480;

QDate ToQDate(const Date& date) {
  return QDate(date.year, date.month, date.day);
}

}  // namespace

QLabel* MakeDateLabel(QWidget* dialog, const char* name) {
  auto* label = new QLabel(dialog);
  label->setObjectName(ToQt(name));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  label->setAutoFillBackground(true);
  label->setBackgroundRole(QPalette::Base);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 24);
  label->setToolTip(ToQt(kHelpTip));
  return label;
}

QPushButton* MakePickButton(QWidget* dialog, const char* name, const char* tag, QLabel* label,
                            std::function<std::optional<Date>()> fallback) {
  auto* pick = new QPushButton(QStringLiteral("..."), dialog);
  pick->setObjectName(ToQt(name));
  pick->setToolTip(ToQt(kHelpTip));
  pick->setFixedWidth(pick->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 20);
  QObject::connect(pick, &QPushButton::clicked, dialog, [dialog, tag, label, fallback = std::move(fallback)] {
    RunHandler(dialog, tag, [&] {
      std::optional<Date> initial = ParseDate(FromQt(label->text()));
      if (!initial && fallback) initial = fallback();
      if (const std::optional<Date> chosen = ChooseDate(initial, dialog)) label->setText(ToQt(chosen->ToText()));
    });
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

DatePickerDialog::DatePickerDialog(std::optional<Date> initial, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgCalendar"));
  setWindowTitle(ToQt("日付の選択"));

  view_ = new QCalendarWidget(this);
  view_->setObjectName(QStringLiteral("MonthView1"));
  view_->setToolTip(ToQt("[F1]でヘルプ"));
  SetUpMonthView(*view_);
  // A click on a day chooses it; Enter (and a double click, which the
  // first click has already answered) chooses the highlighted day.
  connect(view_, &QCalendarWidget::clicked, this,
          [this](QDate date) { RunUnexpectedHandler(this, "monthview.click", [&] { Choose(date); }); });
  connect(view_, &QCalendarWidget::activated, this,
          [this](QDate date) { RunUnexpectedHandler(this, "monthview.click", [&] { Choose(date); }); });

  // The window fits the month view with a margin; the caption bar is the
  // window manager's.
  const double twips = PlatformOf(this).TwipsPerPixelY();
  const int across = static_cast<int>(std::lround(kWidthTwips / twips / 2));
  const int down = static_cast<int>(std::lround(kHeightTwips / twips / 2));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(across, down, across, down);
  layout->addWidget(MakeMonthHeader(*view_, this));
  layout->addWidget(view_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  InstallHelpKey(this);

  view_->setSelectedDate(ToQDate(initial.value_or(PlatformOf(this).Today())));
}

void DatePickerDialog::Choose(const QDate& date) {
  if (chosen_ || !date.isValid()) return;
  chosen_ = Date{date.year(), date.month(), date.day()};
  accept();
}

std::optional<Date> ChooseDate(std::optional<Date> initial, QWidget* owner) {
  DatePickerDialog dialog(initial, owner);
  OpenOurDialog(dialog);
  return dialog.Chosen();
}

}  // namespace dustora
