#include "ui/year_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

constexpr std::string_view kTitle = "年間カレンダー作成";

}  // namespace

YearDialog::YearDialog(AppSettings& settings, const QStringList& years, const QString& year, const QString& month,
                       QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlgYear"));
  setWindowTitle(ToQt(kTitle));
  range_ = AddMonthRange(*this, years, year, month, kMaxYearMonths, settings_.year_months, kDefaultYearMonths);

  auto* note = new QLabel(ToQt("1か月が1枚の用紙(A4縦)に印刷されます."), this);
  note->setObjectName(QStringLiteral("lblNote"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(range_.grid);
  layout->addSpacing(4);
  layout->addWidget(note);
  layout->addSpacing(6);
  layout->addWidget(AddOkCancelButtons(
      *this, "O K", "dlgYear.OKButton", [this] { return AcceptableStart(range_, kTitle); },
      [this] { settings_.year_months = range_.Months(); }));
  for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTip(ToQt(kHelpTip));
  FinishDialogLayout(*this, layout);
}

}  // namespace dustora
