#include "ui/every_other_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "core/text.h"
#include "settings/settings.h"
#include "ui/date_picker_dialog.h"
#include "ui/dialogs.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

// What the base-date label shows while no base date is set.
const char* const kNoBaseDay = "(未指定)";

}  // namespace

EveryOtherDialog::EveryOtherDialog(AppSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("dlgEveryOther"));
  setWindowTitle(ToQt("隔週の基準日設定"));

  auto* caption = new QLabel(ToQt("基準日:"), this);
  caption->setObjectName(QStringLiteral("Label1"));
  base_day_ = MakeDateLabel(this, "lblOmoteDay");
  const std::string& stored = settings_.every_other_base;
  base_day_->setText(ToQt(stored.empty() ? kNoBaseDay : stored));
  QPushButton* pick = MakePickButton(this, "cmdCal", "dlgEveryOther.cmdCal", base_day_);

  auto* row = new QHBoxLayout;
  row->addWidget(caption);
  row->addWidget(base_day_, 1);
  row->addWidget(pick);

  auto* note = new QLabel(ToQt("基準日として設定した日のある週が[表]になります."), this);
  note->setObjectName(QStringLiteral("Label2"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addSpacing(4);
  layout->addWidget(note);
  layout->addSpacing(6);
  layout->addWidget(AddOkCancelButtons(*this, "O  K", "dlgEveryOther.OKButton", [this] { Store(); }));
  FinishDialogLayout(*this, layout);
}

void EveryOtherDialog::Store() {
  // The label shows "(未指定)" until a date is chosen; stored as it is, it
  // is no date and so still means no base date.
  settings_.every_other_base = std::string(TrimBlanks(FromQt(base_day_->text())));
}

void ShowEveryOther(QWidget* main_window, AppSettings& settings) {
  EveryOtherDialog dialog(settings, main_window);
  OpenOurDialog(dialog);
}

}  // namespace dustora
