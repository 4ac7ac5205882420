#include "core/date.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace dustora {
namespace {

TEST(DayOfWeekTest, KnownDates) {
  EXPECT_EQ(DayOfWeek(2011, 1, 1), 6);
  EXPECT_EQ(DayOfWeek(2000, 3, 1), 3);
  EXPECT_EQ(DayOfWeek(2000, 2, 29), 2);  // January and February count from the year before
  EXPECT_EQ(DayOfWeek(2026, 12, 9), 3);
}

TEST(DayOfWeekTest, AgreesWithTheCalendarForManyYears) {
  for (int year = 1; year <= 9999; year += 7) {
    for (int month = 1; month <= 12; ++month) {
      EXPECT_EQ(DayOfWeek(year, month, 1), (Date{year, month, 1}).Weekday()) << year << "/" << month;
    }
  }
}

TEST(DayOfWeekTest, MonthOutsideTableGivesSentinel) {
  EXPECT_EQ(DayOfWeek(2011, 0, 1), 999);
  EXPECT_EQ(DayOfWeek(2011, 13, 1), 999);
  EXPECT_EQ(DaysInMonth(2011, 0), 999);
  EXPECT_EQ(DaysInMonth(2011, 13), 999);
}

TEST(DaysInMonthTest, GregorianLeapYears) {
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2012, 2), 29);
  EXPECT_EQ(DaysInMonth(2011, 2), 28);
  const int expected[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(DaysInMonth(2011, m), expected[m - 1]);
}

TEST(WeekdayNameTest, SevenNamesExactly) {
  EXPECT_EQ(WeekdayNameNumber("日"), 1);
  EXPECT_EQ(WeekdayNameNumber("土"), 7);
  EXPECT_EQ(WeekdayNameNumber(" 日"), 0);
  EXPECT_EQ(WeekdayNameNumber("日曜"), 0);
  EXPECT_EQ(WeekdayNameNumber(""), 0);
  EXPECT_EQ(WeekdayNameNumber("(なし)"), 0);
}

TEST(GridTest, FebruaryStartingOnSundayFillsFourRows) {
  // 2015-02-01 was a Sunday, in a common year.
  const int first = DayOfWeek(2015, 2, 1);
  ASSERT_EQ(first, 0);
  EXPECT_EQ(CellOfDay(1, first), 1);
  EXPECT_EQ(CellOfDay(DaysInMonth(2015, 2), first), 28);
  // A 31-day month starting on a Saturday (2011-01) ends in cell 37.
  EXPECT_EQ(CellOfDay(31, DayOfWeek(2011, 1, 1)), 37);
}

TEST(EveryOtherWeekTest, PhasesAroundAWednesdayBase) {
  const char* base = "2011/4/6";  // a Wednesday; its week starts Sunday 2011/4/3
  for (int day = 3; day <= 9; ++day) EXPECT_EQ(EveryOtherWeekParity(2011, 4, day, base), 1) << day;
  for (int day = 10; day <= 16; ++day) EXPECT_EQ(EveryOtherWeekParity(2011, 4, day, base), 0) << day;
  for (int day = 17; day <= 23; ++day) EXPECT_EQ(EveryOtherWeekParity(2011, 4, day, base), 1) << day;
  for (int day = 27; day <= 31; ++day) EXPECT_EQ(EveryOtherWeekParity(2011, 3, day, base), 0) << day;
  for (int day = 20; day <= 26; ++day) EXPECT_EQ(EveryOtherWeekParity(2011, 3, day, base), 1) << day;
  EXPECT_EQ(EveryOtherWeekParity(2012, 4, 1, base), 1);  // 52 weeks later
}

TEST(EveryOtherWeekTest, BadTexts) {
  EXPECT_EQ(EveryOtherWeekParity(2011, 4, 6, ""), 99);
  EXPECT_EQ(EveryOtherWeekParity(2011, 4, 6, "いつか"), 99);
  EXPECT_EQ(EveryOtherWeekParity(2011, 2, 30, "2011/4/6"), 9);
  EXPECT_EQ(EveryOtherWeekParity(2011, 13, 1, "2011/4/6"), 9);
  EXPECT_EQ(EveryOtherWeekParity(-5, 1, 1, "2011/4/6"), 9);
}

}  // namespace
}  // namespace dustora
