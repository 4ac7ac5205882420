#include "output/output_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/encoding.h"
#include "output/outputs.h"
#include "support/default_settings.h"
#include "support/report_texts.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

// Every output through the one routine: what it writes, what it holds, and
// each failure reported under its own tag, the file left as it was.
TEST(WriteOutputTest, EachOutputWritesOrReportsUnderItsTag) {
  struct Case {
    const Output& output;
    int months;           // written from April 2011
    std::size_t items;    // months of a page, days of a calendar
    std::size_t kept;     // evaluated months it leaves the caller
    MonthSpan unlaid;     // a span it cannot lay out
    const char* begins;   // what the file begins with (decoded)
    const char* failure;  // how a failure's box begins
  };
  const Case cases[] = {
      {MonthPageOutput(),
       1,
       1,
       1,
       {2011, 13, 1},
       "<!DOCTYPE HTML",
       "ご迷惑をおかけしています.(MakeHtml)\r\n想定外の事象が発生しました。\r\n番号: "},
      {MonthsPageOutput(),
       3,
       3,
       3,
       {9999, 12, 2},
       "<!DOCTYPE HTML",
       "ご迷惑をおかけしています.(MakeYearHtml)\r\n想定外の事象が発生しました。\r\n番号: "},
      {ICalendarOutput(),
       12,
       12,
       0,
       {9999, 2, 12},
       "BEGIN:VCALENDAR\r\n",
       "エラーが発生しました(WriteICalFile)\r\nエラー番号: "},
  };
  CalendarDocument document;
  document.StoreRow(RuleKind::Special, 0, {"10", "古紙", "", ""});
  const AppSettings settings = testing::DefaultSettings();
  const HolidayTable holidays;
  NoneTermTable periods;
  const OutputSources sources{settings, holidays, periods, ""};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output.Traits().title);
    testing::TempFolder dir;
    const std::string path = dir.Join("out");
    Report report;
    OutputRequest request;
    request.months = {2011, 4, c.months};
    const OutputResult written = WriteOutput(c.output, document, sources, request, path, report);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.made.items, c.items);
    EXPECT_EQ(written.months.size(), c.kept);
    const std::string bytes = dir.Read("out");
    EXPECT_TRUE(sjis::Decode(bytes).starts_with(c.begins));
    EXPECT_TRUE(report.empty());

    request.months = c.unlaid;
    EXPECT_EQ(WriteOutput(c.output, document, sources, request, path, report).failure, OutputFailure::MonthsNotLaidOut);
    request.months = {2011, 4, c.output.Traits().most_months + 1};
    EXPECT_EQ(WriteOutput(c.output, document, sources, request, path, report).failure, OutputFailure::MonthsNotLaidOut);
    EXPECT_EQ(dir.Read("out"), bytes);  // the file stays as it was
    request.months = {2011, 4, c.months};
    const OutputResult unwritten = WriteOutput(c.output, document, sources, request, dir.Join("gone/out"), report);
    EXPECT_EQ(unwritten.failure, OutputFailure::FileNotWritten);
    EXPECT_EQ(unwritten.months.size(), c.kept);  // what the create command colours
    const std::vector<std::string> texts = testing::Texts(report);
    ASSERT_EQ(texts.size(), 3u);
    for (const std::string& text : texts) EXPECT_TRUE(text.starts_with(c.failure)) << text;
    EXPECT_TRUE(texts[2].ends_with("番号: 76\r\n内容: パスが見つかりません。")) << texts[2];
  }

  // A calendar without a collection day holds nothing and writes nothing.
  periods = {{Date{2011, 4, 1}, Date{2011, 4, 30}, "[すべて]"}};
  testing::TempFolder dir;
  Report report;
  OutputRequest request;
  request.months = {2011, 4, 1};
  const OutputResult empty = WriteOutput(ICalendarOutput(), document, sources, request, dir.Join("a.ics"), report);
  EXPECT_TRUE(empty.ok());
  EXPECT_EQ(empty.made.items, 0u);
  EXPECT_FALSE(std::filesystem::exists(dir.Join("a.ics")));
  EXPECT_TRUE(report.empty());
}

}  // namespace
}  // namespace dustora
