#include "tables/holiday.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include "core/encoding.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

using Fields = std::vector<std::string>;

TEST(TableLineTest, QuotedFieldsAndDates) {
  EXPECT_EQ(SplitQuotedFields(" \"a b\" ,\t\"\"\t"), (Fields{"a b", ""}));
  for (std::string_view line :
       {"", "#2011/01/01#,元日", R"("a",b)", R"("a","b)", R"("a",)", R"("a" "b")", R"("a","b"c")"}) {
    EXPECT_FALSE(SplitQuotedFields(line)) << line;
  }
  // Quotes and commas read back as written; a line break would split the record and becomes a blank.
  const Fields fields = {"a\"b", "\"", "x,y"};
  const std::string line = QuotedLine(fields);
  EXPECT_EQ(line, "\"a\"\"b\",\"\"\"\",\"x,y\"\r\n");
  EXPECT_EQ(SplitQuotedFields(std::string_view(line).substr(0, line.size() - 2)), fields);
  EXPECT_EQ(QuotedLine({"a\r\nb", "c\rd"}), "\"a  b\",\"c d\"\r\n");

  EXPECT_EQ(DateField(Date{987, 1, 2}), "#0987/01/02#");
  EXPECT_EQ(ParseDateField("#0987/01/02#"), (Date{987, 1, 2}));
  EXPECT_EQ(ParseDateField("# 2012-2-29 #"), (Date{2012, 2, 29}));
  for (std::string_view field : {"", "#", "##", "2011/01/01", "#2011/01/01", "#2011/02/29#", "#2011/01-01#"}) {
    EXPECT_FALSE(ParseDateField(field)) << field;
  }
}

TEST(HolidayFileTest, ReadsWhatItCanAndNamesTheFirstBadLine) {
  const HolidayFileContent content = ParseHolidayFile(
      "\"#2011/01/01#\",\" 元 日 \"\r\n"   // half-width blanks leave the name
      "\r\n \t\n"                          // blank lines are passed over
      "\"#2011/02/30#\",\"x\"\n"           // 4: no such day
      "\"2011/02/11\",\"建国記念の日\"\r"  // no "#" marks
      "\"#2011/03/21#\"\r\n"               // one field
      "\"#2011/1/1#\",\"元旦\",\"x\"\r\n"  // three fields
      "\"#2011/1/1#\",\"元　旦\"");        // the same date again; a full-width blank stays
  EXPECT_EQ(content.first_bad_line, 4);
  EXPECT_EQ(content.holidays, (HolidayTable{{{2011, 1, 1}, "元日"}, {{2011, 1, 1}, "元　旦"}}));
  EXPECT_EQ(HolidayFileText(content.holidays), "\"#2011/01/01#\",\"元日\"\r\n\"#2011/01/01#\",\"元　旦\"\r\n");
}

// Whatever a damaged file holds, what loads writes back and loads the same.
TEST(HolidayFileTest, GarbageKeepsTheRoundTrip) {
  static constexpr std::string_view kPieces[] = {"\"", "#",  ",",    "2011/01/01", "2011/02/30",          " ",    "\r",
                                                 "\n", "元", "\xFF", "\x82",       "\"#2011/12/31#\",\"", "\"\"", "a"};
  std::mt19937 random(20110101);
  std::string text;
  while (text.size() < (1 << 20)) text += kPieces[random() % std::size(kPieces)];
  const HolidayFileContent content = ParseHolidayFile(text);
  ASSERT_FALSE(content.holidays.empty());
  const HolidayFileContent again = ParseHolidayFile(HolidayFileText(content.holidays));
  EXPECT_EQ(again.first_bad_line, 0);
  EXPECT_EQ(again.holidays, content.holidays);
}

class FailingReadFileSystem : public RealFileSystem {
 public:
  int error = 0;
  FsResult<std::string> ReadFile(std::string_view) override { return {std::nullopt, Error::Of(error)}; }
};

class HolidayRoutineTest : public ::testing::Test {
 protected:
  void TearDown() override { SetFileSystem(nullptr); }
  std::string Path() const { return dir.Join("holiday.csv"); }
  std::string LastMessage() const { return report.empty() ? "" : report.entries().back().Text(); }

  Report report;
  testing::TempFolder dir;
  int show_names = 1;
  HolidayTable table;
};

TEST_F(HolidayRoutineTest, MissingFileEmptiesTheTableAndTurnsNamesOffSilently) {
  table = {{{2011, 1, 1}, "元日"}};
  ReadHolidayFile(Path(), table, show_names, report);
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(show_names, 0);
  EXPECT_TRUE(report.empty());
}

TEST_F(HolidayRoutineTest, LoadsAndReportsTheFirstBadLineOnce) {
  dir.Write("holiday.csv",
            sjis::Encode("\"#2011/01/01#\",\"元 日\"\n元日\r\"#2011/1/1\",\"x\"\r\n\"#2011/2/11#\",\"建国\"").bytes);
  ReadHolidayFile(Path(), table, show_names, report);
  EXPECT_EQ(table, (HolidayTable{{{2011, 1, 1}, "元日"}, {{2011, 2, 11}, "建国"}}));
  EXPECT_EQ(show_names, 1);
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(LastMessage(), "エラーが発生しました(GetHoliday)\r\nエラー番号: 13\r\n内容: 型が一致しません。(2行目)");
  EXPECT_EQ(report.entries()[0].kind, ReportKind::Error);
}

TEST_F(HolidayRoutineTest, ReadFailuresKeepTheTable) {
  dir.Write("holiday.csv", "\"#2011/01/01#\",\"a\"\r\n");
  const HolidayTable before = {{{2011, 5, 5}, "こどもの日"}};
  table = before;
  FailingReadFileSystem failing;
  SetFileSystem(&failing);
  failing.error = kErrDeviceIo;
  ReadHolidayFile(Path(), table, show_names, report);
  EXPECT_EQ(LastMessage(), "エラーが発生しました(GetHoliday)\r\nエラー番号: 57\r\n内容: デバイス I/O エラーです。");
  failing.error = kErrFileNotFound;  // gone between the look and the read
  ReadHolidayFile(Path(), table, show_names, report);
  EXPECT_EQ(LastMessage(), "holiday.csv が見つかりませんでした");
  EXPECT_EQ(report.entries().back().Title(), "ファイルチェック");
  EXPECT_EQ(report.entries().back().kind, ReportKind::Information);
  EXPECT_EQ(table, before);
}

TEST_F(HolidayRoutineTest, WritesShiftJisLinesAndLeavesTheFileForAnEmptyTable) {
  dir.Write("holiday.csv", "old");
  EXPECT_TRUE(WriteHolidayFile(Path(), table, report));
  EXPECT_EQ(dir.Read("holiday.csv"), "old");
  table = {{{2011, 1, 1}, "元日"}, {{2011, 2, 11}, "建\uFFFD"}};
  EXPECT_TRUE(WriteHolidayFile(Path(), table, report));
  EXPECT_EQ(dir.Read("holiday.csv"), sjis::Encode("\"#2011/01/01#\",\"元日\"\r\n\"#2011/02/11#\",\"建?\"\r\n").bytes);
  EXPECT_TRUE(report.empty());
}

TEST_F(HolidayRoutineTest, FailedWritesKeepThePreviousFile) {
  dir.Write("holiday.csv", "previous");
  table = {{{2011, 1, 1}, "元日"}, {{2011, 1, 2}, "休み😀"}};
  EXPECT_FALSE(WriteHolidayFile(Path(), table, report));
  EXPECT_EQ(
      LastMessage(),
      "エラーが発生しました(SetHoliday)\r\nエラー番号: 5\r\n内容: Shift_JISで保存できない文字が含まれています: 😀");
  table.pop_back();
  WriteSteps steps = StandardWriteSteps();
  steps.write = [](std::FILE*, std::string_view) { return ENOSPC; };
  RealFileSystem full(steps);
  SetFileSystem(&full);
  EXPECT_FALSE(WriteHolidayFile(Path(), table, report));
  EXPECT_EQ(LastMessage(),
            "エラーが発生しました(SetHoliday)\r\nエラー番号: 61\r\n内容: ディスクの空き容量が不足しています。");
  EXPECT_EQ(dir.Read("holiday.csv"), "previous");
}

}  // namespace
}  // namespace dustora
