#include "core/text.h"

#include <gtest/gtest.h>

namespace dustora {
namespace {

TEST(NumericTest, AcceptsBlanksSignDigitsAndOnePoint) {
  for (const char* text : {"0", "15", " 15 ", "+5", "-5", "05", "1.5", ".5", "5.", "\t7\t"}) {
    EXPECT_TRUE(IsNumeric(text)) << text;
  }
  for (const char* text : {"", " ", "+", ".", "1.2.3", "1e3", "1,000", "１５", "5a", "+-5", "- 5", "0x10"}) {
    EXPECT_FALSE(IsNumeric(text)) << text;
  }
}

TEST(NumericTest, WholeNumberRoundsHalvesToEven) {
  EXPECT_EQ(NumericToWhole("2.5"), 2);
  EXPECT_EQ(NumericToWhole("3.5"), 4);
  EXPECT_EQ(NumericToWhole("-2.5"), -2);
  EXPECT_EQ(NumericToWhole("2.50001"), 3);
  EXPECT_EQ(NumericToWhole("2.4999"), 2);
  EXPECT_EQ(NumericToWhole(" +05 "), 5);
  EXPECT_EQ(NumericToWhole(".5"), 0);
  EXPECT_EQ(NumericToWhole("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(NumericToWhole("9223372036854775808"), std::nullopt);
  EXPECT_EQ(NumericToWhole("abc"), std::nullopt);
}

TEST(DateTextTest, ValidDates) {
  EXPECT_EQ(ParseDate("2011/4/3"), (Date{2011, 4, 3}));
  EXPECT_EQ(ParseDate(" 2011-04-03 "), (Date{2011, 4, 3}));
  EXPECT_EQ(ParseDate("11/4/3"), (Date{11, 4, 3}));  // no two-digit year window
  EXPECT_EQ(ParseDate("2000/2/29"), (Date{2000, 2, 29}));
  EXPECT_EQ(ParseDate("1/1/1"), (Date{1, 1, 1}));
}

TEST(DateTextTest, InvalidDates) {
  for (const char* text :
       {"", "2011/4", "2011/4/31", "1900/2/29", "2011-4/3", "2011/04/003", "12011/1/1", "2011/13/1", "2011/0/1",
        "2011/1/0", "0/1/1", "2011/1/1x", "#2011/1/1#", "２０１１/1/1", "2011.1.1", "2011/ 1/1", "-1/1/1"}) {
    EXPECT_FALSE(IsValidDate(text)) << text;
  }
}

TEST(DateTest, SerialRoundTripsAndWeekday) {
  EXPECT_EQ((Date{1970, 1, 1}).Serial(), 0);
  EXPECT_EQ((Date{2011, 1, 1}).Weekday(), 6);
  EXPECT_EQ((Date{1, 1, 1}).Weekday(), 1);  // proleptic Gregorian Monday
  for (std::int64_t serial = -800000; serial < 3000000; serial += 997) {
    EXPECT_EQ(Date::FromSerial(serial).Serial(), serial);
  }
  EXPECT_EQ((Date{2011, 4, 3}).ToText(), "2011/04/03");
}

TEST(TrimTest, BlanksAndCase) {
  EXPECT_EQ(TrimBlanks(" \t a b \t"), "a b");
  EXPECT_EQ(TrimBlanks("　a"), "　a");  // a full-width blank is text
  EXPECT_TRUE(EqualsIgnoringAsciiCase("Option", "oPTION"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("Ａ", "ａ"));
}

}  // namespace
}  // namespace dustora
