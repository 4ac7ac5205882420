// The legend of the one-sheet year calendar: each category's mark, name and
// rule in words ("第2・第4 水曜日"), then what stops collection in the span
// (no-collection periods, days without any collection, holidays).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_document.h"
#include "core/sheet_mark.h"
#include "output/evaluation.h"

namespace dustora {

struct LegendEntry {
  SheetMark mark;
  std::string color;  // the colour text of the category's first row; "#000000" when it has none
  std::string words;  // its rule in words
};

struct SheetLegend {
  std::vector<LegendEntry> entries;  // in the legend's order
  std::vector<std::string> notes;    // "12月29日～1月3日 収集なし (すべて)"
};

// The rule of one category in words over the span: its rows by kind in the
// rule tabs' order, joined by "、", then whether holidays stop it and its
// extra and cancelled days of the span. Empty when nothing of it falls in
// the span.
[[nodiscard]] std::string RuleWords(const CalendarDocument& document, std::string_view category,
                                    const RuleOptions& options, const MonthSpan& span);

// The legend of the document over the span.
[[nodiscard]] SheetLegend MakeSheetLegend(const CalendarDocument& document, const OutputSources& sources,
                                          const MonthSpan& span);

// The colour text of a category on the sheet: that of its first row (the
// rule tabs in order, then their rows), "#000000" when it has none.
[[nodiscard]] std::string CategoryColor(const CalendarDocument& document, std::string_view category);

// "1月9日".
[[nodiscard]] std::string MonthDayWords(const Date& date);

}  // namespace dustora
