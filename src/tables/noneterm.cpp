#include "tables/noneterm.h"

#include "core/textfile.h"
#include "tables/holiday.h"

namespace dustora {

NoneTermFileContent ParseNoneTermFile(std::string_view text) {
  NoneTermFileContent content;
  content.first_bad_line = ReadRecords(text, 3, [&](const std::vector<std::string>& fields) {
    const std::optional<Date> first = ParseDateField(fields[0]);
    const std::optional<Date> last = ParseDateField(fields[1]);
    if (!first || !last) return false;
    content.periods.push_back({*first, *last, fields[2]});
    return true;
  });
  return content;
}

std::string NoneTermFileText(const NoneTermTable& table) {
  std::string text;
  for (const NoneTerm& period : table) {
    text += QuotedLine({DateField(period.first), DateField(period.last), period.category});
  }
  return text;
}

void ReadNoneTermFile(std::string_view path, NoneTermTable& table, Report& report) {
  if (!Fs().FileExists(path)) return;
  bool replaced = false;
  FsResult<std::string> read = ReadTextFile(path, &replaced);
  if (!read.ok()) {
    report.Fail(kReadNoneTermFileTag, read.error);
    return;
  }
  if (replaced) ReportReplacedCharacters(report, path, kErrorBoxTitle);
  NoneTermFileContent content = ParseNoneTermFile(*read.value);
  table = std::move(content.periods);
  if (content.first_bad_line != 0) report.Fail(kReadNoneTermFileTag, BadLineError(content.first_bad_line));
}

bool WriteNoneTermFile(std::string_view path, const NoneTermTable& table, Report& report) {
  FileSystem& fs = Fs();
  FileError failed;
  if (!table.empty()) {
    failed = WriteTextFile(path, NoneTermFileText(table));
  } else if (fs.FileExists(path)) {
    failed = fs.Remove(path);
  }
  if (failed) {
    report.Fail(kWriteNoneTermFileTag, *failed);
    return false;
  }
  return true;
}

}  // namespace dustora
