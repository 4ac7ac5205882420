#include "ui/memo_editor.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "core/filesystem.h"
#include "settings/folders.h"
#include "tables/memo.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/report_boxes.h"

namespace dustora {

namespace {

const char* const kMemoFilter = "メモファイル(*.mmo)|*.mmo";

// The memo file's CR LF line ends as the text box holds them, and back.
QString ForTextBox(std::string_view text) {
  return ToQt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
std::string ForFile(const QString& text) {
  return FromQt(QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

}  // namespace

MemoEditor::MemoEditor(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("dlgMemo"));

  auto* menus = new QMenuBar(this);
  QMenu* file = menus->addMenu(ToQt("メモファイル(&M)"));
  file->setObjectName(QStringLiteral("mnuMemoFile"));
  const auto add = [&](const char* name, const char* caption) {
    QAction* action = file->addAction(ToQt(caption));
    action->setObjectName(ToQt(name));
    return action;
  };
  QAction* new_memo = add("mnuNewMemo", "新規メモ作成(&N)");
  file->addSeparator();
  QAction* open = add("mnuOpnMemo", "メモを開く(&O)");
  save_ = add("mnuSaveMemo", "メモの上書き保存(&S)");
  QAction* save_as = add("mnuSaveAsMemo", "名前を付けてメモを保存(&A)");

  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("txtMemo"));
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setToolTip(ToQt(kHelpTip));
  text_->setMinimumSize(460, 260);

  auto* ok = new QPushButton(ToQt("保存して終了(&S)"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  auto* cancel = new QPushButton(ToQt("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  auto* buttons = MakeHelpRow(this, {ok, cancel});

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menus);
  layout->addWidget(text_, 1);
  layout->addLayout(buttons);
  InstallHelpKey(this);

  connect(text_->document(), &QTextDocument::contentsChange, this,
          [this](int position, int, int added) { TextChanged(position, added); });
  connect(new_memo, &QAction::triggered, this, [this] { RunHandler(this, "dlgMemo.mnuNew", [this] { NewMemo(); }); });
  connect(open, &QAction::triggered, this,
          [this] { RunUnexpectedHandler(this, "dlgMemo.mnuOpen", [this] { OpenMemo(); }); });
  connect(save_, &QAction::triggered, this,
          [this] { RunHandler(this, "dlgMemo.mnuSave", [this] { SaveCurrentMemo(); }); });
  connect(save_as, &QAction::triggered, this, [this] { RunHandler(this, "dlgMemo.mnuSaveAs", [this] { SaveAs(); }); });
  connect(ok, &QPushButton::clicked, this,
          [this] { RunUnexpectedHandler(this, "dlgMemo.OK", [this] { SaveAndClose(); }); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  RunUnexpectedHandler(this, "dlgMemo.Load", [this] {
    path_ = session_.document.memo_path;
    ShowMemoFile();
  });
}

void MemoEditor::ShowText(const QString& text) {
  loading_ = true;
  text_->setPlainText(text);
  loading_ = false;
  last_text_ = text_->toPlainText();
  save_->setEnabled(false);
}

void MemoEditor::SetCaption() {
  setWindowTitle(ToQt(path_.empty() ? "メモ欄の編集 [新規]" : "メモ欄の編集 [" + FileNameOf(path_) + "]"));
}

void MemoEditor::ShowMemoFile() {
  Report report;
  MemoRead read = ReadMemoFile(path_, kShowMemoFileTag, report);
  ShowReport(this, report);
  if (read.status == MemoRead::Status::Read) {
    ShowText(ForTextBox(read.text));
    SetCaption();
  } else {
    ShowText(ForTextBox(kNoMemoText));
    setWindowTitle(ToQt("メモ欄の編集 [新規]"));
  }
}

void MemoEditor::TextChanged(int position, int added) {
  if (loading_) return;
  // Typing and pasting stop at kMemoMaxTyped characters.
  const int excess = text_->document()->characterCount() - 1 - kMemoMaxTyped;
  if (excess > 0 && added > 0) {
    const int cut = std::min(excess, added);
    QTextCursor cursor(text_->document());
    cursor.setPosition(position + added - cut);
    cursor.setPosition(position + added, QTextCursor::KeepAnchor);
    loading_ = true;
    cursor.removeSelectedText();
    loading_ = false;
  }
  if (text_->toPlainText() != last_text_) save_->setEnabled(true);
}

bool MemoEditor::WriteMemo(const std::string& path) {
  const QString shown = text_->toPlainText();
  const std::string text = ForFile(shown);
  if (RefuseUnstorable(this, text, FromQt(windowTitle()))) return false;
  if (const FileError failed = WriteMemoFile(path, text)) {
    ShowUnexpectedErrorBox(this, "dlgMemo.WriteMemo", *failed);
    return false;
  }
  path_ = path;
  save_->setEnabled(false);
  last_text_ = shown;
  SetCaption();
  return true;
}

std::string MemoEditor::AskSavePath() {
  FileDialogRequest request;
  request.mode = FileDialogMode::Save;
  request.title = "ファイルの保存";
  request.filter = kMemoFilter;
  request.default_extension = "mmo";
  request.initial_folder = session_.folders.document_folder;
  request.confirm_overwrite = true;
  const std::optional<std::string> chosen = PlatformOf(this).ChooseFile(request);
  if (!chosen || chosen->empty()) return {};
  // The path may be tied to the document, which must be able to store it;
  // only a name that ends in ".mmo" can be tied.
  if (RefuseUnstorable(this, *chosen, FromQt(windowTitle()))) return {};
  return WithMemoExtension(*chosen);
}

bool MemoEditor::SaveCurrentMemo() {
  if (!path_.empty()) return WriteMemo(path_);
  const std::string chosen = AskSavePath();
  return !chosen.empty() && WriteMemo(chosen);
}

void MemoEditor::NewMemo() {
  if (!SaveCurrentMemo()) return;
  path_.clear();
  ShowText(ForTextBox(kNoMemoText));
  SetCaption();
}

void MemoEditor::OpenMemo() {
  const std::optional<std::string> chosen =
      ChooseFileToOpen(this, "ファイルを開く", kMemoFilter, session_.folders.document_folder);
  if (!chosen) return;
  // Only a memo file is ever read, and so ever tied.
  if (!IsMemoFile(*chosen)) {
    ShowInformation(this, "メモファイル(*.mmo)を選択して下さい.", FromQt(windowTitle()));
    return;
  }
  path_ = *chosen;
  ShowMemoFile();
}

void MemoEditor::SaveAs() {
  const std::string chosen = AskSavePath();
  if (!chosen.empty()) WriteMemo(chosen);
}

void MemoEditor::SaveAndClose() {
  if (!SaveCurrentMemo()) return;
  CalendarDocument& document = session_.document;
  if (path_ != document.memo_path) {
    const MessageButton answer = PlatformOf(this).ShowMessage(
        {"表示中のメモ(" + FileNameOf(path_) + ")を現在のダストーラファイルに関連付けますか?", "メモの関連付け",
         MessageIcon::Question, MessageButtons::YesNoCancel, MessageButton::Yes});
    if (answer == MessageButton::Cancel) return;
    if (answer == MessageButton::Yes) {
      TieMemo(document, path_);
      session_.Notify(SessionChange::MemoTie);
    }
  }
  accept();
}

void ShowMemoEditor(QWidget* main_window, Session& session) {
  MemoEditor editor(session, main_window);
  OpenOurDialog(editor);
}

}  // namespace dustora
