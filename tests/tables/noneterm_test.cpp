#include "tables/noneterm.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/encoding.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

constexpr std::string_view kYearEndLine = "\"#2011/12/29#\",\"#2012/01/03#\",\"[すべて]\"\r\n";
const NoneTerm kYearEnd = {{2011, 12, 29}, {2012, 1, 3}, "[すべて]"};

TEST(NoneTermFileTest, ReadsWhatItCanAndNamesTheFirstBadLine) {
  const NoneTermFileContent content = ParseNoneTermFile(
      "\"#2011/8/13#\",\"#2011/8/16#\",\" 燃やせる ごみ \"\n"  // the category is taken as it is
      "\"#2011/12/29#\",\"2012/01/03\",\"[すべて]\"\r"         // 2: no "#" marks
      "\"#2011/12/29#\",\"#2012/01/03#\"\r\n"                  // two fields
      "\"#2011/12/29#\",\"#2012/01/03#\",\"a\",\"b\"\r\n"      // four fields
      "\"#2011/05/05#\",\"#2011/05/05#\",\"\"\r\n"             // an empty category loads
      "\"#2011/05/06#\",\"#2011/05/05#\",\"びん\"");           // so does a reversed period
  EXPECT_EQ(content.first_bad_line, 2);
  EXPECT_EQ(content.periods, (NoneTermTable{{{2011, 8, 13}, {2011, 8, 16}, " 燃やせる ごみ "},
                                            {{2011, 5, 5}, {2011, 5, 5}, ""},
                                            {{2011, 5, 6}, {2011, 5, 5}, "びん"}}));
  const NoneTermFileContent again = ParseNoneTermFile(NoneTermFileText(content.periods));
  EXPECT_EQ(again.first_bad_line, 0);
  EXPECT_EQ(again.periods, content.periods);
  EXPECT_EQ(NoneTermFileText({kYearEnd}), kYearEndLine);
}

class FailingFileSystem : public RealFileSystem {
 public:
  int read_error = 0;
  int remove_error = 0;
  FsResult<std::string> ReadFile(std::string_view path) override {
    return read_error ? FsResult<std::string>{std::nullopt, Error::Of(read_error)} : RealFileSystem::ReadFile(path);
  }
  FileError Remove(std::string_view path) override {
    return remove_error ? FileError(Error::Of(remove_error)) : RealFileSystem::Remove(path);
  }
};

class NoneTermRoutineTest : public ::testing::Test {
 protected:
  void TearDown() override { SetFileSystem(nullptr); }
  std::string Path() const { return dir.Join("noneterm.csv"); }
  std::string LastMessage() const { return report.empty() ? "" : report.entries().back().Text(); }

  Report report;
  testing::TempFolder dir;
  FailingFileSystem failing;
  NoneTermTable table;
};

TEST_F(NoneTermRoutineTest, NoFileMeansNoPeriodsAndWritesNoFile) {
  ReadNoneTermFile(Path(), table, report);
  EXPECT_TRUE(table.empty());
  EXPECT_TRUE(WriteNoneTermFile(Path(), table, report));
  EXPECT_FALSE(std::filesystem::exists(Path()));
  EXPECT_TRUE(report.empty());
}

TEST_F(NoneTermRoutineTest, LoadsReportsAndKeepsTheTableWhenTheReadFails) {
  dir.Write("noneterm.csv", sjis::Encode("\"#2011/12/29#\",\"#2012/01/03#\"\r\n" + std::string(kYearEndLine)).bytes);
  ReadNoneTermFile(Path(), table, report);
  EXPECT_EQ(table, NoneTermTable{kYearEnd});
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(LastMessage(), "エラーが発生しました(GetNoneTerm)\r\nエラー番号: 13\r\n内容: 型が一致しません。(1行目)");
  failing.read_error = kErrFileNotFound;
  SetFileSystem(&failing);
  ReadNoneTermFile(Path(), table, report);
  EXPECT_EQ(table, NoneTermTable{kYearEnd});
  EXPECT_EQ(LastMessage(), "エラーが発生しました(GetNoneTerm)\r\nエラー番号: 53\r\n内容: ファイルが見つかりません。");
}

TEST_F(NoneTermRoutineTest, WritesTheTableOrDeletesTheFile) {
  dir.Write("noneterm.csv", "old content that is longer than the new one\r\n");
  table = {kYearEnd, {{2011, 5, 5}, {2011, 5, 5}, "ペットボトル"}};
  EXPECT_TRUE(WriteNoneTermFile(Path(), table, report));
  EXPECT_EQ(dir.Read("noneterm.csv"),
            sjis::Encode(std::string(kYearEndLine) + "\"#2011/05/05#\",\"#2011/05/05#\",\"ペットボトル\"\r\n").bytes);
  table.clear();
  EXPECT_TRUE(WriteNoneTermFile(Path(), table, report));
  EXPECT_FALSE(std::filesystem::exists(Path()));
  EXPECT_TRUE(report.empty());
}

TEST_F(NoneTermRoutineTest, FailuresKeepThePreviousFile) {
  dir.Write("noneterm.csv", "previous");
  table = {kYearEnd, {{2011, 5, 5}, {2011, 5, 5}, "𠮷野家の缶"}};
  EXPECT_FALSE(WriteNoneTermFile(Path(), table, report));
  EXPECT_EQ(
      LastMessage(),
      "エラーが発生しました(SetNoneTerm)\r\nエラー番号: 5\r\n内容: Shift_JISで保存できない文字が含まれています: 𠮷");
  table.clear();
  failing.remove_error = kErrPermissionDenied;
  SetFileSystem(&failing);
  EXPECT_FALSE(WriteNoneTermFile(Path(), table, report));
  EXPECT_EQ(LastMessage(), "エラーが発生しました(SetNoneTerm)\r\nエラー番号: 70\r\n内容: 書き込みできません。");
  EXPECT_EQ(dir.Read("noneterm.csv"), "previous");
}

}  // namespace
}  // namespace dustora
