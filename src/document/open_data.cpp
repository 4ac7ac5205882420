#include "document/open_data.h"

#include <functional>
#include <optional>

#include "core/csv.h"
#include "core/encoding.h"
#include "core/filesystem.h"
#include "core/text.h"

namespace dustora {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kFullWidthBlank = "　";

// The rows of a file of the folder; nullopt with `why` set when it cannot
// be read or is no UTF-8 text, nullopt without when it is not there.
std::optional<std::vector<CsvRow>> ReadRows(std::string_view folder, std::string_view name, std::string& why) {
  const std::string path = JoinPath(folder, name);
  FileSystem& fs = Fs();
  if (!fs.FileExists(path)) return std::nullopt;
  FsResult<std::string> read = fs.ReadFile(path);
  if (!read.ok()) {
    why = read.error.description.find(path) != std::string::npos ? read.error.description
                                                                 : path + ": " + read.error.description;
    return std::nullopt;
  }
  std::string_view text = *read.value;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  if (text.find('\0') != std::string_view::npos || !sjis::IsValidUtf8(text)) {
    why = "UTF-8のテキストファイルではありません: " + path;
    return std::nullopt;
  }
  return ParseCsv(text);
}

bool IsEmptyRow(const CsvRow& row) {
  for (const std::string& field : row) {
    if (!TrimDataBlanks(field).empty()) return false;
  }
  return true;
}

std::string Field(const CsvRow& row, std::size_t index) {
  return index < row.size() ? std::string(TrimDataBlanks(row[index])) : std::string();
}

}  // namespace

std::string_view TrimDataBlanks(std::string_view text) {
  for (;;) {
    const std::string_view before = text;
    text = TrimBlanks(text);
    while (text.starts_with(kFullWidthBlank)) text.remove_prefix(kFullWidthBlank.size());
    while (text.ends_with(kFullWidthBlank)) text.remove_suffix(kFullWidthBlank.size());
    if (text == before) return text;
  }
}

const std::string* OpenData::RemarkText(std::string_view id) const {
  for (const auto& [key, text] : remarks) {
    if (key == id) return &text;
  }
  return nullptr;
}

const std::string* OpenData::ColorOf(std::string_view category) const {
  for (const auto& [label, color] : colors) {
    if (label == category) return &color;
  }
  return nullptr;
}

std::variant<OpenData, std::string> ReadOpenData(std::string_view folder) {
  std::string why;
  std::optional<std::vector<CsvRow>> area_rows = ReadRows(folder, kAreaDaysFile, why);
  if (!area_rows) {
    if (why.empty()) why = "area_days.csv がありません: " + std::string(folder);
    return why;
  }
  if (area_rows->empty() || area_rows->front().size() < 3) {
    return "area_days.csv に地名、センター、分別の種類の列がありません: " + JoinPath(folder, kAreaDaysFile);
  }
  OpenData data;
  const CsvRow& header = area_rows->front();
  for (std::size_t column = 2; column < header.size(); ++column) data.categories.push_back(Field(header, column));
  for (std::size_t i = 1; i < area_rows->size(); ++i) {
    const CsvRow& row = (*area_rows)[i];
    if (IsEmptyRow(row)) continue;
    OpenDataArea area{Field(row, 0), Field(row, 1), {}};
    for (std::size_t column = 2; column < header.size(); ++column) area.cells.push_back(Field(row, column));
    data.areas.push_back(std::move(area));
  }

  // The optional files: each row that cannot be read is skipped and said.
  const auto optional_rows = [&](std::string_view name) -> std::vector<CsvRow> {
    std::string problem;
    std::optional<std::vector<CsvRow>> rows = ReadRows(folder, name, problem);
    if (!problem.empty()) data.skipped.push_back(problem);
    return rows.value_or(std::vector<CsvRow>{});
  };
  const auto skip = [&](std::string_view name, std::size_t index, std::string_view what) {
    data.skipped.push_back(std::string(name) + " " + std::to_string(index + 1) + "行目: " + std::string(what));
  };
  // A first row that is no data is the header.
  const auto first_data_row = [](const std::vector<CsvRow>& rows, const std::function<bool(const CsvRow&)>& is_data) {
    return rows.empty() || is_data(rows.front()) ? std::size_t{0} : std::size_t{1};
  };
  const std::vector<CsvRow> descriptions = optional_rows(kDescriptionFile);
  const std::size_t first_description =
      first_data_row(descriptions, [](const CsvRow& row) { return !EqualsIgnoringAsciiCase(Field(row, 0), "label"); });
  for (std::size_t i = first_description; i < descriptions.size(); ++i) {
    if (IsEmptyRow(descriptions[i])) continue;
    data.colors.emplace_back(Field(descriptions[i], 0), Field(descriptions[i], 4));
  }
  const std::vector<CsvRow> centers = optional_rows(kCenterFile);
  const std::size_t first_center =
      first_data_row(centers, [](const CsvRow& row) { return ParseDate(Field(row, 1)).has_value(); });
  for (std::size_t i = first_center; i < centers.size(); ++i) {
    if (IsEmptyRow(centers[i])) continue;
    const std::optional<Date> first = ParseDate(Field(centers[i], 1));
    const std::optional<Date> last = ParseDate(Field(centers[i], 2));
    if (Field(centers[i], 0).empty() || !first || !last || *last < *first) {
      skip(kCenterFile, i, "読み取れない休止期間のため使いません");
      continue;
    }
    data.closures.push_back({Field(centers[i], 0), *first, *last});
  }
  const std::vector<CsvRow> remarks = optional_rows(kRemarksFile);
  const std::size_t first_remark = first_data_row(remarks, [](const CsvRow& row) { return IsNumeric(Field(row, 0)); });
  for (std::size_t i = first_remark; i < remarks.size(); ++i) {
    if (IsEmptyRow(remarks[i])) continue;
    if (Field(remarks[i], 0).empty()) {
      skip(kRemarksFile, i, "番号のない備考のため使いません");
      continue;
    }
    data.remarks.emplace_back(Field(remarks[i], 0), Field(remarks[i], 1));
  }
  return data;
}

}  // namespace dustora
