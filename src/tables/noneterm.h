// The no-collection periods: first and last day (both inclusive) and the
// category they stop, or "[すべて]" for every category. The periods of the
// run live in the file "noneterm.csv" in the data folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/filesystem.h"
#include "core/report.h"
#include "core/text.h"

namespace dustora {

inline constexpr std::string_view kAllCategories = "[すべて]";
inline constexpr std::string_view kNoneTermFileName = "noneterm.csv";

struct NoneTerm {
  Date first;
  Date last;
  std::string category;

  // Whether the period stops `category` on `day`.
  bool Applies(const Date& day, std::string_view slot_category) const {
    return first <= day && day <= last && (category == kAllCategories || category == slot_category);
  }

  friend bool operator==(const NoneTerm&, const NoneTerm&) = default;
};

// In file order, not sorted; periods may repeat and overlap. The calendar
// consults it only when it is not empty.
using NoneTermTable = std::vector<NoneTerm>;

struct NoneTermFileContent {
  NoneTermTable periods;   // the lines that could be read, in file order
  int first_bad_line = 0;  // 0 when every line was read
};

// Reads the content of a no-collection file: three quoted fields a line,
// "#yyyy/MM/dd#" for the first and the last day and the category, taken as
// it is (empty included).
[[nodiscard]] NoneTermFileContent ParseNoneTermFile(std::string_view text);
// The file content of a table: one line a period, in table order.
[[nodiscard]] std::string NoneTermFileText(const NoneTermTable& table);

// Loads `table` from the file at `path`. Without a file the table stays
// as it was (empty at start-up). Lines that cannot be read are skipped and
// the first of them is reported; the others load. When the file cannot be
// read the table stays as it was.
// Read errors and bad lines are reported under the tag.
void ReadNoneTermFile(std::string_view path, NoneTermTable& table, Report& report);
inline constexpr std::string_view kReadNoneTermFileTag = "GetNoneTerm";
// Replaces the file at `path` with `table`, or deletes it when the table
// is empty. Reports a failure itself, under the tag, and returns false; the
// previous file then stays.
[[nodiscard]] bool WriteNoneTermFile(std::string_view path, const NoneTermTable& table, Report& report);
inline constexpr std::string_view kWriteNoneTermFileTag = "SetNoneTerm";

}  // namespace dustora
