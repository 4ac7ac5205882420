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

}  // namespace dustora
