// The calendar page: one HTML 4.01 Transitional page with its style sheet,
// the heading, the month grid and the memo box, written as Shift_JIS with
// CR LF line ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_document.h"
#include "output/evaluation.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"

namespace dustora {

inline constexpr std::string_view kPageFileName = "temp.html";
// The page of several months that the year command writes.
inline constexpr std::string_view kYearPageFileName = "year.html";
// The most months one page holds.
inline constexpr int kMaxPageMonths = kMaxYearMonths;

// User text for the page: & < > " as entities.
[[nodiscard]] std::string HtmlText(std::string_view text);
// An icon file name for a src attribute: HtmlText, then %, # and ? escaped.
[[nodiscard]] std::string IconSource(std::string_view file_name);
// A font name as a family of the style sheet: the generic names as CSS's
// generic families, any other name quoted.
[[nodiscard]] std::string FontFamily(std::string_view name);
// The font value of the style sheet: style, size and family words.
[[nodiscard]] std::string FontValue(std::string_view name, std::string_view size, std::string_view style);

// The page's lines (UTF-8, without line ends) for evaluated months: of one
// month the month page; of several the month page's head, each month's
// heading, grid and memo box in a wrapper of its own that prints on a
// sheet of its own, and the closing line.
[[nodiscard]] std::vector<std::string> PageLines(const std::vector<MonthEntries>& grids,
                                                 const CalendarDocument& document, const OutputSources& sources);
// The month page of a year and month: nullopt when the month cannot be laid
// out.
[[nodiscard]] std::optional<std::vector<std::string>> PageLines(int year, int month, const CalendarDocument& document,
                                                                const OutputSources& sources);
// The page of `months` consecutive months (1..kMaxPageMonths) from a year
// and month; one month is exactly the month page. nullopt when a month
// cannot be laid out or the count is out of range.
[[nodiscard]] std::optional<std::vector<std::string>> MonthsPageLines(int year, int month, int months,
                                                                      const CalendarDocument& document,
                                                                      const OutputSources& sources);
// The bytes of the page file: Shift_JIS, CR LF after every line, characters
// without a Shift_JIS form as character references.
[[nodiscard]] std::string PageBytes(const std::vector<std::string>& lines);

}  // namespace dustora
