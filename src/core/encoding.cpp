#include "core/encoding.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/utf8.h>

#include <array>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace dustora::sjis {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// The single bytes that code page 932 passes through to the private use area.
constexpr std::array<std::pair<unsigned char, char32_t>, 4> kPrivateBytes = {
    {{0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}}};

// What Japanese input on Linux produces where code page 932 has a look-alike.
char32_t LookAlike(char32_t c) {
  switch (c) {
    case 0x301C: return 0xFF5E;
    case 0x2016: return 0x2225;
    case 0x2212: return 0xFF0D;
    case 0x00A2: return 0xFFE0;
    case 0x00A3: return 0xFFE1;
    case 0x00AC: return 0xFFE2;
    case 0x2014: return 0x2015;
    default: return c;
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  char buffer[4];
  std::int32_t length = 0;
  UBool error = false;
  U8_APPEND(reinterpret_cast<std::uint8_t*>(buffer), length, 4, static_cast<UChar32>(c), error);
  if (error) {
    out += "\xEF\xBF\xBD";
  } else {
    out.append(buffer, static_cast<std::size_t>(length));
  }
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};

// Code page 932 through ICU, one character at a time, with every answer
// remembered. Round-trip mappings only: ICU's fallbacks would silently turn
// characters into look-alikes (剝 into 剥).
class Cp932 {
 public:
  Cp932() {
    UErrorCode status = U_ZERO_ERROR;
    converter_.reset(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status) || !converter_) throw std::runtime_error("windows-31j converter missing");
    ucnv_setFallback(converter_.get(), false);
    ucnv_setFromUCallBack(converter_.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setToUCallBack(converter_.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    decoded_.fill(kUnknownChar);
    encoded_.fill(kUnknownCode);
  }

  // The character of a single byte 0x80..0xFF that is not a lead byte.
  char32_t DecodeSingle(unsigned char byte) {
    for (const auto& [b, c] : kPrivateBytes) {
      if (b == byte) return c;
    }
    const char bytes[1] = {static_cast<char>(byte)};
    return Cached(byte, bytes, 1);
  }

  char32_t DecodePair(unsigned char lead, unsigned char trail) {
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    return Cached(static_cast<std::uint16_t>(lead << 8 | trail), bytes, 2);
  }

  // The Shift_JIS bytes of a character other than ASCII, or empty.
  std::string EncodeChar(char32_t c) {
    if (c == kReplacement) return "?";
    for (const auto& [b, p] : kPrivateBytes) {
      if (p == c) return std::string(1, static_cast<char>(b));
    }
    c = LookAlike(c);
    if (c > 0xFFFF) return {};
    std::uint16_t& code = encoded_[c];
    if (code == kUnknownCode) code = Lookup(c);
    if (code == kNoCode) return {};
    if (code < 0x100) return std::string(1, static_cast<char>(code));
    return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  }

 private:
  static constexpr char32_t kUnknownChar = 0xFFFFFFFF;
  static constexpr std::uint16_t kUnknownCode = 0xFFFF;
  static constexpr std::uint16_t kNoCode = 0x0000;

  char32_t Cached(std::uint16_t index, const char* bytes, std::int32_t length) {
    char32_t& c = decoded_[index];
    if (c == kUnknownChar) {
      UChar out[4];
      UErrorCode status = U_ZERO_ERROR;
      ucnv_reset(converter_.get());
      const std::int32_t n = ucnv_toUChars(converter_.get(), out, 4, bytes, length, &status);
      if (U_FAILURE(status) || n < 1 || n > 2) {
        c = kReplacement;
      } else {
        std::int32_t i = 0;
        UChar32 decoded = 0;
        U16_NEXT(out, i, n, decoded);
        c = (i == n && decoded >= 0x80) ? static_cast<char32_t>(decoded) : kReplacement;
      }
    }
    return c;
  }

  std::uint16_t Lookup(char32_t c) {
    const UChar in[1] = {static_cast<UChar>(c)};
    if (U16_IS_SURROGATE(in[0])) return kNoCode;
    char out[8];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter_.get());
    const std::int32_t n = ucnv_fromUChars(converter_.get(), out, sizeof out, in, 1, &status);
    if (U_FAILURE(status)) return kNoCode;
    const auto b0 = static_cast<unsigned char>(out[0]);
    if (n == 1 && b0 >= 0x80 && !IsLeadByte(b0)) return b0;
    if (n == 2 && IsLeadByte(b0) && IsTrailByte(static_cast<unsigned char>(out[1]))) {
      return static_cast<std::uint16_t>(b0 << 8 | static_cast<unsigned char>(out[1]));
    }
    return kNoCode;  // nothing, or an ASCII byte for a non-ASCII character
  }

  std::unique_ptr<UConverter, ConverterCloser> converter_;
  std::array<char32_t, 65536> decoded_;
  std::array<std::uint16_t, 65536> encoded_;
};

Cp932& Table() {
  thread_local auto table = std::make_unique<Cp932>();
  // The analyzer takes the thread-local for a local destroyed at the return.
  return *table;  // NOLINT(clang-analyzer-cplusplus.NewDelete)
}

// Walks UTF-8 text: each run of ASCII bytes at once, every other character
// alone (ill-formed bytes read as U+FFFD) until `visit` answers false.
// Indexes are as wide as the text, so texts over 2 GiB are walked whole.
template <typename AsciiRun, typename Visit>
void ForEachRun(std::string_view utf8, AsciiRun&& ascii_run, Visit&& visit) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
  const auto length = static_cast<std::int64_t>(utf8.size());
  std::int64_t i = 0;
  while (i < length) {
    std::int64_t end = i;
    // Eight bytes at a time while none has its high bit set.
    for (std::uint64_t word = 0; end + 8 <= length; end += 8) {
      std::memcpy(&word, s + end, sizeof word);
      if (word & 0x8080808080808080ULL) break;
    }
    while (end < length && s[end] < 0x80) ++end;
    if (end > i) {
      ascii_run(utf8.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(end - i)));
      i = end;
      if (i == length) return;
    }
    const std::int64_t start = i;
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (c < 0) c = static_cast<UChar32>(kReplacement);
    if (!visit(static_cast<std::size_t>(start), static_cast<char32_t>(c))) return;
  }
}

}  // namespace

std::string Unencodable::Text() const {
  std::string text;
  AppendUtf8(text, character);
  return text;
}

std::string Decode(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  Cp932* table = nullptr;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      out += static_cast<char>(byte);
      continue;
    }
    if (!table) table = &Table();
    if (IsLeadByte(byte)) {
      if (i + 1 < bytes.size() && IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
        AppendUtf8(out, table->DecodePair(byte, static_cast<unsigned char>(bytes[i + 1])));
        ++i;
      } else {
        AppendUtf8(out, kReplacement);
      }
      continue;
    }
    AppendUtf8(out, table->DecodeSingle(byte));
  }
  return out;
}

EncodeResult Encode(std::string_view utf8) {
  EncodeResult result;
  result.bytes.reserve(utf8.size());
  const auto ascii = [&](std::string_view run) { result.bytes += run; };
  ForEachRun(utf8, ascii, [&](std::size_t offset, char32_t c) {
    const std::string bytes = Table().EncodeChar(c);
    if (bytes.empty()) {
      result.error = Unencodable{offset, c};
      return false;
    }
    result.bytes += bytes;
    return true;
  });
  return result;
}

void AppendWithReferences(std::string_view utf8, std::string& out) {
  const auto ascii = [&](std::string_view run) { out += run; };
  ForEachRun(utf8, ascii, [&](std::size_t, char32_t c) {
    const std::string bytes = Table().EncodeChar(c);
    if (bytes.empty()) {
      out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
    } else {
      out += bytes;
    }
    return true;
  });
}

std::optional<Unencodable> FirstUnencodable(std::string_view utf8) {
  return Encode(utf8).error;
}

std::string UnstorableCharacters(std::string_view utf8) {
  constexpr std::size_t kMostNamed = 10;
  std::vector<char32_t> named;
  std::string listed;
  for (std::size_t from = 0; named.size() < kMostNamed;) {
    const std::optional<Unencodable> found = FirstUnencodable(utf8.substr(from));
    if (!found) break;
    const std::string text = found->Text();
    from += found->offset + text.size();
    if (std::find(named.begin(), named.end(), found->character) != named.end()) continue;
    named.push_back(found->character);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(found->character));
    if (!listed.empty()) listed += "、";
    listed += text + " (" + code + ")";
  }
  return listed;
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Of UTF-8 bytes whether any character takes three bytes; nullopt when the
// bytes are no UTF-8.
std::optional<bool> Utf8WithThreeBytes(std::string_view bytes) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const auto length = static_cast<std::int64_t>(bytes.size());
  bool three_bytes = false;
  for (std::int64_t i = 0; i < length;) {
    if (s[i] < 0x80) {
      ++i;
      continue;
    }
    const std::int64_t start = i;
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (c < 0) return std::nullopt;
    three_bytes = three_bytes || i - start == 3;
  }
  return three_bytes;
}

}  // namespace

bool IsUtf8File(std::string_view bytes) {
  return bytes.starts_with(kByteOrderMark) || Utf8WithThreeBytes(bytes).value_or(false);
}

bool IsValidUtf8(std::string_view bytes) {
  return Utf8WithThreeBytes(bytes).has_value();
}

FileBytes AsShiftJisFile(std::string bytes) {
  if (!IsUtf8File(bytes)) return {std::move(bytes), false};
  std::string_view utf8 = bytes;
  if (utf8.starts_with(kByteOrderMark)) utf8.remove_prefix(kByteOrderMark.size());
  FileBytes file;
  file.bytes.reserve(utf8.size());
  const auto ascii = [&](std::string_view run) { file.bytes += run; };
  ForEachRun(utf8, ascii, [&](std::size_t, char32_t c) {
    const std::string encoded = c == kReplacement ? std::string() : Table().EncodeChar(c);
    if (encoded.empty()) {
      file.bytes += '?';
      file.replaced = true;
    } else {
      file.bytes += encoded;
    }
    return true;
  });
  return file;
}

bool RoundTrips(std::string_view utf8) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
  const auto length = static_cast<std::int64_t>(utf8.size());
  for (std::int64_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (c < 0) return false;
  }
  const EncodeResult encoded = Encode(utf8);
  return encoded.ok() && Decode(encoded.bytes) == utf8;
}

std::size_t CutAtCharacter(std::string_view bytes, std::size_t limit) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() &&
                      IsTrailByte(static_cast<unsigned char>(bytes[i + 1]));
    const std::size_t width = pair ? 2 : 1;
    if (i + width > limit) break;
    i += width;
  }
  return i;
}

}  // namespace dustora::sjis
