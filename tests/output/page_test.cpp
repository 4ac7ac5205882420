#include "output/page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/date.h"

#include "core/encoding.h"
#include "support/default_settings.h"
#include "support/report_texts.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

using testing::DefaultSettings;

class PageTest : public ::testing::Test {
 protected:
  std::vector<std::string> Lines(int year, int month) {
    const OutputSources sources{settings, holidays, periods, memo};
    auto lines = PageLines(year, month, doc, sources);
    EXPECT_TRUE(lines.has_value());
    return lines ? *lines : std::vector<std::string>{};
  }
  // The cell lines of the grid, cells 1..42 (or 1..35).
  std::vector<std::string> Cells(const std::vector<std::string>& lines) {
    std::vector<std::string> cells;
    for (const std::string& line : lines) {
      if (line.starts_with("<td class=\"cal\"")) cells.push_back(line);
    }
    return cells;
  }
  static std::string Cell(std::string_view day, std::string_view icons, std::string_view names) {
    return "<td class=\"cal\" valign=\"top\"><table border=\"0\" cellpadding=\"0\"><tr><td class=\"day\" valign=top>" +
           std::string(day) + "</td></tr><tr><td>" + std::string(icons) + "</td></tr><tr><td class=\"name\">" +
           std::string(names) + "</td></tr></table></td>";
  }

  CalendarDocument doc;
  AppSettings settings = DefaultSettings();
  HolidayTable holidays;
  NoneTermTable periods;
  std::string memo = "メモ:\r\n";
};

TEST_F(PageTest, FrameAndStyleSheetOfTheDefaultDesign) {
  const auto lines = Lines(2011, 4);
  const std::vector<std::string> expected = {
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
      "<html>",
      "<head>",
      "<meta http-equiv=\"content-type\" content=\"text/html; charset=shift_jis\">",
      "<title>ダストーラ</title>",
      "<meta http-equiv=\"content-style-type\" content=\"text/css\">",
      "<style type=\"text/css\"><!--",
      "table.cal   {width:100%;",
      "             border-collapse:collapse;",
      "             border-style:solid;",
      "             border-width:1pt;",
      "             border-color:#000000;}",
      "td.title    {font:normal normal bold x-large \"ＭＳ Ｐゴシック\";",
      "             color:#0000FF;",
      "             text-align:center;}",
      "td.local    {font:normal normal bold large \"ＭＳ Ｐゴシック\";",
      "             color:#000000;}",
      "td.month    {font:normal normal bold x-large \"ＭＳ Ｐゴシック\";",
      "             color:#008000;",
      "             text-align:right;}",
      "td.name     {font:normal normal normal small \"ＭＳ Ｐゴシック\";}",
      "tr.week     {font:normal normal normal large \"ＭＳ Ｐゴシック\";}",
      "td.week     {width:14.2%;",
      "             border-style:solid;",
      "             border-width:1pt;",
      "             border-color:#000000;}",
      "td.day      {font:normal normal normal large \"ＭＳ Ｐゴシック\";}",
      "span.holiday{font:normal normal normal small \"ＭＳ Ｐゴシック\";}",
      "td.cal      {border-style:solid;",
      "             border-width:1pt;",
      "             border-color:#000000;}",
      "div#memo    {border-style:solid; border-width:1pt; border-color:#000000;",
      "             font:normal normal normal medium \"ＭＳ Ｐゴシック\";",
      "             color:#000000;",
      "             text-align:left;padding:2mm;}",
      "--></style></head><body>",
      // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one line of the page, split for width
      "<table border=\"0\" width=\"100%\"><tr><td class=\"title\">ダストーラ</td></tr><tr><td "
      "class=\"month\">2011年4月</td></tr></table>",
      "<table class=\"cal\">",
      "<tr class=\"week\"><td class=\"week\"><font color =\"red\">日</font></td><td class=\"week\">月</td><td "
      "class=\"week\">火</td><td class=\"week\">水</td><td class=\"week\">木</td><td class=\"week\">金</td><td "
      "class=\"week\">土</td></tr>",
      "",
      "<tr>",
  };
  ASSERT_GE(lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
  EXPECT_EQ(lines.back(), "</body></html>");
  EXPECT_EQ(lines[lines.size() - 2], "</table>");
  // April 2011 starts on a Friday: five rows of "<tr>", seven cells, "</tr>".
  EXPECT_EQ(lines.size(), 36u + 4 + 5 * 9 + 2);
}

TEST_F(PageTest, DesignVariants) {
  DesignSettings& d = settings.design;
  d.font_name[0] = "[Generic(ゴシック体)]";
  d.font_size[0] = "4";
  d.font_style[0] = "通常";
  d.font_name[1] = "[Generic(明朝体)]";
  d.font_size[1] = "8";  // no size word
  d.font_style[1] = "両方";
  d.font_name[2] = "[Generic(等幅フォント)]";
  d.font_style[2] = "Bold";  // no style words
  d.font_align[0] = "真ん中";
  d.fixed_table_width = 1;
  d.fixed_cell_height = 1;
  d.cell_height = "25";
  d.equal_columns = 0;
  d.fixed_memo_height = 1;
  d.memo_height = "40";
  const auto lines = Lines(2011, 4);
  EXPECT_EQ(lines[7], "table.cal   {width:180mm;");
  EXPECT_EQ(lines[12], "td.title    {font:normal normal normal medium sans-serif;");
  EXPECT_EQ(lines[14], "             text-align:;}");
  EXPECT_EQ(lines[17], "td.month    {font:italic normal bold serif;");
  EXPECT_EQ(lines[20], "td.name     {font:small monospace;}");
  EXPECT_EQ(lines[22], "td.week     {width:30mm;");
  EXPECT_EQ(lines[28], "td.cal      {height:25mm; border-style:solid;");
  EXPECT_EQ(lines[31],
            "div#memo    {height:40mm; overflow:hidden; border-style:solid; border-width:1pt; border-color:#000000;");
}

TEST_F(PageTest, DayNumbersRowsAndHolidays) {
  // January 2011 starts on a Saturday and has 31 days: six rows.
  holidays = {{Date{2011, 1, 1}, "元日"}, {Date{2011, 1, 10}, "成人の日"}, {Date{2011, 1, 10}, "後の名前"}};
  auto cells = Cells(Lines(2011, 1));
  ASSERT_EQ(cells.size(), 42u);
  EXPECT_EQ(cells[0], Cell("&nbsp;", "&nbsp;", "&nbsp;"));
  EXPECT_EQ(cells[6],
            Cell("<font color=\"red\">1</font><span class=\"holiday\">&nbsp;元日</span>", "&nbsp;", "&nbsp;"));
  EXPECT_EQ(cells[7], Cell("<font color=\"red\">2</font>", "&nbsp;", "&nbsp;"));
  EXPECT_EQ(cells[8], Cell("3", "&nbsp;", "&nbsp;"));
  EXPECT_EQ(cells[15],
            Cell("<font color=\"red\">10</font><span class=\"holiday\">&nbsp;後の名前</span>", "&nbsp;", "&nbsp;"));
  EXPECT_EQ(cells[36], Cell("31", "&nbsp;", "&nbsp;"));
  EXPECT_EQ(cells[37], Cell("&nbsp;", "&nbsp;", "&nbsp;"));
  settings.show_holiday_names = 0;
  cells = Cells(Lines(2011, 1));
  EXPECT_EQ(cells[15], Cell("<font color=\"red\">10</font>", "&nbsp;", "&nbsp;"));
  // February 2015: 28 days from a Sunday, and still five rows.
  cells = Cells(Lines(2015, 2));
  ASSERT_EQ(cells.size(), 35u);
  EXPECT_EQ(cells[0], Cell("<font color=\"red\">1</font>", "&nbsp;", "&nbsp;"));
  EXPECT_EQ(cells[28], Cell("&nbsp;", "&nbsp;", "&nbsp;"));
  // Six rows for 31 days from a Friday and 30 days from a Saturday, else five.
  for (int month = 1; month <= 12; ++month) {
    const int first = Date{2026, month, 1}.Weekday();
    const int days = DaysInMonth(2026, month);
    const std::size_t rows = first + days > 35 ? 6 : 5;
    EXPECT_EQ(Cells(Lines(2026, month)).size(), rows * 7) << month;
  }
}

TEST_F(PageTest, EntriesIconsColoursAndSuppression) {
  doc.StoreRow(RuleKind::Week1st, 0, {"水", "びん", "bin.gif", "#0000FF"});
  doc.StoreRow(RuleKind::EveryWeek, 0, {"水", "燃やせるごみ", "moeru.gif", ""});
  doc.StoreRow(RuleKind::EveryWeek, 1, {"水", "古紙", "", "red"});
  doc.color[0].clear();
  periods = {{Date{2011, 6, 8}, Date{2011, 6, 8}, "燃やせるごみ"}, {Date{2011, 6, 15}, Date{2011, 6, 15}, "古紙"}};
  const auto cells = Cells(Lines(2011, 6));  // June 2011 starts on a Wednesday
  EXPECT_EQ(cells[3],
            Cell("1",
                 "<img src=\"img/bin.gif\" width=\"42\" height=\"40\"><img src=\"img/moeru.gif\" width=\"42\" "
                 "height=\"40\">",
                 "<font color=\"#0000FF\">びん</font><br><font color=\"#000000\">燃やせるごみ</font><br><font "
                 "color=\"#000000\">古紙</font>"));
  EXPECT_EQ(cells[10], Cell("8", "<img src=\"img/dscnone.gif\" width=\"42\" height=\"40\">",
                            "<font color=\"#000000\">&nbsp;</font><br><font color=\"#000000\">古紙</font>"));
  // A suppressed entry without an icon adds none.
  EXPECT_EQ(cells[17], Cell("15", "<img src=\"img/moeru.gif\" width=\"42\" height=\"40\">",
                            "<font color=\"#000000\">燃やせるごみ</font><br><font color=\"#000000\">&nbsp;</font>"));
  EXPECT_TRUE(doc.color[0].empty());  // a page alone leaves the document as it is
}

TEST_F(PageTest, UserTextIsEscaped) {
  doc.title = "<ごみ&\"カレンダー\">";
  doc.local_name = "A&B町";
  doc.show_local_name = 1;
  doc.memo_output = 1;
  memo = "メモ:\r\n<キャップを外す>\r\nびん & かん\r\n";
  holidays = {{Date{2011, 4, 29}, "<昭和の日>"}};
  doc.StoreRow(RuleKind::Special, 0, {"1", "かん<缶>", "a#1 %?.gif", "#00ff00"});
  const auto lines = Lines(2011, 4);
  EXPECT_EQ(lines[4], "<title>&lt;ごみ&amp;&quot;カレンダー&quot;&gt;</title>");
  EXPECT_EQ(
      lines[36],
      "<table border=\"0\" width=\"100%\"><tr><td class=\"title\" colspan=\"2\">&lt;ごみ&amp;&quot;カレンダー&quot;&gt;"
      "</td></tr><tr><td class=\"local\">A&amp;B町</td><td class=\"month\">2011年4月</td></tr></table>");
  const auto cells = Cells(lines);
  EXPECT_EQ(cells[5], Cell("1", "<img src=\"img/a%231 %25%3F.gif\" width=\"42\" height=\"40\">",
                           "<font color=\"#00ff00\">かん&lt;缶&gt;</font>"));
  EXPECT_NE(cells[33].find("&nbsp;&lt;昭和の日&gt;</span>"), std::string::npos);
  const auto memo_line = std::find(lines.begin(), lines.end(), "<div id=\"memo\">");
  ASSERT_NE(memo_line, lines.end());
  EXPECT_EQ(*(memo_line - 1), "<br>");
  EXPECT_EQ(*(memo_line + 1), "メモ:<br>&lt;キャップを外す&gt;<br>びん &amp; かん<br>");
  EXPECT_EQ(*(memo_line + 2), "</div>");
  EXPECT_EQ(lines.back(), "</body></html>");
}

TEST_F(PageTest, MemoAndAreaFlagsOtherThanOneAreOff) {
  doc.memo_output = 2;
  doc.show_local_name = 2;
  const auto lines = Lines(2011, 4);
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "<div id=\"memo\">"), lines.end());
  EXPECT_EQ(lines[36].find("colspan"), std::string::npos);
}

TEST(PageBytesTest, ShiftJisWithCrLfAndReferences) {
  EXPECT_EQ(PageBytes({"ごみ", "😀剝"}), sjis::Encode("ごみ\r\n").bytes + "&#128512;&#21085;\r\n");
}

// The lines of `lines` after the head (the line that ends the style sheet)
// and before the closing line.
std::vector<std::string> Body(const std::vector<std::string>& lines) {
  const auto head_end = std::find(lines.begin(), lines.end(), "--></style></head><body>");
  EXPECT_NE(head_end, lines.end());
  return {head_end + 1, lines.end() - 1};
}

TEST_F(PageTest, EachMonthOfAYearPageIsThatMonthsOwnPage) {
  doc.title = "緑町";
  doc.local_name = "三丁目";
  doc.show_local_name = 1;
  doc.memo_output = 1;
  doc.StoreRow(RuleKind::EveryWeek, 0, {"火", "燃やせるごみ", "moeru.gif", "#FF0000"});
  doc.StoreRow(RuleKind::Week2nd, 0, {"水", "ペットボトル", "", "#008000"});
  doc.StoreRow(RuleKind::EveryOtherA, 0, {"金", "古紙", "", ""});
  doc.StoreRow(RuleKind::Even, 0, {"土", "びん", "", ""});
  doc.StoreRow(RuleKind::Special, 0, {"1", "かん", "", ""});
  settings.every_other_base = "2011/4/1";
  settings.special_sunday_option = 1;
  settings.show_holiday_names = 1;
  holidays = {{Date{2011, 11, 3}, "文化の日"}, {Date{2012, 1, 1}, "元日"}, {Date{2012, 1, 2}, "振替休日"}};
  periods = {{Date{2011, 12, 29}, Date{2012, 1, 3}, "[すべて]"}};  // across the year end
  const OutputSources sources{settings, holidays, periods, memo};

  const auto year = MonthsPageLines(2011, 4, 12, doc, sources);
  ASSERT_TRUE(year.has_value());
  const auto april = Lines(2011, 4);
  // The month page's head with the print rules at the end of its style sheet.
  std::vector<std::string> head(april.begin(), april.end() - static_cast<std::ptrdiff_t>(Body(april).size()) - 1);
  head.insert(head.end() - 1, {"@page { size: A4; margin: 10mm; }", "div.sheet   {page-break-inside: avoid;}",
                               "div.sheet + div.sheet {page-break-before: always;}"});
  ASSERT_GT(year->size(), head.size());
  EXPECT_TRUE(std::equal(head.begin(), head.end(), year->begin()));
  EXPECT_EQ(year->back(), "</body></html>");

  std::vector<std::string> expected = head;
  int y = 2011;
  int m = 4;
  for (int i = 0; i < 12; ++i) {
    const auto month = Body(Lines(y, m));
    expected.emplace_back("<div class=\"sheet\">");
    expected.insert(expected.end(), month.begin(), month.end());
    expected.emplace_back("</div>");
    if (++m > 12) {
      m = 1;
      ++y;
    }
  }
  expected.emplace_back("</body></html>");
  ASSERT_EQ(*year, expected);

  // The period across the year end: New Year's Day shows no collection, its
  // holiday name does.
  const std::string page = PageBytes(*year);
  EXPECT_NE(sjis::Decode(page).find("2012年1月"), std::string::npos);
  const auto january = Cells(Lines(2012, 1));
  EXPECT_NE(january[0].find("元日"), std::string::npos);
  EXPECT_EQ(january[2].find("燃やせるごみ"), std::string::npos);  // Tuesday the 3rd, inside the period
  EXPECT_NE(january[9].find("燃やせるごみ"), std::string::npos);  // Tuesday the 10th
}

TEST_F(PageTest, OneMonthIsTheMonthPageAndTheCountIsBounded) {
  doc.StoreRow(RuleKind::EveryWeek, 0, {"月", "燃やせるごみ", "", ""});
  const OutputSources sources{settings, holidays, periods, memo};
  EXPECT_EQ(MonthsPageLines(2011, 4, 1, doc, sources), Lines(2011, 4));
  EXPECT_FALSE(MonthsPageLines(2011, 4, 0, doc, sources).has_value());
  EXPECT_FALSE(MonthsPageLines(2011, 4, kMaxPageMonths + 1, doc, sources).has_value());
  const auto most = MonthsPageLines(2011, 4, kMaxPageMonths, doc, sources);
  ASSERT_TRUE(most.has_value());
  EXPECT_EQ(std::count(most->begin(), most->end(), "<div class=\"sheet\">"), kMaxPageMonths);
  EXPECT_TRUE(MonthsPageLines(9999, 11, 2, doc, sources).has_value());
  EXPECT_FALSE(MonthsPageLines(9999, 11, 3, doc, sources).has_value());  // no year 10000
}

}  // namespace
}  // namespace dustora
