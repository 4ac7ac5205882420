// Comma-separated text as open data publishes it: fields in double quotes
// may hold commas, line ends and doubled quotes; lines end with CR LF, LF or
// a lone CR.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dustora {

using CsvRow = std::vector<std::string>;

// The rows of the text, each with its fields as they stand (quotes taken
// off, blanks kept). A line with nothing on it is a row of one empty field.
[[nodiscard]] std::vector<CsvRow> ParseCsv(std::string_view text);

// A row as a line of such text: every field in double quotes (a quote in it
// doubled), then CR LF.
[[nodiscard]] std::string CsvLine(const std::vector<std::string_view>& fields);

}  // namespace dustora
