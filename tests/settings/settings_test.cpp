#include "settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/encoding.h"
#include "settings/folders.h"
#include "settings/schema.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

std::string Sjis(std::string_view text) {
  return sjis::Encode(text).bytes;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { document.Clear(2011, 4); }
  std::string Ini() const { return sjis::Decode(data.Read("dustora.ini")); }
  void LoadSettings() { dustora::LoadSettings(data.path(), program.path(), settings, document, report); }
  bool SaveSettings() { return dustora::SaveSettings(settings, document, report); }

  testing::TempFolder data;
  testing::TempFolder program;
  Report report;
  AppSettings settings;
  CalendarDocument document;
};

TEST_F(SettingsTest, FirstStartCreatesTheDefaultsAndAddsHolidayNames) {
  LoadSettings();
  EXPECT_TRUE(report.empty());
  std::string expected = DefaultSettingsText();
  expected.insert(expected.find("SP=0\r\n") + 6, "HD=1\r\n");
  EXPECT_EQ(Ini(), expected);
  EXPECT_EQ(DefaultSettingsLines().size(), 72u);
  const AppSettings& s = settings;
  EXPECT_EQ(s.category[0], "燃やせるごみ");
  EXPECT_EQ(s.category[11], "乾電池");
  for (int i = 12; i < 40; ++i) EXPECT_TRUE(s.category[i].empty());
  EXPECT_EQ(s.design.equal_columns, 1);
  EXPECT_EQ(s.design.minimum_column_width, SettingOf(Setting::MinimumColumnWidth).empty);
  EXPECT_EQ(s.design.fixed_memo_height, 0);
  EXPECT_EQ(s.design.memo_height, SettingOf(Setting::MemoHeight).empty);
  EXPECT_EQ(s.design.font_name[6], "ＭＳ Ｐゴシック");
  EXPECT_EQ(s.design.font_size[6], "5");
  EXPECT_EQ(s.design.font_style[6], "太字");
  EXPECT_EQ(s.design.font_size[5], "3");
  EXPECT_EQ(s.design.table_width, SettingOf(Setting::TableWidth).file_default);
  EXPECT_EQ(s.show_holiday_names, 1);
  EXPECT_EQ(s.save_year_month, 0);
  EXPECT_EQ(document.show_local_name, 0);
  EXPECT_EQ(document.title, "ダストーラ");
}

TEST_F(SettingsTest, ShutdownWritesEverythingAndTheNextStartReadsItBack) {
  LoadSettings();
  settings.category[3] = "かん・びん";
  settings.every_other_base = "2011/04/06";
  settings.save_year_month = 1;
  settings.design.font_color[2] = "#FF0000";
  document.local_name = "緑町三丁目";
  document.show_local_name = 1;
  document.memo_output = 1;
  const AppSettings saved = settings;
  ASSERT_TRUE(SaveSettings());
  const std::string ini = Ini();
  for (const char* line : {"[FontName]\r\n0=", "6=ＭＳ Ｐゴシック\r\n", "[LN]\r\nName=緑町三丁目\r\nShow=1\r\n",
                           "[EOD]\r\nBase=2011/04/06\r\n", "[File]\r\nDate=1\r\n", "CW=1\r\nCM=30\r\n", "Path=\r\n"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line;
  }
  settings = AppSettings{};
  document.Clear(2011, 4);
  LoadSettings();
  EXPECT_EQ(settings.category, saved.category);
  EXPECT_EQ(settings.design, saved.design);
  EXPECT_EQ(settings.every_other_base, "2011/04/06");
  EXPECT_EQ(settings.save_year_month, 1);
  EXPECT_EQ(document.local_name, "緑町三丁目");
  EXPECT_EQ(document.memo_output, 1);
  EXPECT_TRUE(report.empty());
}

TEST_F(SettingsTest, ASettingsFileTooLargeToReadIsReplacedByTheDefaults) {
  std::string text = DefaultSettingsText();
  text.replace(text.find("SP=0\r\n"), 6, "SP=2\r\nHD=0\r\n");
  std::string bytes = Sjis(text);
  bytes += std::string(kReadLimit + 1 - bytes.size(), ';');
  const std::string path = data.Write("dustora.ini", bytes);
  LoadSettings();
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(report.entries()[0].Text(),
            "エラーが発生しました(GetInitial)\r\nエラー番号: 7\r\n内容: ファイルが大きすぎます(16MBまで): " + path);
  EXPECT_EQ(settings.special_sunday_option, 0);
  EXPECT_EQ(settings.show_holiday_names, 1);
  EXPECT_EQ(settings.category[0], "燃やせるごみ");
  settings.category[3] = "かん・びん";
  ASSERT_TRUE(SaveSettings());
  const std::string replaced = Ini();
  EXPECT_NE(replaced.find("3=かん・びん\r\n"), std::string::npos);
  EXPECT_EQ(report.entries().size(), 1u);

  // Just what a first start would have written.
  std::filesystem::remove(path);
  settings = AppSettings{};
  document.Clear(2011, 4);
  LoadSettings();
  settings.category[3] = "かん・びん";
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(Ini(), replaced);
}

TEST_F(SettingsTest, FallbacksForOddTexts) {
  std::string text = DefaultSettingsText();
  text.replace(text.find("2=空きかん"), std::string("2=空きかん").size(), "2=かん,びん");
  text += "[LN]\r\nShow=はい\r\n[File]\r\nDate=x\r\n";
  text.replace(text.find("CH=35\r\n"), 7, "CH=35\r\nCW=abc\r\nCM=\r\n");
  text.replace(text.find("OP=0\r\n"), 6, "OP=0\r\nMH=高い\r\nHC=1.5\r\n");
  text.replace(text.find("SP=0\r\n"), 6, "SP=0\r\nHD=0\r\n");
  data.Write("dustora.ini", Sjis(text));
  LoadSettings();
  EXPECT_TRUE(report.empty());
  EXPECT_EQ(settings.category[2], "かん・びん");
  EXPECT_EQ(document.show_local_name, 0);
  EXPECT_EQ(settings.save_year_month, 0);
  EXPECT_EQ(settings.design.equal_columns, 1);
  EXPECT_EQ(settings.design.minimum_column_width, SettingOf(Setting::MinimumColumnWidth).empty);
  EXPECT_EQ(settings.design.memo_height, SettingOf(Setting::MemoHeight).empty);
  EXPECT_EQ(settings.design.fixed_memo_height, 2);  // 1.5 to the even neighbour
  EXPECT_EQ(settings.show_holiday_names, 0);
  ASSERT_TRUE(SaveSettings());
  EXPECT_NE(Ini().find("2=かん・びん\r\n"), std::string::npos);
}

TEST_F(SettingsTest, ARememberedChoiceOutOfItsRangeIsTheDefaultWithoutABox) {
  // A file of an older version has none: the default, and no upgrade step.
  data.Write("dustora.ini", Sjis(DefaultSettingsText()));
  LoadSettings();
  EXPECT_EQ(settings.year_months, kDefaultYearMonths);
  EXPECT_EQ(Ini().find("[Year]"), std::string::npos);
  for (const auto& [text, months] : std::vector<std::pair<std::string, int>>{
           {"1", 1}, {" 24 ", 24}, {"3.5", 4}, {"0", 12}, {"25", 12}, {"-3", 12}, {"x", 12}, {"", 12}, {"１", 12}}) {
    data.Write("dustora.ini", Sjis(DefaultSettingsText() + "[Year]\r\nMonths=" + text + "\r\n"));
    settings.year_months = 7;
    LoadSettings();
    EXPECT_EQ(settings.year_months, months) << text;
  }
  EXPECT_TRUE(report.empty());
}

TEST_F(SettingsTest, ABadByteFieldTakesItsDefaultAndTheRestStillLoads) {
  std::string text = DefaultSettingsText();
  text.replace(text.find("SP=0\r\n"), 6, "SP=x\r\nHD=0\r\n");
  text.replace(text.find("WC=0"), 4, "WC=300");
  text += "[EOD]\r\nBase=2011/4/6\r\n";
  data.Write("dustora.ini", Sjis(text));
  settings.special_sunday_option = 2;
  LoadSettings();
  ASSERT_EQ(report.entries().size(), 1u);  // reported once
  EXPECT_EQ(report.entries()[0].Text(),
            "エラーが発生しました(GetInitial)\r\nエラー番号: 13\r\n内容: 型が一致しません。");
  EXPECT_EQ(report.entries()[0].kind, ReportKind::Error);
  EXPECT_EQ(settings.special_sunday_option, 0);
  EXPECT_EQ(settings.show_holiday_names, 0);
  EXPECT_EQ(settings.design.fixed_table_width, 0);
  EXPECT_EQ(settings.every_other_base, "2011/4/6");
  EXPECT_EQ(settings.design.memo_font_name, "ＭＳ Ｐゴシック");
}

// A design value that could end a declaration, a rule or the style element
// takes the default of its entry (reported once for the file); odd values
// that cannot stay as they are.
TEST_F(SettingsTest, DesignValuesThatCouldEndTheStyleSheetTakeTheirDefaults) {
  using namespace std::string_literals;
  const struct {
    const char* section;
    const char* key;
    std::string hostile;
  } hostile[] = {
      {"FontColor", "0", "red;}</style><script>alert(1)</script>"},
      {"FontName", "3", "Serif\""},
      {"FontStyle", "1", "{太字"},
      {"FontSize", "2", "3\x01"},
      {"FontAlign", "0", "中央\\"},
      {"Cell", "Style", "solid>"},
      {"Cell", "Color", "<b>"},
      {"Table", "TW", "180;x"},
      {"Memo", "FN", "x}"},
      {"Memo", "CC", "#000000\x7f"},
      {"FontColor", "0", "#0000FF/*"},
      {"Cell", "Border", "1*/"},
  };
  for (const auto& entry : hostile) {
    settings = AppSettings{};
    report = Report();
    ProfileFile file = ProfileFile::FromBytes("", Sjis(DefaultSettingsText()));
    EXPECT_EQ(UpgradeSettings(file), "HolidayMyIni");  // as start-up has it: a clean file reports nothing
    ASSERT_FALSE(file.Write(entry.section, entry.key, entry.hostile)) << entry.hostile;
    ReadSettings(file, kLoadSettingsTag, settings, document, report);
    const SettingEntry& schema = *std::find_if(SettingsSchema().begin(), SettingsSchema().end(), [&](const auto& e) {
      return e.section == entry.section && e.key == entry.key;
    });
    const std::string read = schema.text_value(settings, document);
    const std::string section = entry.section;
    EXPECT_EQ(read, schema.file_default.value()) << section << " " << entry.key;
    ASSERT_EQ(report.entries().size(), 1u) << section << " " << entry.key;
    EXPECT_EQ(report.entries()[0].Text(),
              "エラーが発生しました(GetInitial)\r\nエラー番号: 13\r\n内容: 型が一致しません。\r\n[" + section + "] " +
                  entry.key);
  }

  // Odd values that end nothing stay as they are, unreported.
  settings = AppSettings{};
  report = Report();
  ProfileFile file = ProfileFile::FromBytes("", Sjis(DefaultSettingsText()));
  EXPECT_EQ(UpgradeSettings(file), "HolidayMyIni");
  ASSERT_FALSE(file.Write("Cell", "Border", "abc"));
  ASSERT_FALSE(file.Write("FontColor", "1", "blue"));
  ASSERT_FALSE(file.Write("FontSize", "0", "04"));
  ASSERT_FALSE(file.Write("FontName", "2", "Noto Sans 'CJK' JP"));
  ReadSettings(file, kLoadSettingsTag, settings, document, report);
  EXPECT_TRUE(report.empty());
  EXPECT_EQ(settings.design.cell_border, "abc");
  EXPECT_EQ(settings.design.font_color[1], "blue");
  EXPECT_EQ(settings.design.font_size[0], "04");
  EXPECT_EQ(settings.design.font_name[2], "Noto Sans 'CJK' JP");
}

TEST_F(SettingsTest, LongCategoryNames) {
  const std::string exact(1023, 'a');
  data.Write("dustora.ini", Sjis(DefaultSettingsText()) + "[category]\r\n");
  std::string text = DefaultSettingsText();
  text.replace(text.find("0=燃やせるごみ"), std::string("0=燃やせるごみ").size(), "0=" + exact);
  text.replace(text.find("1=粗大ごみ"), std::string("1=粗大ごみ").size(), "1=" + exact + "bc");
  data.Write("dustora.ini", text);
  LoadSettings();
  EXPECT_EQ(settings.category[0], exact);
  EXPECT_EQ(settings.category[1], exact);
  ASSERT_TRUE(SaveSettings());
  EXPECT_NE(Ini().find("0=" + exact + "\r\n"), std::string::npos);
}

TEST_F(SettingsTest, DefaultSettingsFileFailureHasItsOwnBox) {
  dustora::LoadSettings(data.Join("missing"), program.path(), settings, document, report);
  ASSERT_FALSE(report.empty());
  EXPECT_EQ(report.entries()[0].Text(), "初期化ファイルの作成に失敗しました(MMI)");
  EXPECT_EQ(report.entries()[0].Title(), "エラー情報");
  EXPECT_EQ(report.entries()[0].kind, ReportKind::Warning);
  // The upgrade could not be saved either; the values are the defaults all the same.
  ASSERT_EQ(report.entries().size(), 2u);
  EXPECT_EQ(report.entries()[1].Text().rfind("エラーが発生しました(PlusMyIni)\r\nエラー番号: 76", 0), 0u);
  EXPECT_EQ(settings.show_holiday_names, 1);
  EXPECT_EQ(settings.design.font_size[0], "6");
}

TEST(UpgradeTest, OnlyCategoriesGetsAllSixSteps) {
  ProfileFile file = ProfileFile::FromBytes("x", Sjis("[category]\r\n0=燃やせるごみ\r\n"));
  EXPECT_EQ(UpgradeSettings(file), "PlusMyIni");
  const char* sizes[6] = {"6", "6", "3", "5", "5", "3"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(file.Read("FontSize", std::to_string(i)), sizes[i]);
    EXPECT_EQ(file.Read("FontName", std::to_string(i)), "ＭＳ Ｐゴシック");
  }
  EXPECT_EQ(file.Read("Cell", "Space"), "0");
  EXPECT_EQ(file.Read("Option", "HD"), "1");
  EXPECT_EQ(file.Read("Memo", "Path"), "");
  EXPECT_EQ(UpgradeSettings(file), std::nullopt);  // now up to date
}

TEST(UpgradeTest, EachSentinelCallsItsOwnStep) {
  const std::vector<std::pair<std::string, std::string>> sentinels = {
      {"String=ダストーラ\r\n", "PlusMyIni"},     {"SP=0\r\n", "MorePlusMyIni"},
      {"0=ＭＳ Ｐゴシック\r\n", "PlusPlusMyIni"}, {"HD=1\r\n", "HolidayMyIni"},
      {"Style=solid\r\n", "PlusV017ini"},         {"TW=180\r\n", "PlusPlusV108Ini"}};
  for (const auto& [line, tag] : sentinels) {
    std::string text = DefaultSettingsText();
    text.replace(text.find("SP=0\r\n"), 6, "SP=0\r\nHD=1\r\n");
    text.erase(text.find(line), line.size());
    ProfileFile file = ProfileFile::FromBytes("x", Sjis(text));
    EXPECT_EQ(UpgradeSettings(file), tag);
    EXPECT_EQ(UpgradeSettings(file), std::nullopt) << tag;  // one step was enough
  }
}

TEST(UpgradeTest, StepsRunOnlyForTheirMissingSentinel) {
  std::string text = DefaultSettingsText();
  text.replace(text.find("SP=0\r\n"), 6, "SP=0\r\nHD=0\r\n");
  text.replace(text.find("TW=180\r\n"), 8, "");
  text.replace(text.find("5=ＭＳ Ｐゴシック"), std::string("5=ＭＳ Ｐゴシック").size(), "5=IPAゴシック");
  ProfileFile file = ProfileFile::FromBytes("x", Sjis(text));
  EXPECT_EQ(UpgradeSettings(file), "PlusPlusV108Ini");
  EXPECT_EQ(file.Read("FontName", "5"), "ＭＳ Ｐゴシック");  // the user's slot 5 is replaced
  EXPECT_EQ(file.Read("Table", "TW"), SettingOf(Setting::TableWidth).upgrade);
  EXPECT_EQ(file.Read("Option", "HD"), "0");  // the user's choice stays
  EXPECT_EQ(file.Read("FontSize", "0"), "6");

  // A sentinel only in a second, never-read section still counts as missing.
  ProfileFile second = ProfileFile::FromBytes("x", Sjis(DefaultSettingsText() + "[Option]\r\nHD=0\r\n"));
  EXPECT_EQ(UpgradeSettings(second), "HolidayMyIni");
}

TEST_F(SettingsTest, EmptyTitleResetsTheFirstGeneration) {
  std::string text = DefaultSettingsText();
  text.replace(text.find("String=ダストーラ"), std::string("String=ダストーラ").size(), "String=");
  text.replace(text.find("0=中央"), std::string("0=中央").size(), "0=左");
  text.replace(text.find("SP=0\r\n"), 6, "SP=0\r\nHD=1\r\n");
  data.Write("dustora.ini", Sjis(text));
  LoadSettings();
  EXPECT_EQ(document.title, "ダストーラ");
  EXPECT_EQ(settings.design.font_align[0], "中央");
  EXPECT_NE(Ini().find("Space=0"), std::string::npos);
}

TEST_F(SettingsTest, AFailedUpgradeSaveNamesTheFirstStepThatChangedTheFile) {
  std::string text = DefaultSettingsText();
  text.replace(text.find("TW=180\r\n"), 8, "");
  const std::string path = data.Write("dustora.ini", Sjis(text));
  ::chmod(path.c_str(), 0444);
  LoadSettings();
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(report.entries()[0].Text(),
            "エラーが発生しました(HolidayMyIni)\r\nエラー番号: 70\r\n内容: 書き込みの許可がありません: " + path);
  EXPECT_EQ(data.Read("dustora.ini"), Sjis(text));
  EXPECT_EQ(settings.design.table_width, SettingOf(Setting::TableWidth).upgrade);
  EXPECT_EQ(settings.show_holiday_names, 1);
}

TEST_F(SettingsTest, TheOldFileIsTakenOverInMemoryAndNeverWritten) {
  const std::string old =
      Sjis("[category]\r\n0=資源ごみ\r\n1=かん,びん\r\n[Title]\r\nString=旧町内\r\n[Option]\r\nSP=1\r\n");
  program.Write("dustora.ini", old);
  ::chmod(program.Join("dustora.ini").c_str(), 0444);
  LoadSettings();
  EXPECT_TRUE(report.empty());
  EXPECT_EQ(settings.category[0], "資源ごみ");
  EXPECT_EQ(settings.category[1], "かん・びん");
  EXPECT_TRUE(settings.category[2].empty());
  EXPECT_EQ(document.title, "旧町内");
  EXPECT_EQ(settings.special_sunday_option, 1);
  EXPECT_EQ(settings.show_holiday_names, 1);
  EXPECT_EQ(settings.design.minimum_column_width, SettingOf(Setting::MinimumColumnWidth).empty);
  EXPECT_EQ(settings.design.font_name[0], "ＭＳ Ｐゴシック");  // the upgrade, in memory
  EXPECT_EQ(settings.design.font_size[0], "");                 // the title was there: no first step
  EXPECT_EQ(program.Read("dustora.ini"), old);
  EXPECT_EQ(Ini(), DefaultSettingsText());  // the defaults until shutdown
  ASSERT_TRUE(SaveSettings());
  EXPECT_NE(Ini().find("0=資源ごみ"), std::string::npos);
  EXPECT_NE(Ini().find("String=旧町内"), std::string::npos);
}

TEST_F(SettingsTest, UnstorableTextIsRefusedAndTheFileKept) {
  LoadSettings();
  const std::string before = data.Read("dustora.ini");
  document.title = "ごみ😀";
  EXPECT_FALSE(SaveSettings());
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(
      report.entries()[0].Text(),
      "エラーが発生しました(SetInitial)\r\nエラー番号: 5\r\n内容: Shift_JISで保存できない文字が含まれています: 😀");
  EXPECT_EQ(data.Read("dustora.ini"), before);
}

}  // namespace
}  // namespace dustora
