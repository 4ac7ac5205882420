#include "ui/save_year_month_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "settings/settings.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/qt_text.h"

namespace dustora {

SaveYearMonthDialog::SaveYearMonthDialog(AppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlgSelectSetDate"));
  setWindowTitle(ToQt("ダストーラファイル保存オプション"));

  save_ = new QCheckBox(ToQt("[年月]をダストーラファイルに保存する"), this);
  save_->setObjectName(QStringLiteral("CheckSaveYM"));
  save_->setToolTip(ToQt(kHelpTip));
  save_->setChecked(settings_.save_year_month == 1);

  auto* layout = new QVBoxLayout(this);
  layout->addSpacing(4);
  layout->addWidget(save_);
  layout->addSpacing(10);
  layout->addWidget(AddOkCancelButtons(*this, "O　K", "dlgSelectSetDate.OKButton", [this] { Store(); }));
  FinishDialogLayout(*this, layout);
}

void SaveYearMonthDialog::Store() {
  settings_.save_year_month = save_->isChecked() ? 1 : 0;
}

void ShowSaveYearMonth(QWidget* main_window, AppSettings& settings) {
  SaveYearMonthDialog dialog(settings, main_window);
  OpenOurDialog(dialog);
}

}  // namespace dustora
