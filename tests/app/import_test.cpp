// Importing an area of a city's open data, checked against what the cell
// grammar says: the days in the calendar file of the imported document
// against dates written out in the table, not against the importer's code.
#include <gtest/gtest.h>

#include <set>

#include "core/color.h"
#include "document/open_data.h"
#include "document/open_data_import.h"
#include "output/output_run.h"
#include "output/outputs.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

struct ImportCase {
  const char* cell;
  int months;        // of the calendar from April 2026 (the 1st is a Wednesday)
  const char* days;  // the MMDD of each collection day
  int unmapped;      // terms the report says could not be mapped
};

// The collection days (MMDD) of the document's calendar file.
std::set<std::string> CalendarDays(const ImportedArea& area, int months) {
  const AppSettings settings;
  const HolidayTable holidays;
  const NoneTermTable periods;
  const OutputSources sources{settings, holidays, periods, area.memo_text};
  OutputRequest request;
  request.months = {2026, 4, months};
  Report report;
  const OutputResult made = MakeOutput(ICalendarOutput(), area.document, sources, request, report);
  EXPECT_TRUE(made.ok()) << made.why;
  std::set<std::string> days;
  constexpr std::string_view kStart = "DTSTART;VALUE=DATE:2026";
  const std::string& text = made.made.bytes;
  for (std::size_t at = text.find(kStart); at != std::string::npos; at = text.find(kStart, at + 1)) {
    days.insert(text.substr(at + kStart.size(), 4));
  }
  return days;
}

std::set<std::string> Days(std::string_view text) {
  std::set<std::string> days;
  for (std::size_t i = 0; i + 4 <= text.size(); i += 5) days.insert(std::string(text.substr(i, 4)));
  return days;
}

TEST(ImportTest, EachTermGivesTheDaysTheGrammarSays) {
  const std::vector<ImportCase> cases = {
      {"月", 2, "0406 0413 0420 0427 0504 0511 0518 0525", 0},
      {"水2　水4", 1, "0408 0422", 0},  // a full-width blank
      {"隔金20260403", 1, "0403 0417", 0},
      {"隔金20260410", 2, "0410 0424 0508 0522", 0},
      {"隔土20260403", 1, "0403 0417", 0},  // the date's weekday wins, and is noted
      {"水2:5 7", 2, "0513", 0},
      {"20260410 *1", 1, "0410", 0},
      {"月 20260407", 1, "0407 0413 0420 0427", 0},  // the centre is closed 4/6..4/8; the extra day stays
      {"月;木", 1, "", 1},
      {"水2:4 6 水4:5 7", 1, "", 2},  // months of their own for each term
      {"X 月 *9 水6", 1, "0406 0413 0420 0427", 3},
      {"", 1, "", 0},
  };
  testing::TempFolder data;
  std::string areas = "\xEF\xBB\xBF地名,センター,燃やせるごみ\r\n";
  for (std::size_t i = 0; i < cases.size(); ++i) {
    areas += "地域" + std::to_string(i) + "," + (i == 7 ? "東" : "") + ",\"" + cases[i].cell + "\"\n";
  }
  data.Write("area_days.csv", areas);
  data.Write("center.csv", "名称,休止開始日,休止終了日\n東,2026/4/6,2026/04/08\n西,2026/13/1,2026/1/1\n");
  data.Write("remarks.csv", "id,text\n1,年末は12月30日まで\n");
  data.Write("description.csv", "label,sublabel,description,styles,bgcolor\n燃やせるごみ,,,,#FFFF00\n");
  const auto read = ReadOpenData(data.path());
  ASSERT_TRUE(std::holds_alternative<OpenData>(read)) << std::get<std::string>(read);
  const OpenData& open = std::get<OpenData>(read);
  ASSERT_EQ(open.areas.size(), cases.size());
  EXPECT_EQ(open.skipped.size(), 1u);  // 西's closure cannot be read

  for (std::size_t i = 0; i < cases.size(); ++i) {
    const ImportedArea area = ImportArea(open, open.areas[i], Date{2026, 4, 1});
    EXPECT_EQ(CalendarDays(area, cases[i].months), Days(cases[i].days)) << cases[i].cell;
    const auto unmapped = std::count_if(area.lines.begin(), area.lines.end(), [](auto& l) { return !l.mapped; });
    EXPECT_EQ(unmapped, cases[i].unmapped) << cases[i].cell;
    EXPECT_EQ(area.document.local_name, "地域" + std::to_string(i));
  }
  const ImportedArea remarked = ImportArea(open, open.areas[6], Date{2026, 4, 1});
  EXPECT_EQ(remarked.memo_text, "年末は12月30日まで\r\n");
  EXPECT_EQ(remarked.document.memo_output, 1);
  // Yellow on white is darkened, its hue kept, to a contrast of 3:1.
  const std::int32_t color = ColorTextToValue(remarked.document.color[0]);
  EXPECT_GE(ContrastOnWhite(color), 3.0);
  EXPECT_EQ(color & 0xFF, (color >> 8) & 0xFF);
  EXPECT_EQ((color >> 16) & 0xFF, 0);
}

TEST(ImportTest, SixWeeklyTermsFillTheFirstWeeklyTabThenTheSecond) {
  testing::TempFolder data;
  data.Write("area_days.csv", "地名,センター,燃やせるごみ,資源\n本町,,月 火 水 木 金 土,日 月 火 水 木\n");
  const OpenData open = std::get<OpenData>(ReadOpenData(data.path()));
  const ImportedArea area = ImportArea(open, open.areas[0], Date{2026, 4, 1});
  EXPECT_EQ(area.document.LoadRow(RuleKind::EveryWeek2, 0).first, "土");
  // Ten weekly rows in all: the eleventh term is said, not dropped silently.
  ASSERT_FALSE(area.Exact());
  EXPECT_EQ(area.lines.back().cell, "木");
  EXPECT_EQ(area.document.LoadRow(RuleKind::EveryWeek2, 4).first, "水");
}

TEST(ImportTest, AFolderThatCannotBeReadSaysWhy) {
  const std::vector<std::pair<const char*, const char*>> folders = {
      {"", "area_days.csv がありません"},
      {"地区,燃やせるごみ\nA,月\n", "地名、センター、分別の種類の列がありません"},
      {"地名,センター,燃\n\xFF\xFE,,月\n", "UTF-8のテキストファイルではありません"},
      {"地区\r\n", "地名、センター、分別の種類の列がありません"},
  };
  for (const auto& [content, why] : folders) {
    testing::TempFolder data;
    if (*content != '\0') data.Write("area_days.csv", content);
    const auto read = ReadOpenData(data.path());
    ASSERT_TRUE(std::holds_alternative<std::string>(read)) << why;
    EXPECT_NE(std::get<std::string>(read).find(why), std::string::npos) << std::get<std::string>(read);
  }
}

}  // namespace
}  // namespace dustora
