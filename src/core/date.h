// Dates, and the date arithmetic of the month grid: 42 cells, six
// Sunday-first week rows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dustora {

// A whole calendar date on the proleptic Gregorian calendar.
struct Date {
  int year = 0;
  int month = 0;
  int day = 0;

  // Days since 1970-01-01 (negative before it).
  std::int64_t Serial() const;
  static Date FromSerial(std::int64_t serial);
  // 0 = Sunday .. 6 = Saturday.
  int Weekday() const;
  // yyyy/MM/dd, the form of labels, lists and data files.
  std::string ToText() const;

  friend bool operator==(const Date&, const Date&) = default;
  friend auto operator<=>(const Date&, const Date&) = default;
};

[[nodiscard]] bool IsLeapYear(int year);
// True for a real Gregorian date with a year of 1..9999.
[[nodiscard]] bool IsRealDate(int year, int month, int day);

// Returned by DayOfWeek and DaysInMonth when a month is outside 1..12.
inline constexpr int kDateFailure = 999;
// The last year a date of the program can have (the first is 1).
inline constexpr int kLastYear = 9999;

// Results of EveryOtherWeekParity.
inline constexpr int kFrontWeek = 1;    // the base date's phase ("A")
inline constexpr int kBackWeek = 0;     // the other phase ("B")
inline constexpr int kNoPhase = 9;      // not a date, or no whole week apart
inline constexpr int kNoBaseDate = 99;  // the base date text is not a date

// 0 = Sunday .. 6 = Saturday, or kDateFailure.
[[nodiscard]] int DayOfWeek(std::int32_t year, std::int32_t month, std::int32_t day);
// 28..31, or kDateFailure.
[[nodiscard]] int DaysInMonth(std::int32_t year, std::int32_t month);
// "日" = 1 .. "土" = 7; any other text 0. Exact comparison, no trimming.
[[nodiscard]] int WeekdayNameNumber(std::string_view name);
// The cell of day `day` in a month whose 1st has weekday `first`.
[[nodiscard]] int CellOfDay(int day, int first);
// Whether year/month/day lies in the same two-week phase as the base date.
[[nodiscard]] int EveryOtherWeekParity(std::int32_t year, std::int32_t month, std::int32_t day, std::string_view base);

}  // namespace dustora
