#include "core/text.h"

#include <limits>

namespace dustora {

namespace {

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

std::vector<std::string_view> Utf8Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  std::size_t start = 0;
  for (std::size_t i = 1; i <= text.size(); ++i) {
    if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
      characters.push_back(text.substr(start, i - start));
      start = i;
    }
  }
  return characters;
}

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

}  // namespace dustora
