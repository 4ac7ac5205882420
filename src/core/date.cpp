#include "core/date.h"

#include <array>
#include <cstdlib>
#include <string>

#include "core/text.h"

namespace dustora {

namespace {

constexpr std::string_view kMonthOffsets = "032503514624";
constexpr std::string_view kLeapMonthDays = "312931303130313130313031";
constexpr std::string_view kCommonMonthDays = "312831303130313130313031";
constexpr std::array<std::string_view, 7> kWeekdayNames = {"日", "月", "火", "水", "木", "金", "土"};

}  // namespace

int DayOfWeek(std::int32_t year, std::int32_t month, std::int32_t day) {
  if (month < 1 || month > 12) return kDateFailure;
  std::int64_t y = year;
  if (month < 3) y -= 1;
  const int t = kMonthOffsets[static_cast<std::size_t>(month - 1)] - '0';
  // Truncating division and a remainder of the dividend's sign, as the
  // table method was written; a negative sum does not occur for real years.
  const std::int64_t sum = y + y / 4 - y / 100 + y / 400 + t + day;
  const std::int64_t result = sum % 7;
  return static_cast<int>(result < 0 ? result + 7 : result);
}

int DaysInMonth(std::int32_t year, std::int32_t month) {
  if (month < 1 || month > 12) return kDateFailure;
  const std::string_view table = IsLeapYear(year) ? kLeapMonthDays : kCommonMonthDays;
  const std::size_t at = static_cast<std::size_t>(2 * month - 2);
  return (table[at] - '0') * 10 + (table[at + 1] - '0');
}

int WeekdayNameNumber(std::string_view name) {
  for (std::size_t i = 0; i < kWeekdayNames.size(); ++i) {
    if (name == kWeekdayNames[i]) return static_cast<int>(i) + 1;
  }
  return 0;
}

int CellOfDay(int day, int first) {
  return day + first;
}

int EveryOtherWeekParity(std::int32_t year, std::int32_t month, std::int32_t day, std::string_view base) {
  const auto base_date = ParseDate(base);
  if (!base_date) return kNoBaseDate;
  const auto date = ParseDate(std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day));
  if (!date) return kNoPhase;
  const std::int64_t base_sunday = base_date->Serial() - base_date->Weekday();
  const std::int64_t sunday = date->Serial() - date->Weekday();
  const std::int64_t k = std::llabs(sunday - base_sunday);
  if (k % 14 == 0) return kFrontWeek;
  if (k % 7 == 0) return kBackWeek;
  return kNoPhase;
}

}  // namespace dustora
