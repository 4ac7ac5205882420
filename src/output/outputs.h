// Every output the program writes, each listed once: adding an output is
// its writer (a class behind Output in a file of its own), one line here
// and in AllOutputs(), its dialog if it has options, and a help page.
#pragma once

#include <string_view>
#include <vector>

#include "output/output.h"

namespace dustora {

// The month page (作　成): temp.html in the data folder.
[[nodiscard]] const Output& MonthPageOutput();
// The page of several months, one a printed sheet (年間): year.html.
[[nodiscard]] const Output& MonthsPageOutput();
// A whole year on one A4 sheet with its legend in words (年間一覧表作成):
// sheet.html.
[[nodiscard]] const Output& SheetOutput();
// The collection days as an iCalendar file (iCalendar形式で書き出し).
[[nodiscard]] const Output& ICalendarOutput();

// All of them, in the order above.
[[nodiscard]] const std::vector<const Output*>& AllOutputs();

}  // namespace dustora
