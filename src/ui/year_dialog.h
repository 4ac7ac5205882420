// The dialog 年間カレンダー作成 (dlgYear) of the ファイル menu: the first
// month and the number of months of a page that prints one month a sheet.
// It opens on the main window's year and month and on the number of months
// chosen last; O K stores that number in the settings (written at exit) and
// closes. Making the page is the caller's.
#pragma once

#include <QDialog>
#include <QStringList>

#include "settings/settings.h"
#include "ui/month_range.h"

namespace dustora {

class YearDialog : public QDialog {
  Q_OBJECT

 public:
  // `years` are the main window's years, `year` and `month` its choice.
  YearDialog(AppSettings& settings, const QStringList& years, const QString& year, const QString& month,
             QWidget* parent = nullptr);

  // The choice as O K left it.
  const MonthRange& Range() const { return range_; }

 private:
  AppSettings& settings_;
  MonthRange range_;
};

}  // namespace dustora
