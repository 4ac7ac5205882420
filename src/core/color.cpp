#include "core/color.h"

#include <unicode/utf8.h>

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

}  // namespace dustora
