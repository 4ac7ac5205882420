#include "ui/file_copy_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "settings/folders.h"
#include "settings/old_files.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/report_list.h"

namespace dustora {

namespace {

const char* const kSearchTitle = "検索結果";
const char* const kCopyTitle = "コピー結果";

QPushButton* MakeButton(QWidget* dialog, const char* name, const char* caption) {
  auto* button = new QPushButton(ToQt(caption), dialog);
  button->setObjectName(ToQt(name));
  return button;
}

}  // namespace

FileCopyDialog::FileCopyDialog(const AppFolders& folders, QWidget* parent) : QDialog(parent), folders_(folders) {
  setObjectName(QStringLiteral("dlgFileCopy"));
  setWindowTitle(ToQt("旧フォルダからのファイルコピーツール"));

  const std::string about = std::string("Ver1.64以前でプログラムフォルダに保存されていたファイルを") +
                            "ユーザーのドキュメントフォルダにコピーします." + "\r\n" +
                            "コピー先に同名のファイルがある場合コピーしません.";
  auto* label = new QLabel(this);
  label->setObjectName(QStringLiteral("Label1"));
  label->setTextFormat(Qt::PlainText);
  // The label breaks lines at LF; the CR would show as a stray mark.
  label->setText(ToQt(about).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  label->setToolTip(ToQt(kHelpTip));

  list_ = new ReportList("ListView1", {{"見つかったファイル", "sFile", 100}}, this);
  list_->setFixedSize(480, 220);

  search_ = MakeButton(this, "cmdSearch", "検索(&S)");
  copy_ = MakeButton(this, "cmdCopy", "コピー(&C)");
  QPushButton* close = MakeButton(this, "cmdClose", "閉じる(&Q)");
  copy_->setEnabled(false);

  auto* buttons = MakeHelpRow(this, {search_, copy_, close});

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(list_);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  FinishDialogLayout(*this, layout);

  connect(search_, &QPushButton::clicked, this,
          [this] { RunUnexpectedHandler(this, "dlgFileCopy.cmdSearch_Click", [this] { Search(); }); });
  connect(copy_, &QPushButton::clicked, this,
          [this] { RunHandler(this, "dlgFileCopy.cmdCopy_Click", [this] { Copy(); }); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void FileCopyDialog::Search() {
  list_->clear();
  const std::vector<std::string> found = FindOldFiles(PlatformOf(this).ProgramFolder());
  for (const std::string& path : found) {
    QTreeWidgetItem* row = list_->AppendRow({ToQt(path)});
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, Qt::Checked);
  }
  if (found.empty()) {
    ShowInformation(this, "対象となるファイルは見つかりませんでした.", kSearchTitle);
    copy_->setEnabled(false);
    return;
  }
  ShowInformation(this, std::to_string(found.size()) + "個のファイルが見つかりました.", kSearchTitle);
  copy_->setEnabled(true);
  copy_->setFocus();
}

void FileCopyDialog::Copy() {
  std::vector<std::string> sources;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = list_->topLevelItem(i);
    if (row->checkState(0) == Qt::Checked) sources.push_back(FromQt(row->text(0)));
  }
  if (!CopyOldFiles(sources, folders_.document_folder, [this] { PlatformOf(this).PumpEvents(); })) {
    PlatformOf(this).ShowMessage(
        {"ファイルのコピーに失敗しました.", kCopyTitle, MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
    return;
  }
  ShowInformation(this, "ファイルのコピーに成功しました.", kCopyTitle);
}

void ShowFileCopy(QWidget* main_window, const AppFolders& folders) {
  FileCopyDialog dialog(folders, main_window);
  OpenOurDialog(dialog);
}

}  // namespace dustora
