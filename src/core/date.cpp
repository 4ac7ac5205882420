#include "core/date.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/text.h"

namespace dustora {

namespace {

constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

}  // namespace

std::int64_t Date::Serial() const {
  return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
}

Date Date::FromSerial(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return Date{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

int Date::Weekday() const {
  // 1970-01-01 was a Thursday (4).
  const std::int64_t w = (Serial() + 4) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

std::string Date::ToText() const {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", year, month, day);
  return buffer;
}

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool IsRealDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int last = (month == 2 && IsLeapYear(year)) ? 29 : kDays[month - 1];
  return day <= last;
}

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
