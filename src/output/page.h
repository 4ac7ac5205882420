// The calendar page: one HTML 4.01 Transitional page with its style sheet,
// the heading, the month grid and the memo box, written as Shift_JIS with
// CR LF line ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"
#include "output/rules.h"
#include "session/session.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"

namespace dustora {

inline constexpr std::string_view kPageFileName = "temp.html";
// The page of several months that the year command writes.
inline constexpr std::string_view kYearPageFileName = "year.html";
// The most months one page holds.
inline constexpr int kMaxPageMonths = kMaxYearMonths;

// Everything a page is made of besides the document.
struct PageSources {
  const AppSettings& settings;
  const HolidayTable& holidays;
  const NoneTermTable& periods;
  std::string_view memo_text;
};

// User text for the page: & < > " as entities.
[[nodiscard]] std::string HtmlText(std::string_view text);
// An icon file name for a src attribute: HtmlText, then %, # and ? escaped.
[[nodiscard]] std::string IconSource(std::string_view file_name);
// The font value of the style sheet: style, size and family words.
[[nodiscard]] std::string FontValue(std::string_view name, std::string_view size, std::string_view style);

// The entries of a month under the sources' settings and periods, or
// nullopt when the month cannot be laid out.
[[nodiscard]] std::optional<MonthEntries> PageEntries(int year, int month, const CalendarDocument& document,
                                                      const PageSources& sources);
// The entries of `months` consecutive months from a year and month, each
// evaluated as its own page; nullopt when one cannot be laid out (or falls
// after the year 9999) or `months` is below 1.
[[nodiscard]] std::optional<std::vector<MonthEntries>> MonthsEntries(int year, int month, int months,
                                                                     const CalendarDocument& document,
                                                                     const PageSources& sources);
// The page's lines (UTF-8, without line ends) for a month's entries.
[[nodiscard]] std::vector<std::string> PageLines(const MonthEntries& grid, const CalendarDocument& document,
                                                 const PageSources& sources);
// Both at once: nullopt when the month cannot be laid out.
[[nodiscard]] std::optional<std::vector<std::string>> PageLines(int year, int month, const CalendarDocument& document,
                                                                const PageSources& sources);
// The page of `months` consecutive months (1..kMaxPageMonths) from a year
// and month: the month page's head, each month's heading, grid and memo box
// in a wrapper of its own that prints on a sheet of its own, the closing
// line. One month is exactly the month page. nullopt when a month cannot
// be laid out or the count is out of range.
[[nodiscard]] std::optional<std::vector<std::string>> MonthsPageLines(int year, int month, int months,
                                                                      const CalendarDocument& document,
                                                                      const PageSources& sources);
// The bytes of the page file: Shift_JIS, CR LF after every line, characters
// without a Shift_JIS form as character references.
[[nodiscard]] std::string PageBytes(const std::vector<std::string>& lines);

// Writes the page of a month of the session's document, settings, tables
// and memo to `output_path` with one atomic replace, and stores black as
// the colour of the month's slots that had none. False when no page was
// written, with the failure in the report.
[[nodiscard]] bool MakeHtml(Session& session, int year, int month, std::string_view output_path, Report& report);

// Writes the page of `months` months of the session to `output_path` with
// one atomic replace; the document and the settings stay as they are.
// False when no page was written, with the failure in the report.
[[nodiscard]] bool MakeYearHtml(const Session& session, int year, int month, int months, std::string_view output_path,
                                Report& report);

}  // namespace dustora
