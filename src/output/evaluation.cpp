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

// A dated change's entry on a day its rules do not give the category: the
// colour and icon of the lowest slot that holds the category, black and no
// icon when none does.
CellEntry AddedEntry(const CalendarDocument& document, const std::string& category) {
  CellEntry entry;
  entry.category = category;
  entry.added = true;
  const auto slot = std::find(document.category.begin(), document.category.end(), category);
  if (slot == document.category.end()) {
    entry.slot = -1;
    entry.color = "#000000";
    return entry;
  }
  entry.slot = static_cast<int>(slot - document.category.begin());
  entry.image = document.image[static_cast<std::size_t>(entry.slot)];
  entry.color = document.color[static_cast<std::size_t>(entry.slot)];
  return entry;
}

bool NamedBy(const std::vector<std::string_view>& names, std::string_view category) {
  return std::any_of(names.begin(), names.end(),
                     [category](std::string_view name) { return name == kEveryCategory || name == category; });
}

// The document's dated changes and holiday rules on the month's days: a
// collected category shows even where a period or a removal would take it
// (or is added after the day's entries); a removed one is suppressed as a
// period suppresses it.
void ApplyDayChanges(const CalendarDocument& document, const RuleOptions& options, MonthEntries& grid) {
  std::vector<const DayChange*> changes;
  for (const DayChange& change : document.day_changes) {
    if (change.month == grid.month && (!change.year || *change.year == grid.year) && change.day <= grid.days) {
      changes.push_back(&change);
    }
  }
  std::vector<bool> holiday(static_cast<std::size_t>(grid.days) + 1, false);
  if (!document.holiday_rules.empty() && options.holidays) {
    for (const Holiday& day : *options.holidays) {
      if (day.date.year == grid.year && day.date.month == grid.month)
        holiday[static_cast<std::size_t>(day.date.day)] = true;
    }
  }
  for (int day = 1; day <= grid.days; ++day) {
    std::vector<std::string_view> collected;
    std::vector<std::string_view> removed;
    for (const DayChange* change : changes) {
      if (change->day != day) continue;
      if (!change->collect) {
        removed.push_back(change->category);
      } else if (std::find(collected.begin(), collected.end(), change->category) == collected.end()) {
        collected.push_back(change->category);
      }
    }
    if (holiday[static_cast<std::size_t>(day)])
      removed.insert(removed.end(), document.holiday_rules.begin(), document.holiday_rules.end());
    if (collected.empty() && removed.empty()) continue;

    std::vector<CellEntry>& cell = grid.cells[static_cast<std::size_t>(CellOfDay(day, grid.first))];
    const std::size_t ruled = cell.size();
    for (CellEntry& entry : cell) {
      if (std::find(collected.begin(), collected.end(), entry.category) != collected.end()) {
        entry.suppressed = false;
      } else if (NamedBy(removed, entry.category)) {
        entry.suppressed = true;
      }
    }
    for (const std::string_view category : collected) {
      const auto given = std::find_if(cell.begin(), cell.begin() + static_cast<std::ptrdiff_t>(ruled),
                                      [category](const CellEntry& entry) { return entry.category == category; });
      if (given == cell.begin() + static_cast<std::ptrdiff_t>(ruled))
        cell.push_back(AddedEntry(document, std::string(category)));
    }
  }
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

int RowDay(const CalendarDocument& document, const RuleKindInfo& info, int row) {
  const std::string& text = document.FirstColumn(info.kind, row);
  if (info.day_rule != DayRule::DayOfMonth) return WeekdayNameNumber(text);
  const auto day = NumericToWhole(text);
  return (day && *day >= 1 && *day <= 31) ? static_cast<int>(*day) : 0;
}

std::optional<MonthEntries> EvaluateMonth(const CalendarDocument& document, int year, int month,
                                          const RuleOptions& options) {
  MonthEntries grid;
  grid.year = year;
  grid.month = month;
  grid.first = DayOfWeek(year, month, 1);
  grid.days = DaysInMonth(year, month);
  if (grid.first == kDateFailure || grid.days == kDateFailure) return std::nullopt;

  // An area's own phase goes before the settings'.
  RuleOptions own_base;
  if (document.every_other_base) {
    own_base = options;
    own_base.every_other_base = document.every_other_base->ToText();
  }
  const RuleOptions& rules = document.every_other_base ? own_base : options;

  const std::vector<const NoneTerm*> periods = PeriodsOfMonth(grid, options);
  for (const RuleKindInfo* info : KindsInCellOrder()) {
    for (int row = 0; row < kRowsPerKind; ++row) {
      const auto slot = static_cast<std::size_t>(info->slot_base) + static_cast<std::size_t>(row);
      // A slot without a category contributes nothing, nor one outside its
      // months (an every-other-week row keeps its rhythm through them).
      if (document.category[slot].empty() || !InMonths(document.months[slot], month)) continue;
      const int row_day = RowDay(document, *info, row);
      if (row_day == 0) continue;
      // A weekday row can only fall on the days of its weekday.
      const int step = info->day_rule == DayRule::DayOfMonth ? 1 : 7;
      const int start = step == 1 ? 1 : 1 + (row_day - 1 - grid.first + 7) % 7;
      for (Day day{year, month, start, (grid.first + start - 1) % 7}; day.day <= grid.days;
           day.day += step, day.weekday = (day.weekday + step) % 7) {
        if (!FallsOn(*info, row_day, day, rules)) continue;
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
  ApplyDayChanges(document, options, grid);
  return grid;
}

RuleOptions OutputSources::Rules() const {
  RuleOptions options;
  options.special_sunday_option = settings.special_sunday_option;
  options.every_other_base = settings.every_other_base;
  options.periods = &periods;
  options.holidays = &holidays;
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
      if (entry.slot < 0) continue;
      std::string& color = document.color[static_cast<std::size_t>(entry.slot)];
      if (color.empty()) color = "#000000";
    }
  }
}

bool LacksEveryOtherBase(const CalendarDocument& document, std::string_view every_other_base) {
  if (document.every_other_base || IsValidDate(every_other_base)) return false;
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
