// Text helpers shared by every module: blanks, ASCII case, numeric texts and
// date texts. Text is UTF-8 throughout.
#pragma once

#include <cstdint>
#include <optional>
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

// Blank characters around keys and values: space and tab.
[[nodiscard]] bool IsBlank(char c);
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);
[[nodiscard]] char AsciiLower(char c);
[[nodiscard]] bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether a text would end a declaration, a rule or the style element if
// the page's style sheet took it as it is, or comment out what follows: it
// holds < > { } ; \ ", a control character (U+0000–U+001F, U+007F), /* or
// */.
[[nodiscard]] bool BreaksStyleSheet(std::string_view text);

// "Numeric": optional blanks, optional sign, ASCII digits with at most one
// decimal point (at least one digit), optional blanks.
[[nodiscard]] bool IsNumeric(std::string_view text);
// The numeric text's value rounded to the nearest whole number, halves to
// the even one; nullopt when the text is not numeric or the value does not
// fit in 64 bits.
[[nodiscard]] std::optional<std::int64_t> NumericToWhole(std::string_view text);

// "Valid date": optional blanks, a year of 1 to 4 digits, a month of 1 or 2
// digits and a day of 1 or 2 digits, separated both times by the same "/" or
// "-", optional blanks, and a real Gregorian date.
[[nodiscard]] std::optional<Date> ParseDate(std::string_view text);
inline bool IsValidDate(std::string_view text) {
  return ParseDate(text).has_value();
}

}  // namespace dustora
