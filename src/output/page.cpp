#include "output/page.h"

#include <array>
#include <utility>

#include "core/color.h"
#include "core/date.h"
#include "core/encoding.h"
#include "tables/memo.h"

namespace dustora {

namespace {

constexpr std::string_view kBlank = "&nbsp;";
constexpr std::string_view kIndent = "             ";  // 13 blanks

std::string_view SizeWord(std::string_view size) {
  static constexpr std::array<std::string_view, 7> kWords = {"xx-small ", "x-small ", "small ",   "medium ",
                                                             "large ",    "x-large ", "xx-large "};
  static constexpr std::array<std::string_view, 7> kSizes = {"1", "2", "3", "4", "5", "6", "7"};
  for (std::size_t i = 0; i < kSizes.size(); ++i) {
    if (size == kSizes[i]) return kWords[i];
  }
  return {};
}

std::string_view StyleWords(std::string_view style) {
  if (style == "通常") return "normal normal normal ";
  if (style == "太字") return "normal normal bold ";
  if (style == "斜体") return "italic normal normal ";
  if (style == "両方") return "italic normal bold ";
  return {};
}

std::string_view AlignWord(std::string_view align) {
  if (align == "左") return "left";
  if (align == "中央") return "center";
  if (align == "右") return "right";
  return {};
}

std::string Red(int day) {
  return "<font color=\"red\">" + std::to_string(day) + "</font>";
}

std::vector<std::string> StyleSheet(const DesignSettings& d, std::string_view title) {
  const std::string border_style = d.cell_style;
  const std::string grid_width = d.fixed_table_width == 1 ? d.table_width + "mm" : "100%";
  const std::string cell_height = d.fixed_cell_height == 1 ? "height:" + d.cell_height + "mm; " : "";
  const std::string column_width = d.equal_columns != 0 ? "width:14.2%;" : "width:" + d.minimum_column_width + "mm;";
  const std::string memo_height = d.fixed_memo_height == 1 ? "height:" + d.memo_height + "mm; overflow:hidden; " : "";
  const auto font = [&](int i) { return FontValue(d.font_name[i], d.font_size[i], d.font_style[i]); };
  const std::string indent(kIndent);
  const std::string border_lines[3] = {indent + "border-style:" + d.cell_style + ";",
                                       indent + "border-width:" + d.cell_border + "pt;",
                                       indent + "border-color:" + d.cell_color + ";}"};
  std::vector<std::string> lines = {
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
      "<html>",
      "<head>",
      "<meta http-equiv=\"content-type\" content=\"text/html; charset=shift_jis\">",
      "<title>" + HtmlText(title) + "</title>",
      "<meta http-equiv=\"content-style-type\" content=\"text/css\">",
      "<style type=\"text/css\"><!--",
      "table.cal   {width:" + grid_width + ";",
      indent + "border-collapse:collapse;",
      border_lines[0],
      border_lines[1],
      border_lines[2],
      "td.title    {font:" + font(0) + ";",
      indent + "color:" + d.font_color[0] + ";",
      indent + "text-align:" + std::string(AlignWord(d.font_align[0])) + ";}",
      "td.local    {font:" + font(6) + ";",
      indent + "color:" + d.font_color[2] + ";}",
      "td.month    {font:" + font(1) + ";",
      indent + "color:" + d.font_color[1] + ";",
      indent + "text-align:" + std::string(AlignWord(d.font_align[1])) + ";}",
      "td.name     {font:" + font(2) + ";}",
      "tr.week     {font:" + font(3) + ";}",
      "td.week     {" + column_width,
      border_lines[0],
      border_lines[1],
      border_lines[2],
      "td.day      {font:" + font(4) + ";}",
      "span.holiday{font:" + font(5) + ";}",
      "td.cal      {" + cell_height + "border-style:" + border_style + ";",
      border_lines[1],
      border_lines[2],
      "div#memo    {" + memo_height + "border-style:" + d.memo_border_style + "; border-width:" + d.memo_border_width +
          "pt; border-color:" + d.memo_border_color + ";",
      indent + "font:" + FontValue(d.memo_font_name, d.memo_font_size, d.memo_font_style) + ";",
      indent + "color:" + d.memo_font_color + ";",
      indent + "text-align:left;padding:2mm;}",
      "--></style></head><body>",
  };
  return lines;
}

std::string Heading(const CalendarDocument& document, int year, int month) {
  const std::string title = HtmlText(document.title);
  const std::string month_cell =
      "<td class=\"month\">" + std::to_string(year) + "年" + std::to_string(month) + "月</td></tr></table>";
  if (document.show_local_name == 1) {
    return "<table border=\"0\" width=\"100%\"><tr><td class=\"title\" colspan=\"2\">" + title +
           "</td></tr><tr><td class=\"local\">" + HtmlText(document.local_name) + "</td>" + month_cell;
  }
  return "<table border=\"0\" width=\"100%\"><tr><td class=\"title\">" + title + "</td></tr><tr>" + month_cell;
}

std::string MemoLine(std::string_view memo_text) {
  const std::string escaped = HtmlText(memo_text);
  std::string line;
  line.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '\r' && i + 1 < escaped.size() && escaped[i + 1] == '\n') {
      line += "<br>";
      ++i;
    } else {
      line += escaped[i];
    }
  }
  return line;
}

}  // namespace

std::string HtmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string IconSource(std::string_view file_name) {
  const std::string escaped = HtmlText(file_name);
  std::string out;
  out.reserve(escaped.size());
  for (const char c : escaped) {
    switch (c) {
      case '%': out += "%25"; break;
      case '#': out += "%23"; break;
      case '?': out += "%3F"; break;
      default: out += c;
    }
  }
  return out;
}

std::string FontFamily(std::string_view name) {
  if (name == "[Generic(ゴシック体)]") return "sans-serif";
  if (name == "[Generic(明朝体)]") return "serif";
  if (name == "[Generic(等幅フォント)]") return "monospace";
  return "\"" + std::string(name) + "\"";
}

std::string FontValue(std::string_view name, std::string_view size, std::string_view style) {
  return std::string(StyleWords(style)) + std::string(SizeWord(size)) + FontFamily(name);
}

namespace {

// The lines of a month between the page's head and its closing line: the
// heading, the grid and the memo box.
void AppendMonth(std::vector<std::string>& lines, const MonthEntries& grid, const CalendarDocument& document,
                 const OutputSources& sources) {
  const int year = grid.year;
  const int month = grid.month;
  std::array<std::string, kGridCells + 1> day_text;
  day_text.fill(std::string(kBlank));
  for (int day = 1; day <= grid.days; ++day) {
    const int cell = day + grid.first;
    day_text[cell] = cell % 7 == 1 ? Red(day) : std::to_string(day);
  }
  // Every matching holiday in table order: the last one on a date is shown.
  for (const Holiday& holiday : sources.holidays) {
    if (holiday.date.year != year || holiday.date.month != month || holiday.date.day > grid.days) continue;
    const int day = holiday.date.day;
    std::string& text = day_text[day + grid.first];
    text = Red(day);
    if (sources.settings.show_holiday_names != 0) {
      text += "<span class=\"holiday\">&nbsp;" + HtmlText(holiday.name) + "</span>";
    }
  }

  lines.emplace_back(Heading(document, year, month));
  lines.emplace_back("<table class=\"cal\">");
  lines.emplace_back(
      "<tr class=\"week\"><td class=\"week\"><font color =\"red\">日</font></td><td class=\"week\">月</td>"
      "<td class=\"week\">火</td><td class=\"week\">水</td><td class=\"week\">木</td><td class=\"week\">金</td>"
      "<td class=\"week\">土</td></tr>");
  lines.emplace_back();
  const int rows = grid.DayOfCell(36) != 0 ? 6 : 5;
  for (int row = 0; row < rows; ++row) {
    lines.emplace_back("<tr>");
    for (int column = 1; column <= 7; ++column) {
      const int cell = row * 7 + column;
      std::string icons;
      std::string names;
      for (const CellEntry& entry : grid.cells[cell]) {
        if (!entry.image.empty()) {
          // A suppressed entry keeps its place in the row of icons.
          const std::string_view image = entry.suppressed ? kNoneImage : std::string_view(entry.image);
          icons += "<img src=\"img/" + IconSource(image) + "\" width=\"42\" height=\"40\">";
        }
        if (!names.empty()) names += "<br>";
        const std::string color = IsColorText(entry.color) ? entry.color : "#000000";
        names += "<font color=\"" + color + "\">" +
                 (entry.suppressed ? std::string(kBlank) : HtmlText(entry.category)) + "</font>";
      }
      if (icons.empty()) icons = kBlank;
      if (names.empty()) names = kBlank;
      std::string& line = lines.emplace_back(
          "<td class=\"cal\" valign=\"top\"><table border=\"0\" cellpadding=\"0\"><tr><td class=\"day\" "
          "valign=top>");
      line += day_text[cell];
      line += "</td></tr><tr><td>";
      line += icons;
      line += "</td></tr><tr><td class=\"name\">";
      line += names;
      line += "</td></tr></table></td>";
    }
    lines.emplace_back("</tr>");
  }
  lines.emplace_back("</table>");
  if (document.memo_output == 1) {
    lines.emplace_back("<br>");
    lines.emplace_back("<div id=\"memo\">");
    lines.emplace_back(MemoLine(sources.memo_text));
    lines.emplace_back("</div>");
  }
}

constexpr std::string_view kClosingLine = "</body></html>";

// What a page of several months adds to the end of the style sheet: A4
// sheets, and each month on a sheet of its own.
constexpr std::array<std::string_view, 3> kPrintRules = {
    "@page { size: A4; margin: 10mm; }",
    "div.sheet   {page-break-inside: avoid;}",
    "div.sheet + div.sheet {page-break-before: always;}",
};

}  // namespace

std::vector<std::string> PageLines(const std::vector<MonthEntries>& grids, const CalendarDocument& document,
                                   const OutputSources& sources) {
  std::vector<std::string> lines = StyleSheet(sources.settings.design, document.title);
  if (grids.size() == 1) {
    AppendMonth(lines, grids.front(), document, sources);
  } else {
    // Into the style sheet, before the line that ends it.
    lines.insert(lines.end() - 1, kPrintRules.begin(), kPrintRules.end());
    for (const MonthEntries& grid : grids) {
      lines.emplace_back("<div class=\"sheet\">");
      AppendMonth(lines, grid, document, sources);
      lines.emplace_back("</div>");
    }
  }
  lines.emplace_back(kClosingLine);
  return lines;
}

std::optional<std::vector<std::string>> PageLines(int year, int month, const CalendarDocument& document,
                                                  const OutputSources& sources) {
  return MonthsPageLines(year, month, 1, document, sources);
}

std::optional<std::vector<std::string>> MonthsPageLines(int year, int month, int months,
                                                        const CalendarDocument& document,
                                                        const OutputSources& sources) {
  if (months < 1 || months > kMaxPageMonths) return std::nullopt;
  const std::optional<std::vector<MonthEntries>> grids = EvaluateMonths(document, {year, month, months}, sources);
  if (!grids) return std::nullopt;
  return PageLines(*grids, document, sources);
}

std::string PageBytes(const std::vector<std::string>& lines) {
  // Line by line into one buffer: a page of many months never stands in
  // memory twice. No character spans two lines, so the bytes are those of
  // the whole text encoded at once.
  std::string bytes;
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    sjis::AppendWithReferences(line, bytes);
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace dustora
