#include "core/csv.h"

namespace dustora {

std::vector<CsvRow> ParseCsv(std::string_view text) {
  std::vector<CsvRow> rows;
  CsvRow row;
  std::string field;
  bool quoted = false;  // inside a quoted field
  bool row_started = false;
  const auto end_row = [&] {
    row.push_back(std::move(field));
    field.clear();
    rows.push_back(std::move(row));
    row.clear();
    row_started = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
      continue;
    }
    row_started = true;
    if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.push_back(std::move(field));
      field.clear();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      end_row();
    } else {
      field += c;
    }
  }
  if (row_started || quoted || !row.empty() || !field.empty()) end_row();
  return rows;
}

std::string CsvLine(const std::vector<std::string_view>& fields) {
  std::string line;
  for (const std::string_view field : fields) {
    if (!line.empty()) line += ',';
    line += '"';
    for (const char c : field) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line + "\r\n";
}

}  // namespace dustora
