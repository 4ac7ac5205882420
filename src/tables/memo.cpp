#include "tables/memo.h"

#include "core/filesystem.h"
#include "core/platform.h"
#include "core/textfile.h"

namespace dustora {

MemoState& Memo() {
  static MemoState state;
  return state;
}

std::string MemoTextOf(std::string_view file_text) {
  std::string text;
  text.reserve(file_text.size() + 2);
  for (const std::string& line : SplitLines(file_text)) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TieMemo(CalendarDocument& document, std::string path) {
  MemoState& memo = Memo();
  document.memo_path = std::move(path);
  if (document.memo_path.empty()) {
    memo.status_text = std::string(kNoMemoStatus);
    memo.cancel_enabled = false;
  } else {
    memo.status_text = "メモファイル : " + FromPath(ToPath(document.memo_path).filename());
    memo.cancel_enabled = true;
  }
  if (memo.on_tie_changed) memo.on_tie_changed();
}

void Readmemo(const CalendarDocument& document) {
  MemoState& memo = Memo();
  FileSystem& fs = Fs();
  if (document.memo_path.empty() || !fs.FileExists(document.memo_path)) {
    memo.text = std::string(kNoMemoText);
    return;
  }
  const FsResult<std::string> content = ReadTextFile(document.memo_path);
  if (!content.ok()) {
    Platform& platform = CurrentPlatform();
    platform.CloseSplash();
    if (content.error.number == kErrFileNotFound || content.error.number == kErrPathNotFound) {
      platform.ShowMessage({document.memo_path + "\r\nファイルが見つかりませんでした.", "メモの編集",
                            MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
    } else {
      ShowUnexpectedErrorBox("frmMain.Readmemo", content.error);
    }
    return;
  }
  memo.text = MemoTextOf(*content.value);
}

}  // namespace dustora
