// The grammar of a cell of area_days.csv: terms separated by blanks (half-
// or full-width), each a weekday letter 日..土 (every week), a letter and
// n = 1..5 ("水2": the n-th weekday of the month), "隔" with a letter and a
// date ("隔金20260403": every 14 days from that date), a date ("20260110":
// one extra day) or "*" and a remark's id; at the end ":" and month numbers
// limit the weekday terms to those months. Nothing else is guessed at.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "core/day_change.h"

namespace dustora {

enum class CellTermKind { EveryWeek, NthWeekday, EveryOtherWeek, ExtraDay, Remark };

struct CellTerm {
  CellTermKind kind = CellTermKind::EveryWeek;
  std::string text;    // as the cell has it
  int weekday = 0;     // 0 = Sunday; of every kind but ExtraDay and Remark
  int nth = 0;         // NthWeekday: 1..5
  Date date;           // EveryOtherWeek: a day of the rhythm; ExtraDay: the day
  std::string remark;  // Remark: the id

  [[nodiscard]] bool IsWeekdayTerm() const {
    return kind == CellTermKind::EveryWeek || kind == CellTermKind::NthWeekday || kind == CellTermKind::EveryOtherWeek;
  }
};

// A part of a cell that is not read, and why.
struct UnreadPart {
  std::string text;
  std::string why;
};

struct ParsedCell {
  std::vector<CellTerm> terms;
  MonthSet months = kEveryMonth;  // of the weekday terms
  std::vector<UnreadPart> unread;
};

[[nodiscard]] ParsedCell ParseCell(std::string_view cell);

// "日" .. "土".
[[nodiscard]] std::string_view WeekdayLetter(int weekday);

}  // namespace dustora
