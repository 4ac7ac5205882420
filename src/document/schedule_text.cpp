#include "document/schedule_text.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/date.h"
#include "core/text.h"

namespace dustora {

namespace {

// The value of a text of ASCII digits only, leading zeros read as nothing;
// nullopt for any other text or more than `most` significant digits.
std::optional<int> Digits(std::string_view text, std::size_t most) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
  if (text.size() > most) return std::nullopt;
  int value = 0;
  for (const char c : text) value = value * 10 + (c - '0');
  return value;
}

// The texts between the commas; the last takes the rest when `parts` are
// taken.
std::vector<std::string_view> SplitCommas(std::string_view text, std::size_t parts) {
  std::vector<std::string_view> items;
  while (items.size() + 1 < parts) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) break;
    items.push_back(text.substr(0, comma));
    text.remove_prefix(comma + 1);
  }
  items.push_back(text);
  return items;
}

}  // namespace

std::optional<MonthSet> ParseMonths(std::string_view text) {
  MonthSet months = 0;
  for (const std::string_view item : SplitCommas(text, std::string_view::npos)) {
    const std::optional<int> month = Digits(TrimBlanks(item), 2);
    if (!month || *month < 1 || *month > 12) return std::nullopt;
    months = static_cast<MonthSet>(months | (1U << *month));
  }
  return months;
}

std::string MonthsText(MonthSet months) {
  std::string text;
  for (int month = 1; month <= 12; ++month) {
    if (!InMonths(months, month)) continue;
    if (!text.empty()) text += ',';
    text += std::to_string(month);
  }
  return text;
}

std::optional<DayChange> ParseDayChange(std::string_view text) {
  const std::vector<std::string_view> fields = SplitCommas(text, 3);
  if (fields.size() != 3) return std::nullopt;
  DayChange change;
  const std::string_view date = TrimBlanks(fields[0]);
  const std::size_t slash = date.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  if (date.find('/', slash + 1) == std::string_view::npos) {
    // MM/DD: every year; checked against a leap year so that 2/29 stands.
    const std::optional<int> month = Digits(date.substr(0, slash), 2);
    const std::optional<int> day = Digits(date.substr(slash + 1), 2);
    if (!month || !day || !IsRealDate(2000, *month, *day)) return std::nullopt;
    change.month = *month;
    change.day = *day;
  } else {
    const std::optional<Date> dated = ParseDate(date);
    if (!dated) return std::nullopt;
    change.year = dated->year;
    change.month = dated->month;
    change.day = dated->day;
  }
  const std::string_view sign = TrimBlanks(fields[1]);
  if (sign != "+" && sign != "-") return std::nullopt;
  change.collect = sign == "+";
  change.category = std::string(TrimBlanks(fields[2]));
  if (change.category.empty() || (change.collect && change.category == kEveryCategory)) return std::nullopt;
  return change;
}

std::string DayChangeText(const DayChange& change) {
  char date[24];
  if (change.year) {
    std::snprintf(date, sizeof date, "%04d/%02d/%02d", *change.year, change.month, change.day);
  } else {
    std::snprintf(date, sizeof date, "%02d/%02d", change.month, change.day);
  }
  return std::string(date) + (change.collect ? ",+," : ",-,") + change.category;
}

std::optional<SheetMark> ParseSheetMark(std::string_view text) {
  const std::vector<std::string_view> fields = SplitCommas(text, 3);
  if (fields.size() != 3) return std::nullopt;
  SheetMark mark{std::string(TrimBlanks(fields[2])), std::string(TrimBlanks(fields[0])),
                 std::string(TrimBlanks(fields[1]))};
  const bool known = std::find(kSheetSymbols.begin(), kSheetSymbols.end(), mark.symbol) != kSheetSymbols.end();
  const std::size_t characters = Utf8Characters(mark.label).size();
  if (!known || characters < 1 || characters > kMostLabelCharacters || mark.category.empty()) return std::nullopt;
  return mark;
}

std::string SheetMarkText(const SheetMark& mark) {
  return mark.symbol + "," + mark.label + "," + mark.category;
}

}  // namespace dustora
