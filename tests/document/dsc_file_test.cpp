#include "document/dsc_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/encoding.h"
#include "settings/settings.h"
#include "support/temp_folder.h"
#include "tables/memo.h"

namespace dustora {
namespace {

class DscFileTest : public ::testing::Test {
 protected:
  DscFileTest() {
    settings.save_year_month = 1;
    doc.Clear(2011, 4);
    doc.document_path = dir.Join("町内.dsc");
  }

  // Writes a document file of UTF-8 lines joined by CR LF.
  void Store(std::string_view text) { dir.Write("町内.dsc", sjis::Encode(text).bytes); }
  std::string Stored() const { return sjis::Decode(dir.Read("町内.dsc")); }

  const Date today{2011, 4, 1};
  Report report;
  AppSettings settings;
  std::string memo_text;
  testing::TempFolder dir;
  CalendarDocument doc;
};

TEST_F(DscFileTest, WritesEverySectionInOrderAndReadsItBack) {
  const std::string memo = dir.Write("町内.mmo", sjis::Encode("燃やせるごみは朝8時まで\r\n").bytes);
  doc.week_name[0] = "月";
  doc.week_name[54] = "土";
  doc.category[59] = "ペットボトル";
  doc.image[59] = "pet.gif";
  doc.color[59] = "#0000FF";
  doc.image[3] = "dscnone.gif";  // an icon without a category writes no colour
  doc.special[4] = "31";
  doc.title = "東町のごみカレンダー";
  doc.local_name = "東町三丁目";
  doc.show_local_name = doc.memo_output = 1;
  doc.memo_path = memo;
  doc.modified = true;
  ASSERT_TRUE(WriteDscFile(doc, settings, today, report));
  EXPECT_TRUE(doc.modified);
  EXPECT_TRUE(report.empty());

  const std::string text = Stored();
  EXPECT_TRUE(text.starts_with("[WeekName]\r\n0=月\r\n1=\r\n2=\r\n"));
  std::size_t at = 0;
  for (const std::string& part : std::vector<std::string>{
           "54=土\r\n[Category]\r\n0=\r\n", "[Image]\r\n", "3=dscnone.gif\r\n",
           "59=pet.gif\r\n[FColor]\r\n59=#0000FF\r\n[Special]\r\n", "4=31\r\n[Date]\r\nYear=2011\r\n",
           "Month=4\r\n[Memo]\r\nOP=1\r\nPath=" + memo +
               "\r\n[Local]\r\nShow=1\r\nName=東町三丁目\r\n"
               "[Title]\r\nString=東町のごみカレンダー\r\n"}) {
    at = text.find(part, at);
    ASSERT_NE(at, std::string::npos) << part;
  }
  EXPECT_TRUE(text.ends_with("String=東町のごみカレンダー\r\n"));
  EXPECT_EQ(text.find("FColor]\r\n0="), std::string::npos);

  CalendarDocument read;
  read.document_path = doc.document_path;
  ASSERT_TRUE(ReadDscFile(read, settings, memo_text, today, report));
  EXPECT_EQ(read.memo_path, memo);
  EXPECT_EQ(MemoStatusText(read), "メモファイル : 町内.mmo");
  EXPECT_EQ(memo_text, "燃やせるごみは朝8時まで\r\n");
  // Everything came back: a copy written from what was read is the same file.
  read.document_path = dir.Join("写し.dsc");
  ASSERT_TRUE(WriteDscFile(read, settings, today, report));
  EXPECT_EQ(dir.Read("写し.dsc"), dir.Read("町内.dsc"));
  EXPECT_FALSE(read.modified);
}

TEST_F(DscFileTest, NewDocumentHasNoColourSectionAndCommasBecomeDots) {
  ASSERT_TRUE(WriteDscFile(doc, settings, today, report));
  EXPECT_EQ(Stored().find("[FColor]"), std::string::npos);
  EXPECT_NE(Stored().find("[Category]\r\n0=\r\n1=\r\n"), std::string::npos);

  Store("[category]\r\n7=かん,びん\r\n[FCOLOR]\r\n7=#C00000\r\n8=#123456\r\n");
  ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, today, report));
  EXPECT_EQ(doc.category[7], "かん・びん");
  EXPECT_EQ(doc.color[7], "#C00000");
  EXPECT_EQ(doc.color[8], "");  // colour of a slot without a category
  ASSERT_TRUE(WriteDscFile(doc, settings, today, report));
  EXPECT_NE(Stored().find("7=かん・びん\r\n"), std::string::npos);
}

// A stored year and month are taken only as the selectors' items near this
// year and saved again as the same text; any other text is read, and saved,
// as this year or month.
TEST_F(DscFileTest, StoredYearAndMonthComeBackAsSelectorItemsOrAsToday) {
  const struct {
    const char* year;
    const char* month;
    const char* saved;
  } cases[] = {
      {"2002", "12", "Year=2002\r\nMonth=12"},
      {"2020", "1", "Year=2020\r\nMonth=1"},
      {" 2012\t", "  5 ", "Year=2012\r\nMonth=5"},  // blanks around an entry are no part of it
      {"2001", "0", "Year=2011\r\nMonth=4"},        // out of the selectors' reach
      {"2021", "13", "Year=2011\r\nMonth=4"},
      {"02012", "5", "Year=2011\r\nMonth=5"},  // leading zeros
      {"2012", "05", "Year=2012\r\nMonth=4"},
      {"+2012", "+5", "Year=2011\r\nMonth=4"},
      {"2012.0", "5.4", "Year=2011\r\nMonth=4"},
      {"-2012", "-1", "Year=2011\r\nMonth=4"},
      {"99999999999999999999", "99999", "Year=2011\r\nMonth=4"},
      {"２０１２", "五", "Year=2011\r\nMonth=4"},
      {"2012年", "5 月", "Year=2011\r\nMonth=4"},
      {"", "", "Year=2011\r\nMonth=4"},
  };
  for (const auto& c : cases) {
    Store("[Date]\r\nYear=" + std::string(c.year) + "\r\nMonth=" + std::string(c.month) + "\r\n");
    doc.year = doc.month = std::nullopt;
    ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, today, report)) << c.year;
    ASSERT_TRUE(WriteDscFile(doc, settings, today, report)) << c.year;
    EXPECT_TRUE(Stored().starts_with("[Date]\r\n" + std::string(c.saved) + "\r\n")) << c.year << "/" << c.month;
  }
  EXPECT_TRUE(report.empty());

  // Not saved with the document: ignored on reading, left alone on writing.
  settings.save_year_month = 0;
  Store("[Date]\r\nYear=2012\r\nMonth=05\r\n");
  ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, today, report));
  EXPECT_EQ(doc.year, 2011);
  EXPECT_EQ(doc.month, 4);
  doc.year = 2015;
  ASSERT_TRUE(WriteDscFile(doc, settings, today, report));
  EXPECT_TRUE(Stored().starts_with("[Date]\r\nYear=2012\r\nMonth=05\r\n"));
}

TEST_F(DscFileTest, EmptyOrUnreadableEntriesKeepOrEmptyTheSharedValues) {
  doc.title = "前の題";
  doc.local_name = "前の地区";
  doc.show_local_name = doc.memo_output = 1;
  Store("[Title]\r\nString=\r\n[Local]\r\nShow=256\r\nName=\r\n[Memo]\r\nOP=はい\r\nPath=" + dir.Join("消えた.mmo"));
  TieMemo(doc, dir.Write("前.mmo", "x"));
  ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, today, report));
  EXPECT_EQ(doc.title, "前の題");
  EXPECT_EQ(doc.local_name, "");
  EXPECT_EQ(doc.show_local_name, 1);
  EXPECT_EQ(doc.memo_output, 1);
  EXPECT_EQ(doc.memo_path, "");
  EXPECT_EQ(MemoStatusText(doc), "メモファイル : (関連付けなし)");
  EXPECT_EQ(memo_text, "メモ:\r\n");

  Store("[Local]\r\nShow= 0 \r\n[Memo]\r\nOP=-1\r\n");
  ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, today, report));
  EXPECT_EQ(doc.show_local_name, 0);
  EXPECT_EQ(doc.memo_output, 1);
  EXPECT_TRUE(report.empty());
}

// A file that holds no section of a document is refused and changes
// nothing; one section (in any case) is enough.
TEST_F(DscFileTest, AFileWithoutADocumentsSectionsIsNoDocument) {
  const struct {
    const char* name;
    std::string bytes;
    bool document;
  } inputs[] = {
      {"empty", "", false},
      {"letter", "こんにちは\r\n来週の回収について\r\n", false},
      {"picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), false},
      {"other profile", "[Settings]\r\nx=1\r\n", false},
      {"one section", "[Title]\r\nTitle=町内\r\n", true},
      {"lower case", "[  local ]\r\nLocalName=東\r\n", true},
  };
  for (const auto& input : inputs) {
    doc.category[0] = "燃やせるごみ";
    report = Report();
    dir.Write("町内.dsc", sjis::Encode(input.bytes).ok() ? sjis::Encode(input.bytes).bytes : input.bytes);
    const bool read = ReadDscFile(doc, settings, memo_text, today, report);
    EXPECT_EQ(read, input.document) << input.name;
    if (input.document) continue;
    ASSERT_EQ(report.entries().size(), 1u) << input.name;
    EXPECT_EQ(report.entries()[0].Text(), "ダストーラファイルではありません: 町内.dsc");
    EXPECT_EQ(report.entries()[0].Title(), "ファイルを開く");
    EXPECT_EQ(report.entries()[0].kind, ReportKind::Information);
    EXPECT_EQ(doc.category[0], "燃やせるごみ") << input.name;
  }
}

TEST_F(DscFileTest, MissingFileReadsEmptyAndUnreadableFileChangesNothing) {
  doc.category[0] = "燃やせるごみ";
  doc.local_name = "東町";
  doc.year = 2015;
  doc.title = "題";
  TieMemo(doc, dir.Write("前.mmo", "x"));
  std::filesystem::create_directory(doc.document_path);  // a folder in place of the file
  EXPECT_FALSE(ReadDscFile(doc, settings, memo_text, today, report));
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_TRUE(report.entries()[0].Text().starts_with("エラーが発生しました(ReadDscFile)\r\nエラー番号: "));
  EXPECT_EQ(doc.category[0], "燃やせるごみ");
  EXPECT_EQ(doc.year, 2015);

  doc.document_path = dir.Join("ない.dsc");
  ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, today, report));
  EXPECT_EQ(doc.category[0], "");
  EXPECT_EQ(doc.local_name, "");
  EXPECT_EQ(doc.title, "題");
  EXPECT_EQ(doc.year, 2011);
  EXPECT_EQ(doc.month, 4);
  EXPECT_EQ(doc.memo_path, "");
  EXPECT_FALSE(std::filesystem::exists(doc.document_path));
}

TEST_F(DscFileTest, ASaveWritesTheDocumentWholeWithWhatOtherVersionsWrote) {
  Store(
      "; 手で書いた行\r\n[Extra]\r\nk=v\r\n[FColor]\r\n12=#00FF00\r\n[Category]\r\nOther=x\r\n12=びん\r\n"
      "[Day]\r\n0=2027/1/2,-,びん\r\n");
  ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, today, report));
  ASSERT_EQ(doc.day_changes.size(), 1u);
  doc.category[12].clear();  // the row set to (なし), its dated change deleted
  doc.day_changes.clear();
  ASSERT_TRUE(WriteDscFile(doc, settings, today, report));
  const std::string text = Stored();
  EXPECT_TRUE(text.starts_with("; 手で書いた行\r\n[Extra]\r\nk=v\r\n[Category]\r\nOther=x\r\n0=\r\n")) << text;
  for (const char* gone : {"FColor", "#00FF00", "[Day]", "びん", "[Format]"})
    EXPECT_EQ(text.find(gone), std::string::npos);
  // Written again unchanged, and by Save As over another document: nothing of that one stays.
  ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, today, report));
  ASSERT_TRUE(WriteDscFile(doc, settings, today, report));
  EXPECT_EQ(Stored(), text);
  dir.Write("別.dsc", "[Other]\r\nz=1\r\n[Title]\r\nString=別\r\n");
  doc.document_path = dir.Join("別.dsc");
  ASSERT_TRUE(WriteDscFile(doc, settings, today, report));
  EXPECT_EQ(sjis::Decode(dir.Read("別.dsc")), text);
  EXPECT_TRUE(report.empty());
}

TEST_F(DscFileTest, MonthsDatedChangesHolidayRulesAndBaseDateRoundTrip) {
  doc.category[14] = "資源";
  doc.months[14] = 0x1554;  // the even months
  doc.months[15] = 1 << 4;  // a slot without a category writes none
  doc.day_changes = {
      {2027, 1, 2, false, "燃やせるごみ"}, {{}, 12, 31, false, "[すべて]"}, {2027, 1, 9, true, "燃やせるごみ"}};
  doc.holiday_rules = {"燃やせるごみ"};
  doc.every_other_base = Date{2027, 1, 6};
  // Of the sheet's marks only a changed one of a category with a row is kept.
  doc.StoreRow(RuleKind::EveryWeek, 0, {"月", "燃やせるごみ", "", "#FF0000"});
  doc.sheet_marks = {{"燃やせるごみ", "★", "燃"}, {"資源", "■", "資"}};
  ASSERT_TRUE(WriteDscFile(doc, settings, today, report));
  const std::string text = Stored();
  const std::string schedule =
      "[Months]\r\n14=2,4,6,8,10,12\r\n[Day]\r\n0=2027/01/02,-,燃やせるごみ\r\n1=12/31,-,[すべて]\r\n"
      "2=2027/01/09,+,燃やせるごみ\r\n[EveryOther]\r\nBase=2027/01/06\r\n[Holiday]\r\n0=燃やせるごみ\r\n"
      "[Mark]\r\n0=★,燃,燃やせるごみ\r\n[Format]\r\nVersion=2\r\nRules=";
  ASSERT_NE(text.find(schedule), std::string::npos) << text;
  EXPECT_EQ(text.size() - text.find(schedule), schedule.size() + 16 + 2);  // the fingerprint ends the file

  CalendarDocument read;
  read.document_path = doc.document_path;
  ASSERT_TRUE(ReadDscFile(read, settings, memo_text, today, report));
  EXPECT_TRUE(report.empty());
  doc.months[15] = kEveryMonth;
  doc.sheet_marks.pop_back();
  EXPECT_EQ(std::tie(read.months, read.day_changes, read.holiday_rules, read.every_other_base, read.sheet_marks),
            std::tie(doc.months, doc.day_changes, doc.holiday_rules, doc.every_other_base, doc.sheet_marks));

  // An older version renames the category: the months may no longer fit; a save takes the rules as they are.
  Store(std::string(text).replace(text.find("14=資源"), 9, "14=古紙"));
  ASSERT_TRUE(ReadDscFile(read, settings, memo_text, today, report));
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(report.entries()[0].Text(),
            "このファイルの収集ルールは、月の指定や臨時の日に対応していない版で変更されています。"
            "月の指定と臨時の日を確認してください。");
  ASSERT_TRUE(WriteDscFile(read, settings, today, report));
  ASSERT_TRUE(ReadDscFile(read, settings, memo_text, today, report));
  EXPECT_EQ(report.entries().size(), 1u);
}

TEST_F(DscFileTest, UnreadableScheduleValuesAreNamedAndTheRestLoads) {
  Store(
      "[Category]\r\n14=資源\r\n15=びん\r\n[months]\r\n 14 = 04, 2,2 \r\n15=4,6,\r\n"
      "[Day]\r\n0=2027/2/30,+,資源\r\n1=\r\n2= 2027/1/2 , - , 資源 \r\n3=1/3,+,[すべて]\r\n4=2027/1/4,*,資源\r\n"
      "6=2027/1/6,+,資源\r\n[Holiday]\r\n0=[すべて]\r\n1000=びん\r\n[EveryOther]\r\nBase=2027/13/01\r\n"
      "[Mark]\r\n0=●,長い名前,資源\r\n");
  ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, today, report));
  EXPECT_EQ(doc.months[14], 1 << 2 | 1 << 4);
  EXPECT_EQ(doc.months[15], kEveryMonth);
  EXPECT_EQ(doc.day_changes, (std::vector<DayChange>{{2027, 1, 2, false, "資源"}}));
  EXPECT_EQ(doc.holiday_rules, std::vector<std::string>{"[すべて]"});
  EXPECT_FALSE(doc.every_other_base);
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(report.entries()[0].kind, ReportKind::Warning);
  EXPECT_EQ(report.entries()[0].Text(), "読み込めない指定があります。次の指定は使われません。\r\n" + PlaceOfSlot(15) +
                                            "の月「4,6,」（毎月とします）\r\n[Day] 0=2027/2/30,+,資源\r\n[Day] 1=\r\n"
                                            "[Day] 3=1/3,+,[すべて]\r\n[Day] 4=2027/1/4,*,資源\r\n"
                                            "[Day] 5 がないため、その後の行\r\n[Holiday] 1 がないため、その後の行\r\n"
                                            "[Mark] 0=●,長い名前,資源\r\n"
                                            "隔週の基準日「2027/13/01」（設定の基準日を使います）");
}

TEST_F(DscFileTest, RefusedWritesLeaveThePreviousFile) {
  Store("[Title]\r\nString=前\r\n");
  const std::string before = dir.Read("町内.dsc");

  doc.year = std::nullopt;  // the year box showed no item
  EXPECT_FALSE(WriteDscFile(doc, settings, today, report));
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(report.entries()[0].Text(), "年月の指定が不正です");
  EXPECT_EQ(report.entries()[0].Title(), "ファイル保存");
  EXPECT_EQ(report.entries()[0].kind, ReportKind::Error);
  EXPECT_EQ(doc.year, 2011);
  EXPECT_EQ(doc.month, 4);

  doc.local_name = "東町\U0001F340";  // no Shift_JIS form
  EXPECT_FALSE(WriteDscFile(doc, settings, today, report));
  ASSERT_EQ(report.entries().size(), 2u);
  EXPECT_EQ(report.entries()[1].Text(),
            "エラーが発生しました(WriteDscFile)\r\nエラー番号: 5\r\n内容: "
            "Shift_JISで保存できない文字が含まれています: \U0001F340");
  EXPECT_EQ(report.entries()[1].Title(), "エラー情報");
  EXPECT_EQ(dir.Read("町内.dsc"), before);

  // An icon name says where it stands.
  doc.local_name = "東町";
  doc.image[SlotOf(RuleKind::EveryOtherB, 1)] = "剝がす.gif";
  EXPECT_FALSE(WriteDscFile(doc, settings, today, report));
  ASSERT_EQ(report.entries().size(), 3u);
  EXPECT_EQ(report.entries()[2].Text(),
            "エラーが発生しました(WriteDscFile)\r\nエラー番号: 5\r\n内容: "
            "Shift_JISで保存できない文字が含まれています: 剝\r\n隔週(裏) 2行目: 剝がす.gif");
  EXPECT_EQ(dir.Read("町内.dsc"), before);
  doc.image[SlotOf(RuleKind::EveryOtherB, 1)] = "";

  // No name writes nothing and says nothing; a missing folder is said.
  report = Report();
  for (const char* path : {"", ".dsc"}) {
    doc.document_path = path;
    EXPECT_FALSE(WriteDscFile(doc, settings, today, report));
  }
  EXPECT_TRUE(report.empty());
  doc.document_path = dir.Join("ない/町内.dsc");
  EXPECT_FALSE(WriteDscFile(doc, settings, today, report));
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_NE(report.entries()[0].Text().find("(WriteDscFile)\r\nエラー番号: 76\r\n"), std::string::npos);
  EXPECT_EQ(dir.Read("町内.dsc"), before);
}

}  // namespace
}  // namespace dustora
