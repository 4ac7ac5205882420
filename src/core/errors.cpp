#include "core/errors.h"

#include <cerrno>

namespace dustora {

std::string_view ErrorDescription(int number) {
  switch (number) {
    case kErrInvalidCall: return "プロシージャの呼び出し、または引数が不正です。";
    case kErrOverflow: return "オーバーフローしました。";
    case kErrOutOfMemory: return "メモリが不足しています。";
    case kErrTypeMismatch: return "型が一致しません。";
    case kErrFileNotFound: return "ファイルが見つかりません。";
    case kErrDeviceIo: return "デバイス I/O エラーです。";
    case kErrDiskFull: return "ディスクの空き容量が不足しています。";
    case kErrPermissionDenied: return "書き込みできません。";
    case kErrBadPathName: return "パス名が無効です。";
    case kErrPathNotFound: return "パスが見つかりません。";
    default: return {};
  }
}

int ErrorNumberOfErrno(int errno_value, bool missing_is_folder) {
  switch (errno_value) {
    case ENOENT: return missing_is_folder ? kErrPathNotFound : kErrFileNotFound;
    case ENOTDIR: return kErrPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: return kErrPermissionDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return kErrDiskFull;
    case EIO: return kErrDeviceIo;
    default: return kErrBadPathName;
  }
}

namespace {
// opening + tag + ")" CR LF + middle + number CR LF "内容: " + description
std::string BoxText(std::string_view opening, std::string_view tag, std::string_view middle, const Error& error) {
  std::string text(opening);
  text += tag;
  text += ")\r\n";
  text += middle;
  text += std::to_string(error.number);
  text += "\r\n内容: ";
  text += error.description;
  return text;
}
}  // namespace

std::string ErrorMessage(std::string_view tag, const Error& error) {
  return BoxText("エラーが発生しました(", tag, "エラー番号: ", error);
}

std::string UnexpectedErrorMessage(std::string_view tag, const Error& error) {
  return BoxText("ご迷惑をおかけしています.(", tag, "想定外の事象が発生しました。\r\n番号: ", error);
}

}  // namespace dustora
