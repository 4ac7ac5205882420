#include "core/calendar_document.h"

#include <utility>

namespace dustora {

namespace {

constexpr std::array<RuleKindInfo, kRuleKindCount> kKinds = {{
    {RuleKind::EveryWeek, "EveryWeek", "毎週(1)", "毎週○曜日", "毎週○曜日", "#000000", 0, 0, DayRule::EveryWeek, 0,
     100},
    {RuleKind::EveryWeek2, "EveryWeek2", "毎週(2)", "毎週○曜日", "毎週○曜日", "#000000", 35, 30, DayRule::EveryWeek, 0,
     110},
    {RuleKind::Week1st, "1stWeek", "第１", "毎月第１○曜日", "第１○曜日", "#0000FF", 5, 5, DayRule::NthWeekday, 1, 10},
    {RuleKind::Week2nd, "2ndWeek", "第２", "毎月第２○曜日", "第２○曜日", "#0000FF", 10, 10, DayRule::NthWeekday, 2, 20},
    {RuleKind::Week3rd, "3rdWeek", "第３", "毎月第３○曜日", "第３○曜日", "#0000FF", 15, 15, DayRule::NthWeekday, 3, 30},
    {RuleKind::Week4th, "4thWeek", "第４", "毎月第４○曜日", "第４○曜日", "#0000FF", 20, 20, DayRule::NthWeekday, 4, 40},
    {RuleKind::Week5th, "5thWeek", "第５", "毎月第５○曜日", "第５○曜日", "#0000FF", 25, 25, DayRule::NthWeekday, 5, 50},
    {RuleKind::Even, "Even", "偶数日", "○曜日の偶数日", "○曜日の偶数日", "#008000", 40, 35, DayRule::EvenDay, 0, 80},
    {RuleKind::Odd, "Odd", "奇数日", "○曜日の奇数日", "○曜日の奇数日", "#008000", 45, 40, DayRule::OddDay, 0, 90},
    {RuleKind::EveryOtherA, "EveryOtherA", "隔週(表)", "[表]週の○曜日", "隔週(表)の○曜日", "#008000", 50, 45,
     DayRule::FrontWeek, 0, 60},
    {RuleKind::EveryOtherB, "EveryOtherB", "隔週(裏)", "[裏]週の○曜日", "隔週(裏)の○曜日", "#008000", 55, 50,
     DayRule::BackWeek, 0, 70},
    {RuleKind::Special, "Special", "特定日", "毎月○日", "毎月○日", "#C00000", 30, -1, DayRule::DayOfMonth, 0, 120},
}};

// Every slot, WeekName entry and Special entry belongs to exactly one row
// of the table, and the kinds' ranks differ.
constexpr bool TableCoversEveryEntryOnce() {
  std::array<int, kSlotCount> slots{};
  std::array<int, kWeekNameCount> week_names{};
  int day_kinds = 0;
  for (const RuleKindInfo& info : kKinds) {
    if ((info.day_rule == DayRule::DayOfMonth) != (info.week_name_base < 0)) return false;
    if ((info.day_rule == DayRule::NthWeekday) != (info.week_of_month >= 1 && info.week_of_month <= 5)) return false;
    if (info.day_rule == DayRule::DayOfMonth) ++day_kinds;
    for (int row = 0; row < kRowsPerKind; ++row) {
      const int slot = info.slot_base + row;
      if (slot < 0 || slot >= kSlotCount || slots[slot]++ != 0) return false;
      if (info.week_name_base < 0) continue;
      const int name = info.week_name_base + row;
      if (name < 0 || name >= kWeekNameCount || week_names[name]++ != 0) return false;
    }
    for (const RuleKindInfo& other : kKinds) {
      if (&other != &info && other.cell_rank == info.cell_rank) return false;
    }
  }
  for (const int n : slots) {
    if (n != 1) return false;
  }
  for (const int n : week_names) {
    if (n != 1) return false;
  }
  return day_kinds * kRowsPerKind == kSpecialCount;
}
static_assert(TableCoversEveryEntryOnce(), "the rule-kind table must give every slot and entry to one row");

constexpr std::array<std::string_view, 8> kWeekdayItems = {"(なし)", "日", "月", "火", "水", "木", "金", "土"};

std::string StoredText(const std::string& shown) {
  return shown == kNoneItem ? std::string() : shown;
}

}  // namespace

const std::array<RuleKindInfo, kRuleKindCount>& RuleKinds() {
  return kKinds;
}

const RuleKindInfo& InfoOf(RuleKind kind) {
  for (const auto& info : kKinds) {
    if (info.kind == kind) return info;
  }
  return kKinds.front();  // unreachable: every enumerator is in the table
}

std::optional<RuleKind> RuleKindOfKey(std::string_view key) {
  for (const auto& info : kKinds) {
    if (info.key == key) return info.kind;
  }
  return std::nullopt;
}

int SlotBase(RuleKind kind) {
  return InfoOf(kind).slot_base;
}

int SlotOf(RuleKind kind, int row) {
  return SlotBase(kind) + row;
}

std::string PlaceOfSlot(int slot) {
  for (const RuleKindInfo& info : kKinds) {
    const int row = slot - info.slot_base;
    if (row >= 0 && row < kRowsPerKind) return std::string(info.tab_caption) + " " + std::to_string(row + 1) + "行目";
  }
  return {};
}

int WeekNameIndexOf(RuleKind kind, int row) {
  return InfoOf(kind).week_name_base + row;
}

bool HoldsDayOfMonth(RuleKind kind) {
  return InfoOf(kind).day_rule == DayRule::DayOfMonth;
}

bool NeedsEveryOtherBase(RuleKind kind) {
  const DayRule rule = InfoOf(kind).day_rule;
  return rule == DayRule::FrontWeek || rule == DayRule::BackWeek;
}

const std::array<std::string_view, 8>& WeekdayItems() {
  return kWeekdayItems;
}

const std::array<std::string, 32>& DayItems() {
  static const std::array<std::string, 32> items = [] {
    std::array<std::string, 32> t;
    t[0] = std::string(kNoneItem);
    for (int day = 1; day <= 31; ++day) t[day] = std::to_string(day);
    return t;
  }();
  return items;
}

std::string CategoryWithoutCommas(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (const char c : name) {
    if (c == ',') {
      out += "・";
    } else {
      out += c;
    }
  }
  return out;
}

void CalendarDocument::Clear(int this_year, int this_month) {
  week_name.fill({});
  category.fill({});
  image.fill({});
  color.fill({});
  special.fill({});
  months = EveryMonthOfEachSlot();
  day_changes.clear();
  holiday_rules.clear();
  every_other_base.reset();
  sheet_marks.clear();
  kept_file_lines.clear();
  title = std::string(kDefaultTitle);
  local_name.clear();
  show_local_name = 0;
  memo_path.clear();
  memo_refused = false;
  memo_unwritten = false;
  memo_output = 0;
  year = this_year;
  month = this_month;
  document_path.clear();
  modified = false;
}

std::string& CalendarDocument::FirstColumn(RuleKind kind, int row) {
  return const_cast<std::string&>(std::as_const(*this).FirstColumn(kind, row));
}

const std::string& CalendarDocument::FirstColumn(RuleKind kind, int row) const {
  return HoldsDayOfMonth(kind) ? special[static_cast<std::size_t>(row)]
                               : week_name[static_cast<std::size_t>(WeekNameIndexOf(kind, row))];
}

void CalendarDocument::StoreRow(RuleKind kind, int row, const RowValues& values) {
  const int slot = SlotOf(kind, row);
  FirstColumn(kind, row) = StoredText(values.first);
  category[slot] = StoredText(values.category);
  image[slot] = StoredText(values.image);
  color[slot] = category[slot].empty() ? std::string() : values.color;
}

RowValues CalendarDocument::LoadRow(RuleKind kind, int row) const {
  const int slot = SlotOf(kind, row);
  RowValues values;
  values.first = FirstColumn(kind, row);
  values.category = category[slot];
  values.image = image[slot];
  values.color = color[slot].empty() ? std::string("#000000") : color[slot];
  return values;
}

}  // namespace dustora
