// The program's error numbers, their descriptions, and the two wordings of
// the common error box.
#pragma once

#include <string>
#include <string_view>

namespace dustora {

enum ErrorNumber : int {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrTypeMismatch = 13,
  kErrFileNotFound = 53,
  kErrDeviceIo = 57,
  kErrDiskFull = 61,
  kErrPermissionDenied = 70,
  kErrBadPathName = 75,
  kErrPathNotFound = 76,
};

// The description of an error number; empty for a number not in the table.
[[nodiscard]] std::string_view ErrorDescription(int number);

// What went wrong, as the error boxes show it.
struct Error {
  int number = 0;
  std::string description;

  static Error Of(int number) { return Error{number, std::string(ErrorDescription(number))}; }
  static Error WithDescription(int number, std::string description) { return Error{number, std::move(description)}; }
};

// The description that replaces error 5's when text cannot be stored in
// Shift_JIS; the character follows it.
inline constexpr std::string_view kUnstorablePrefix = "Shift_JISで保存できない文字が含まれています: ";

// The error number of an OS error code (errno) from a file operation.
// `missing_is_folder` tells a missing folder (76) from a missing file (53).
[[nodiscard]] int ErrorNumberOfErrno(int errno_value, bool missing_is_folder = false);

inline constexpr std::string_view kErrorBoxTitle = "エラー情報";

// "エラーが発生しました(tag)" CR LF "エラー番号: n" CR LF "内容: description"
[[nodiscard]] std::string ErrorMessage(std::string_view tag, const Error& error);
// "ご迷惑をおかけしています.(tag)" CR LF "想定外の事象が発生しました。" CR LF
// "番号: n" CR LF "内容: description"
[[nodiscard]] std::string UnexpectedErrorMessage(std::string_view tag, const Error& error);

}  // namespace dustora
