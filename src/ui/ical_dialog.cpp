#include "ui/ical_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "output/outputs.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/qt_text.h"

namespace dustora {

ICalDialog::ICalDialog(AppSettings& settings, const QStringList& years, const QString& year, const QString& month,
                       QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlgICal"));
  setWindowTitle(ToQt(ICalendarOutput().Traits().title));
  range_ = AddMonthRange(*this, years, year, month, kMaxICalMonths, settings_.ical_months, kDefaultICalMonths);

  // In the order of Reminder.
  reminder_ = new QComboBox(this);
  reminder_->setObjectName(QStringLiteral("cmbReminder"));
  for (const char* choice : {"なし", "前日18時", "当日6時"}) reminder_->addItem(ToQt(choice));
  const int stored = settings_.ical_reminder;
  reminder_->setCurrentIndex(stored >= 0 && stored < reminder_->count() ? stored : kDefaultICalReminder);
  auto* caption = new QLabel(ToQt("通知(&R):"), this);
  caption->setObjectName(QStringLiteral("lblReminder"));
  caption->setBuddy(reminder_);
  range_.grid->addWidget(caption, 2, 0);
  range_.grid->addWidget(reminder_, 2, 1, Qt::AlignLeft);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(range_.grid);
  layout->addSpacing(6);
  layout->addWidget(AddOkCancelButtons(
      *this, "O K", "dlgICal.OKButton", [this] { return AcceptableStart(range_, ICalendarOutput().Traits().title); },
      [this] { Store(); }));
  for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTip(ToQt(kHelpTip));
  FinishDialogLayout(*this, layout);
}

Reminder ICalDialog::ChosenReminder() const {
  return static_cast<Reminder>(reminder_->currentIndex());
}

void ICalDialog::Store() {
  settings_.ical_months = range_.Months();
  settings_.ical_reminder = reminder_->currentIndex();
}

}  // namespace dustora
