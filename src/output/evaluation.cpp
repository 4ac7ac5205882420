#include "output/evaluation.h"

#include <algorithm>

#include "core/date.h"
#include "core/text.h"

namespace dustora {

namespace {

// One day of the month being evaluated.
struct Day {
  int year = 0;
  int month = 0;
  int day = 0;
  int weekday = 0;  // 0 = Sunday
};

// A row's first column as its day test reads it: the weekday number
// (1 = Sunday .. 7 = Saturday) or the day of the month; 0 when the row
// names no day.
int RowDay(const CalendarDocument& document, const RuleKindInfo& info, int row) {
  const std::string& text = document.FirstColumn(info.kind, row);
  if (info.day_rule != DayRule::DayOfMonth) return WeekdayNameNumber(text);
  const auto day = NumericToWhole(text);
  return (day && *day >= 1 && *day <= 31) ? static_cast<int>(*day) : 0;
}

// The day tests: whether a row whose first column reads `row_day` falls on
// `day`.
bool FallsOn(const RuleKindInfo& info, int row_day, const Day& day, const RuleOptions& options) {
  if (info.day_rule == DayRule::DayOfMonth) {
    if (day.day == row_day) return day.weekday != 0 || options.special_sunday_option == 0;
    // A Sunday's collection moved to the Monday after.
    return options.special_sunday_option == 1 && day.weekday == 1 && day.day - 1 == row_day;
  }
  if (day.weekday + 1 != row_day) return false;
  switch (info.day_rule) {
    case DayRule::EveryWeek: return true;
    case DayRule::NthWeekday: return (day.day - 1) / 7 + 1 == info.week_of_month;
    case DayRule::EvenDay: return day.day % 2 == 0;
    case DayRule::OddDay: return day.day % 2 == 1;
    case DayRule::FrontWeek:
      return EveryOtherWeekParity(day.year, day.month, day.day, options.every_other_base) == kFrontWeek;
    case DayRule::BackWeek:
      return EveryOtherWeekParity(day.year, day.month, day.day, options.every_other_base) == kBackWeek;
    case DayRule::DayOfMonth: break;
  }
  return false;
}

// The periods that touch the month, in file order.
std::vector<const NoneTerm*> PeriodsOfMonth(const MonthEntries& grid, const RuleOptions& options) {
  std::vector<const NoneTerm*> periods;
  if (!options.periods) return periods;
  const Date first{grid.year, grid.month, 1};
  const Date last{grid.year, grid.month, grid.days};
  for (const NoneTerm& period : *options.periods) {
    if (period.first <= last && first <= period.last) periods.push_back(&period);
  }
  return periods;
}

bool Suppressed(const Date& day, const std::string& category, const std::vector<const NoneTerm*>& periods) {
  for (const NoneTerm* period : periods) {
    if (period->Applies(day, category)) return true;
  }
  return false;
}

// The kinds in the order their entries stand in a cell.
const std::array<const RuleKindInfo*, kRuleKindCount>& KindsInCellOrder() {
  static const std::array<const RuleKindInfo*, kRuleKindCount> order = [] {
    std::array<const RuleKindInfo*, kRuleKindCount> o{};
    for (std::size_t i = 0; i < o.size(); ++i) o[i] = &RuleKinds()[i];
    std::sort(o.begin(), o.end(),
              [](const RuleKindInfo* a, const RuleKindInfo* b) { return a->cell_rank < b->cell_rank; });
    return o;
  }();
  return order;
}

}  // namespace

std::optional<MonthEntries> EvaluateMonth(const CalendarDocument& document, int year, int month,
                                          const RuleOptions& options) {
  MonthEntries grid;
  grid.year = year;
  grid.month = month;
  grid.first = DayOfWeek(year, month, 1);
  grid.days = DaysInMonth(year, month);
  if (grid.first == kDateFailure || grid.days == kDateFailure) return std::nullopt;

  const std::vector<const NoneTerm*> periods = PeriodsOfMonth(grid, options);
  for (const RuleKindInfo* info : KindsInCellOrder()) {
    for (int row = 0; row < kRowsPerKind; ++row) {
      const auto slot = static_cast<std::size_t>(info->slot_base) + static_cast<std::size_t>(row);
      // A slot without a category contributes nothing.
      if (document.category[slot].empty()) continue;
      const int row_day = RowDay(document, *info, row);
      if (row_day == 0) continue;
      // A weekday row can only fall on the days of its weekday.
      const int step = info->day_rule == DayRule::DayOfMonth ? 1 : 7;
      const int start = step == 1 ? 1 : 1 + (row_day - 1 - grid.first + 7) % 7;
      for (Day day{year, month, start, (grid.first + start - 1) % 7}; day.day <= grid.days;
           day.day += step, day.weekday = (day.weekday + step) % 7) {
        if (!FallsOn(*info, row_day, day, options)) continue;
        CellEntry entry;
        entry.slot = static_cast<int>(slot);
        entry.category = document.category[slot];
        entry.image = document.image[slot];
        entry.color = document.color[slot];
        entry.suppressed = Suppressed(Date{year, month, day.day}, entry.category, periods);
        grid.cells[static_cast<std::size_t>(CellOfDay(day.day, grid.first))].push_back(std::move(entry));
      }
    }
  }
  return grid;
}

RuleOptions OutputSources::Rules() const {
  RuleOptions options;
  options.special_sunday_option = settings.special_sunday_option;
  options.every_other_base = settings.every_other_base;
  options.periods = &periods;
  return options;
}

std::optional<std::vector<MonthEntries>> EvaluateMonths(const CalendarDocument& document, const MonthSpan& span,
                                                        const OutputSources& sources) {
  if (span.count < 1) return std::nullopt;
  const RuleOptions options = sources.Rules();
  std::vector<MonthEntries> grids;
  grids.reserve(static_cast<std::size_t>(span.count));
  int year = span.year;
  int month = span.month;
  for (int i = 0; i < span.count; ++i) {
    if (year > kLastYear) return std::nullopt;  // no date of the tables can fall in it
    std::optional<MonthEntries> grid = EvaluateMonth(document, year, month, options);
    if (!grid) return std::nullopt;
    grids.push_back(std::move(*grid));
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  return grids;
}

void StoreBlackForShownSlots(CalendarDocument& document, const MonthEntries& grid) {
  for (const auto& cell : grid.cells) {
    for (const CellEntry& entry : cell) {
      std::string& color = document.color[static_cast<std::size_t>(entry.slot)];
      if (color.empty()) color = "#000000";
    }
  }
}

bool LacksEveryOtherBase(const CalendarDocument& document, std::string_view every_other_base) {
  if (IsValidDate(every_other_base)) return false;
  for (const RuleKindInfo& info : RuleKinds()) {
    if (!NeedsEveryOtherBase(info.kind)) continue;
    for (int row = 0; row < kRowsPerKind; ++row) {
      const RowValues values = document.LoadRow(info.kind, row);
      if (!values.first.empty() && !values.category.empty()) return true;
    }
  }
  return false;
}

}  // namespace dustora
