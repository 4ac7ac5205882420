#include "ui/day_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/text.h"
#include "document/schedule_text.h"
#include "ui/choice_combo_box.h"
#include "ui/date_picker_dialog.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

const char* const kTitle = "臨時の収集日と休みの設定";
const char* const kCheckTitle = "臨時の収集日の指定";
// The stored change of a row, as the document file writes it.
constexpr int kChangeRole = Qt::UserRole;

const char* SignText(bool collect) {
  return collect ? "収集" : "休み";
}

// Where a row stands in the list: the rows of every year first, by month
// and day, then the dated ones by date.
std::string SortKey(const DayChange& change) {
  char key[16];
  std::snprintf(key, sizeof key, "%04d/%02d/%02d", change.year.value_or(0), change.month, change.day);
  return key;
}

std::optional<DayChange> ChangeOf(const QTreeWidgetItem& row) {
  return ParseDayChange(FromQt(row.data(0, kChangeRole).toString()));
}

}  // namespace

DayDialog::DayDialog(CalendarDocument& document, const AppSettings& settings, QWidget* parent)
    : QDialog(parent), document_(document), buttons_(this) {
  setObjectName(QStringLiteral("dlgDay"));
  setWindowTitle(ToQt(kTitle));

  list_ = new ReportList("ListView1",
                         {{"日付", "nDate", 32}, {"収集/休み", "nSign", 22}, {"分別の種類", "nCategory", 42}}, this);
  list_->setFixedSize(380, 200);
  auto* holiday_caption = new QLabel(ToQt("祝日に収集しない分別"), this);
  holiday_caption->setObjectName(QStringLiteral("lblHoliday"));
  holiday_ = new QListWidget(this);
  holiday_->setObjectName(QStringLiteral("lstHoliday"));
  holiday_->setFixedSize(190, 176);
  holiday_caption->setBuddy(holiday_);

  date_ = MakeDateLabel(this, "lblDate");
  pick_date_ = MakePickButton(this, "cmdDate", "dlgDay.cmdDate", date_);
  every_year_ = new QCheckBox(ToQt("毎年(&Y)"), this);
  every_year_->setObjectName(QStringLiteral("CheckEveryYear"));
  collect_ = new QRadioButton(ToQt("収集する(&C)"), this);
  collect_->setObjectName(QStringLiteral("OptionCollect"));
  no_collect_ = new QRadioButton(ToQt("収集しない(&O)"), this);
  no_collect_->setObjectName(QStringLiteral("OptionNoCollect"));
  category_ = new ChoiceComboBox(this);
  category_->setObjectName(QStringLiteral("cmbCategory"));
  category_->HoldNames(14);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(ToQt("日付:"), this), 0, 0);
  auto* date_line = new QHBoxLayout;
  date_line->addWidget(date_);
  date_line->addWidget(pick_date_);
  date_line->addWidget(every_year_);
  date_line->addStretch(1);
  fields->addLayout(date_line, 0, 1);
  auto* sign_line = new QHBoxLayout;
  sign_line->addWidget(collect_);
  sign_line->addWidget(no_collect_);
  sign_line->addStretch(1);
  fields->addLayout(sign_line, 1, 1);
  fields->addWidget(new QLabel(ToQt("分別の種類:"), this), 2, 0);
  fields->addWidget(category_, 2, 1);

  auto* edit_buttons = new QHBoxLayout;
  edit_buttons->addWidget(buttons_.new_row);
  edit_buttons->addWidget(buttons_.delete_row);
  edit_buttons->addWidget(buttons_.register_row);
  edit_buttons->addStretch(1);

  auto* left = new QVBoxLayout;
  left->addWidget(list_);
  left->addSpacing(4);
  left->addLayout(fields);
  left->addLayout(edit_buttons);
  auto* right = new QVBoxLayout;
  right->addWidget(holiday_caption);
  right->addWidget(holiday_);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addSpacing(8);
  top->addLayout(right);

  auto* bottom = MakeHelpRow(
      this, {AddOkCancelButtons(
                *this, "O K", "dlgDay.OK", [this] { return MayDropUnregistered(this, Unregistered(), kTitle); },
                [this] { Store(); })});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(6);
  layout->addLayout(bottom);
  FinishDialogLayout(*this, layout);
  for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTip(ToQt(kHelpTip));
  ChainTabOrder({list_, pick_date_, every_year_, collect_, no_collect_, category_, buttons_.new_row,
                 buttons_.delete_row, buttons_.register_row, holiday_,
                 findChild<QPushButton*>(QStringLiteral("OKButton")),
                 findChild<QPushButton*>(QStringLiteral("CancelButton"))});

  connect(list_, &QTreeWidget::itemSelectionChanged, this,
          [this] { RunHandler(this, "dlgDay.SetEditBox", [this] { SetEditBox(); }); });
  connect(collect_, &QRadioButton::toggled, this, [this] { OfferEveryCategory(); });
  connect(buttons_.new_row, &QPushButton::clicked, this,
          [this] { RunUnexpectedHandler(this, "dlgDay.cmdNew", [this] { NewEntry(); }); });
  connect(buttons_.delete_row, &QPushButton::clicked, this,
          [this] { RunHandler(this, "dlgDay.cmdDel", [this] { Delete(); }); });
  connect(buttons_.register_row, &QPushButton::clicked, this,
          [this] { RunUnexpectedHandler(this, "dlgDay.cmdReg", [this] { Register(); }); });
  for (QWidget* field : std::initializer_list<QWidget*>{every_year_, collect_, no_collect_, category_}) {
    buttons_.RegisterOnEnter(field);
  }

  RunUnexpectedHandler(this, "dlgDay.load", [this, &settings] { Load(settings); });
}

void DayDialog::Load(const AppSettings& settings) {
  // The categories of the settings, then those only the document has.
  std::vector<std::string> names;
  const auto offer = [&names](const std::string& name) {
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  };
  for (const std::string& name : settings.category) offer(CategoryWithoutCommas(name));
  for (const std::string& name : document_.category) offer(name);
  for (const std::string& name : names) category_->addItem(ToQt(name));

  std::vector<std::string> holiday_names{std::string(kEveryCategory)};
  for (const std::string& name : document_.category) {
    if (!name.empty() && std::find(holiday_names.begin(), holiday_names.end(), name) == holiday_names.end()) {
      holiday_names.push_back(name);
    }
  }
  for (const std::string& name : document_.holiday_rules) {
    if (std::find(holiday_names.begin(), holiday_names.end(), name) == holiday_names.end()) {
      holiday_names.push_back(name);
    }
  }
  for (const std::string& name : holiday_names) {
    auto* item = new QListWidgetItem(ToQt(name), holiday_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    const bool checked = std::find(document_.holiday_rules.begin(), document_.holiday_rules.end(), name) !=
                         document_.holiday_rules.end();
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
  holiday_->setCurrentRow(0);

  for (const DayChange& change : document_.day_changes) ShowRow(*list_->AppendRow({}), change);
  SortRows();
  list_->Deselect();
  ClearEditFields();
  buttons_.SetRowMode(false);
}

void DayDialog::ShowRow(QTreeWidgetItem& row, const DayChange& change) {
  char date[16];
  if (change.year) {
    std::snprintf(date, sizeof date, "%04d/%02d/%02d", *change.year, change.month, change.day);
  } else {
    std::snprintf(date, sizeof date, "毎年 %02d/%02d", change.month, change.day);
  }
  row.setText(0, ToQt(date));
  row.setText(1, ToQt(SignText(change.collect)));
  row.setText(2, ToQt(change.category));
  row.setData(0, kChangeRole, ToQt(DayChangeText(change)));
}

void DayDialog::SortRows() {
  std::vector<std::pair<std::string, QTreeWidgetItem*>> rows;
  while (list_->topLevelItemCount() > 0) {
    QTreeWidgetItem* row = list_->takeTopLevelItem(0);
    rows.emplace_back(SortKey(ChangeOf(*row).value_or(DayChange{})), row);
  }
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [key, row] : rows) list_->addTopLevelItem(row);
}

void DayDialog::OfferEveryCategory() {
  const QString every = ToQt(kEveryCategory);
  const bool offered = category_->count() > 0 && category_->itemText(0) == every;
  if (no_collect_->isChecked() && !offered) {
    category_->insertItem(0, every);
  } else if (collect_->isChecked() && offered) {
    const bool shown = category_->currentText() == every;
    category_->removeItem(0);
    if (shown) category_->ShowText(category_->count() > 0 ? category_->itemText(0) : QString());
  }
}

void DayDialog::ClearEditFields() {
  date_->clear();
  every_year_->setChecked(false);
  no_collect_->setChecked(true);
  OfferEveryCategory();
  category_->ShowText(ToQt(kEveryCategory));
}

void DayDialog::SetEditBox() {
  const QTreeWidgetItem* row = list_->SelectedRow();
  buttons_.SetRowMode(row != nullptr);
  if (!row) return;
  const std::optional<DayChange> change = ChangeOf(*row);
  if (!change) return;
  // A date of every year shows in this year, or the next leap year for 2/29.
  int year = change->year.value_or(PlatformOf(this).Today().year);
  while (!IsRealDate(year, change->month, change->day)) ++year;
  date_->setText(ToQt(Date{year, change->month, change->day}.ToText()));
  every_year_->setChecked(!change->year);
  (change->collect ? collect_ : no_collect_)->setChecked(true);
  OfferEveryCategory();
  category_->ShowText(ToQt(change->category));
}

std::optional<DayChange> DayDialog::FieldChange(bool tell) {
  const std::optional<Date> date = ParseDate(FromQt(date_->text()));
  if (!date) {
    if (tell) {
      ShowInformation(this, "日付を指定してください.", kCheckTitle);
      pick_date_->setFocus();
    }
    return std::nullopt;
  }
  DayChange change;
  if (!every_year_->isChecked()) change.year = date->year;
  change.month = date->month;
  change.day = date->day;
  change.collect = collect_->isChecked();
  change.category = FromQt(category_->currentText());
  if (change.category.empty()) {
    if (tell) {
      ShowInformation(this, "分別の種類を選んでください.", kCheckTitle);
      category_->setFocus();
    }
    return std::nullopt;
  }
  return change;
}

bool DayDialog::Unregistered() {
  if (const QTreeWidgetItem* row = list_->SelectedRow()) return FieldChange(false) != ChangeOf(*row);
  return !date_->text().isEmpty();
}

void DayDialog::Register() {
  const std::optional<DayChange> change = FieldChange(true);
  if (!change) return;
  if (QTreeWidgetItem* row = list_->SelectedRow()) {
    const std::string about = "選択された項目\r\n" + FromQt(row->text(0)) + " " + FromQt(row->text(1)) + " " +
                              FromQt(row->text(2)) + "\r\nを上書きしますか?";
    if (!AskYesNo(this, about, "上書き確認")) return;
    ShowRow(*row, *change);
    SortRows();
    list_->ChooseRow(row);
  } else if (list_->topLevelItemCount() >= kMostDayChanges) {
    ShowInformation(this, "これ以上登録できません(" + std::to_string(kMostDayChanges) + "件まで).", kCheckTitle);
    return;
  } else {
    QTreeWidgetItem* added = list_->AppendRow({});
    ShowRow(*added, *change);
    SortRows();
    list_->scrollToItem(added);
    ClearEditFields();
  }
  pick_date_->setFocus();
}

void DayDialog::Delete() {
  QTreeWidgetItem* row = list_->SelectedRow();
  if (!row) return;
  const std::string about = "選択された項目\r\n" + FromQt(row->text(0)) + " " + FromQt(row->text(1)) + " " +
                            FromQt(row->text(2)) + "\r\n削除してよろしいですか?";
  if (!AskYesNo(this, about, "削除確認")) return;
  delete row;
  list_->Deselect();
  ClearEditFields();
  buttons_.SetRowMode(false);
  pick_date_->setFocus();
}

void DayDialog::NewEntry() {
  list_->Deselect();
  ClearEditFields();
  buttons_.SetRowMode(false);
  pick_date_->setFocus();
}

void DayDialog::Store() {
  std::vector<DayChange> changes;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    if (std::optional<DayChange> change = ChangeOf(*list_->topLevelItem(i))) changes.push_back(std::move(*change));
  }
  std::vector<std::string> holiday_rules;
  for (int i = 0; i < holiday_->count(); ++i) {
    if (holiday_->item(i)->checkState() == Qt::Checked) holiday_rules.push_back(FromQt(holiday_->item(i)->text()));
  }
  // The list shows the rows sorted: the same rows in the document's order
  // are no change.
  std::vector<DayChange> stored = document_.day_changes;
  std::stable_sort(stored.begin(), stored.end(),
                   [](const DayChange& a, const DayChange& b) { return SortKey(a) < SortKey(b); });
  if (changes != stored) {
    document_.day_changes = std::move(changes);
    changed_ = true;
  }
  if (holiday_rules != document_.holiday_rules) {
    document_.holiday_rules = std::move(holiday_rules);
    changed_ = true;
  }
}

bool ShowDayEditor(QWidget* main_window, CalendarDocument& document, const AppSettings& settings) {
  DayDialog dialog(document, settings, main_window);
  return OpenOurDialog(dialog) == QDialog::Accepted && dialog.changed();
}

}  // namespace dustora
