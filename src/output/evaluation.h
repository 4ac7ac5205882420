// Which categories are collected on which day: the entries of each cell of
// the month grids, in the order a page prints them. Every output (the pages,
// the calendar export) takes its days from here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_document.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"

namespace dustora {

// The icon a page shows for a suppressed entry of a slot that has one.
inline constexpr std::string_view kNoneImage = "dscnone.gif";
inline constexpr int kGridCells = 42;

struct CellEntry {
  int slot = 0;
  std::string category;     // the slot's category, never empty
  std::string image;        // the slot's icon file; empty = no icon
  std::string color;        // the slot's colour text, as stored (may be empty)
  bool suppressed = false;  // a no-collection period, a dated change or a holiday rule removes it
  bool added = false;       // a dated change collects it on a day its rules do not; slot -1 when no slot holds it

  friend bool operator==(const CellEntry&, const CellEntry&) = default;
};

struct MonthEntries {
  int year = 0;
  int month = 0;
  int first = 0;  // weekday of the 1st, 0 = Sunday
  int days = 0;   // days in the month
  // cells[c] for c = 1..42; cells[0] is unused.
  std::array<std::vector<CellEntry>, kGridCells + 1> cells;

  // The day in cell c, or 0 when the cell is outside the month.
  int DayOfCell(int cell) const {
    const int day = cell - first;
    return (cell >= 1 && cell <= kGridCells && day >= 1 && day <= days) ? day : 0;
  }
};

struct RuleOptions {
  int special_sunday_option = 0;  // 0 on the Sunday, 1 the Monday after, else not shown
  std::string every_other_base;   // date text of the front week, or empty; the document's own goes first
  const NoneTermTable* periods = nullptr;
  const HolidayTable* holidays = nullptr;  // the days of the document's holiday rules
};

// A row's first column as its day test reads it: the weekday number
// (1 = Sunday .. 7 = Saturday) or the day of the month; 0 when the row
// names no day.
[[nodiscard]] int RowDay(const CalendarDocument& document, const RuleKindInfo& info, int row);

// Evaluates the sixty slots for a month, each in the months of its row,
// then the document's dated changes and holiday rules; the document is left
// as it is. nullopt when the month cannot be laid out (a month outside
// 1..12).
[[nodiscard]] std::optional<MonthEntries> EvaluateMonth(const CalendarDocument& document, int year, int month,
                                                        const RuleOptions& options);

// Everything an output is made of besides the document.
struct OutputSources {
  const AppSettings& settings;
  const HolidayTable& holidays;
  const NoneTermTable& periods;
  std::string_view memo_text;

  // The options of the day tests under these settings and periods.
  [[nodiscard]] RuleOptions Rules() const;
};

// Consecutive months from a year and month.
struct MonthSpan {
  int year = 0;
  int month = 0;
  int count = 1;
};

// The entries of each month of a span, each evaluated as its own page;
// nullopt when one cannot be laid out (or falls after the year 9999) or the
// count is below 1.
[[nodiscard]] std::optional<std::vector<MonthEntries>> EvaluateMonths(const CalendarDocument& document,
                                                                      const MonthSpan& span,
                                                                      const OutputSources& sources);

// What the commands that write pages or calendars say, once before they
// write, when every-other-week rows are left out for want of a base date.
inline constexpr std::string_view kNoEveryOtherBaseNotice =
    "隔週の基準日が設定されていないため、隔週の収集日は入りません。";
// Whether the document has every-other-week rows (a day and a category) and
// neither its own base date nor `every_other_base` is a date to count their
// weeks from.
[[nodiscard]] bool LacksEveryOtherBase(const CalendarDocument& document, std::string_view every_other_base);

// Stores "#000000" as the colour of every slot that has an entry in the
// month and no colour: what making the month's page does to the document.
void StoreBlackForShownSlots(CalendarDocument& document, const MonthEntries& grid);

}  // namespace dustora
