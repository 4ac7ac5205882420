// A city's collection schedules as open data, in the CSV layout of the
// "5374" web app family: a folder with area_days.csv (one row per area: its
// name, its centre, then its rule for each category) and optionally
// description.csv (the categories' colours), center.csv (the centres'
// closures) and remarks.csv (footnotes). UTF-8 with or without a byte-order
// mark, CR LF or LF.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/date.h"

namespace dustora {

inline constexpr std::string_view kAreaDaysFile = "area_days.csv";
inline constexpr std::string_view kDescriptionFile = "description.csv";
inline constexpr std::string_view kCenterFile = "center.csv";
inline constexpr std::string_view kRemarksFile = "remarks.csv";

struct OpenDataArea {
  std::string name;
  std::string center;              // may be empty
  std::vector<std::string> cells;  // one per category, in the header's order
};

struct CenterClosure {
  std::string center;
  Date first;
  Date last;
};

struct OpenData {
  std::vector<std::string> categories;  // the header's names, from the third column on
  std::vector<OpenDataArea> areas;
  std::vector<std::pair<std::string, std::string>> colors;  // a category's label and its bgcolor
  std::vector<CenterClosure> closures;
  std::vector<std::pair<std::string, std::string>> remarks;  // an id and its text
  // Rows of the optional files that were skipped: "center.csv 3行目: ...".
  std::vector<std::string> skipped;

  [[nodiscard]] const std::string* RemarkText(std::string_view id) const;
  [[nodiscard]] const std::string* ColorOf(std::string_view category) const;
};

// The data of a folder, or why it cannot be read in one line: no
// area_days.csv, fewer than three columns, a file that is not text.
[[nodiscard]] std::variant<OpenData, std::string> ReadOpenData(std::string_view folder);

// Blanks of the data: half- and full-width spaces and tabs.
[[nodiscard]] std::string_view TrimDataBlanks(std::string_view text);

}  // namespace dustora
