// The dialog iCalendar形式で書き出し (dlgICal) of the ファイル menu: the
// first month, the number of months and the reminder of a calendar export.
// It opens on the main window's year and month and on the months and the
// reminder chosen last; O K stores those two in the settings (written at
// exit) and closes. Asking for the file and writing it are the caller's.
#pragma once

#include <QDialog>
#include <QStringList>

#include "output/output.h"
#include "settings/settings.h"
#include "ui/month_range.h"

class QComboBox;

namespace dustora {

class ICalDialog : public QDialog {
  Q_OBJECT

 public:
  // `years` are the main window's years, `year` and `month` its choice.
  ICalDialog(AppSettings& settings, const QStringList& years, const QString& year, const QString& month,
             QWidget* parent = nullptr);

  // The choice as O K left it.
  const MonthRange& Range() const { return range_; }
  Reminder ChosenReminder() const;

 private:
  void Store();

  AppSettings& settings_;
  MonthRange range_;
  QComboBox* reminder_ = nullptr;
};

}  // namespace dustora
