// Whole text files (tables, memos, the page): UTF-8 inside, Shift_JIS with
// CR LF line ends on disk.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/filesystem.h"

namespace dustora {

// Lines split on CR LF, LF or a lone CR. A final line end does not start
// another line, so empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Reads and decodes a whole file, without its NUL bytes.
FsResult<std::string> ReadTextFile(std::string_view path);

// Encodes the text strictly and replaces the file in one step. Text that
// Shift_JIS cannot hold fails with UnstorableError and writes nothing.
FsStatus WriteTextFile(std::string_view path, std::string_view utf8);

}  // namespace dustora
