// Colour text ("#RRGGBB") and colour values (red in the lowest byte).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dustora {

// 0 on any failure; digits beyond the text's end or not hexadecimal count 0.
[[nodiscard]] std::int32_t ColorTextToValue(std::string_view text);
// Whether the text is "#" and six hexadecimal digits, the only colour a page
// writes as it is.
[[nodiscard]] bool IsColorText(std::string_view text);
// "#RRGGBB" with upper-case digits.
[[nodiscard]] std::string ColorValueToText(std::int32_t value);

// The WCAG 2 contrast ratio of a colour value against white: 1 (white) to 21
// (black).
[[nodiscard]] double ContrastOnWhite(std::int32_t value);
// The colour with red, green and blue scaled down together (its hue and
// saturation kept) as little as makes its contrast against white at least
// `ratio`; a colour that has it already is returned as it is.
[[nodiscard]] std::int32_t DarkenedForWhite(std::int32_t value, double ratio);

}  // namespace dustora
