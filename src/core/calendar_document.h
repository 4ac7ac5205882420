// The calendar document: sixty rule slots under twelve rule kinds, and the
// document-level values.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "core/day_change.h"
#include "core/sheet_mark.h"

namespace dustora {

enum class RuleKind {
  EveryWeek,
  EveryWeek2,
  Week1st,
  Week2nd,
  Week3rd,
  Week4th,
  Week5th,
  Even,
  Odd,
  EveryOtherA,
  EveryOtherB,
  Special,
};

inline constexpr int kRuleKindCount = 12;
inline constexpr int kRowsPerKind = 5;
inline constexpr int kSlotCount = 60;
inline constexpr int kWeekNameCount = 55;
inline constexpr int kSpecialCount = 5;

// How the rows of a kind choose their days. Each rule has one day test,
// in output/evaluation.cpp.
enum class DayRule {
  EveryWeek,   // every day of the row's weekday
  NthWeekday,  // the week_of_month-th day of the row's weekday, counted in the month
  EvenDay,     // the row's weekday on even days
  OddDay,      // the row's weekday on odd days
  FrontWeek,   // the row's weekday in the base date's weeks of the two-week cycle
  BackWeek,    // the row's weekday in the other weeks
  DayOfMonth,  // the row's day of the month; a Sunday follows the Sunday option
};

struct RuleKindInfo {
  RuleKind kind;
  std::string_view key;
  std::string_view tab_caption;
  std::string_view tab_hint;
  std::string_view rule_label;
  std::string_view label_color;  // colour text
  int slot_base;                 // the kind's five slots are slot_base .. slot_base + 4
  int week_name_base;            // its WeekName entries likewise; -1 when the rows hold a day of the month
  DayRule day_rule;
  int week_of_month;  // 1..5 for NthWeekday, else 0
  // Where the kind's entries stand among the entries of a day cell: lower
  // ranks first. Only the order of the ranks matters.
  int cell_rank;
};

// The twelve kinds in the order the rule editor shows them.
//
// Adding a rule kind: an enumerator in RuleKind and one row in the table
// (calendar_document.cpp) with the next five slots and WeekName entries (the counts
// above grow by five; the document file's keys follow them); when its days
// follow a rule no kind has yet, a DayRule and its day test in
// output/evaluation.cpp. The rule editor, the document file and the page take
// the new kind from the table.
[[nodiscard]] const std::array<RuleKindInfo, kRuleKindCount>& RuleKinds();
[[nodiscard]] const RuleKindInfo& InfoOf(RuleKind kind);
[[nodiscard]] std::optional<RuleKind> RuleKindOfKey(std::string_view key);

[[nodiscard]] int SlotBase(RuleKind kind);
// SlotBase(kind) + row.
[[nodiscard]] int SlotOf(RuleKind kind, int row);
// Where a slot stands in the rule editor: its tab's caption, a blank and
// the row as "n行目".
[[nodiscard]] std::string PlaceOfSlot(int slot);
// The WeekName index of a row of a kind whose rows hold a weekday.
[[nodiscard]] int WeekNameIndexOf(RuleKind kind, int row);
// Whether the rows of a kind hold a day of the month instead of a weekday.
[[nodiscard]] bool HoldsDayOfMonth(RuleKind kind);
// Whether a kind's days depend on the every-other-week base date.
[[nodiscard]] bool NeedsEveryOtherBase(RuleKind kind);

// "(なし)", "日" .. "土".
[[nodiscard]] const std::array<std::string_view, 8>& WeekdayItems();
// "(なし)", "1" .. "31".
[[nodiscard]] const std::array<std::string, 32>& DayItems();
// The first item of every choice list of the rule editor; never stored.
inline constexpr std::string_view kNoneItem = "(なし)";
inline constexpr std::string_view kDefaultTitle = "ダストーラ";

// A category name as the slots hold it: every "," becomes "・" (documents
// are read this way, and the category list is offered this way).
[[nodiscard]] std::string CategoryWithoutCommas(std::string_view name);

// What one row of the rule editor shows: each column's text and the colour
// of its swatch.
struct RowValues {
  std::string first;     // weekday character or day of month; "(なし)" or "" = none
  std::string category;  // "(なし)" or "" = none
  std::string image;     // "(なし)" or "" = none
  std::string color;     // colour text of the swatch

  friend bool operator==(const RowValues&, const RowValues&) = default;
};

[[nodiscard]] constexpr std::array<MonthSet, kSlotCount> EveryMonthOfEachSlot() {
  std::array<MonthSet, kSlotCount> months{};
  for (MonthSet& set : months) set = kEveryMonth;
  return months;
}

struct CalendarDocument {
  std::array<std::string, kWeekNameCount> week_name;
  std::array<std::string, kSlotCount> category;
  std::array<std::string, kSlotCount> image;
  std::array<std::string, kSlotCount> color;  // colour text of each slot's category
  std::array<std::string, kSpecialCount> special;
  // The months each slot's row applies in.
  std::array<MonthSet, kSlotCount> months = EveryMonthOfEachSlot();
  // Dated changes, in the order of the file's keys.
  std::vector<DayChange> day_changes;
  // The categories (or kEveryCategory) not collected on the holiday table's days.
  std::vector<std::string> holiday_rules;
  // The document's own every-other-week base date, over the settings'.
  std::optional<Date> every_other_base;
  // The marks the user chose for the one-sheet calendar, over the automatic
  // ones (core/sheet_marks.h).
  std::vector<SheetMark> sheet_marks;

  std::string title = std::string(kDefaultTitle);
  std::string local_name;
  int show_local_name = 0;
  std::string memo_path;
  int memo_output = 0;
  // The year and month the selectors show; none when the year box showed
  // no item (a clock that left its years), which a save refuses.
  std::optional<int> year;
  std::optional<int> month;

  // Editing state, not stored in the file.
  std::string document_path;
  bool modified = false;
  // The file's Memo/Path named a file that is no memo, so nothing is tied.
  bool memo_refused = false;
  // The memo text came with the document (an imported area) and has no
  // file yet: the first save writes it beside the document and ties it.
  bool memo_unwritten = false;
  // What the file the document was read from holds that this program does
  // not write (sections and keys of other versions, comments), as the
  // file's Shift_JIS bytes: a save writes it back, to whatever file.
  std::string kept_file_lines;

  // Empties every slot, restores the values of a new document with the
  // year and month given, forgets the path, the modified state and what
  // the file it was read from kept.
  void Clear(int this_year, int this_month);

  // The row's values into the slot tables (StoreTabRows): "(なし)" stores the
  // empty text; the colour only when the stored category is not empty.
  void StoreRow(RuleKind kind, int row, const RowValues& values);
  // The row's stored values as the editor shows them (LoadTabRows): empty
  // values as blank texts, an empty colour as black.
  RowValues LoadRow(RuleKind kind, int row) const;

  // The stored text of a row's first column: its WeekName entry, or its
  // Special entry for a kind whose rows hold a day of the month.
  std::string& FirstColumn(RuleKind kind, int row);
  const std::string& FirstColumn(RuleKind kind, int row) const;
};

}  // namespace dustora
