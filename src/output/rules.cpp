#include "output/rules.h"

#include "core/date.h"

namespace dustora {

namespace {

constexpr int kLastWeekdayCandidate = 40;

bool IsNthWeekSlot(int slot) {
  return slot >= 5 && slot <= 29;
}
bool IsSpecialSlot(int slot) {
  return slot >= 30 && slot <= 34;
}

const std::string& WeekNameOfSlot(const CalendarDocument& document, int slot) {
  return document.week_name[static_cast<std::size_t>(slot <= 29 ? slot : slot - 5)];
}

// Whether a weekday slot's rule holds on `day` (a day of its weekday).
bool WeekdayRuleHolds(int slot, int year, int month, int day, const RuleOptions& options) {
  if (slot <= 4 || (slot >= 35 && slot <= 39)) return true;
  if (slot <= 44) return day % 2 == 0;
  if (slot <= 49) return day % 2 == 1;
  const int parity = EveryOtherWeekParity(year, month, day, options.every_other_base);
  return slot <= 54 ? parity == kFrontWeek : parity == kBackWeek;
}

// The cells on which a slot falls, before the month check.
std::vector<int> CandidateCells(const CalendarDocument& document, int slot, const MonthEntries& grid,
                                const RuleOptions& options) {
  std::vector<int> cells;
  if (IsSpecialSlot(slot)) {
    const auto day = NumericToWhole(document.special[static_cast<std::size_t>(slot - 30)]);
    if (!day || *day < 1 || *day > 31) return cells;
    const int d = static_cast<int>(*day);
    const int weekday = DayOfWeek(grid.year, grid.month, d);
    if (weekday == kDateFailure) return cells;
    if (weekday != 0 || options.special_sunday_option == 0) {
      cells.push_back(CellOfDay(d, grid.first));
    } else if (options.special_sunday_option == 1) {
      cells.push_back(CellOfDay(d, grid.first) + 1);
    }
    return cells;
  }
  const std::string& name = WeekNameOfSlot(document, slot);
  if (IsNthWeekSlot(slot)) {
    const int cell = CellOfNthWeekday(WeekOfMonth()[static_cast<std::size_t>(slot)], name, grid.first);
    if (cell != 0) cells.push_back(cell);
    return cells;
  }
  const int w = WeekdayNameNumber(name);
  if (w == 0) return cells;
  for (int cell = w; cell <= kLastWeekdayCandidate; cell += 7) {
    const int day = grid.DayOfCell(cell);
    if (day != 0 && WeekdayRuleHolds(slot, grid.year, grid.month, day, options)) cells.push_back(cell);
  }
  return cells;
}

bool Suppressed(const Date& day, const std::string& category, const RuleOptions& options) {
  if (!options.periods) return false;
  for (const NoneTerm& period : *options.periods) {
    if (period.Applies(day, category)) return true;  // the first period that applies decides
  }
  return false;
}

}  // namespace

const std::array<int, kSlotCount>& SlotEvaluationOrder() {
  static const std::array<int, kSlotCount> order = [] {
    std::array<int, kSlotCount> o{};
    std::size_t i = 0;
    const auto add = [&](int from, int to) {
      for (int slot = from; slot <= to; ++slot) o[i++] = slot;
    };
    add(5, 29);   // n-th weeks
    add(50, 54);  // every other week A
    add(55, 59);  // every other week B
    add(40, 44);  // even days
    add(45, 49);  // odd days
    add(0, 4);    // every week (1)
    add(35, 39);  // every week (2)
    add(30, 34);  // special days
    return o;
  }();
  return order;
}

std::optional<MonthEntries> EvaluateMonth(CalendarDocument& document, int year, int month, const RuleOptions& options) {
  MonthEntries grid;
  grid.year = year;
  grid.month = month;
  grid.first = DayOfWeek(year, month, 1);
  grid.days = DaysInMonth(year, month);
  if (grid.first == kDateFailure || grid.days == kDateFailure) return std::nullopt;

  for (const int slot : SlotEvaluationOrder()) {
    const auto s = static_cast<std::size_t>(slot);
    // A slot without a category contributes nothing.
    if (document.category[s].empty()) continue;
    for (const int cell : CandidateCells(document, slot, grid, options)) {
      const int day = grid.DayOfCell(cell);
      if (day == 0) continue;
      if (document.fcolor[s].empty()) document.fcolor[s] = "#000000";
      CellEntry entry;
      entry.slot = slot;
      entry.category = document.category[s];
      entry.color = document.fcolor[s];
      entry.suppressed = Suppressed(Date{year, month, day}, entry.category, options);
      entry.image = (entry.suppressed && !document.image[s].empty()) ? std::string(kNoneImage) : document.image[s];
      grid.cells[static_cast<std::size_t>(cell)].push_back(std::move(entry));
    }
  }
  return grid;
}

}  // namespace dustora
