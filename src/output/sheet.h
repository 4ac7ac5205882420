// The one-sheet year calendar: the heading, the months three across in
// small grids with a mark per category on each collection day, and the
// legend with each category's rule in words; one A4 page, portrait, that
// reads in black-and-white print. Written as the pages are: Shift_JIS
// with CR LF line ends (PageBytes).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_document.h"
#include "core/sheet_mark.h"
#include "output/evaluation.h"

namespace dustora {

inline constexpr std::string_view kSheetFileName = "sheet.html";
inline constexpr int kSheetMonths = 12;

// "2026年度 (2026年4月～2027年3月)" for twelve months from April, else
// "2026年5月～2027年4月".
[[nodiscard]] std::string SheetSpanWords(const MonthSpan& span);

// The first month of the sheet nobody chose: April of the fiscal year that
// holds the month.
[[nodiscard]] MonthSpan FiscalYearOf(int year, int month);

// The marks of each day of a month (index 1 .. days; 0 unused): indexes into
// `marks`, in their order, of the categories collected that day.
[[nodiscard]] std::vector<std::vector<std::size_t>> DayMarks(const MonthEntries& grid,
                                                             const std::vector<SheetMark>& marks);

// The sheet's lines (UTF-8, without line ends) for evaluated months.
[[nodiscard]] std::vector<std::string> SheetLines(const std::vector<MonthEntries>& months,
                                                  const CalendarDocument& document, const OutputSources& sources);

}  // namespace dustora
