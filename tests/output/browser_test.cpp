// The page as a real browser reads it: headless Chromium decodes the
// Shift_JIS file and the test checks the document it builds.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "output/page.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

// The DOM Chromium builds from a file, serialised.
std::string DumpDom(const testing::TempFolder& dir, const std::string& page) {
  const std::string command =
      "timeout 120 chromium --headless --no-sandbox --disable-gpu "
      "--disable-background-networking --disable-component-update --disable-sync "
      "--no-first-run --user-data-dir=" +
      dir.Join("profile") + " --dump-dom 'file://" + page + "' 2>/dev/null";
  std::string dom;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) dom.append(buffer, got);
    ::pclose(pipe);
  }
  return dom;
}

std::string TextOf(std::string html) {
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

Rendered Render(int year, int month, CalendarDocument& doc, const PageSources& sources) {
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
  const PageSources sources{settings, holidays, periods, "メモ:\r\n<キャップを外す>\r\n"};

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

}  // namespace
}  // namespace dustora
