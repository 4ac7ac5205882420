// Whole text files (tables, memos, the page): UTF-8 inside, Shift_JIS with
// CR LF line ends on disk.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/filesystem.h"
#include "core/report.h"

namespace dustora {

// Lines split on CR LF, LF or a lone CR. A final line end does not start
// another line, so empty text has no lines.
[[nodiscard]] std::vector<std::string> SplitLines(std::string_view text);

// Calls visit(offset, line) for each line of `text` as SplitLines splits
// them, without copying them.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    visit(start, text.substr(start, end - start));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

// Reads and decodes a whole file, without its NUL bytes. A file saved as
// UTF-8 is taken as such (sjis::AsShiftJisFile); `replaced`, when given, is
// set when a character of it became "?".
[[nodiscard]] FsResult<std::string> ReadTextFile(std::string_view path, bool* replaced = nullptr);

// Says once for a file that some of its characters became "?" when it was
// read, under the title of the reader's messages.
void ReportReplacedCharacters(Report& report, std::string_view path, std::string_view title);

// Encodes the text strictly and replaces the file in one step. Text that
// Shift_JIS cannot hold fails with UnstorableError and writes nothing.
[[nodiscard]] FileError WriteTextFile(std::string_view path, std::string_view utf8);

}  // namespace dustora
