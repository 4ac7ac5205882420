#include "core/calendar_document.h"

#include <gtest/gtest.h>

#include <set>

namespace dustora {
namespace {

TEST(RuleKindTest, TableOrderAndSlots) {
  const auto& kinds = RuleKinds();
  std::vector<std::string_view> keys;
  keys.reserve(kinds.size());
  for (const auto& info : kinds) keys.push_back(info.key);
  EXPECT_EQ(keys, (std::vector<std::string_view>{"EveryWeek", "EveryWeek2", "1stWeek", "2ndWeek", "3rdWeek", "4thWeek",
                                                 "5thWeek", "Even", "Odd", "EveryOtherA", "EveryOtherB", "Special"}));
  EXPECT_EQ(InfoOf(RuleKind::Week1st).tab_caption, "第１");
  EXPECT_EQ(InfoOf(RuleKind::EveryOtherB).rule_label, "隔週(裏)の○曜日");
  EXPECT_EQ(InfoOf(RuleKind::Special).label_color, "#C00000");
  EXPECT_EQ(RuleKindOfKey("EveryOtherA"), RuleKind::EveryOtherA);
  EXPECT_EQ(RuleKindOfKey("everyweek"), std::nullopt);
}

TEST(RuleKindTest, SlotsCoverZeroToFiftyNineOnce) {
  std::set<int> slots;
  std::set<int> week_names;
  for (const auto& info : RuleKinds()) {
    for (int row = 0; row < kRowsPerKind; ++row) {
      slots.insert(SlotOf(info.kind, row));
      if (info.kind != RuleKind::Special) {
        const int index = WeekNameIndexOf(info.kind, row);
        EXPECT_EQ(index, info.week_name_base + row);
        week_names.insert(index);
      }
    }
  }
  EXPECT_EQ(slots.size(), 60u);
  EXPECT_EQ(*slots.rbegin(), 59);
  EXPECT_EQ(week_names.size(), 55u);
  EXPECT_EQ(*week_names.rbegin(), 54);
  EXPECT_EQ(SlotOf(RuleKind::EveryOtherB, 4), 59);
  EXPECT_EQ(WeekNameIndexOf(RuleKind::EveryOtherB, 4), 54);
  EXPECT_EQ(WeekNameIndexOf(RuleKind::EveryWeek2, 0), 30);
}

TEST(RuleKindTest, FixedTables) {
  EXPECT_EQ(WeekdayItems()[0], "(なし)");
  EXPECT_EQ(WeekdayItems()[7], "土");
  EXPECT_EQ(DayItems()[0], "(なし)");
  EXPECT_EQ(DayItems()[31], "31");
}

TEST(CalendarDocumentTest, ClearGivesANewDocument) {
  CalendarDocument doc;
  doc.category.fill("燃やせるごみ");
  doc.week_name.fill("月");
  doc.special.fill("5");
  doc.title = "x";
  doc.memo_path = "/m.mmo";
  doc.show_local_name = 1;
  doc.document_path = "/a.dsc";
  doc.modified = true;
  doc.Clear(2026, 12);
  for (const auto& c : doc.category) EXPECT_TRUE(c.empty());
  for (const auto& w : doc.week_name) EXPECT_TRUE(w.empty());
  for (const auto& s : doc.special) EXPECT_TRUE(s.empty());
  EXPECT_EQ(doc.title, "ダストーラ");
  EXPECT_TRUE(doc.memo_path.empty());
  EXPECT_EQ(doc.show_local_name, 0);
  EXPECT_EQ(doc.year, 2026);
  EXPECT_EQ(doc.month, 12);
  EXPECT_TRUE(doc.document_path.empty());
  EXPECT_FALSE(doc.modified);
}

TEST(CalendarDocumentTest, StoringNoneEmptiesTheColourForEveryKind) {
  for (const auto& info : RuleKinds()) {
    CalendarDocument doc;
    const int slot = SlotOf(info.kind, 4);
    doc.StoreRow(info.kind, 4, {"月", "びん", "bin.gif", "#FF0000"});
    EXPECT_EQ(doc.color[slot], "#FF0000") << info.key;
    doc.StoreRow(info.kind, 4, {"月", "(なし)", "bin.gif", "#FF0000"});
    EXPECT_TRUE(doc.category[slot].empty()) << info.key;
    EXPECT_TRUE(doc.color[slot].empty()) << info.key;
    EXPECT_EQ(doc.image[slot], "bin.gif");
  }
}

TEST(CalendarDocumentTest, SpecialRowsNeverTouchWeekNames) {
  CalendarDocument doc;
  for (int row = 0; row < 5; ++row) doc.StoreRow(RuleKind::Special, row, {"15", "粗大ごみ", "(なし)", "#C00000"});
  for (const auto& w : doc.week_name) EXPECT_TRUE(w.empty());
  EXPECT_EQ(doc.special[2], "15");
  EXPECT_TRUE(doc.image[32].empty());
  doc.StoreRow(RuleKind::EveryWeek2, 0, {"火", "かん", "", "#000000"});
  EXPECT_EQ(doc.week_name[30], "火");
  doc.StoreRow(RuleKind::Special, 0, {"(なし)", "", "", ""});
  EXPECT_TRUE(doc.special[0].empty());
  EXPECT_EQ(doc.week_name[30], "火");
}

TEST(CalendarDocumentTest, LoadShowsEmptyValuesBlankAndColourBlack) {
  CalendarDocument doc;
  doc.category[59] = "古紙";
  doc.week_name[54] = "金";
  const RowValues row = doc.LoadRow(RuleKind::EveryOtherB, 4);
  EXPECT_EQ(row.first, "金");
  EXPECT_EQ(row.category, "古紙");
  EXPECT_EQ(row.image, "");
  EXPECT_EQ(row.color, "#000000");
}

TEST(CalendarDocumentTest, CommasInCategoryNames) {
  EXPECT_EQ(CategoryWithoutCommas("かん,びん"), "かん・びん");
  EXPECT_EQ(CategoryWithoutCommas(",,"), "・・");
  EXPECT_EQ(CategoryWithoutCommas("燃やせるごみ"), "燃やせるごみ");
}

}  // namespace
}  // namespace dustora
