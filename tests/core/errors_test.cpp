#include "core/errors.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace dustora {
namespace {

TEST(ErrorsTest, TableAndOsMapping) {
  EXPECT_EQ(ErrorDescription(53), "ファイルが見つかりません。");
  EXPECT_EQ(ErrorDescription(57), "デバイス I/O エラーです。");
  EXPECT_EQ(ErrorDescription(1), "");
  EXPECT_EQ(ErrorNumberOfErrno(ENOENT), 53);
  EXPECT_EQ(ErrorNumberOfErrno(ENOENT, true), 76);
  EXPECT_EQ(ErrorNumberOfErrno(ENOTDIR), 76);
  EXPECT_EQ(ErrorNumberOfErrno(EACCES), 70);
  EXPECT_EQ(ErrorNumberOfErrno(EROFS), 70);
  EXPECT_EQ(ErrorNumberOfErrno(ENOSPC), 61);
  EXPECT_EQ(ErrorNumberOfErrno(EIO), 57);
  EXPECT_EQ(ErrorNumberOfErrno(ENAMETOOLONG), 75);
}

TEST(ErrorsTest, TheTwoWordings) {
  EXPECT_EQ(ErrorMessage("GetInitial", Error::Of(13)),
            "エラーが発生しました(GetInitial)\r\nエラー番号: 13\r\n内容: 型が一致しません。");
  EXPECT_EQ(UnexpectedErrorMessage("MakeSpecialFolder", Error::Of(76)),
            "ご迷惑をおかけしています.(MakeSpecialFolder)\r\n想定外の事象が発生しました。\r\n番号: 76\r\n内容: "
            "パスが見つかりません。");
}

}  // namespace
}  // namespace dustora
