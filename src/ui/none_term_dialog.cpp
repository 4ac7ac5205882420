#include "ui/none_term_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "core/text.h"
#include "settings/settings.h"
#include "tables/noneterm.h"
#include "ui/choice_combo_box.h"
#include "ui/date_picker_dialog.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

const char* const kTitle = "回収のない期間の設定";
const char* const kCheckTitle = "期間の指定";

QString WithoutCommas(QString text) {
  return text.remove(QLatin1Char(','));
}

void Tell(const QWidget* from, const char* text) {
  ShowInformation(from, text, kCheckTitle);
}

}  // namespace

NoneTermDialog::NoneTermDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session), buttons_(this) {
  setObjectName(QStringLiteral("dlgNone"));
  setWindowTitle(ToQt(kTitle));

  list_ = new ReportList("ListView1",
                         {{"開始日", "nStart", 25}, {"終了日", "nEnd", 25}, {"カテゴリー", "nCategory", 45}}, this);
  list_->setFixedSize(380, 240);

  start_ = MakeDateLabel(this, "lblDateStart");
  pick_start_ = MakePickButton(this, "cmdDateStart", "dlgNone.cmdDateStart", start_);
  end_ = MakeDateLabel(this, "lblDateEnd");
  // The end of a period without a date of its own opens where it begins.
  pick_end_ = MakePickButton(this, "cmdDateEnd", "dlgNone.cmdDateEnd", end_,
                             [this] { return ParseDate(FromQt(start_->text())); });
  category_ = new ChoiceComboBox(this);
  category_->setObjectName(ToQt("cmbCatedory"));
  category_->setToolTip(ToQt(kHelpTip));
  category_->HoldNames(14);

  auto* fields = new QGridLayout;
  const auto add_date = [&](int row, const char* caption, QLabel* label, QPushButton* pick) {
    fields->addWidget(new QLabel(ToQt(caption), this), row, 0);
    auto* line = new QHBoxLayout;
    line->addWidget(label);
    line->addWidget(pick);
    line->addStretch(1);
    fields->addLayout(line, row, 1);
  };
  add_date(0, "開始日:", start_, pick_start_);
  add_date(1, "終了日:", end_, pick_end_);
  fields->addWidget(new QLabel(ToQt("対象カテゴリー:"), this), 2, 0);
  fields->addWidget(category_, 2, 1);

  QWidget* help = MakeHelpPicture(this);

  auto* edit_buttons = new QHBoxLayout;
  edit_buttons->addWidget(buttons_.new_row);
  edit_buttons->addWidget(buttons_.delete_row);
  edit_buttons->addWidget(buttons_.register_row);
  edit_buttons->addStretch(1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(help);
  bottom->addStretch(1);
  bottom->addWidget(AddOkCancelButtons(
      *this, "O K", "dlgNone.OK", [this] { return MayDropUnregistered(this, Unregistered(), kTitle); },
      [this] { Store(); }));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addSpacing(4);
  layout->addLayout(fields);
  layout->addLayout(edit_buttons);
  layout->addSpacing(6);
  layout->addLayout(bottom);
  FinishDialogLayout(*this, layout);
  ChainTabOrder({list_, pick_start_, pick_end_, category_, buttons_.new_row, buttons_.delete_row, buttons_.register_row,
                 findChild<QPushButton*>(QStringLiteral("OKButton")),
                 findChild<QPushButton*>(QStringLiteral("CancelButton"))});

  connect(list_, &QTreeWidget::itemSelectionChanged, this,
          [this] { RunHandler(this, "dlgNone.SetEditBox", [this] { SetEditBox(); }); });
  connect(buttons_.new_row, &QPushButton::clicked, this,
          [this] { RunUnexpectedHandler(this, "dlgNoneTerm.cmdNew", [this] { NewEntry(); }); });
  connect(buttons_.delete_row, &QPushButton::clicked, this,
          [this] { RunHandler(this, "dlgNoneTerm.cmdDel", [this] { Delete(); }); });
  connect(buttons_.register_row, &QPushButton::clicked, this,
          [this] { RunUnexpectedHandler(this, "dlgNoneTerm.cmdReg", [this] { Register(); }); });

  buttons_.RegisterOnEnter(category_);

  RunUnexpectedHandler(this, "dlgNoneTerm.load", [this] { Load(); });
}

void NoneTermDialog::Load() {
  category_->addItem(ToQt(kAllCategories));
  for (const std::string& name : session_.settings.category) {
    if (!name.empty()) category_->addItem(ToQt(name));
  }
  // A period without a category is not listed, and so is gone after O K.
  for (const NoneTerm& period : session_.periods) {
    if (period.category.empty()) continue;
    list_->AppendRow({ToQt(period.first.ToText()), ToQt(period.last.ToText()), ToQt(period.category)});
  }
  list_->Deselect();
  ClearEditFields();
  buttons_.SetRowMode(false);
}

void NoneTermDialog::ClearEditFields() {
  start_->clear();
  end_->clear();
  category_->ShowText(ToQt(kAllCategories));
}

bool NoneTermDialog::Unregistered() const {
  if (const QTreeWidgetItem* row = list_->SelectedRow()) {
    return start_->text() != row->text(0) || end_->text() != row->text(1) ||
           WithoutCommas(category_->currentText()) != row->text(2);
  }
  // The category alone is no input: it starts at [すべて].
  return !start_->text().isEmpty() || !end_->text().isEmpty();
}

void NoneTermDialog::SetEditBox() {
  const QTreeWidgetItem* row = list_->SelectedRow();
  buttons_.SetRowMode(row != nullptr);
  if (!row) return;
  start_->setText(row->text(0));
  end_->setText(row->text(1));
  category_->ShowText(row->text(2));
}

std::string NoneTermDialog::AboutRow(const QTreeWidgetItem& row, const char* question) {
  return "選択された項目\r\n" + FromQt(row.text(0)) + " " + FromQt(row.text(1)) + " " + FromQt(row.text(2)) + "\r\n" +
         question;
}

void NoneTermDialog::Register() {
  const std::optional<Date> first = ParseDate(FromQt(start_->text()));
  if (!first) {
    Tell(this, "開始日を指定してください.");
    pick_start_->setFocus();
    return;
  }
  const std::optional<Date> last = ParseDate(FromQt(end_->text()));
  if (!last) {
    Tell(this, "終了日を指定してください.");
    pick_end_->setFocus();
    return;
  }
  if (*last < *first) {
    Tell(this, "開始日を終了日以降に設定しようとしています");
    pick_end_->setFocus();
    return;
  }
  const QStringList texts{ToQt(first->ToText()), ToQt(last->ToText()), WithoutCommas(category_->currentText())};
  if (QTreeWidgetItem* row = list_->SelectedRow()) {
    if (!AskYesNo(this, AboutRow(*row, "を上書きしますか?"), "上書き確認")) return;
    for (int column = 0; column < texts.size(); ++column) row->setText(column, texts[column]);
    SetEditBox();
  } else {
    // The fields are ready for the next period; the new row shows where it
    // went.
    list_->scrollToItem(list_->AppendRow(texts));
    ClearEditFields();
  }
  pick_start_->setFocus();
}

void NoneTermDialog::Delete() {
  QTreeWidgetItem* row = list_->SelectedRow();
  if (!row) return;
  if (!AskYesNo(this, AboutRow(*row, "削除してよろしいですか?"), "削除確認")) return;
  delete row;
  list_->Deselect();
  ClearEditFields();
  buttons_.SetRowMode(false);
  pick_start_->setFocus();
}

void NoneTermDialog::NewEntry() {
  ClearEditFields();
  buttons_.SetRowMode(false);
  list_->Deselect();
  pick_start_->setFocus();
}

void NoneTermDialog::Store() {
  NoneTermTable table;
  for (const QStringList& row : list_->Rows()) {
    // Every row's dates were written by this dialog, so they read back.
    table.push_back({ParseDate(FromQt(row[0])).value_or(Date{}), ParseDate(FromQt(row[1])).value_or(Date{}),
                     FromQt(WithoutCommas(row[2]))});
  }
  session_.periods = std::move(table);
}

void ShowNoneTermEditor(QWidget* main_window, Session& session) {
  NoneTermDialog dialog(session, main_window);
  OpenOurDialog(dialog);
}

}  // namespace dustora
