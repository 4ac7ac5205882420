#include "ui/every_other_dialog.h"

#include <QCheckBox>
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
#include "ui/help.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

// What the base-date label shows while no base date is set.
const char* const kNoBaseDay = "(未指定)";

}  // namespace

EveryOtherDialog::EveryOtherDialog(AppSettings& settings, CalendarDocument& document, QWidget* parent)
    : QDialog(parent), settings_(settings), document_(document) {
  setObjectName(QStringLiteral("dlgEveryOther"));
  setWindowTitle(ToQt("隔週の基準日設定"));

  auto* caption = new QLabel(ToQt("基準日:"), this);
  caption->setObjectName(QStringLiteral("Label1"));
  base_day_ = MakeDateLabel(this, "lblOmoteDay");
  const std::string& stored = settings_.every_other_base;
  settings_base_ = ToQt(stored.empty() ? kNoBaseDay : stored);
  document_base_ = document_.every_other_base ? ToQt(document_.every_other_base->ToText()) : settings_base_;
  QPushButton* pick = MakePickButton(this, "cmdCal", "dlgEveryOther.cmdCal", base_day_);
  own_base_ = new QCheckBox(ToQt("この文書だけの基準日(&D)"), this);
  own_base_->setObjectName(QStringLiteral("CheckDocumentBase"));
  own_base_->setChecked(document_.every_other_base.has_value());
  ShowChosenBase();
  connect(own_base_, &QCheckBox::toggled, this, [this](bool own) {
    (own ? settings_base_ : document_base_) = base_day_->text();
    ShowChosenBase();
  });

  auto* row = new QHBoxLayout;
  row->addWidget(caption);
  row->addWidget(base_day_, 1);
  row->addWidget(pick);

  auto* note = new QLabel(ToQt("基準日として設定した日のある週が[表]になります."), this);
  note->setObjectName(QStringLiteral("Label2"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(own_base_);
  layout->addSpacing(4);
  layout->addWidget(note);
  layout->addSpacing(6);
  layout->addWidget(AddOkCancelButtons(*this, "O  K", "dlgEveryOther.OKButton", [this] { Store(); }));
  FinishDialogLayout(*this, layout);
  own_base_->setToolTip(ToQt(kHelpTip));
}

void EveryOtherDialog::ShowChosenBase() {
  base_day_->setText(own_base_->isChecked() ? document_base_ : settings_base_);
}

void EveryOtherDialog::Store() {
  (own_base_->isChecked() ? document_base_ : settings_base_) = base_day_->text();
  // The label shows "(未指定)" until a date is chosen; stored as it is, it
  // is no date and so still means no base date.
  settings_.every_other_base = std::string(TrimBlanks(FromQt(settings_base_)));
  const std::optional<Date> own = own_base_->isChecked() ? ParseDate(FromQt(document_base_)) : std::nullopt;
  document_changed_ = own != document_.every_other_base;
  document_.every_other_base = own;
}

bool ShowEveryOther(QWidget* main_window, AppSettings& settings, CalendarDocument& document) {
  EveryOtherDialog dialog(settings, document, main_window);
  return OpenOurDialog(dialog) == QDialog::Accepted && dialog.document_changed();
}

}  // namespace dustora
