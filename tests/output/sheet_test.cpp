#include "output/sheet.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "core/encoding.h"
#include "core/sheet_marks.h"
#include "document/dsc_file.h"
#include "output/output_run.h"
#include "output/outputs.h"
#include "output/page.h"
#include "output/sheet_legend.h"
#include "support/default_settings.h"

namespace dustora {
namespace {

struct WordsCase {
  const char* name;
  std::function<void(CalendarDocument&)> rows;  // of the category "C"
  int sunday_option;
  const char* words;
};

void Row(CalendarDocument& doc, RuleKind kind, int row, const char* day) {
  doc.StoreRow(kind, row, {day, "C", "", "#123456"});
}

TEST(SheetTest, RuleWordsOfEveryKind) {
  const std::vector<WordsCase> cases = {
      {"two weekly tabs", [](auto& d) { Row(d, RuleKind::EveryWeek, 0, "木"), Row(d, RuleKind::EveryWeek2, 0, "月"); },
       0, "毎週 月・木曜日"},
      {"n-th", [](auto& d) { Row(d, RuleKind::Week4th, 0, "水"), Row(d, RuleKind::Week2nd, 0, "水"); }, 0,
       "第2・第4 水曜日"},
      {"n-th of two weekdays",
       [](auto& d) {
         Row(d, RuleKind::Week1st, 0, "月"), Row(d, RuleKind::Week1st, 1, "木"), Row(d, RuleKind::Week3rd, 0, "月");
       },
       0, "第1・第3 月曜日、第1 木曜日"},
      {"front week", [](auto& d) { Row(d, RuleKind::EveryOtherA, 0, "金"); }, 0, "隔週 金曜日 (2026年4月3日の週から)"},
      {"back week", [](auto& d) { Row(d, RuleKind::EveryOtherB, 0, "金"); }, 0, "隔週 金曜日 (2026年4月10日の週から)"},
      {"even days", [](auto& d) { Row(d, RuleKind::Even, 0, "火"); }, 0, "偶数日の火曜日"},
      {"odd days", [](auto& d) { Row(d, RuleKind::Odd, 0, "土"); }, 0, "奇数日の土曜日"},
      {"day of month", [](auto& d) { Row(d, RuleKind::Special, 0, "15"); }, 0, "毎月15日"},
      {"Sunday moved", [](auto& d) { Row(d, RuleKind::Special, 0, "15"); }, 1, "毎月15日 (日曜日は翌日)"},
      {"Sunday dropped", [](auto& d) { Row(d, RuleKind::Special, 0, "15"); }, 2, "毎月15日 (日曜日は休み)"},
      {"months in the span's order",
       [](auto& d) {
         Row(d, RuleKind::Week2nd, 0, "火");
         d.months[SlotOf(RuleKind::Week2nd, 0)] = 0x1554;
       },
       0, "第2 火曜日 (4・6・8・10・12・2月)"},
      {"several kinds, holidays, extra and cancelled days",
       [](auto& d) {
         Row(d, RuleKind::Week1st, 0, "水");
         Row(d, RuleKind::EveryWeek, 0, "月");
         d.holiday_rules = {"C"};
         d.day_changes = {{2027, 1, 9, true, "C"}, {std::nullopt, 1, 2, false, "C"}, {2028, 1, 9, true, "C"}};
       },
       0, "毎週 月曜日、第1 水曜日、祝日は収集しません、臨時: 1月9日、休み: 1月2日"},
      {"only a dated change",
       [](auto& d) {
         d.day_changes = {{2026, 12, 30, true, "C"}};
       },
       0, "臨時: 12月30日"},
  };
  for (const WordsCase& c : cases) {
    CalendarDocument doc;
    doc.every_other_base = Date{2026, 4, 1};
    c.rows(doc);
    RuleOptions options;
    options.special_sunday_option = c.sunday_option;
    EXPECT_EQ(RuleWords(doc, "C", options, {2026, 4, 12}), c.words) << c.name;
  }
}

TEST(SheetTest, MarksAreUniqueAndSpanWordsSayTheFiscalYear) {
  const std::vector<SheetMark> marks =
      AutomaticMarks({"燃やせるごみ", "空きかん", "空きびん", "ペットボトル", "空き", "a", "ab", "ac"});
  std::vector<std::string> shown;
  for (const SheetMark& mark : marks) shown.push_back(mark.symbol + mark.label);
  EXPECT_EQ(shown, (std::vector<std::string>{"●燃", "▲空か", "■空び", "◆ペ", "★空き", "▼a", "◎ab", "○ac"}));
  std::vector<std::string> thirteen(13, "");
  for (std::size_t i = 0; i < thirteen.size(); ++i) thirteen[i] = "種類" + std::to_string(i);
  EXPECT_EQ(AutomaticMarks(thirteen).back().symbol, "●");

  EXPECT_EQ(SheetSpanWords({2026, 4, 12}), "2026年度 (2026年4月～2027年3月)");
  EXPECT_EQ(SheetSpanWords({2026, 5, 12}), "2026年5月～2027年4月");
  EXPECT_EQ(FiscalYearOf(2027, 3).year, 2026);
  EXPECT_EQ(FiscalYearOf(2026, 12).year, 2026);
}

using DayCategory = std::tuple<int, int, int, std::string>;

// The texts from each tag that begins with `start` (to its ">") up to
// `close`, in order (without std::regex, whose inlined code gcc's sanitizer
// build warns about).
std::vector<std::string> Between(std::string_view text, std::string_view start, std::string_view close) {
  std::vector<std::string> found;
  for (std::size_t at = text.find(start); at != std::string_view::npos; at = text.find(start, at)) {
    const std::size_t from = text.find('>', at + start.size() - 1) + 1;
    const std::size_t to = text.find(close, from);
    found.emplace_back(text.substr(from, to - from));
    at = to;
  }
  return found;
}

// The (day, category) pairs of the twelve month pages, from their HTML.
std::set<DayCategory> PagePairs(const CalendarDocument& doc, const OutputSources& sources, int year, int month) {
  std::set<DayCategory> pairs;
  for (int i = 0; i < 12; ++i, month = month % 12 + 1, year += month == 1 ? 1 : 0) {
    const std::optional<std::vector<std::string>> page = PageLines(year, month, doc, sources);
    for (const std::string& line : page.value()) {
      std::size_t day = line.find("<td class=\"day\" valign=top>");
      if (day == std::string::npos) continue;
      day = line.find('>', day) + 1;
      if (line[day] == '<') day = line.find('>', day) + 1;  // a red day
      for (const std::string& name : Between(line, "<font color=\"#", "</font>")) {
        if (!name.starts_with("&")) pairs.insert({year, month, std::stoi(line.substr(day)), name});
      }
    }
  }
  return pairs;
}

// The (day, category) pairs of the sheet as written, its marks read back
// through its legend.
std::set<DayCategory> SheetPairs(const std::string& html) {
  // A legend line: <p class="cN">MARK NAME　WORDS</p>.
  std::map<std::string, std::string> category_of_mark;
  for (std::size_t at = 0; (at = html.find("<p class=\"c", at)) != std::string::npos; ++at) {
    const std::size_t mark = html.find('>', at) + 1;
    const std::size_t name = html.find(' ', mark) + 1;
    category_of_mark[html.substr(mark, name - 1 - mark)] = html.substr(name, html.find("　", name) - name);
  }
  std::set<DayCategory> pairs;
  int year = 0;
  int month = 0;
  std::istringstream lines(html);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("<td class=\"month\"><div class=\"month\">")) {
      const std::string heading = Between(line, "<div class=\"month\">", "</div>").front();
      year = std::stoi(heading);
      month = std::stoi(heading.substr(heading.find("年") + std::string_view("年").size()));
    } else if (line.starts_with("<td><span class=\"n")) {
      const int day = std::stoi(Between(line, "<span class=\"n", "</span>").front());
      for (const std::string& mark : Between(line, "<span class=\"m ", "</span>")) {
        pairs.insert({year, month, day, category_of_mark.at(mark)});
      }
    }
  }
  return pairs;
}

TEST(SheetTest, MarksAreTheDaysOfTheMonthPages) {
  CalendarDocument doc;
  doc.document_path = DUSTORA_SHIPPED_DIR "/sample.dsc";
  AppSettings settings = testing::DefaultSettings();
  settings.every_other_base = "2026/04/06";
  std::string memo;
  Report report;
  ASSERT_TRUE(ReadDscFile(doc, settings, memo, Date{2026, 12, 10}, report));
  doc.StoreRow(RuleKind::EveryOtherA, 0, {"土", "資源", "", "#000000"});
  doc.day_changes = {{std::nullopt, 1, 2, false, "[すべて]"},
                     {2027, 1, 9, true, "燃やせるごみ"},
                     {2026, 7, 20, false, "燃やせるごみ"},
                     {2026, 8, 1, true, "臨時のごみ"}};
  doc.holiday_rules = {"ペットボトル"};
  const HolidayTable holidays = {{Date{2026, 5, 6}, "休日"}, {Date{2026, 7, 20}, "海の日"}};
  const NoneTermTable periods = {{Date{2026, 12, 29}, Date{2027, 1, 3}, "[すべて]"}};
  const OutputSources sources{settings, holidays, periods, memo};

  Report made;
  const OutputResult sheet = MakeOutput(SheetOutput(), doc, sources, {{2026, 4, 12}, {}}, made);
  ASSERT_TRUE(sheet.ok());
  const std::string html = sjis::Decode(sheet.made.bytes);
  const std::set<DayCategory> pairs = SheetPairs(html);
  EXPECT_GT(pairs.size(), 300u);
  EXPECT_EQ(pairs, PagePairs(doc, sources, 2026, 4));
  EXPECT_NE(html.find("<p>12月29日～1月3日 収集なし (すべて)</p>"), std::string::npos);
  EXPECT_NE(html.find("<p>1月2日 収集なし (すべて)</p>"), std::string::npos);
}

}  // namespace
}  // namespace dustora
