#include "tables/memo.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/encoding.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

TEST(MemoTest, TextOfAFileEndsEveryLine) {
  EXPECT_EQ(MemoTextOf(""), "");
  EXPECT_EQ(MemoTextOf("メモ:\r\n電話 0120\r\n\r\n"), "メモ:\r\n電話 0120\r\n\r\n");
  EXPECT_EQ(MemoTextOf("a\rb\nc"), "a\r\nb\r\nc\r\n");
}

TEST(MemoTest, TieUntieAndRefuseAsTheStatusBarSaysThem) {
  CalendarDocument doc;
  EXPECT_EQ(MemoStatusText(doc), "メモファイル : (関連付けなし)");
  TieMemo(doc, "/home/u/Documents/Tessaloom/ダストーラ/町内.mmo");
  EXPECT_EQ(MemoStatusText(doc), "メモファイル : 町内.mmo");
  RefuseMemoTie(doc);
  EXPECT_TRUE(doc.memo_path.empty());
  EXPECT_EQ(MemoStatusText(doc), "メモファイル : (関連付けできません)");
  TieMemo(doc, "");
  EXPECT_EQ(MemoStatusText(doc), "メモファイル : (関連付けなし)");
  EXPECT_TRUE(doc.memo_path.empty());
}

TEST(MemoTest, ReadMemoTextLoadsTheTiedFileOrTheEmptyMemo) {
  Report report;
  testing::TempFolder dir;
  CalendarDocument doc;
  std::string text;
  ReadMemoText(doc, text, report);
  EXPECT_EQ(text, "メモ:\r\n");
  doc.memo_path = dir.Write("a.mmo", sjis::Encode("メモ:\r\n<ふた>を外す\r\n\r\n").bytes);
  ReadMemoText(doc, text, report);
  // Saved text that ended in CR LF comes back with one more empty line.
  EXPECT_EQ(text, "メモ:\r\n<ふた>を外す\r\n\r\n");
  std::filesystem::remove(doc.memo_path);
  ReadMemoText(doc, text, report);
  EXPECT_EQ(text, "メモ:\r\n");
  EXPECT_TRUE(report.empty());
  // A folder in place of the file is no memo file either.
  std::filesystem::create_directory(doc.memo_path);
  ReadMemoText(doc, text, report);
  EXPECT_EQ(text, "メモ:\r\n");
}

}  // namespace
}  // namespace dustora
