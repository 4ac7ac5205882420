#include "ui/icon_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

#include "core/encoding.h"
#include "core/filesystem.h"
#include "output/evaluation.h"
#include "settings/folders.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/report_list.h"

namespace dustora {

namespace {

const char* const kTitle = "アイコンの設定";
const char* const kRenameTitle = "ファイル名変更";
// The preview shows an icon at twice the size the page draws it.
constexpr int kPreviewWidth = 84;
constexpr int kPreviewHeight = 80;

// After a name that Shift_JIS cannot hold (or that is not even UTF-8): the
// file can only be renamed or deleted.
constexpr std::string_view kUnusableMark = "(使用できないファイル名)";

// The file's name as it is on disk, kept with its item.
std::string FileOf(const QListWidgetItem& item) {
  return item.data(Qt::UserRole).toByteArray().toStdString();
}

// The name as text to show; bytes that are no UTF-8 show as U+FFFD.
QString Shown(const std::string& file) {
  return QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
}

bool IsReservedName(const QString& name) {
  return name.toLower() == ToQt(kNoneImage);
}

// A name that would put the file somewhere else than the icon folder.
bool LeavesTheFolder(const QString& name) {
  return name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == QStringLiteral(".") ||
         name == QStringLiteral("..");
}

}  // namespace

IconDialog::IconDialog(QWidget* parent, const AppFolders& folders, std::function<void()> rebuild_boxes)
    : QDialog(parent), folders_(folders), rebuild_boxes_(std::move(rebuild_boxes)) {
  setObjectName(QStringLiteral("dlgImageSet"));
  setWindowTitle(ToQt(kTitle));

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("List1"));
  list_->setToolTip(ToQt(kHelpTip));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setFixedSize(220, 240);
  ShowCutTextsInTips(list_);

  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("Picture1"));
  picture_->setFixedSize(kPreviewWidth + 4, kPreviewHeight + 4);
  picture_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setAutoFillBackground(true);
  picture_->setBackgroundRole(QPalette::Base);

  auto* frame = new QGroupBox(ToQt("ファイル名"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  name_ = new QLineEdit(frame);
  name_->setObjectName(QStringLiteral("txtImageName"));
  name_->setMaxLength(30);
  name_->setMinimumWidth(180);
  rename_ = new QPushButton(ToQt("変更"), frame);
  rename_->setObjectName(QStringLiteral("cmdNameChange"));
  auto* frame_layout = new QHBoxLayout(frame);
  frame_layout->addWidget(name_, 1);
  frame_layout->addWidget(rename_);

  delete_ = new QPushButton(ToQt("画像の削除"), this);
  delete_->setObjectName(QStringLiteral("cmdDelete"));
  add_ = new QPushButton(ToQt("画像の追加"), this);
  add_->setObjectName(ToQt("cmd追加"));
  auto* close = new QPushButton(ToQt("閉じる(&Q)"), this);
  close->setObjectName(QStringLiteral("CancelButton"));
  for (QPushButton* button : {rename_, delete_, add_, close}) {
    button->setToolTip(ToQt(kHelpTip));
  }

  auto* file_buttons = new QHBoxLayout;
  file_buttons->addWidget(add_);
  file_buttons->addWidget(delete_);
  file_buttons->addStretch(1);

  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(ToQt("サンプル:"), this));
  side->addWidget(picture_, 0, Qt::AlignLeft);
  side->addSpacing(6);
  side->addWidget(frame);
  side->addLayout(file_buttons);
  side->addStretch(1);
  side->addWidget(close, 0, Qt::AlignRight);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_);
  layout->addSpacing(6);
  layout->addLayout(side);
  FinishDialogLayout(*this, layout);

  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    if (!rebuilding_) RunHandler(this, "Imageset.list", [this] { ListClick(); });
  });
  connect(add_, &QPushButton::clicked, this, [this] { RunHandler(this, "cmdAdd", [this] { Add(); }); });
  connect(rename_, &QPushButton::clicked, this,
          [this] { RunHandler(this, "Imageset.cmdNameChange", [this] { Rename(); }); });
  connect(delete_, &QPushButton::clicked, this,
          [this] { RunHandler(this, "Imageset.cmdDelete", [this] { Delete(); }); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  RunHandler(this, kFillIconListTag, [this] { FillIconList(); });
}

std::string IconDialog::IconFolder() const {
  return JoinPath(folders_.data_folder, "img");
}

void IconDialog::FillIconList() {
  rebuilding_ = true;
  list_->clear();
  rebuilding_ = false;
  for (const std::string& file : Fs().ListFiles(IconFolder())) {
    if (file == kNoneImage) continue;
    auto* item = new QListWidgetItem(Shown(file) + (sjis::RoundTrips(file) ? QString() : ToQt(kUnusableMark)));
    item->setData(Qt::UserRole, QByteArray::fromStdString(file));
    list_->addItem(item);
  }
  picture_->clear();
  name_->clear();
  rename_->setEnabled(false);
  delete_->setEnabled(false);
}

void IconDialog::SetMainCombo() {
  RunHandler(this, "Imageset.SetMainCombo", [this] {
    if (rebuild_boxes_) rebuild_boxes_();
  });
}

QListWidgetItem* IconDialog::Selected() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

void IconDialog::ListClick() {
  const QListWidgetItem* selected = Selected();
  if (!selected || selected->text().isEmpty()) return;
  const std::string file = FileOf(*selected);
  const QString name = Shown(file);
  // Read by its bytes: a name that is no UTF-8 has no QString path.
  QImage image;
  if (const FsResult<std::string> bytes = Fs().ReadFile(JoinPath(IconFolder(), file)); bytes.ok()) {
    image.loadFromData(QByteArray::fromStdString(*bytes.value));
  }
  if (image.isNull()) {
    picture_->clear();
    if (name.toLower().endsWith(QStringLiteral(".png"))) {
      ShowInformation(this, "Png形式の画像はサンプルが表示されません.\r\nあしからずご了承下さい.", "サンプル画像表示");
    } else {
      PlatformOf(this).ShowMessage({"画像ファイルではないか、もしくは壊れています.", "画像表示", MessageIcon::Error,
                                    MessageButtons::Ok, MessageButton::Ok});
    }
  } else {
    picture_->setPixmap(
        QPixmap::fromImage(image.scaled(kPreviewWidth, kPreviewHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  }
  name_->setText(name);
  delete_->setEnabled(true);
  rename_->setEnabled(true);
}

void IconDialog::Add() {
  const std::optional<std::string> chosen =
      ChooseFileToOpen(this, "ファイルを開く", "画像ファイル|*.gif;*.bmp;*.jpg;*.jpeg;*.png", folders_.documents_root);
  if (!chosen) return;
  const std::string file_name = FileNameOf(*chosen);
  if (IsReservedName(ToQt(file_name))) {
    ShowInformation(this, "このファイル名は予約されています.\r\nファイル名を変更してから使用してください.",
                    "画像の追加");
    return;
  }
  if (RefuseUnstorable(this, file_name, kTitle)) return;
  const std::string target = JoinPath(IconFolder(), file_name);
  if (Fs().FileExists(target) && !AskYesNo(this, "同名のファイルが存在します.上書きしますか?", "上書き確認")) return;
  if (const FileError failed = Fs().CopyFile(*chosen, target)) {
    ShowErrorBox(this, "cmdAdd", *failed);
    return;
  }
  FillIconList();
  SetMainCombo();
}

void IconDialog::PutNameBack() {
  if (const QListWidgetItem* selected = Selected()) name_->setText(Shown(FileOf(*selected)));
}

void IconDialog::Rename() {
  const QListWidgetItem* selected = Selected();
  if (!selected) return;
  const QString new_name = name_->text();
  if (new_name.isEmpty()) {
    PutNameBack();
    return;
  }
  if (!AskYesNo(this, "ファイル名を変更しますか?", kRenameTitle)) return;
  if (IsReservedName(new_name)) {
    ShowInformation(this, "このファイル名は予約されています.\r\n他のファイル名を使用してください.", kRenameTitle);
    PutNameBack();
    return;
  }
  if (LeavesTheFolder(new_name)) {
    ShowInformation(this, "このファイル名は使用できません.", kRenameTitle);
    PutNameBack();
    return;
  }
  if (RefuseUnstorable(this, FromQt(new_name), kTitle)) {
    PutNameBack();
    return;
  }
  const std::string target = JoinPath(IconFolder(), FromQt(new_name));
  if (Fs().AnythingAt(target)) {
    PlatformOf(this).ShowMessage({"同名のファイルが存在するためファイル名を変更できません.", kRenameTitle,
                                  MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
    PutNameBack();
    return;
  }
  // A failed rename leaves the folder as it is; the list shows what is there.
  std::ignore = Fs().Rename(JoinPath(IconFolder(), FileOf(*selected)), target);
  FillIconList();
  SetMainCombo();
}

void IconDialog::Delete() {
  const QListWidgetItem* selected = Selected();
  if (!selected) return;
  const std::string file = FileOf(*selected);
  if (!AskYesNo(this, FromQt(Shown(file)) + " を削除しますか?", "アイコンの削除")) return;
  // A failed deletion leaves the file; the list shows what is there.
  std::ignore = Fs().Remove(JoinPath(IconFolder(), file));
  FillIconList();
  SetMainCombo();
}

void ShowIconManager(QWidget* main_window, const AppFolders& folders, std::function<void()> rebuild_boxes) {
  IconDialog dialog(main_window, folders, std::move(rebuild_boxes));
  OpenOurDialog(dialog);
}

}  // namespace dustora
