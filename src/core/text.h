// Text helpers shared by every module: blanks, ASCII case, numeric texts and
// date texts. Text is UTF-8 throughout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"

namespace dustora {

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

// The characters of UTF-8 text, each as its bytes.
[[nodiscard]] std::vector<std::string_view> Utf8Characters(std::string_view text);

// The 64-bit FNV-1a hash: the same on every platform and every run.
[[nodiscard]] std::uint64_t Fnv1a(std::string_view bytes);

}  // namespace dustora
