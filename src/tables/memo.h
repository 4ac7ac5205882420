// The memo tied to the document: its file (*.mmo) and the text the page
// prints under the month grid.
#pragma once

#include <string>
#include <string_view>

#include "core/calendar_document.h"
#include "core/filesystem.h"
#include "core/report.h"

namespace dustora {

inline constexpr std::string_view kNoMemoText = "メモ:\r\n";
inline constexpr std::string_view kNoMemoStatus = "メモファイル : (関連付けなし)";
inline constexpr std::string_view kRefusedMemoStatus = "メモファイル : (関連付けできません)";
// Of an imported area's memo, which its first save writes.
inline constexpr std::string_view kUnwrittenMemoStatus = "メモファイル : (保存するときに作成します)";
inline constexpr std::string_view kMemoExtension = ".mmo";

// Whether a path names a memo file: its name ends in ".mmo" (any case).
// Nothing else is ever read as a memo, so a document cannot print any other
// file on its page.
[[nodiscard]] bool IsMemoFileName(std::string_view path);
// Whether a path leads to a memo file: a regular file whose name ends in
// ".mmo", and so the name of the file it links to, if it is a link.
[[nodiscard]] bool IsMemoFile(std::string_view path);
// The path with ".mmo" added unless its name ends so already.
[[nodiscard]] std::string WithMemoExtension(std::string path);

// The memo text of a memo file's content: every line (ended by CR LF, LF or
// a lone CR) followed by CR LF, the last one included.
[[nodiscard]] std::string MemoTextOf(std::string_view file_text);

// Ties the document to a memo file, or unties it when `path` is empty.
void TieMemo(CalendarDocument& document, std::string path);
// Unties the document from a file that is no memo file.
void RefuseMemoTie(CalendarDocument& document);
// What the main window's status bar says of the tie: "メモファイル : " + the
// file name, kNoMemoStatus, or kRefusedMemoStatus. (The untie command is
// enabled while MemoPath is set.)
[[nodiscard]] std::string MemoStatusText(const CalendarDocument& document);

// A memo file read for a window: the file's memo text, or that there is no
// file (an empty path or none there), or that reading failed (reported with
// `tag`: the vanished-file message, the error box of a file too large, or
// the unexpected-event box).
struct [[nodiscard]] MemoRead {
  enum class Status { Read, Missing, Failed };
  Status status = Status::Missing;
  std::string text;
};
[[nodiscard]] MemoRead ReadMemoFile(std::string_view path, std::string_view tag, Report& report);

// Writes a memo file: the text unchanged, then one CR LF, in one replace.
// A character Shift_JIS cannot hold fails the write and writes nothing.
[[nodiscard]] FileError WriteMemoFile(std::string_view path, std::string_view text);

// Loads `memo_text` for the document's MemoPath ("メモ:" CR LF when none is
// tied or the file is not there). On a failure, reported, the text keeps
// its previous value; the failure's message shows the tag.
void ReadMemoText(const CalendarDocument& document, std::string& memo_text, Report& report);
inline constexpr std::string_view kReadMemoTextTag = "frmMain.Readmemo";

}  // namespace dustora
