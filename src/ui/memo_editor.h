// The memo editor メモ欄の編集 (dlgMemo): writes and saves memo files
// (*.mmo) and, on 保存して終了, offers to tie the shown memo to the document.
#pragma once

#include <QDialog>
#include <string>
#include <string_view>
#include "session/session.h"

class QAction;
class QPlainTextEdit;

namespace dustora {

class MemoEditor : public QDialog {
  Q_OBJECT

 public:
  explicit MemoEditor(Session& session, QWidget* parent = nullptr);

  // The editor's own memo file; empty while the memo has none.
  const std::string& memoPath() const { return path_; }

 private:
  Session& session_;
  // Reads the editor's memo file into the text box, or shows an empty memo
  // when there is none; a failed read is said with the tag.
  void ShowMemoFile();
  static constexpr std::string_view kShowMemoFileTag = "dlgMemo.Readmemo";
  // Writes the text to `path`; on success the path becomes the editor's.
  // False after a refusal or a failed write (reported), the previous file
  // then stays as it was.
  bool WriteMemo(const std::string& path);
  // Saves to the editor's file, asking for one first when it has none.
  // False (cancel) when no file was chosen or the write failed.
  bool SaveCurrentMemo();
  std::string AskSavePath();
  void ShowText(const QString& text);
  void SetCaption();
  void NewMemo();
  void OpenMemo();
  void SaveAs();
  void SaveAndClose();
  void TextChanged(int position, int added);

  QPlainTextEdit* text_ = nullptr;
  QAction* save_ = nullptr;
  std::string path_;
  QString last_text_;
  bool loading_ = false;
};

// The maximum number of characters the user can type into the memo.
inline constexpr int kMemoMaxTyped = 1000;

// mnuMemo: opens dlgMemo modally over the main window.
void ShowMemoEditor(QWidget* main_window, Session& session);

}  // namespace dustora
