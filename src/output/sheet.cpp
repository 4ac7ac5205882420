#include "output/sheet.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/color.h"
#include "core/sheet_marks.h"
#include "core/text.h"
#include "core/textfile.h"
#include "output/page.h"
#include "output/sheet_legend.h"

namespace dustora {

namespace {

// The sheet's measures, in millimetres unless named otherwise. A4 less
// margins of 7 mm; the months three across, each in cells 9.1 mm wide.
constexpr double kPointMm = 25.4 / 72;
constexpr double kPixelMm = 25.4 / 96;
// What a browser adds to each line of marks, rounding its font's metrics.
constexpr double kLineRoundingPixels = 0.25;
constexpr double kPageWidthMm = 196;
constexpr double kPageHeightMm = 283;
constexpr double kHeadMm = 9.5;
constexpr double kMonthHeadingMm = 3.8;
constexpr double kWeekdayRowMm = 3;
constexpr double kBandGapMm = 1;
constexpr double kCellWidthMm = 9.1;
constexpr double kCellPaddingMm = 0.15;  // left and right
constexpr double kBorderMm = 0.2;
// A grid's outer borders reach beyond its rows.
constexpr double kGridBordersMm = 0.3;
constexpr double kLegendTopMm = 1.2;
constexpr double kLegendColumnGapMm = 4;
constexpr double kLegendLineHeight = 1.2;
constexpr double kMemoPoints = 8;
constexpr double kMemoTopMm = 1.2;
constexpr int kMostMemoLines = 3;
// The marks' lines are set close; a day cell's padding above and below (in
// ems of its marks) holds what a glyph's box reaches beyond its line.
constexpr double kMarkLineHeight = 1.05;
constexpr double kCellPaddingEms = 0.22;
// The day number is set smaller than the marks, so that it and a mark share
// the first line.
constexpr double kDayNumberEms = 0.85;
// What a browser may still add: rounding of borders and lines.
constexpr double kSlackMm = 0.5;
constexpr int kWeeks = 6;
constexpr int kMonthsAcross = 3;
// Week rows get no taller than this for a short legend; below the shortest
// the legend's letters get smaller first.
constexpr double kTallestRowMm = 14;
constexpr double kShortestRowMm = 7.5;
constexpr std::array<double, 7> kMarkPoints = {7, 6.5, 6, 5.5, 5, 4.5, 4};
constexpr std::array<double, 6> kLegendPoints = {8.5, 8, 7.5, 7, 6.5, 6};
// The widths the sheet's text takes at most, in ems: a CJK character one,
// any ASCII character 0.6, a blank between two pieces 0.35.
constexpr double kWideEms = 1;
constexpr double kNarrowEms = 0.6;
constexpr double kBlankEms = 0.3;
constexpr std::string_view kCut = "…";
constexpr std::string_view kWeekdayCells[7] = {"日", "月", "火", "水", "木", "金", "土"};

double Ems(std::string_view text) {
  double ems = 0;
  for (const std::string_view character : Utf8Characters(text)) ems += character.size() == 1 ? kNarrowEms : kWideEms;
  return ems;
}

// The lines unbreakable pieces take in a width, a blank between two.
int PieceLines(const std::vector<double>& pieces, double width) {
  int lines = 1;
  double used = 0;
  for (const double piece : pieces) {
    if (used == 0 || used + kBlankEms + piece <= width) {
      used += (used == 0 ? 0 : kBlankEms) + piece;
    } else {
      ++lines;
      used = piece;
    }
  }
  return lines;
}

// The lines text that breaks between any two characters takes in a width.
int TextLines(std::string_view text, double width) {
  return std::max(1, static_cast<int>(std::ceil(Ems(text) / width)));
}

// A measure for the style sheet: at most two decimals, a point as their mark
// whatever the locale.
std::string Measure(double value, std::string_view unit) {
  std::array<char, 32> digits{};
  const auto [end, error] =
      std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed, 2);
  std::string text(digits.data(), error == std::errc() ? end : digits.data());
  while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) text.pop_back();
  return text + std::string(unit);
}

std::string ColorOr(std::string_view color, std::string_view otherwise) {
  return std::string(IsColorText(color) ? color : otherwise);
}

// What a day cell shows: its number and its marks, in the legend's order.
struct DayCell {
  int day = 0;  // 0: outside the month
  bool red = false;
  bool blue = false;
  std::vector<std::size_t> marks;  // indexes into the sheet's marks
};

using MonthCells = std::array<DayCell, kGridCells + 1>;

MonthCells CellsOf(const MonthEntries& grid, const std::vector<SheetMark>& marks, const OutputSources& sources) {
  std::vector<std::vector<std::size_t>> days = DayMarks(grid, marks);
  MonthCells cells{};
  for (int cell = 1; cell <= kGridCells; ++cell) {
    DayCell& shown = cells[static_cast<std::size_t>(cell)];
    shown.day = grid.DayOfCell(cell);
    if (shown.day == 0) continue;
    shown.red = cell % 7 == 1;
    shown.blue = cell % 7 == 0;
    shown.marks = std::move(days[static_cast<std::size_t>(shown.day)]);
  }
  for (const Holiday& holiday : sources.holidays) {
    if (holiday.date.year != grid.year || holiday.date.month != grid.month || holiday.date.day > grid.days) continue;
    DayCell& shown = cells[static_cast<std::size_t>(CellOfDay(holiday.date.day, grid.first))];
    shown.red = true;
    shown.blue = false;
  }
  return cells;
}

// The memo's lines as the sheet shows them: at most kMostMemoLines printed
// lines, the last cut with "…" when more was there.
constexpr double kMemoWidthEms = kPageWidthMm / (kMemoPoints * kPointMm);

std::vector<std::string> MemoLines(std::string_view memo_text) {
  const double width = kMemoWidthEms;
  std::vector<std::string> lines = SplitLines(memo_text);
  while (!lines.empty() && TrimBlanks(lines.back()).empty()) lines.pop_back();
  std::vector<std::string> shown;
  int printed = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int needed = TextLines(lines[i], width);
    // The last printed line keeps room for "…" when lines follow it.
    const bool fits =
        printed + needed < kMostMemoLines || (printed + needed == kMostMemoLines && i + 1 == lines.size());
    if (fits) {
      shown.push_back(lines[i]);
      printed += needed;
      continue;
    }
    const double room = (kMostMemoLines - printed) * width - kWideEms;
    std::string cut;
    double used = 0;
    for (const std::string_view character : Utf8Characters(lines[i])) {
      used += character.size() == 1 ? kNarrowEms : kWideEms;
      if (used > room) break;
      cut += character;
    }
    shown.push_back(cut + std::string(kCut));
    break;
  }
  return shown;
}

// The legend's text of an entry, as the page writes it and as it is measured.
std::string EntryText(const LegendEntry& entry) {
  return entry.mark.symbol + entry.mark.label + " " + entry.mark.category + "　" + entry.words;
}

// The height of the taller of the legend's two columns, in lines: the
// pieces kept whole, split where the columns come out most even.
int LegendColumnLines(const SheetLegend& legend, double points) {
  const double width = (kPageWidthMm - kLegendColumnGapMm) / 2 / (points * kPointMm);
  std::vector<int> lines;
  for (const LegendEntry& entry : legend.entries) lines.push_back(TextLines(EntryText(entry), width));
  for (const std::string& note : legend.notes) lines.push_back(TextLines(note, width));
  int total = 0;
  for (const int n : lines) total += n;
  int best = total;
  int before = 0;
  for (const int n : lines) {
    before += n;
    best = std::min(best, std::max(before, total - before));
  }
  // With a piece of several lines a browser's balancing may leave one more
  // line in a column.
  const bool uneven = std::any_of(lines.begin(), lines.end(), [](int n) { return n > 1; });
  return best + (uneven ? 1 : 0);
}

struct Layout {
  double legend_points = kLegendPoints.front();
  double row_mm = kTallestRowMm;
  double mark_points = kMarkPoints.back();
};

Layout LayOut(const std::vector<MonthCells>& months, const std::vector<SheetMark>& marks, const SheetLegend& legend,
              std::size_t memo_lines) {
  Layout layout;
  const double memo_mm =
      memo_lines == 0 ? 0 : kMemoTopMm + static_cast<double>(memo_lines) * kMemoPoints * kPointMm * kLegendLineHeight;
  const auto bands = static_cast<double>((months.size() + kMonthsAcross - 1) / kMonthsAcross);
  for (const double points : kLegendPoints) {
    layout.legend_points = points;
    const double legend_mm = kLegendTopMm + LegendColumnLines(legend, points) * points * kPointMm * kLegendLineHeight;
    const double band_mm = (kPageHeightMm - kHeadMm - legend_mm - memo_mm - kSlackMm) / std::max(1.0, bands);
    layout.row_mm = (band_mm - kMonthHeadingMm - kWeekdayRowMm - kBandGapMm - kGridBordersMm) / kWeeks;
    if (layout.row_mm >= kShortestRowMm) break;
  }
  layout.row_mm = std::min(layout.row_mm, kTallestRowMm);

  // The largest marks with which every day's marks fit their cell.
  for (const double points : kMarkPoints) {
    layout.mark_points = points;
    const double em = points * kPointMm;
    const double width = (kCellWidthMm - 2 * kCellPaddingMm - kBorderMm) / em;
    const double room = layout.row_mm - 2 * kCellPaddingEms * em - kBorderMm;
    bool fits = true;
    for (const MonthCells& cells : months) {
      for (const DayCell& cell : cells) {
        if (cell.marks.empty()) continue;
        std::vector<double> pieces = {Ems(std::to_string(cell.day)) * kDayNumberEms};
        for (const std::size_t mark : cell.marks) pieces.push_back(Ems(marks[mark].symbol + marks[mark].label));
        const double line_mm = em * kMarkLineHeight + kLineRoundingPixels * kPixelMm;
        fits = fits && PieceLines(pieces, width) * line_mm <= room;
      }
    }
    if (fits) break;
  }
  return layout;
}

std::vector<std::string> StyleSheet(const CalendarDocument& document, const DesignSettings& design,
                                    const std::vector<SheetMark>& marks, const std::vector<LegendEntry>& entries,
                                    const Layout& layout) {
  const std::string month_width = Measure(kPageWidthMm / kMonthsAcross, "mm");
  const std::string grid_width = Measure(kCellWidthMm * 7, "mm");
  std::vector<std::string> lines = {
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
      "<html>",
      "<head>",
      "<meta http-equiv=\"content-type\" content=\"text/html; charset=shift_jis\">",
      "<title>" + HtmlText(document.title) + "</title>",
      "<meta http-equiv=\"content-style-type\" content=\"text/css\">",
      "<style type=\"text/css\"><!--",
      "@page { size: A4; margin: 7mm; }",
      "body        {margin:0; font-family:" + FontFamily(design.font_name[4]) + ", sans-serif; color:#000000;}",
      "div.sheet   {width:" + Measure(kPageWidthMm, "mm") + "; height:" + Measure(kPageHeightMm, "mm") +
          "; overflow:hidden;}",
      "table.head  {width:100%; height:" + Measure(kHeadMm, "mm") + "; border-collapse:collapse; line-height:1.2;}",
      "td.title    {font-family:" + FontFamily(design.font_name[0]) +
          ", sans-serif; font-size:13pt; font-weight:bold; padding:0; color:" +
          ColorOr(design.font_color[0], "#000000") + ";}",
      "td.local    {font-size:9pt; padding:0; color:" + ColorOr(design.font_color[2], "#000000") + ";}",
      "td.span     {font-size:9pt; padding:0; text-align:right; vertical-align:bottom; white-space:nowrap;}",
      "table.year  {width:100%; border-collapse:collapse; table-layout:fixed;}",
      "td.month    {width:" + month_width + "; padding:0 0 " + Measure(kBandGapMm, "mm") + " 0; vertical-align:top;}",
      "div.month   {height:" + Measure(kMonthHeadingMm, "mm") + "; line-height:" + Measure(kMonthHeadingMm, "mm") +
          "; font-size:8.5pt; font-weight:bold; color:" + ColorOr(design.font_color[1], "#000000") + ";}",
      "table.grid  {width:" + grid_width + "; border-collapse:collapse; table-layout:fixed;}",
      "table.grid td {width:" + Measure(kCellWidthMm, "mm") +
          "; box-sizing:border-box; border:" + Measure(kBorderMm, "mm") + " solid #808080; padding:0 " +
          Measure(kCellPaddingMm, "mm") + "; vertical-align:top; overflow:hidden;}",
      "tr.wk td    {height:" + Measure(kWeekdayRowMm, "mm") + "; font-size:6pt; line-height:1; text-align:center;}",
      "tr.dy td    {height:" + Measure(layout.row_mm, "mm") + "; padding-top:" + Measure(kCellPaddingEms, "em") +
          "; padding-bottom:" + Measure(kCellPaddingEms, "em") + "; font-size:" + Measure(layout.mark_points, "pt") +
          "; line-height:" + Measure(kMarkLineHeight, "") + ";}",
      "span.n      {font-size:" + Measure(kDayNumberEms, "em") + ";}",
      ".su         {color:red;}",
      ".sa         {color:blue;}",
      "span.m      {white-space:nowrap;}",
      "div.legend  {margin-top:" + Measure(kLegendTopMm, "mm") + "; column-count:2; column-gap:" +
          Measure(kLegendColumnGapMm, "mm") + "; font-size:" + Measure(layout.legend_points, "pt") +
          "; line-height:" + Measure(kLegendLineHeight, "") + ";}",
      "div.legend p {margin:0; break-inside:avoid;}",
      "div.memo    {margin-top:" + Measure(kMemoTopMm, "mm") + "; font-size:" + Measure(kMemoPoints, "pt") +
          "; line-height:" + Measure(kLegendLineHeight, "") + ";}",
  };
  // A class per mark, in the colour of its category's first row.
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const LegendEntry& e) { return e.mark.category == marks[i].category; });
    const std::string color = entry == entries.end() ? std::string("#000000") : entry->color;
    lines.push_back(".c" + std::to_string(i) + " {color:" + color + ";}");
  }
  lines.emplace_back("--></style></head><body>");
  return lines;
}

std::string DayNumber(const DayCell& cell) {
  const std::string_view style = cell.red ? " su" : cell.blue ? " sa" : "";
  return "<span class=\"n" + std::string(style) + "\">" + std::to_string(cell.day) + "</span>";
}

void AppendMonth(std::vector<std::string>& lines, const MonthEntries& grid, const MonthCells& cells,
                 const std::vector<SheetMark>& marks) {
  lines.push_back("<td class=\"month\"><div class=\"month\">" + std::to_string(grid.year) + "年" +
                  std::to_string(grid.month) + "月</div>");
  lines.emplace_back("<table class=\"grid\">");
  std::string weekdays = "<tr class=\"wk\">";
  for (int i = 0; i < 7; ++i) {
    const std::string_view style = i == 0 ? " class=\"su\"" : i == 6 ? " class=\"sa\"" : "";
    weekdays += "<td" + std::string(style) + ">" + std::string(kWeekdayCells[i]) + "</td>";
  }
  lines.push_back(weekdays + "</tr>");
  for (int week = 0; week < kWeeks; ++week) {
    lines.emplace_back("<tr class=\"dy\">");
    for (int column = 1; column <= 7; ++column) {
      const DayCell& cell = cells[static_cast<std::size_t>(week * 7 + column)];
      if (cell.day == 0) {
        lines.emplace_back("<td></td>");
        continue;
      }
      std::string line = "<td>" + DayNumber(cell);
      for (const std::size_t mark : cell.marks) {
        line += " <span class=\"m c" + std::to_string(mark) + "\">" + HtmlText(marks[mark].symbol) +
                HtmlText(marks[mark].label) + "</span>";
      }
      lines.push_back(line + "</td>");
    }
    lines.emplace_back("</tr>");
  }
  lines.emplace_back("</table></td>");
}

}  // namespace

std::vector<std::vector<std::size_t>> DayMarks(const MonthEntries& grid, const std::vector<SheetMark>& marks) {
  std::vector<std::vector<std::size_t>> days(static_cast<std::size_t>(grid.days) + 1);
  for (int day = 1; day <= grid.days; ++day) {
    std::vector<std::size_t>& shown = days[static_cast<std::size_t>(day)];
    for (const CellEntry& entry : grid.cells[static_cast<std::size_t>(CellOfDay(day, grid.first))]) {
      if (entry.suppressed) continue;
      const auto mark = std::find_if(marks.begin(), marks.end(),
                                     [&entry](const SheetMark& m) { return m.category == entry.category; });
      if (mark != marks.end()) shown.push_back(static_cast<std::size_t>(mark - marks.begin()));
    }
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
  }
  return days;
}

std::string SheetSpanWords(const MonthSpan& span) {
  int last_year = span.year;
  int last_month = span.month + span.count - 1;
  last_year += (last_month - 1) / 12;
  last_month = (last_month - 1) % 12 + 1;
  const std::string words = std::to_string(span.year) + "年" + std::to_string(span.month) + "月～" +
                            std::to_string(last_year) + "年" + std::to_string(last_month) + "月";
  if (span.month == 4 && span.count == kSheetMonths) return std::to_string(span.year) + "年度 (" + words + ")";
  return words;
}

MonthSpan FiscalYearOf(int year, int month) {
  return {month >= 4 ? year : year - 1, 4, kSheetMonths};
}

std::vector<std::string> SheetLines(const std::vector<MonthEntries>& months, const CalendarDocument& document,
                                    const OutputSources& sources) {
  const MonthSpan span = months.empty()
                             ? MonthSpan{}
                             : MonthSpan{months.front().year, months.front().month, static_cast<int>(months.size())};
  const std::vector<SheetMark> marks = MarksOf(document);
  const SheetLegend legend = MakeSheetLegend(document, sources, span);
  std::vector<MonthCells> cells;
  cells.reserve(months.size());
  for (const MonthEntries& grid : months) cells.push_back(CellsOf(grid, marks, sources));
  const std::vector<std::string> memo =
      document.memo_output == 1 ? MemoLines(sources.memo_text) : std::vector<std::string>{};
  // A memo line may take more than one printed line.
  std::size_t memo_lines = 0;
  for (const std::string& line : memo) memo_lines += static_cast<std::size_t>(TextLines(line, kMemoWidthEms));
  const Layout layout = LayOut(cells, marks, legend, memo_lines);

  std::vector<std::string> lines = StyleSheet(document, sources.settings.design, marks, legend.entries, layout);
  lines.emplace_back("<div class=\"sheet\">");
  lines.push_back("<table class=\"head\"><tr><td class=\"title\">" + HtmlText(document.title) +
                  "</td><td class=\"span\">" + SheetSpanWords(span) + "</td></tr>");
  if (document.show_local_name == 1) {
    lines.push_back("<tr><td class=\"local\" colspan=\"2\">" + HtmlText(document.local_name) + "</td></tr>");
  }
  lines.emplace_back("</table>");
  lines.emplace_back("<table class=\"year\">");
  for (std::size_t i = 0; i < months.size(); ++i) {
    if (i % kMonthsAcross == 0) lines.emplace_back("<tr>");
    AppendMonth(lines, months[i], cells[i], marks);
    if (i % kMonthsAcross == kMonthsAcross - 1 || i + 1 == months.size()) lines.emplace_back("</tr>");
  }
  lines.emplace_back("</table>");
  lines.emplace_back("<div class=\"legend\">");
  for (const LegendEntry& entry : legend.entries) {
    const auto index = std::find(marks.begin(), marks.end(), entry.mark) - marks.begin();
    lines.push_back("<p class=\"c" + std::to_string(index) + "\">" + HtmlText(EntryText(entry)) + "</p>");
  }
  for (const std::string& note : legend.notes) lines.push_back("<p>" + HtmlText(note) + "</p>");
  lines.emplace_back("</div>");
  if (!memo.empty()) {
    std::string text;
    for (const std::string& line : memo) text += (text.empty() ? "" : "<br>") + HtmlText(line);
    lines.push_back("<div class=\"memo\">" + text + "</div>");
  }
  lines.emplace_back("</div>");
  lines.emplace_back("</body></html>");
  return lines;
}

}  // namespace dustora
