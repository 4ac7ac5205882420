// The categories of a document's one-sheet calendar and their marks: chosen
// automatically, each unique within the sheet, or as the document chose.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_document.h"
#include "core/sheet_mark.h"

namespace dustora {

// The categories in the legend's order: the rule tabs in order, then their
// rows, by each category's first row with a day; then the categories only
// dated changes collect, in the changes' order.
[[nodiscard]] std::vector<std::string> LegendCategories(const CalendarDocument& document);

// The automatic marks of categories in legend order: the symbols in turn;
// the label the name's first character, or where names share it, the first
// character and the first one where the names differ (空きかん 空か,
// 空きびん 空び).
[[nodiscard]] std::vector<SheetMark> AutomaticMarks(const std::vector<std::string>& categories);

// The marks of the document's legend categories: the automatic ones, with
// the document's own choices over them.
[[nodiscard]] std::vector<SheetMark> MarksOf(const CalendarDocument& document);

// The document's choices for categories of its legend that differ from the
// automatic marks: what its file keeps.
[[nodiscard]] std::vector<SheetMark> ChosenMarksToKeep(const CalendarDocument& document);

}  // namespace dustora
