#include "tables/holiday.h"

#include <algorithm>

#include "core/textfile.h"

namespace dustora {

namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

bool IsBlankLine(std::string_view line) {
  return TrimBlanks(line).empty();
}

}  // namespace

std::optional<std::vector<std::string>> SplitQuotedFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t pos = 0;
  while (true) {
    pos = SkipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '"') return std::nullopt;
    ++pos;
    std::string field;
    while (true) {
      const std::size_t quote = line.find('"', pos);
      if (quote == std::string_view::npos) return std::nullopt;  // no closing quote
      field.append(line.substr(pos, quote - pos));
      pos = quote + 1;
      if (pos < line.size() && line[pos] == '"') {  // a doubled quote inside the field
        field += '"';
        ++pos;
        continue;
      }
      break;
    }
    fields.push_back(std::move(field));
    pos = SkipBlanks(line, pos);
    if (pos == line.size()) return fields;
    if (line[pos] != ',') return std::nullopt;
    ++pos;
  }
}

std::string QuotedLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += '"';
    for (char c : fields[i]) {
      if (c == '"') {
        line += "\"\"";
      } else if (c == '\r' || c == '\n') {
        line += ' ';
      } else {
        line += c;
      }
    }
    line += '"';
  }
  line += "\r\n";
  return line;
}

std::string DateField(const Date& date) {
  return "#" + date.ToText() + "#";
}

std::optional<Date> ParseDateField(std::string_view field) {
  if (field.size() < 2 || field.front() != '#' || field.back() != '#') return std::nullopt;
  return ParseDate(field.substr(1, field.size() - 2));
}

int ReadRecords(std::string_view text, std::size_t field_count,
                const std::function<bool(const std::vector<std::string>&)>& take) {
  int first_bad_line = 0;
  int number = 0;
  ForEachLine(text, [&](std::size_t, std::string_view line) {
    ++number;
    if (IsBlankLine(line)) return;
    const std::optional<std::vector<std::string>> fields = SplitQuotedFields(line);
    const bool used = fields && fields->size() == field_count && take(*fields);
    if (!used && first_bad_line == 0) first_bad_line = number;
  });
  return first_bad_line;
}

Error BadLineError(int line) {
  return Error::WithDescription(kErrTypeMismatch,
                                std::string(ErrorDescription(kErrTypeMismatch)) + "(" + std::to_string(line) + "行目)");
}

HolidayFileContent ParseHolidayFile(std::string_view text) {
  HolidayFileContent content;
  content.first_bad_line = ReadRecords(text, 2, [&](const std::vector<std::string>& fields) {
    const std::optional<Date> date = ParseDateField(fields[0]);
    if (!date) return false;
    std::string name = fields[1];
    std::erase(name, ' ');
    content.holidays.push_back({*date, std::move(name)});
    return true;
  });
  return content;
}

std::string HolidayFileText(const HolidayTable& table) {
  std::string text;
  for (const Holiday& holiday : table) text += QuotedLine({DateField(holiday.date), holiday.name});
  return text;
}

void ReadHolidayFile(std::string_view path, HolidayTable& table, int& show_holiday_names, Report& report) {
  if (!Fs().FileExists(path)) {
    table.clear();
    show_holiday_names = 0;
    return;
  }
  bool replaced = false;
  FsResult<std::string> read = ReadTextFile(path, &replaced);
  if (!read.ok()) {
    if (read.error.number == kErrFileNotFound) {
      // The file went away between the look and the read.
      report.Say(ReportKind::Information, std::string(kHolidayFileName) + " が見つかりませんでした",
                 "ファイルチェック");
    } else {
      report.Fail(kReadHolidayFileTag, read.error);
    }
    return;
  }
  if (replaced) ReportReplacedCharacters(report, path, "ファイルチェック");
  HolidayFileContent content = ParseHolidayFile(*read.value);
  table = std::move(content.holidays);
  if (content.first_bad_line != 0) report.Fail(kReadHolidayFileTag, BadLineError(content.first_bad_line));
}

bool WriteHolidayFile(std::string_view path, const HolidayTable& table, Report& report) {
  if (table.empty()) return true;
  if (const FileError failed = WriteTextFile(path, HolidayFileText(table))) {
    report.Fail(kWriteHolidayFileTag, *failed);
    return false;
  }
  return true;
}

}  // namespace dustora
