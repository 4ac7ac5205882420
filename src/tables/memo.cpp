#include "tables/memo.h"

#include "core/filesystem.h"
#include "core/platform.h"
#include "core/text.h"
#include "core/textfile.h"

namespace dustora {

MemoState& Memo() {
  static MemoState state;
  return state;
}

std::string MemoTextOf(std::string_view file_text) {
  std::string text;
  text.reserve(file_text.size() + 2);
  ForEachLine(file_text, [&text](std::size_t, std::string_view line) {
    text += line;
    text += "\r\n";
  });
  return text;
}

bool IsMemoFileName(std::string_view path) {
  const std::string name = FileNameOf(path);
  return name.size() > kMemoExtension.size() &&
         EqualsIgnoringAsciiCase(std::string_view(name).substr(name.size() - kMemoExtension.size()), kMemoExtension);
}

std::string WithMemoExtension(std::string path) {
  if (!IsMemoFileName(path)) path += kMemoExtension;
  return path;
}

namespace {

// MemoPath, the status text and the cancel command's state, then the window.
void SetTie(CalendarDocument& document, std::string path, std::string status) {
  MemoState& memo = Memo();
  document.memo_path = std::move(path);
  memo.status_text = std::move(status);
  memo.cancel_enabled = !document.memo_path.empty();
  if (memo.on_tie_changed) memo.on_tie_changed();
}

}  // namespace

void RefuseMemoTie(CalendarDocument& document) {
  SetTie(document, "", std::string(kRefusedMemoStatus));
}

void TieMemo(CalendarDocument& document, std::string path) {
  std::string status = path.empty() ? std::string(kNoMemoStatus) : "メモファイル : " + FileNameOf(path);
  SetTie(document, std::move(path), std::move(status));
}

MemoRead ReadMemoFile(std::string_view path, std::string_view tag) {
  if (path.empty() || !IsMemoFileName(path) || !Fs().FileExists(path)) return {};
  bool replaced = false;
  const FsResult<std::string> content = ReadTextFile(path, &replaced);
  if (!content.ok()) {
    Platform& platform = CurrentPlatform();
    platform.CloseSplash();
    if (content.error.number == kErrFileNotFound || content.error.number == kErrPathNotFound) {
      platform.ShowMessage({std::string(path) + "\r\nファイルが見つかりませんでした.", "メモの編集", MessageIcon::Error,
                            MessageButtons::Ok, MessageButton::Ok});
    } else if (content.error.number == kErrOutOfMemory) {
      ShowErrorBox(tag, content.error);
    } else {
      ShowUnexpectedErrorBox(tag, content.error);
    }
    return {MemoRead::Status::Failed, {}};
  }
  if (replaced) ReportReplacedCharacters(path, "メモの編集");
  return {MemoRead::Status::Read, MemoTextOf(*content.value)};
}

FsStatus WriteMemoFile(std::string_view path, std::string_view text) {
  return WriteTextFile(path, std::string(text) + "\r\n");
}

void Readmemo(const CalendarDocument& document) {
  MemoRead read = ReadMemoFile(document.memo_path, "frmMain.Readmemo");
  switch (read.status) {
    case MemoRead::Status::Read: Memo().text = std::move(read.text); break;
    case MemoRead::Status::Missing: Memo().text = std::string(kNoMemoText); break;
    case MemoRead::Status::Failed: break;  // MemoText keeps its previous value
  }
}

}  // namespace dustora
