#include "ui/category_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string>

#include "core/calendar_document.h"
#include "settings/settings.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/report_list.h"

namespace dustora {

namespace {

const char* const kTitle = "分別の種類設定";
constexpr int kMaxEntries = kCategoryCount;

}  // namespace

CategoryDialog::CategoryDialog(QWidget* parent, AppSettings& settings, std::function<void()> rebuild_boxes)
    : QDialog(parent), settings_(settings), rebuild_boxes_(std::move(rebuild_boxes)), buttons_(this) {
  setObjectName(QStringLiteral("dlgSet"));
  setWindowTitle(ToQt(kTitle));

  auto* hint = new QLabel(this);
  hint->setObjectName(QStringLiteral("Label1"));
  hint->setToolTip(ToQt(kHelpTip));
  hint->setWordWrap(true);
  hint->setText(
      ToQt("お住まいの環境に従って適宜、追加(最大40件)・削除・変更して下さい."
           "「保 存」ボタンで「分別の種類」リストに反映します."));

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("List1"));
  list_->setToolTip(ToQt(kHelpTip));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setFixedSize(260, 280);
  ShowCutTextsInTips(list_);

  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("txtCategory"));
  name_->setToolTip(ToQt(kHelpTip));
  name_->setMinimumWidth(240);

  auto* defaults = new QPushButton(ToQt("初期値に戻す"), this);
  defaults->setObjectName(QStringLiteral("cmdDefault"));
  defaults->setToolTip(ToQt(kHelpTip));

  auto* edit_buttons = new QHBoxLayout;
  edit_buttons->addWidget(buttons_.register_row);
  edit_buttons->addWidget(buttons_.new_row);
  edit_buttons->addWidget(buttons_.delete_row);

  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(ToQt("分別名:"), this));
  side->addWidget(name_);
  side->addLayout(edit_buttons);
  side->addSpacing(12);
  side->addWidget(defaults, 0, Qt::AlignLeft);
  side->addStretch(1);
  side->addWidget(AddOkCancelButtons(
      *this, "保 存 (&S)", "dlgSet.OKButton", [this] { return MayDropUnregistered(this, Unregistered(), kTitle); },
      [this] { Save(); }));

  auto* body = new QHBoxLayout;
  body->addWidget(list_);
  body->addSpacing(6);
  body->addLayout(side);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addLayout(body);
  FinishDialogLayout(*this, layout);
  ChainTabOrder({list_, name_, buttons_.register_row, buttons_.new_row, buttons_.delete_row, defaults,
                 findChild<QPushButton*>(QStringLiteral("OKButton")),
                 findChild<QPushButton*>(QStringLiteral("CancelButton"))});

  connect(name_, &QLineEdit::textChanged, this,
          [this] { RunHandler(this, "dlgSet.txtCateg.Change", [this] { TextChanged(); }); });
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    if (!deselecting_) RunHandler(this, "dlgSet.ListClick", [this] { ListClick(); });
  });
  connect(buttons_.new_row, &QPushButton::clicked, this,
          [this] { RunHandler(this, "dlgSet.cmd新規", [this] { NewEntry(); }); });
  connect(buttons_.delete_row, &QPushButton::clicked, this, [this] {
    KeepFocusThrough(buttons_.delete_row, list_, [this] { RunHandler(this, "dlgSet.cmd削除", [this] { Delete(); }); });
  });
  connect(buttons_.register_row, &QPushButton::clicked, this, [this] {
    KeepFocusThrough(buttons_.register_row, list_,
                     [this] { RunHandler(this, "dlgSet.cmd登録", [this] { Register(); }); });
  });
  buttons_.RegisterOnEnter(name_);
  connect(defaults, &QPushButton::clicked, this,
          [this] { RunHandler(this, "dlgSet.cmdDefault", [this] { RestoreDefaults(); }); });

  RunHandler(this, "dlgSet.Load", [this] { Load(); });
}

void CategoryDialog::Load() {
  list_->clear();
  for (const std::string& name : settings_.category) {
    if (!name.empty()) list_->addItem(ToQt(name));
  }
  buttons_.register_row->setEnabled(false);
  buttons_.delete_row->setEnabled(false);
  // 新規 waits for the first selection.
  buttons_.new_row->setEnabled(false);
  Deselect();
}

QListWidgetItem* CategoryDialog::Selected() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

void CategoryDialog::Deselect() {
  deselecting_ = true;
  list_->clearSelection();
  list_->setCurrentRow(-1);
  deselecting_ = false;
}

bool CategoryDialog::Unregistered() const {
  const QListWidgetItem* selected = Selected();
  return selected ? name_->text() != selected->text() : !name_->text().isEmpty();
}

void CategoryDialog::TextChanged() {
  const QListWidgetItem* selected = Selected();
  const QString text = name_->text();
  buttons_.register_row->setEnabled(!text.isEmpty() && !(selected && text == selected->text()));
  if (list_->count() >= kMaxEntries) {
    if (!selected) buttons_.register_row->setEnabled(false);
    buttons_.new_row->setEnabled(false);
  }
}

void CategoryDialog::ListClick() {
  const QListWidgetItem* selected = Selected();
  if (selected) {
    name_->setText(selected->text());
    TextChanged();  // also when the text was already the entry's name
  }
  buttons_.new_row->setEnabled(selected != nullptr);
  buttons_.delete_row->setEnabled(selected != nullptr);
}

void CategoryDialog::NewEntry() {
  if (list_->count() > kMaxEntries - 1) {
    ShowInformation(this, "登録できる分別の種類は最大40件です.", kTitle);
    return;
  }
  name_->clear();
  TextChanged();
  buttons_.delete_row->setEnabled(false);
  Deselect();
  name_->setFocus();
}

void CategoryDialog::Delete() {
  QListWidgetItem* selected = Selected();
  if (!selected) return;
  if (!AskYesNo(this, "選択された分別名を\r\n削除してよろしいですか?", "項目の削除")) return;
  deselecting_ = true;
  delete selected;
  deselecting_ = false;
  Deselect();
  name_->clear();
  TextChanged();
  buttons_.delete_row->setEnabled(false);
}

void CategoryDialog::Register() {
  const std::string name = FromQt(name_->text());
  if (name.empty()) {
    PlatformOf(this).ShowMessage(
        {"分別名が空白です.", kTitle, MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
    return;
  }
  if (name.find(',') != std::string::npos) {
    ShowInformation(this, "カンマは使用できません.", kTitle);
    return;
  }
  if (RefuseUnstorable(this, name, kTitle)) return;
  QListWidgetItem* selected = Selected();
  if (!selected) {
    list_->addItem(name_->text());
    name_->clear();
    TextChanged();
    return;
  }
  if (!AskYesNo(this, "選択されている項目を上書きしますか?", "上書き確認")) return;
  selected->setText(name_->text());
}

void CategoryDialog::RestoreDefaults() {
  if (!AskYesNo(this, "よろしいですか?", "初期値に戻す")) return;
  deselecting_ = true;
  list_->clear();
  deselecting_ = false;
  for (const std::string& name : DefaultCategories()) list_->addItem(ToQt(name));
  name_->clear();
  TextChanged();
  // No entry is selected any more, so there is nothing to delete.
  buttons_.delete_row->setEnabled(false);
}

void CategoryDialog::Save() {
  // The boxes keep the texts they show while their items are rebuilt.
  std::array<std::string, kCategoryCount> table{};
  for (int i = 0; i < list_->count() && i < kMaxEntries; ++i) {
    table[static_cast<std::size_t>(i)] = FromQt(list_->item(i)->text());
  }
  settings_.category = table;
  if (rebuild_boxes_) rebuild_boxes_();
}

void ShowCategoryEditor(QWidget* main_window, AppSettings& settings, std::function<void()> rebuild_boxes) {
  CategoryDialog dialog(main_window, settings, std::move(rebuild_boxes));
  OpenOurDialog(dialog);
}

}  // namespace dustora
