// Speed of a busy area's page: all sixty slots in use, 1,000 holidays and
// 200 no-collection periods; the iCalendar export against the pages of the
// same months; the page file, documents and settings.
#include <benchmark/benchmark.h>

#include <stdexcept>

#include "core/encoding.h"
#include "core/filesystem.h"
#include "core/profile.h"
#include "document/dsc_file.h"
#include "output/output_run.h"
#include "output/outputs.h"
#include "output/page.h"
#include "settings/settings.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

struct BusyArea {
  CalendarDocument doc;
  AppSettings settings;
  HolidayTable holidays;
  NoneTermTable periods;
  std::string memo = "メモ:\r\n収集日の朝8時30分までに出してください。\r\n";

  BusyArea() {
    const char* days[7] = {"日", "月", "火", "水", "木", "金", "土"};
    for (const auto& info : RuleKinds()) {
      for (int row = 0; row < 5; ++row) {
        const std::string first = info.kind == RuleKind::Special ? std::to_string(row * 6 + 1) : days[(row + 1) % 7];
        doc.StoreRow(info.kind, row,
                     {first, "分別" + std::to_string(row), "icon" + std::to_string(row) + ".gif", "#FF0000"});
      }
    }
    doc.memo_output = 1;
    settings.every_other_base = "2026/12/02";
    settings.show_holiday_names = 1;
    for (int i = 0; i < 1000; ++i) holidays.push_back({Date::FromSerial(20000 + i * 7), "祝日" + std::to_string(i)});
    for (int i = 0; i < 200; ++i) {
      periods.push_back({Date{2000 + i / 12, i % 12 + 1, 1}, Date{2000 + i / 12, i % 12 + 1, 3}, "[すべて]"});
    }
  }
  OutputSources Sources() const { return {settings, holidays, periods, memo}; }
};

void BM_BuildPage(benchmark::State& state) {
  BusyArea area;
  for (auto _ : state) {
    auto lines = PageLines(2026, 12, area.doc, area.Sources());
    benchmark::DoNotOptimize(PageBytes(*lines));
  }
}
BENCHMARK(BM_BuildPage);

// The same page with 1,000 dated changes, a day apart from 2026-01-01 and
// each collecting or cancelling a category: at most 1.2 times the page
// without them.
void BM_BuildPageWithDatedChanges(benchmark::State& state) {
  BusyArea area;
  const std::int64_t first = Date{2026, 1, 1}.Serial();
  for (int i = 0; i < 1000; ++i) {
    const Date day = Date::FromSerial(first + i);
    area.doc.day_changes.push_back({day.year, day.month, day.day, i % 2 == 0, "分別" + std::to_string(i % 7)});
  }
  area.doc.holiday_rules = {"分別1"};
  for (auto _ : state) {
    auto lines = PageLines(2026, 12, area.doc, area.Sources());
    benchmark::DoNotOptimize(PageBytes(*lines));
  }
}
BENCHMARK(BM_BuildPageWithDatedChanges);

// A fiscal year as twelve month pages, and as one page of twelve months:
// the one page should cost little more than the twelve.
void BM_TwelveMonthPages(benchmark::State& state) {
  BusyArea area;
  for (auto _ : state) {
    for (int i = 0; i < 12; ++i) {
      auto lines = PageLines(2026 + (i + 3) / 12, (i + 3) % 12 + 1, area.doc, area.Sources());
      benchmark::DoNotOptimize(PageBytes(*lines));
    }
  }
}
BENCHMARK(BM_TwelveMonthPages);

void BM_YearPage(benchmark::State& state) {
  BusyArea area;
  for (auto _ : state) {
    auto lines = MonthsPageLines(2026, 4, 12, area.doc, area.Sources());
    benchmark::DoNotOptimize(PageBytes(*lines));
  }
}
BENCHMARK(BM_YearPage);

// The one-sheet calendar of the fiscal year, evaluated and written as the
// command does: at most 1.2 times the twelve month pages.
template <typename Area>
void BM_Sheet(benchmark::State& state) {
  const Area area;
  OutputRequest request;
  request.months = {2026, 4, 12};
  for (auto _ : state) {
    Report report;
    benchmark::DoNotOptimize(MakeOutput(SheetOutput(), area.doc, area.Sources(), request, report));
  }
}

// The shipped sample (12 months) and the busy area (36 months) as month
// pages and as the iCalendar export of the same months: the export should
// cost at most four times the pages.
struct SampleArea {
  Report report;
  CalendarDocument doc;
  AppSettings settings;
  HolidayTable holidays;
  NoneTermTable periods = {{Date{2026, 12, 29}, Date{2027, 1, 3}, "[すべて]"}};
  std::string memo;

  SampleArea() {
    doc.document_path = std::string(DUSTORA_SHIPPED_DIR) + "/sample.dsc";
    if (!ReadDscFile(doc, settings, memo, Date{2026, 12, 1}, report))
      throw std::runtime_error("the sample cannot be read");
  }
  OutputSources Sources() const { return {settings, holidays, periods, memo}; }
};

template <typename Area>
void BM_MonthPages(benchmark::State& state) {
  const Area area;
  const int months = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < months; ++i) {
      auto lines = PageLines(2026 + (i + 3) / 12, (i + 3) % 12 + 1, area.doc, area.Sources());
      benchmark::DoNotOptimize(PageBytes(*lines));
    }
  }
}

template <typename Area>
void BM_ICalendar(benchmark::State& state) {
  const Area area;
  const int months = static_cast<int>(state.range(0));
  OutputRequest request;
  request.months = {2026, 4, months};
  request.options.now_utc = 1301634245;
  for (auto _ : state) {
    Report report;
    benchmark::DoNotOptimize(MakeOutput(ICalendarOutput(), area.doc, area.Sources(), request, report));
  }
}
BENCHMARK(BM_MonthPages<SampleArea>)->Arg(12);
BENCHMARK(BM_ICalendar<SampleArea>)->Arg(12);
BENCHMARK(BM_MonthPages<BusyArea>)->Arg(36);
BENCHMARK(BM_Sheet<SampleArea>);
BENCHMARK(BM_Sheet<BusyArea>);
BENCHMARK(BM_ICalendar<BusyArea>)->Arg(36);

void BM_WritePageFile(benchmark::State& state) {
  BusyArea area;
  testing::TempFolder dir;
  const std::string bytes = PageBytes(*PageLines(2026, 12, area.doc, area.Sources()));
  const std::string path = dir.Join("temp.html");
  for (auto _ : state) benchmark::DoNotOptimize(Fs().ReplaceFile(path, bytes));
}
BENCHMARK(BM_WritePageFile);

void BM_SaveAndReadDocument(benchmark::State& state) {
  Report report;
  BusyArea area;
  testing::TempFolder dir;
  area.doc.document_path = dir.Join("area.dsc");
  area.doc.year = 2026;
  area.doc.month = 12;
  AppSettings settings;
  std::string memo_text;
  for (auto _ : state) {
    if (!WriteDscFile(area.doc, settings, Date{2026, 12, 1}, report) ||
        !ReadDscFile(area.doc, settings, memo_text, Date{2026, 12, 1}, report)) {
      state.SkipWithError("the document could not be saved or read");
      break;
    }
  }
}
BENCHMARK(BM_SaveAndReadDocument);

void BM_LoadSettings(benchmark::State& state) {
  Report report;
  testing::TempFolder dir;
  const std::string path = dir.Join("dustora.ini");
  AppSettings settings;
  CalendarDocument doc;
  ProfileFile defaults = ProfileFile::FromBytes(path, sjis::Encode(DefaultSettingsText()).bytes);
  std::ignore = UpgradeSettings(defaults);
  ReadSettings(defaults, kLoadSettingsTag, settings, doc, report);
  ProfileFile full(path);
  WriteSettings(settings, doc, full);
  if (full.Save()) {
    state.SkipWithError("the settings could not be written");
    return;
  }
  for (auto _ : state) {
    const ProfileFile file = ProfileFile::Load(path);
    ReadSettings(file, kLoadSettingsTag, settings, doc, report);
  }
}
BENCHMARK(BM_LoadSettings);

}  // namespace
}  // namespace dustora

BENCHMARK_MAIN();
