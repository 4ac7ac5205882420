#include "core/color.h"

#include <unicode/utf8.h>

#include <cmath>
#include <cstdio>

namespace dustora {

namespace {

int HexDigit(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a') + 10;
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A') + 10;
  return 0;
}

}  // namespace

std::int32_t ColorTextToValue(std::string_view text) {
  // Characters 2 to 7 are the digits; character 1 (normally "#") is not
  // looked at, and a missing or non-hexadecimal character counts 0.
  int d[7] = {};
  const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t i = 0;
  for (int position = 0; position <= 6 && i < length; ++position) {
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (position >= 1) d[position] = HexDigit(static_cast<char32_t>(c));
  }
  return d[5] * 1048576 + d[6] * 65536 + d[3] * 4096 + d[4] * 256 + d[1] * 16 + d[2];
}

std::string ColorValueToText(std::int32_t value) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%06X", static_cast<std::uint32_t>(value));
  const std::string c(hex, 6);
  return "#" + c.substr(4, 2) + c.substr(2, 2) + c.substr(0, 2);
}

bool IsColorText(std::string_view text) {
  return text.size() == 7 && text[0] == '#' &&
         text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string_view::npos;
}

namespace {

// A channel's share of the WCAG 2 relative luminance, from its 0..255 value.
double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::int32_t Scaled(std::int32_t value, double factor) {
  std::int32_t scaled = 0;
  for (int shift : {0, 8, 16}) {
    const int channel = (value >> shift) & 0xFF;
    scaled |= static_cast<std::int32_t>(std::lround(channel * factor)) << shift;
  }
  return scaled;
}

}  // namespace

double ContrastOnWhite(std::int32_t value) {
  const double luminance =
      0.2126 * Linear(value & 0xFF) + 0.7152 * Linear((value >> 8) & 0xFF) + 0.0722 * Linear((value >> 16) & 0xFF);
  return 1.05 / (luminance + 0.05);
}

std::int32_t DarkenedForWhite(std::int32_t value, double ratio) {
  if (ContrastOnWhite(value) >= ratio) return value;
  // The largest factor that reaches the ratio, to a thousandth.
  int low = 0;
  int high = 1000;
  while (low + 1 < high) {
    const int middle = (low + high) / 2;
    if (ContrastOnWhite(Scaled(value, middle / 1000.0)) >= ratio) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return Scaled(value, low / 1000.0);
}

}  // namespace dustora
