#include "ui/holiday_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "core/filesystem.h"
#include "core/text.h"
#include "session/lifecycle.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "ui/date_picker_dialog.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

const char* const kTitle = "祝祭日の確認と編集";
const char* const kCheckTitle = "祝祭日設定";
// The manual's page about the holiday table: where the shipped table comes
// from and how to get it back.
const char* const kHolidayTablePage = "holiday.html";

// A name box that never shows a comma: the table file separates its fields
// with commas. Typed commas are swallowed, as are commas an input method
// commits; a pasted comma is refused when the entry is registered.
class NameBox : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->text().contains(QLatin1Char(','))) {
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }
  void inputMethodEvent(QInputMethodEvent* event) override {
    if (!event->commitString().contains(QLatin1Char(','))) {
      QLineEdit::inputMethodEvent(event);
      return;
    }
    QInputMethodEvent without(event->preeditString(), event->attributes());
    without.setCommitString(QString(event->commitString()).remove(QLatin1Char(',')), event->replacementStart(),
                            event->replacementLength());
    QLineEdit::inputMethodEvent(&without);
  }
};

void Tell(const QWidget* from, const char* text) {
  ShowInformation(from, text, kCheckTitle);
}

}  // namespace

HolidayDialog::HolidayDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session), buttons_(this) {
  setObjectName(QStringLiteral("dlgHoliday"));
  setWindowTitle(ToQt(kTitle));

  list_ = new ReportList("ListView1", {{"日付", "hDate", 40}, {"祝祭日名", "hName", 48}}, this);
  list_->setFixedSize(300, 300);

  auto* date_caption = new QLabel(ToQt("日付:"), this);
  date_ = MakeDateLabel(this, "lblDate");
  pick_ = MakePickButton(this, "cmdDate", "dlgHoliday.cmdDate", date_);
  auto* name_caption = new QLabel(ToQt("祝祭日名:"), this);
  name_ = new NameBox(this);
  name_->setObjectName(QStringLiteral("txtName"));
  name_->setToolTip(ToQt(kHelpTip));
  name_caption->setBuddy(name_);

  auto* fields = new QGridLayout;
  fields->addWidget(date_caption, 0, 0);
  auto* date_row = new QHBoxLayout;
  date_row->addWidget(date_, 1);
  date_row->addWidget(pick_);
  fields->addLayout(date_row, 0, 1);
  fields->addWidget(name_caption, 1, 0);
  fields->addWidget(name_, 1, 1);

  auto* edit_buttons = new QHBoxLayout;
  edit_buttons->addWidget(buttons_.register_row);
  edit_buttons->addWidget(buttons_.delete_row);
  edit_buttons->addWidget(buttons_.new_row);

  show_names_ = new QCheckBox(ToQt("祝祭日名を出力"), this);
  show_names_->setObjectName(QStringLiteral("CheckHolidayName"));
  show_names_->setToolTip(ToQt(kHelpTip));

  auto* side = new QVBoxLayout;
  side->addLayout(fields);
  side->addSpacing(6);
  side->addLayout(edit_buttons);
  side->addStretch(1);
  side->addWidget(show_names_);
  side->addSpacing(10);
  side->addWidget(AddOkCancelButtons(
      *this, "O K", "dlgHoliday.OK", [this] { return MayDropUnregistered(this, Unregistered(), kTitle); },
      [this] { Store(); }));

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_);
  layout->addSpacing(6);
  layout->addLayout(side);
  FinishDialogLayout(*this, layout);
  ChainTabOrder({list_, pick_, name_, buttons_.register_row, buttons_.delete_row, buttons_.new_row, show_names_,
                 findChild<QPushButton*>(QStringLiteral("OKButton")),
                 findChild<QPushButton*>(QStringLiteral("CancelButton"))});

  connect(list_, &QTreeWidget::itemSelectionChanged, this,
          [this] { RunHandler(this, "dlgHoliday.ListView1", [this] { ShowSelection(); }); });
  connect(buttons_.register_row, &QPushButton::clicked, this,
          [this] { RunHandler(this, "dlgHoliday.cmd登録", [this] { Register(); }); });
  connect(buttons_.delete_row, &QPushButton::clicked, this, [this] {
    KeepFocusThrough(buttons_.delete_row, list_,
                     [this] { RunHandler(this, "dlgHoliday.cmd削除", [this] { Delete(); }); });
  });
  connect(buttons_.new_row, &QPushButton::clicked, this, [this] {
    KeepFocusThrough(buttons_.new_row, list_,
                     [this] { RunHandler(this, "dlgHoliday.cmd新規", [this] { NewEntry(); }); });
  });
  buttons_.RegisterOnEnter(name_);

  RunHandler(this, "dlgHolidy.Form.Load", [this] { Load(); });
}

void HolidayDialog::Load() {
  // A table that earlier versions appended to out of order is shown, and
  // stored again, in date order.
  HolidayTable sorted = session_.holidays;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Holiday& a, const Holiday& b) { return a.date < b.date; });
  for (const Holiday& holiday : sorted) {
    if (holiday.name.empty()) continue;
    list_->AppendRow({ToQt(holiday.date.ToText()), ToQt(holiday.name)});
  }
  show_names_->setChecked(session_.settings.show_holiday_names != 0);
  list_->Deselect();
  ClearEditFields();
  buttons_.SetRowMode(false);
}

void HolidayDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_ || list_->topLevelItemCount() == 0) return;
  shown_ = true;
  const Date new_year{PlatformOf(this).Today().year, 1, 1};
  QTreeWidgetItem* top = list_->topLevelItem(list_->topLevelItemCount() - 1);
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    const std::optional<Date> date = ParseDate(FromQt(list_->topLevelItem(i)->text(0)));
    if (date && *date >= new_year) {
      top = list_->topLevelItem(i);
      break;
    }
  }
  list_->scrollToItem(top, QAbstractItemView::PositionAtTop);
}

void HolidayDialog::ClearEditFields() {
  date_->clear();
  name_->clear();
}

bool HolidayDialog::Unregistered() const {
  if (const QTreeWidgetItem* row = list_->SelectedRow()) {
    return date_->text() != row->text(0) || name_->text() != row->text(1);
  }
  return !date_->text().isEmpty() || !name_->text().isEmpty();
}

void HolidayDialog::ShowSelection() {
  const QTreeWidgetItem* row = list_->SelectedRow();
  buttons_.SetRowMode(row != nullptr);
  if (!row) return;
  date_->setText(row->text(0));
  name_->setText(row->text(1));
}

void HolidayDialog::Register() {
  const std::optional<Date> date = ParseDate(FromQt(date_->text()));
  if (!date) {
    Tell(this, "日付を正しく指定して下さい.");
    pick_->setFocus();
    return;
  }
  const std::string name = FromQt(name_->text());
  if (name.empty()) {
    Tell(this, "祝祭実名をを正しく指定して下さい.");
    name_->setFocus();
    return;
  }
  if (name.find(',') != std::string::npos) {
    Tell(this, "カンマは使用できません.");
    name_->setFocus();
    return;
  }
  if (RefuseUnstorable(this, name, kTitle)) {
    name_->setFocus();
    return;
  }
  const QStringList texts{ToQt(date->ToText()), ToQt(name)};
  if (QTreeWidgetItem* row = list_->SelectedRow()) {
    if (!AskYesNo(this, "「" + FromQt(row->text(1)) + "」を上書きしますか?", "上書き確認")) return;
    row->setText(0, texts[0]);
    row->setText(1, texts[1]);
    PlaceByDate(row, *date);
    list_->ChooseRow(row);
    ShowSelection();
  } else {
    // The fields are ready for the next holiday; the new row shows where it
    // went.
    auto* added = new QTreeWidgetItem(texts);
    PlaceByDate(added, *date);
    list_->scrollToItem(added);
    ClearEditFields();
  }
  pick_->setFocus();
}

void HolidayDialog::PlaceByDate(QTreeWidgetItem* row, const Date& date) {
  if (const int at = list_->indexOfTopLevelItem(row); at >= 0) list_->takeTopLevelItem(at);
  int place = 0;
  while (place < list_->topLevelItemCount()) {
    const std::optional<Date> listed = ParseDate(FromQt(list_->topLevelItem(place)->text(0)));
    if (listed && date < *listed) break;
    ++place;
  }
  list_->insertTopLevelItem(place, row);
}

void HolidayDialog::Delete() {
  QTreeWidgetItem* row = list_->SelectedRow();
  if (!row) return;
  if (!AskYesNo(this, "「" + FromQt(row->text(1)) + "」を削除してよろしいですか?", "削除確認")) return;
  delete row;
  list_->Deselect();
  buttons_.SetRowMode(false);
  ClearEditFields();
}

void HolidayDialog::NewEntry() {
  ClearEditFields();
  buttons_.SetRowMode(false);
  list_->Deselect();
}

void HolidayDialog::Store() {
  HolidayTable table;
  for (const QStringList& row : list_->Rows()) {
    // Every row's date was written by this dialog, so it reads back.
    table.push_back({ParseDate(FromQt(row[0])).value_or(Date{}), FromQt(row[1])});
  }
  session_.holidays = std::move(table);
  session_.settings.show_holiday_names = show_names_->isChecked() ? 1 : 0;
}

void ShowHolidayEditor(QWidget* main_window, Session& session) {
  if (!Fs().FileExists(HolidayFilePath(session))) {
    ShowInformation(main_window,
                    "祝祭日データが見つかりませんでした.\r\n"
                    "ダストーラを再起動すると付属の祝祭日データが復元されます.\r\n"
                    "詳しくは " +
                        HelpPagePath(main_window, kHolidayTablePage) + " を参照して下さい.",
                    "祝祭日の設定");
  }
  HolidayDialog dialog(session, main_window);
  OpenOurDialog(dialog);
}

}  // namespace dustora
