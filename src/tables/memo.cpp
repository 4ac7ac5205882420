#include "tables/memo.h"

#include "core/filesystem.h"
#include "core/text.h"
#include "core/textfile.h"

namespace dustora {

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

bool IsMemoFile(std::string_view path) {
  return IsMemoFileName(path) && Fs().FileExists(path) && IsMemoFileName(Fs().ResolveLinks(path));
}

std::string WithMemoExtension(std::string path) {
  if (!IsMemoFileName(path)) path += kMemoExtension;
  return path;
}

void RefuseMemoTie(CalendarDocument& document) {
  document.memo_path.clear();
  document.memo_refused = true;
}

void TieMemo(CalendarDocument& document, std::string path) {
  document.memo_path = std::move(path);
  document.memo_refused = false;
}

std::string MemoStatusText(const CalendarDocument& document) {
  if (document.memo_refused) return std::string(kRefusedMemoStatus);
  if (document.memo_unwritten) return std::string(kUnwrittenMemoStatus);
  if (document.memo_path.empty()) return std::string(kNoMemoStatus);
  return "メモファイル : " + FileNameOf(document.memo_path);
}

MemoRead ReadMemoFile(std::string_view path, std::string_view tag, Report& report) {
  if (path.empty() || !IsMemoFile(path)) return {};
  bool replaced = false;
  const FsResult<std::string> content = ReadTextFile(path, &replaced);
  if (!content.ok()) {
    if (content.error.number == kErrFileNotFound || content.error.number == kErrPathNotFound) {
      report.Say(ReportKind::Error, std::string(path) + "\r\nファイルが見つかりませんでした.", "メモの編集");
    } else if (content.error.number == kErrOutOfMemory) {
      report.Fail(tag, content.error);
    } else {
      report.FailUnexpectedly(tag, content.error);
    }
    return {MemoRead::Status::Failed, {}};
  }
  if (replaced) ReportReplacedCharacters(report, path, "メモの編集");
  return {MemoRead::Status::Read, MemoTextOf(*content.value)};
}

FileError WriteMemoFile(std::string_view path, std::string_view text) {
  return WriteTextFile(path, std::string(text) + "\r\n");
}

void ReadMemoText(const CalendarDocument& document, std::string& memo_text, Report& report) {
  MemoRead read = ReadMemoFile(document.memo_path, kReadMemoTextTag, report);
  switch (read.status) {
    case MemoRead::Status::Read: memo_text = std::move(read.text); break;
    case MemoRead::Status::Missing: memo_text = std::string(kNoMemoText); break;
    case MemoRead::Status::Failed: break;  // MemoText keeps its previous value
  }
}

}  // namespace dustora
