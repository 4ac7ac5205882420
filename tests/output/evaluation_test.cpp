#include "output/evaluation.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/date.h"

namespace dustora {
namespace {

// The days of a month on which a category's entries fall.
std::vector<int> DaysOf(const MonthEntries& grid, std::string_view category) {
  std::vector<int> days;
  for (int cell = 1; cell <= kGridCells; ++cell) {
    for (const CellEntry& entry : grid.cells[cell]) {
      if (entry.category == category) days.push_back(grid.DayOfCell(cell));
    }
  }
  return days;
}

MonthEntries Evaluate(CalendarDocument& doc, int year, int month, const RuleOptions& options = {}) {
  auto grid = EvaluateMonth(doc, year, month, options);
  EXPECT_TRUE(grid.has_value());
  return grid ? *grid : MonthEntries{};
}

TEST(RulesTest, NthWeekCountsWithinTheMonth) {
  // 2011-06-01 is a Wednesday.
  CalendarDocument doc;
  doc.StoreRow(RuleKind::Week1st, 0, {"月", "かん", "kan.gif", "#0000FF"});
  doc.StoreRow(RuleKind::Week1st, 1, {"水", "びん", "bin.gif", "#0000FF"});
  doc.StoreRow(RuleKind::Week5th, 0, {"月", "古紙", "", "#0000FF"});  // June 2011 has four Mondays
  doc.StoreRow(RuleKind::Week5th, 1, {"水", "布", "", "#0000FF"});
  const MonthEntries grid = Evaluate(doc, 2011, 6);
  EXPECT_EQ(grid.first, 3);
  EXPECT_EQ(DaysOf(grid, "かん"), std::vector<int>{6});
  ASSERT_EQ(grid.cells[9].size(), 1u);
  EXPECT_EQ(grid.cells[9][0].image, "kan.gif");
  EXPECT_EQ(DaysOf(grid, "びん"), std::vector<int>{1});
  EXPECT_TRUE(DaysOf(grid, "古紙").empty());
  EXPECT_EQ(DaysOf(grid, "布"), std::vector<int>{29});
}

TEST(RulesTest, SpecialDayOnASundayFollowsTheOption) {
  // 2011-05-15 is a Sunday; 2011-04-15 a Friday.
  CalendarDocument doc;
  doc.StoreRow(RuleKind::Special, 0, {"15", "粗大ごみ", "sodai.gif", "#C00000"});
  RuleOptions options;
  EXPECT_EQ(DaysOf(Evaluate(doc, 2011, 5, options), "粗大ごみ"), std::vector<int>{15});
  options.special_sunday_option = 1;
  EXPECT_EQ(DaysOf(Evaluate(doc, 2011, 5, options), "粗大ごみ"), std::vector<int>{16});
  EXPECT_EQ(DaysOf(Evaluate(doc, 2011, 4, options), "粗大ごみ"), std::vector<int>{15});
  options.special_sunday_option = 2;
  EXPECT_TRUE(DaysOf(Evaluate(doc, 2011, 5, options), "粗大ごみ").empty());
  EXPECT_EQ(DaysOf(Evaluate(doc, 2011, 4, options), "粗大ごみ"), std::vector<int>{15});
  options.special_sunday_option = 7;
  EXPECT_TRUE(DaysOf(Evaluate(doc, 2011, 5, options), "粗大ごみ").empty());
}

TEST(RulesTest, SpecialDayTexts) {
  CalendarDocument doc;
  const char* texts[5] = {"05", "+7", "0", "31", "x"};
  for (int row = 0; row < 5; ++row)
    doc.StoreRow(RuleKind::Special, row, {texts[row], "s" + std::to_string(row), "", ""});
  // 2011-04 has 30 days; its 31st does not exist.
  const MonthEntries april = Evaluate(doc, 2011, 4);
  EXPECT_EQ(DaysOf(april, "s0"), std::vector<int>{5});
  EXPECT_EQ(DaysOf(april, "s1"), std::vector<int>{7});
  EXPECT_TRUE(DaysOf(april, "s2").empty());
  EXPECT_TRUE(DaysOf(april, "s3").empty());
  EXPECT_TRUE(DaysOf(april, "s4").empty());
  // "0" never reaches the 1st through the Sunday option: 2011-05-01 is a Sunday.
  RuleOptions options;
  options.special_sunday_option = 1;
  EXPECT_TRUE(DaysOf(Evaluate(doc, 2011, 5, options), "s2").empty());
  // A Sunday 31st moved past the month's end is dropped: 2011-07-31 is a Sunday.
  EXPECT_TRUE(DaysOf(Evaluate(doc, 2011, 7, options), "s3").empty());
}

TEST(RulesTest, EvenAndOddTogetherCoverEveryOccurrence) {
  CalendarDocument doc;
  doc.StoreRow(RuleKind::Even, 0, {"火", "even", "", ""});
  doc.StoreRow(RuleKind::Odd, 0, {"火", "odd", "", ""});
  doc.StoreRow(RuleKind::EveryWeek, 0, {"火", "all", "", ""});
  for (int month = 1; month <= 12; ++month) {
    const MonthEntries grid = Evaluate(doc, 2012, month);
    std::vector<int> both = DaysOf(grid, "even");
    for (int d : both) EXPECT_EQ(d % 2, 0);
    for (int d : DaysOf(grid, "odd")) {
      EXPECT_EQ(d % 2, 1);
      both.push_back(d);
    }
    std::sort(both.begin(), both.end());
    EXPECT_EQ(both, DaysOf(grid, "all")) << month;
  }
}

TEST(RulesTest, EveryOtherWeekFromTheBaseDate) {
  CalendarDocument doc;
  doc.StoreRow(RuleKind::EveryOtherA, 0, {"金", "A", "", ""});
  doc.StoreRow(RuleKind::EveryOtherB, 4, {"金", "B", "", ""});
  RuleOptions options;
  options.every_other_base = "2011/4/6";
  const MonthEntries grid = Evaluate(doc, 2011, 4, options);
  EXPECT_EQ(DaysOf(grid, "A"), (std::vector<int>{8, 22}));
  EXPECT_EQ(DaysOf(grid, "B"), (std::vector<int>{1, 15, 29}));
  options.every_other_base = "";
  EXPECT_TRUE(DaysOf(Evaluate(doc, 2011, 4, options), "A").empty());
  EXPECT_TRUE(DaysOf(Evaluate(doc, 2011, 4, options), "B").empty());
}

TEST(RulesTest, OrderInsideACell) {
  CalendarDocument doc;
  // Every rule lands on Monday 2011-04-04 (1st Monday, even day, base week).
  doc.StoreRow(RuleKind::Special, 0, {"4", "special", "", ""});
  doc.StoreRow(RuleKind::EveryWeek2, 0, {"月", "week2", "", ""});
  doc.StoreRow(RuleKind::EveryWeek, 1, {"月", "week1b", "", ""});
  doc.StoreRow(RuleKind::EveryWeek, 0, {"月", "week1a", "", ""});
  doc.StoreRow(RuleKind::Even, 0, {"月", "even", "", ""});
  doc.StoreRow(RuleKind::EveryOtherA, 0, {"月", "A", "", ""});
  doc.StoreRow(RuleKind::Week1st, 0, {"月", "first", "", ""});
  doc.StoreRow(RuleKind::Week1st, 1, {"月", "first", "", ""});  // no deduplication
  RuleOptions options;
  options.every_other_base = "2011/4/6";
  const MonthEntries grid = Evaluate(doc, 2011, 4, options);
  std::vector<std::string> names;
  for (const CellEntry& e : grid.cells[CellOfDay(4, grid.first)]) names.push_back(e.category);
  EXPECT_EQ(names, (std::vector<std::string>{"first", "first", "A", "even", "week1a", "week1b", "week2", "special"}));
}

TEST(RulesTest, NoCollectionPeriodsSuppressInPlace) {
  CalendarDocument doc;
  doc.StoreRow(RuleKind::EveryWeek, 0, {"水", "燃やせるごみ", "moeru.gif", "#FF0000"});
  doc.StoreRow(RuleKind::EveryWeek, 1, {"水", "ペットボトル", "", "#008000"});
  doc.StoreRow(RuleKind::EveryWeek, 2, {"水", "びん", "bin.gif", "#0000FF"});
  const NoneTermTable periods = {
      {Date{2011, 12, 29}, Date{2012, 1, 3}, "[すべて]"},
      {Date{2011, 12, 14}, Date{2011, 12, 14}, "びん"},
  };
  RuleOptions options;
  options.periods = &periods;
  const MonthEntries dec = Evaluate(doc, 2011, 12, options);
  const auto& cell14 = dec.cells[CellOfDay(14, dec.first)];
  ASSERT_EQ(cell14.size(), 3u);
  EXPECT_FALSE(cell14[0].suppressed);
  EXPECT_EQ(cell14[0].image, "moeru.gif");
  EXPECT_FALSE(cell14[1].suppressed);
  EXPECT_TRUE(cell14[2].suppressed);
  EXPECT_EQ(cell14[2].image, "bin.gif");  // what a suppressed entry prints is the page's choice
  EXPECT_EQ(cell14[2].color, "#0000FF");
  const auto& cell28 = dec.cells[CellOfDay(28, dec.first)];
  for (const CellEntry& e : cell28) EXPECT_FALSE(e.suppressed);
  const MonthEntries jan = Evaluate(doc, 2012, 1, options);
  // Wednesday 2012-01-04 is after the period; no Wednesday falls in 12/29..1/3.
  for (const CellEntry& e : jan.cells[CellOfDay(4, jan.first)]) EXPECT_FALSE(e.suppressed);
  // A period over the whole month suppresses every entry of it.
  const NoneTermTable all = {{Date{2011, 12, 1}, Date{2011, 12, 31}, "[すべて]"}};
  options.periods = &all;
  const MonthEntries blank = Evaluate(doc, 2011, 12, options);
  for (const auto& cell : blank.cells) {
    for (const CellEntry& e : cell) EXPECT_TRUE(e.suppressed);
  }
}

TEST(RulesTest, EmptyCategoryContributesNothingAndTheDocumentStaysAsItIs) {
  CalendarDocument doc;
  doc.week_name[0] = "月";  // a weekday without a category
  doc.week_name[1] = "月";
  doc.category[1] = "古い名前";  // a name not in any list is still printed
  doc.week_name[2] = "火";
  doc.category[2] = "びん";
  doc.week_name[40] = "月";  // Even: slot 45, no category
  const CalendarDocument before = doc;
  const MonthEntries grid = Evaluate(doc, 2011, 4);
  EXPECT_EQ(DaysOf(grid, "古い名前"), (std::vector<int>{4, 11, 18, 25}));
  EXPECT_EQ(grid.cells[CellOfDay(4, grid.first)][0].slot, 1);
  EXPECT_EQ(grid.cells[CellOfDay(4, grid.first)][0].color, "");
  EXPECT_EQ(doc.color, before.color);

  // Making the month's page stores black for the slots it shows, and only those.
  doc.category[3] = "かん";  // a weekday-less slot shows nothing
  StoreBlackForShownSlots(doc, grid);
  EXPECT_EQ(doc.color[1], "#000000");
  EXPECT_EQ(doc.color[2], "#000000");
  EXPECT_TRUE(doc.color[0].empty());
  EXPECT_TRUE(doc.color[3].empty());
  doc.color[1] = "#123456";
  StoreBlackForShownSlots(doc, grid);
  EXPECT_EQ(doc.color[1], "#123456");
}

TEST(RulesTest, UnknownWeekdayTextsAndBadMonths) {
  CalendarDocument doc;
  doc.StoreRow(RuleKind::EveryWeek, 0, {"Mon", "x", "", ""});
  doc.StoreRow(RuleKind::Week2nd, 0, {"月曜", "y", "", ""});
  const MonthEntries grid = Evaluate(doc, 2011, 4);
  for (const auto& cell : grid.cells) EXPECT_TRUE(cell.empty());
  EXPECT_FALSE(EvaluateMonth(doc, 2011, 13, {}).has_value());
  EXPECT_FALSE(EvaluateMonth(doc, 2011, 0, {}).has_value());
}

TEST(RulesTest, SixRowMonth) {
  // 2011-01 starts on a Saturday and has 31 days: the 31st is in cell 37.
  CalendarDocument doc;
  doc.StoreRow(RuleKind::EveryWeek, 0, {"月", "m", "", ""});
  doc.StoreRow(RuleKind::Week5th, 0, {"月", "fifth", "", ""});
  const MonthEntries grid = Evaluate(doc, 2011, 1);
  EXPECT_EQ(grid.DayOfCell(37), 31);
  EXPECT_EQ(grid.DayOfCell(38), 0);
  EXPECT_EQ(DaysOf(grid, "m"), (std::vector<int>{3, 10, 17, 24, 31}));
  EXPECT_EQ(DaysOf(grid, "fifth"), std::vector<int>{31});
}

// The month's entries day by day: "day:category", "-" before a suppressed
// one, "+" before one a dated change added.
std::string EntriesOf(const MonthEntries& grid) {
  std::string text;
  for (int cell = 1; cell <= kGridCells; ++cell) {
    for (const CellEntry& e : grid.cells[cell]) {
      text += (text.empty() ? "" : " ") + std::to_string(grid.DayOfCell(cell)) + ":" +
              (e.suppressed ? "-"
               : e.added    ? "+"
                            : "") +
              e.category;
    }
  }
  return text;
}

TEST(RulesTest, MonthsOfRowsDatedChangesAndHolidayRules) {
  struct Case {
    const char* what;
    std::function<void(CalendarDocument&)> change;
    int year, month;
    const char* entries;
  };
  const auto months = [](int slot, MonthSet set) { return [=](CalendarDocument& d) { d.months[slot] = set; }; };
  const auto day = [](std::optional<int> y, int m, int dd, bool collect, std::string category) {
    return DayChange{y, m, dd, collect, std::move(category)};
  };
  const int second_tuesday = SlotOf(RuleKind::Week2nd, 0);
  const int front_week = SlotOf(RuleKind::EveryOtherA, 0);
  // 2027-02-03 and 2027-03-03 are Wednesdays; 2028-02-29 is a Tuesday.
  const Case cases[] = {
      {"a row in its months", months(second_tuesday, 1 << 2 | 1 << 12), 2027, 2, "3:燃 9:資源 10:燃 17:燃 24:-燃"},
      {"hidden outside them; every other week keeps its rhythm through skipped months",
       months(second_tuesday, 1 << 2 | 1 << 12), 2027, 3, "3:ペット 3:燃 10:燃 17:ペット 17:燃 24:燃 31:ペット 31:燃"},
      {"a removal, and additions in key order, each once",
       [&](CalendarDocument& d) {
         d.day_changes = {day(2027, 2, 10, false, "燃"), day(2027, 2, 11, true, "古紙"), day(2027, 2, 11, true, "粗大"),
                          day(2027, 2, 11, true, "古紙")};
       },
       2027, 2, "3:燃 9:資源 10:-燃 11:+古紙 11:+粗大 17:燃 24:-燃"},
      {"an addition wins over a removal, a period and a holiday rule",
       [&](CalendarDocument& d) {
         d.day_changes = {day(std::nullopt, 2, 17, false, "[すべて]"), day(2027, 2, 17, true, "燃"),
                          day(2027, 2, 24, true, "燃")};
         d.holiday_rules = {"燃"};
       },
       2027, 2, "3:-燃 9:資源 10:燃 17:燃 24:燃"},
      {"every year's 2/29 in a leap year", [&](CalendarDocument& d) { d.day_changes = {day({}, 2, 29, true, "雪")}; },
       2028, 2, "2:燃 8:資源 9:燃 16:燃 23:燃 29:+雪"},
      {"and not in another", [&](CalendarDocument& d) { d.day_changes = {day({}, 2, 29, true, "雪")}; }, 2027, 2,
       "3:燃 9:資源 10:燃 17:燃 24:-燃"},
      {"the document's own base date over the settings'",
       [&](CalendarDocument& d) {
         d.every_other_base = Date{2027, 3, 10};
       },
       2027, 3, "3:燃 9:資源 10:ペット 10:燃 17:燃 24:ペット 24:燃 31:燃"},
  };
  const NoneTermTable periods = {{Date{2027, 2, 24}, Date{2027, 2, 24}, "燃"}};
  const HolidayTable holidays = {{Date{2027, 2, 3}, "節分"}, {Date{2027, 2, 24}, "振替"}};
  for (const Case& c : cases) {
    CalendarDocument doc;
    doc.StoreRow(RuleKind::EveryWeek, 0, {"水", "燃", "moeru.gif", "#FF0000"});
    doc.StoreRow(RuleKind::Week2nd, 0, {"火", "資源", "", ""});
    doc.StoreRow(RuleKind::EveryOtherA, 0, {"水", "ペット", "", ""});
    doc.StoreRow(RuleKind::EveryOtherB, 0, {"水", "古紙", "koshi.gif", "#0000FF"});
    doc.months[front_week] = 1 << 3;
    doc.months[SlotOf(RuleKind::EveryOtherB, 0)] = 0;  // never: an added 古紙 takes this slot's colour and icon
    c.change(doc);
    RuleOptions options;
    options.every_other_base = "2027/01/06";
    options.periods = &periods;
    options.holidays = &holidays;
    const MonthEntries grid = Evaluate(doc, c.year, c.month, options);
    EXPECT_EQ(EntriesOf(grid), c.entries) << c.what;
    for (const CellEntry& e : grid.cells[CellOfDay(11, grid.first)]) {
      const std::string held = std::to_string(SlotOf(RuleKind::EveryOtherB, 0)) + " koshi.gif #0000FF";
      EXPECT_EQ(std::to_string(e.slot) + " " + e.image + " " + e.color, e.category == "古紙" ? held : "-1  #000000");
    }
  }
  CalendarDocument doc;
  doc.StoreRow(RuleKind::EveryOtherA, 0, {"水", "ペット", "", ""});
  doc.every_other_base = Date{2027, 3, 10};
  EXPECT_FALSE(LacksEveryOtherBase(doc, ""));
}
}  // namespace
}  // namespace dustora
