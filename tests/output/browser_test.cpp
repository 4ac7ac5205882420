// The page as a real browser reads it: headless Chromium decodes the
// Shift_JIS file and the test checks the document it builds.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>

#include "document/dsc_file.h"
#include "output/page.h"
#include "output/sheet.h"
#include "support/command_output.h"
#include "support/default_settings.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

using testing::CommandOutput;

// Headless Chromium with a profile of its own in `dir`, doing `what` to the
// file `page`.
std::string Chromium(const testing::TempFolder& dir, const std::string& what, const std::string& page) {
  return CommandOutput(
      "timeout 120 chromium --headless --no-sandbox --disable-gpu "
      "--disable-background-networking --disable-component-update --disable-sync "
      "--no-first-run --user-data-dir=" +
      dir.Join("profile") + " " + what + " 'file://" + page + "' 2>/dev/null");
}

// The DOM Chromium builds from a file, serialised.
std::string DumpDom(const testing::TempFolder& dir, const std::string& page) {
  return Chromium(dir, "--dump-dom", page);
}

std::string TextOf(const std::string& html) {
  return std::regex_replace(html, std::regex("<[^>]*>"), "");
}

std::vector<std::string> Matches(const std::string& text, const std::string& pattern) {
  std::vector<std::string> found;
  const std::regex re(pattern);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it) {
    found.push_back((*it)[1].str());
  }
  return found;
}

struct Rendered {
  std::string dom;
  int rows = 0;
  std::vector<int> days;
};

Rendered Render(int year, int month, CalendarDocument& doc, const OutputSources& sources) {
  testing::TempFolder dir;
  const auto lines = PageLines(year, month, doc, sources);
  EXPECT_TRUE(lines.has_value());
  const std::string page = dir.Write("temp.html", PageBytes(*lines));
  Rendered r;
  r.dom = DumpDom(dir, page);
  r.rows = static_cast<int>(Matches(r.dom, "(<td class=\"cal\")").size()) / 7;
  for (const std::string& cell : Matches(r.dom, "<td class=\"day\" valign=\"top\">(.*?)</td>")) {
    const std::string text = TextOf(cell);
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') r.days.push_back(std::stoi(text));
  }
  return r;
}

TEST(BrowserTest, ChromiumReadsThePageAsWritten) {
  CalendarDocument doc;
  doc.title = "ごみ&カレンダー";
  doc.memo_output = 1;
  doc.StoreRow(RuleKind::EveryWeek, 0, {"月", "燃やせるごみ", "", "#FF0000"});
  doc.StoreRow(RuleKind::Week2nd, 0, {"水", "ペットボトル", "", "#008000"});
  AppSettings settings;
  settings.show_holiday_names = 1;
  const HolidayTable holidays = {{Date{2011, 1, 1}, "元日"}, {Date{2011, 1, 10}, "成人の日"}};
  const NoneTermTable periods;
  const OutputSources sources{settings, holidays, periods, "メモ:\r\n<キャップを外す>\r\n"};

  const Rendered january = Render(2011, 1, doc, sources);
  ASSERT_FALSE(january.dom.empty()) << "chromium did not answer";
  EXPECT_NE(january.dom.find("<title>ごみ&amp;カレンダー</title>"), std::string::npos);
  EXPECT_EQ(TextOf(january.dom.substr(january.dom.find("<tr class=\"week\">"), 600)).substr(0, 21), "日月火水木金土");
  std::vector<int> expected_days;
  for (int d = 1; d <= 31; ++d) expected_days.push_back(d);
  EXPECT_EQ(january.days, expected_days);
  EXPECT_EQ(january.rows, 6);
  EXPECT_NE(january.dom.find("&nbsp;成人の日</span>"), std::string::npos);
  EXPECT_NE(january.dom.find(">燃やせるごみ</font>"), std::string::npos);
  EXPECT_NE(january.dom.find(">ペットボトル</font>"), std::string::npos);
  // The memo line is text, not markup.
  EXPECT_NE(january.dom.find("メモ:<br>&lt;キャップを外す&gt;<br>"), std::string::npos);

  const Rendered february = Render(2015, 2, doc, sources);
  EXPECT_EQ(february.rows, 5);
  EXPECT_EQ(february.days.size(), 28u);
}

using testing::DefaultSettings;

// The sheets of a page as Chromium prints it to PDF without header and
// footer, each as pdftotext reads it; `info` gets pdfinfo's report.
std::vector<std::string> PrintedSheets(const std::vector<std::string>& lines, std::string* info = nullptr) {
  testing::TempFolder dir;
  const std::string page = dir.Write("year.html", PageBytes(lines));
  std::filesystem::create_directory_symlink(std::string(DUSTORA_SHIPPED_DIR) + "/img", dir.Join("img"));
  const std::string pdf = dir.Join("year.pdf");
  Chromium(dir, "--no-pdf-header-footer --print-to-pdf=" + pdf, page);
  EXPECT_TRUE(std::filesystem::exists(pdf)) << "chromium printed nothing";
  if (info != nullptr) *info = CommandOutput("pdfinfo '" + pdf + "'");
  const std::string text = CommandOutput("pdftotext -raw '" + pdf + "' -");
  std::vector<std::string> sheets;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1) {
    sheets.push_back(text.substr(start, end - start));
  }
  return sheets;
}

// A fiscal year of the shipped sample in the default design, printed as a
// user prints it: twelve A4 sheets, each headed by its own month, the
// six-week months (2026/5, 2026/8, 2027/1) included.
TEST(BrowserTest, AYearPagePrintsOneMonthToAnA4Sheet) {
  Report report;
  CalendarDocument doc;
  doc.Clear(2026, 4);
  doc.document_path = std::string(DUSTORA_SHIPPED_DIR) + "/sample.dsc";
  AppSettings settings = DefaultSettings();
  std::string memo;
  ASSERT_TRUE(ReadDscFile(doc, settings, memo, Date{2011, 4, 1}, report));
  doc.memo_output = 1;
  memo = "メモ:\r\n収集日の朝8時30分までに出してください.\r\n年末年始は回収がありません.\r\n";
  settings.show_holiday_names = 1;
  const HolidayTable holidays = {
      {Date{2026, 5, 3}, "憲法記念日"}, {Date{2026, 5, 4}, "みどりの日"}, {Date{2026, 5, 5}, "こどもの日"},
      {Date{2026, 5, 6}, "休日"},       {Date{2026, 9, 21}, "敬老の日"},  {Date{2026, 9, 22}, "休日"},
      {Date{2026, 9, 23}, "秋分の日"},  {Date{2027, 1, 1}, "元日"},       {Date{2027, 1, 11}, "成人の日"}};
  const NoneTermTable periods = {{Date{2026, 12, 31}, Date{2027, 1, 3}, "[すべて]"}};
  const OutputSources sources{settings, holidays, periods, memo};
  const auto lines = MonthsPageLines(2026, 4, 12, doc, sources);
  ASSERT_TRUE(lines.has_value());

  std::string info;
  const std::vector<std::string> sheets = PrintedSheets(*lines, &info);
  EXPECT_TRUE(std::regex_search(info, std::regex("\nPages: +12\n"))) << info;
  EXPECT_TRUE(std::regex_search(info, std::regex("Page size: .* pts \\(A4\\)\n"))) << info;
  // One sheet each, in order: every sheet names its own month and no other.
  ASSERT_EQ(sheets.size(), 12u);
  for (std::size_t i = 0; i < 12; ++i) {
    const int year = i < 9 ? 2026 : 2027;
    const int month = static_cast<int>(i + 3) % 12 + 1;
    EXPECT_EQ(Matches(sheets[i], "(20[0-9]+年[0-9]+月)"),
              std::vector<std::string>{std::to_string(year) + "年" + std::to_string(month) + "月"})
        << "sheet " << i + 1;
    EXPECT_NE(sheets[i].find("年末年始は回収がありません"), std::string::npos) << "sheet " << i + 1 << " lost its memo";
  }
}

// Every month starts on a new sheet, whether two would fit on one or one
// is taller than a sheet.
TEST(BrowserTest, EveryMonthStartsANewSheetWhateverItsHeight) {
  CalendarDocument doc;
  doc.title = "緑町のごみカレンダー";
  AppSettings settings = DefaultSettings();
  settings.design.fixed_cell_height = 1;
  const HolidayTable holidays;
  const NoneTermTable periods;
  const OutputSources sources{settings, holidays, periods, ""};
  for (const char* height : {"5", "60"}) {  // a grid row of 5 mm, and one of 60 mm
    settings.design.cell_height = height;
    const auto lines = MonthsPageLines(2026, 7, 3, doc, sources);  // July and August have six weeks
    ASSERT_TRUE(lines.has_value());
    const std::vector<std::string> sheets = PrintedSheets(*lines);
    // A month's title opens a sheet: nothing of the month before stands above it.
    std::vector<std::string> headings;
    for (const std::string& sheet : sheets) {
      const std::size_t title = sheet.find("緑町のごみカレンダー");
      if (title == std::string::npos) continue;
      EXPECT_EQ(sheet.find_first_not_of(" \n"), title) << height << " mm: " << sheet;
      const std::vector<std::string> found = Matches(sheet, "(2026年[0-9]+月)");
      headings.insert(headings.end(), found.begin(), found.end());
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"2026年7月", "2026年8月", "2026年9月"})) << height << " mm";
    if (std::string(height) == "5") {
      EXPECT_EQ(sheets.size(), 3u);
    } else {
      EXPECT_GT(sheets.size(), 3u);  // each month ran over its sheet
    }
  }
}

// Lays out the sheet in Chromium and says how many marks and day numbers
// lie outside their day cell, and whether anything of the sheet runs past
// its page.
constexpr std::string_view kSheetCheck = R"(<!DOCTYPE html><html><body><pre id="out"></pre>
<iframe id="sheet" src="year.html" style="width:210mm;height:297mm"></iframe>
<script>
document.getElementById('sheet').onload = function () {
  const doc = this.contentDocument;
  let boxes = 0, outside = 0;
  for (const span of doc.querySelectorAll('span.m, span.n')) {
    const cell = span.closest('td').getBoundingClientRect();
    const range = doc.createRange();
    range.selectNodeContents(span);
    for (const box of range.getClientRects()) {
      ++boxes;
      if (box.left < cell.left || box.right > cell.right || box.top < cell.top || box.bottom > cell.bottom) ++outside;
    }
  }
  const sheet = doc.querySelector('div.sheet');
  document.getElementById('out').textContent =
      'boxes ' + boxes + ' outside ' + outside + ' overflow ' + (sheet.scrollHeight - sheet.clientHeight);
};
</script></body></html>)";

// An area that asks much of one sheet: eight categories with long names,
// three of them on the second Wednesday, a six-week August, dated changes,
// periods and a memo longer than the sheet shows.
CalendarDocument BusyArea() {
  CalendarDocument doc;
  doc.title = "令和8年度 家庭ごみ・資源物収集カレンダー";
  doc.local_name = "緑が丘一丁目・二丁目・三丁目（東地区）";
  doc.show_local_name = 1;
  doc.memo_output = 1;
  doc.StoreRow(RuleKind::EveryWeek, 0, {"月", "燃やせるごみ", "", "#D32F2F"});
  doc.StoreRow(RuleKind::EveryWeek2, 0, {"木", "燃やせるごみ", "", "#D32F2F"});
  doc.StoreRow(RuleKind::EveryWeek, 1, {"水", "プラスチック製容器包装", "", "#388E3C"});
  doc.StoreRow(RuleKind::Week2nd, 0, {"水", "空きかん・空きびん・ペットボトル", "", "#1565C0"});
  doc.StoreRow(RuleKind::Week4th, 0, {"水", "空きかん・空きびん・ペットボトル", "", "#1565C0"});
  doc.StoreRow(RuleKind::Week2nd, 1, {"水", "古紙・古布", "", "#7B1FA2"});
  doc.StoreRow(RuleKind::EveryOtherA, 0, {"火", "小型家電", "", "#00838F"});
  doc.StoreRow(RuleKind::EveryOtherB, 0, {"火", "有害ごみ（電池・蛍光管）", "", "#795548"});
  doc.StoreRow(RuleKind::Special, 0, {"10", "粗大ごみ（申込制）", "", "#E65100"});
  doc.StoreRow(RuleKind::Odd, 0, {"土", "剪定枝", "", "#546E7A"});
  doc.months[SlotOf(RuleKind::Odd, 0)] = 0x0FF0;  // April to November
  doc.every_other_base = Date{2026, 4, 7};
  doc.day_changes = {{std::nullopt, 1, 2, false, "[すべて]"},
                     {2027, 1, 9, true, "燃やせるごみ"},
                     {2026, 7, 20, false, "燃やせるごみ"}};
  doc.holiday_rules = {"小型家電"};
  return doc;
}

TEST(BrowserTest, TheSheetPrintsOnOneA4PageWithEveryMarkInItsCell) {
  AppSettings settings = DefaultSettings();
  const HolidayTable holidays = {{Date{2026, 5, 4}, "みどりの日"}, {Date{2026, 7, 20}, "海の日"}};
  const NoneTermTable periods = {{Date{2026, 12, 29}, Date{2027, 1, 3}, "[すべて]"},
                                 {Date{2026, 8, 13}, Date{2026, 8, 15}, "粗大ごみ（申込制）"}};
  std::string long_memo;
  for (int i = 0; i < 6; ++i) {
    long_memo += "お問い合わせ: 市役所 環境部 ごみ減量推進課 電話 0000-00-0000 (平日 8時30分～17時15分) ";
    long_memo += "収集日の朝8時30分までに、決められた場所へ出してください.\r\n";
  }
  CalendarDocument sample;
  sample.document_path = std::string(DUSTORA_SHIPPED_DIR) + "/sample.dsc";
  std::string memo;
  Report report;
  ASSERT_TRUE(ReadDscFile(sample, settings, memo, Date{2026, 4, 1}, report));
  const CalendarDocument busy = BusyArea();

  for (const auto& [doc, memo_text] :
       {std::pair<const CalendarDocument*, std::string>{&sample, ""}, {&busy, long_memo}}) {
    const OutputSources sources{settings, holidays, periods, memo_text};
    const auto months = EvaluateMonths(*doc, {2026, 4, 12}, sources);
    ASSERT_TRUE(months.has_value());
    const std::vector<std::string> lines = SheetLines(*months, *doc, sources);
    std::string info;
    const std::vector<std::string> pages = PrintedSheets(lines, &info);
    EXPECT_TRUE(std::regex_search(info, std::regex("\nPages: +1\n"))) << doc->title << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Page size: .* pts \\(A4\\)\n"))) << info;
    ASSERT_EQ(pages.size(), 1u);
    // The twelve months in order, each heading a line of its own.
    std::size_t at = 0;
    for (int i = 0; i < 12; ++i) {
      const std::string heading =
          "\n" + std::to_string(i < 9 ? 2026 : 2027) + "年" + std::to_string((i + 3) % 12 + 1) + "月\n";
      at = pages[0].find(heading, at);
      EXPECT_NE(at, std::string::npos) << heading;
    }
    // Each line of the legend whole, wherever the column broke it.
    const auto compact = [](std::string text) {
      for (const std::string_view blank : {"\n", " ", "　"}) {
        for (std::size_t i; (i = text.find(blank)) != std::string::npos;) text.erase(i, blank.size());
      }
      return text;
    };
    int legend_lines = 0;
    for (const std::string& line : lines) {
      if (!line.starts_with("<p")) continue;
      ++legend_lines;
      const std::string text = TextOf(line);
      EXPECT_NE(compact(pages[0]).find(compact(text)), std::string::npos) << text;
    }
    EXPECT_GE(legend_lines, 8);

    testing::TempFolder dir;
    dir.Write("year.html", PageBytes(lines));
    const std::string check = dir.Write("check.html", std::string(kSheetCheck));
    const std::string result = Chromium(dir, "--allow-file-access-from-files --dump-dom", check);
    EXPECT_TRUE(std::regex_search(result, std::regex("boxes [1-9][0-9]+ outside 0 overflow 0"))) << result;
  }
}

}  // namespace
}  // namespace dustora
