// The one place where text becomes Shift_JIS (Windows code page 932) bytes
// and back. Inside the program text is UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dustora::sjis {

// Never fails: a two-byte code with no character becomes one U+FFFD, a lead
// byte without a valid trail byte becomes U+FFFD and the next byte is read
// afresh, the single bytes 0xA0 and 0xFD..0xFF become U+F8F0..U+F8F3.
[[nodiscard]] std::string Decode(std::string_view bytes);

// A character that has no Shift_JIS form.
struct Unencodable {
  std::size_t offset = 0;  // byte offset of the character in the UTF-8 text
  char32_t character = 0;
  // The character as UTF-8.
  std::string Text() const;
};

struct [[nodiscard]] EncodeResult {
  std::string bytes;                 // complete only when !error
  std::optional<Unencodable> error;  // the first character that cannot be stored
  bool ok() const { return !error.has_value(); }
};

// Strict encoding for data files: stops at the first character without a
// Shift_JIS form. U+FFFD (a byte that could not be read) is written as "?".
[[nodiscard]] EncodeResult Encode(std::string_view utf8);

// Encoding for the page, appended to `out`: a character without a Shift_JIS
// form is written as a decimal character reference "&#N;".
void AppendWithReferences(std::string_view utf8, std::string& out);

// The first character of `utf8` that Encode would refuse.
[[nodiscard]] std::optional<Unencodable> FirstUnencodable(std::string_view utf8);
// The characters Shift_JIS cannot hold, each once with its code, as a
// message names them (a font may not show them): "😀 (U+1F600)、…", at most
// ten; empty when there is none.
[[nodiscard]] std::string UnstorableCharacters(std::string_view utf8);

// Whether the text is valid UTF-8 whose Shift_JIS form reads back as the
// same text: a file name that a file can store and find again.
[[nodiscard]] bool RoundTrips(std::string_view utf8);

// Whether a file's bytes are UTF-8 as a Linux editor saves Japanese text:
// they start with a byte order mark, or are valid UTF-8 holding at least one
// three-byte sequence.
[[nodiscard]] bool IsUtf8File(std::string_view bytes);

// Whether the bytes are UTF-8 throughout (ASCII included).
[[nodiscard]] bool IsValidUtf8(std::string_view bytes);

struct [[nodiscard]] FileBytes {
  std::string bytes;
  bool replaced = false;  // a character became "?"
};
// A file's bytes as Shift_JIS: a UTF-8 file (IsUtf8File) is converted
// without its byte order mark, each character that Shift_JIS cannot hold
// (or that could not be read) becoming "?"; any other file stays as it is.
[[nodiscard]] FileBytes AsShiftJisFile(std::string bytes);

// Whether the byte is the first byte of a two-byte Shift_JIS character.
inline bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
inline bool IsTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The length of `bytes` cut to at most `limit` bytes without splitting a
// two-byte character.
[[nodiscard]] std::size_t CutAtCharacter(std::string_view bytes, std::size_t limit);

}  // namespace dustora::sjis

#include "core/errors.h"

namespace dustora {
// Error 5 with the description "Shift_JISで保存できない文字が含まれています: " + the
// character, as the writers of data files report text they cannot store.
inline Error UnstorableError(const sjis::Unencodable& character) {
  return Error::WithDescription(kErrInvalidCall, std::string(kUnstorablePrefix) + character.Text());
}
}  // namespace dustora
