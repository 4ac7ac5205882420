#include "core/text.h"

#include <cstdio>
#include <limits>

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

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads 1..max_digits ASCII digits at text[pos]; advances pos.
std::optional<int> ReadDigits(std::string_view text, std::size_t& pos, std::size_t max_digits) {
  const std::size_t start = pos;
  int value = 0;
  while (pos < text.size() && IsDigit(text[pos]) && pos - start < max_digits) {
    value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  if (pos == start || (pos < text.size() && IsDigit(text[pos]))) return std::nullopt;
  return value;
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

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool BreaksStyleSheet(std::string_view text) {
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x20 || byte == 0x7F || std::string_view("<>{};\\\"").find(ch) != std::string_view::npos) return true;
  }
  return text.find("/*") != std::string_view::npos || text.find("*/") != std::string_view::npos;
}

bool IsNumeric(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  bool digit = false;
  bool point = false;
  for (char c : text) {
    if (IsDigit(c)) {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

std::optional<std::int64_t> NumericToWhole(std::string_view text) {
  if (!IsNumeric(text)) return std::nullopt;
  text = TrimBlanks(text);
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);

  constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  std::uint64_t value = 0;
  for (char c : whole) {
    const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
    if (value > (kLimit - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  // Round half to even on the fraction: compare it with one half.
  if (!fraction.empty()) {
    int compare = 0;  // -1 below half, 0 exactly half, 1 above half
    if (fraction[0] < '5') {
      compare = -1;
    } else if (fraction[0] > '5') {
      compare = 1;
    } else {
      compare = fraction.find_first_not_of('0', 1) == std::string_view::npos ? 0 : 1;
    }
    if (compare > 0 || (compare == 0 && value % 2 == 1)) {
      if (value == kLimit) return std::nullopt;
      ++value;
    }
  }
  const std::int64_t result = static_cast<std::int64_t>(value);
  return negative ? -result : result;
}

std::optional<Date> ParseDate(std::string_view text) {
  text = TrimBlanks(text);
  std::size_t pos = 0;
  const auto year = ReadDigits(text, pos, 4);
  if (!year || pos >= text.size()) return std::nullopt;
  const char separator = text[pos];
  if (separator != '/' && separator != '-') return std::nullopt;
  ++pos;
  const auto month = ReadDigits(text, pos, 2);
  if (!month || pos >= text.size() || text[pos] != separator) return std::nullopt;
  ++pos;
  const auto day = ReadDigits(text, pos, 2);
  if (!day || pos != text.size()) return std::nullopt;
  if (!IsRealDate(*year, *month, *day)) return std::nullopt;
  return Date{*year, *month, *day};
}

}  // namespace dustora
