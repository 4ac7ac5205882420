// The public holidays shared by every calendar document: the table of the
// run and its file "holiday.csv" in the data folder, plus the line format
// that holiday.csv and noneterm.csv share.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/filesystem.h"
#include "core/report.h"
#include "core/text.h"

namespace dustora {

// ---- Lines of the table files ----
//
// A record is one line of fields, each between straight double quotes and
// separated by commas, for example "#2011/01/01#","元日". Blanks (space, tab)
// outside the quotes are ignored. A double quote inside a field is written
// doubled, so every text without a line break reads back as it was written.

// The fields of a line; nullopt when the line is not a list of quoted fields.
[[nodiscard]] std::optional<std::vector<std::string>> SplitQuotedFields(std::string_view line);
// The line of the fields, ended by CR LF. A line break inside a field would
// split the record, so it is written as a blank.
[[nodiscard]] std::string QuotedLine(const std::vector<std::string>& fields);

// "#" + yyyy/MM/dd + "#".
[[nodiscard]] std::string DateField(const Date& date);
// The date between the two "#" marks of a field ("#2011/1/1#" reads too);
// nullopt when the marks are missing or the text between is no valid date.
[[nodiscard]] std::optional<Date> ParseDateField(std::string_view field);

// Calls `take` with the fields of each line of `text` that holds exactly
// `field_count` quoted fields; `take` returns false when it cannot use them.
// Lines of blanks only are passed over. Returns the number (from 1) of the
// first line that was not used, 0 when every line was.
[[nodiscard]] int ReadRecords(std::string_view text, std::size_t field_count,
                              const std::function<bool(const std::vector<std::string>&)>& take);

// Error 13 for the line of a table file that could not be read:
// "型が一致しません。(" + line + "行目)".
[[nodiscard]] Error BadLineError(int line);

// ---- Holidays ----

inline constexpr std::string_view kHolidayFileName = "holiday.csv";

struct Holiday {
  Date date;
  std::string name;

  friend bool operator==(const Holiday&, const Holiday&) = default;
};

// In file order; after editing, in the order of the editor's list. The same
// date may appear more than once.
using HolidayTable = std::vector<Holiday>;

struct HolidayFileContent {
  HolidayTable holidays;   // the lines that could be read, in file order
  int first_bad_line = 0;  // 0 when every line was read
};

// Reads the content of a holiday file: two quoted fields a line, the date
// as "#yyyy/MM/dd#" and the name, from which every half-width blank is
// removed.
[[nodiscard]] HolidayFileContent ParseHolidayFile(std::string_view text);
// The file content of a table: one line a holiday, in table order.
[[nodiscard]] std::string HolidayFileText(const HolidayTable& table);

// Loads `table` from the file at `path`. A missing file empties the table
// and turns the holiday names off (`show_holiday_names` = 0), silently.
// Lines that cannot be read are skipped and the first of them is reported;
// the others load. When the file cannot be read the table stays as it was.
// Read errors and bad lines are reported under the tag.
void ReadHolidayFile(std::string_view path, HolidayTable& table, int& show_holiday_names, Report& report);
inline constexpr std::string_view kReadHolidayFileTag = "GetHoliday";
// Replaces the file at `path` with `table`; an empty table leaves the file
// as it was. A failure is reported under the tag and returns false; the
// previous file then stays.
[[nodiscard]] bool WriteHolidayFile(std::string_view path, const HolidayTable& table, Report& report);
inline constexpr std::string_view kWriteHolidayFileTag = "SetHoliday";

}  // namespace dustora
