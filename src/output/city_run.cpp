#include "output/city_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <thread>
#include <tuple>

#include "core/csv.h"
#include "core/filesystem.h"
#include "core/text.h"
#include "output/ical_module_loader.h"
#include "output/output_run.h"
#include "output/outputs.h"
#include "tables/memo.h"

namespace dustora {

namespace {

constexpr std::string_view kForbidden = "/\\:*?\"<>|";
constexpr unsigned kThreadsPerCore = 4;

struct AreaResult {
  bool done = false;
  bool exact = true;
  int files = 0;
  std::string failure;  // what could not be written
  std::vector<ImportLine> lines;
};

std::string SafeName(std::string_view name) {
  std::string safe;
  for (const std::string_view character : Utf8Characters(name)) {
    const unsigned char first = static_cast<unsigned char>(character.front());
    const bool bad = character.size() == 1 &&
                     (first < 0x20 || first == 0x7F || kForbidden.find(character.front()) != kForbidden.npos);
    const std::string_view kept = bad ? std::string_view("_") : character;
    if (safe.size() + kept.size() > kLongestAreaFileName) break;
    safe += kept;
  }
  if (safe.empty()) return "_";
  if (safe.front() == '.') safe.front() = '_';  // no hidden file, no "." or ".."
  return safe;
}

// What the last failure of a report said of its file.
std::string FailureOf(const Report& report) {
  if (report.empty()) return "書き込めません";
  const ReportEntry& entry = report.entries().back();
  return entry.error ? entry.error->description : entry.message;
}

// One area: its document (and memo), its sheet and its calendar file.
AreaResult RunArea(const OpenData& data, const OpenDataArea& area, const std::string& file_name,
                   const CityRunRequest& request, const OutputSources& sources) {
  AreaResult result;
  ImportedArea imported = ImportArea(data, area, request.today);
  result.exact = imported.Exact();
  result.lines = std::move(imported.lines);
  const std::string base = JoinPath(request.out_folder, file_name);
  const std::string memo = imported.memo_text.empty() ? std::string(kNoMemoText) : imported.memo_text;
  const bool has_memo = !imported.memo_text.empty();
  Report report;
  if (!SaveImportedArea(imported, base + ".dsc", sources.settings, request.today, report)) {
    result.failure = FailureOf(report);
    return result;
  }
  result.files += has_memo ? 2 : 1;
  const OutputSources area_sources{sources.settings, sources.holidays, sources.periods, memo};
  const auto write = [&](const Output& output, const MonthSpan& months, std::string_view extension) {
    OutputRequest output_request;
    output_request.months = months;
    output_request.options = request.options;
    OutputResult made = MakeOutput(output, imported.document, area_sources, output_request, report);
    if (SaveOutput(output, made, base + std::string(extension), report)) {
      ++result.files;
    } else if (!made.ok()) {
      result.failure = made.why.empty() ? FailureOf(report) : made.why;
    }
  };
  if (request.sheets) write(SheetOutput(), request.sheet_months, ".html");
  if (request.calendars && result.failure.empty()) write(ICalendarOutput(), request.calendar_months, ".ics");
  return result;
}

}  // namespace

std::string CityRunSummary::Line() const {
  char seconds_text[32];
  std::snprintf(seconds_text, sizeof seconds_text, "%.1f", seconds);
  return "areas " + std::to_string(areas) + ", mapped exactly " + std::to_string(exact) + ", with unmapped terms " +
         std::to_string(inexact) + ", failed " + std::to_string(failed) + ", files written " + std::to_string(files) +
         ", " + seconds_text + " s" + (cancelled ? ", cancelled" : "") +
         (report_written ? "" : ", report.csv not written");
}

std::vector<std::string> AreaFileNames(const OpenData& data) {
  std::vector<std::string> names;
  std::set<std::string> used;
  for (const OpenDataArea& area : data.areas) {
    const std::string base = SafeName(area.name);
    std::string name = base;
    for (int n = 2; used.count(name) != 0; ++n) name = base + "-" + std::to_string(n);
    used.insert(name);
    names.push_back(std::move(name));
  }
  return names;
}

CityRunSummary RunCity(const OpenData& data, const CityRunRequest& request, const OutputSources& sources,
                       CityRunProgress& progress) {
  const auto start = std::chrono::steady_clock::now();
  CityRunSummary summary;
  FileSystem& fs = Fs();
  if (!fs.FolderExists(request.out_folder)) std::ignore = fs.CreateFolder(request.out_folder);
  // The calendar module is loaded once, before the threads need it.
  if (request.calendars) std::ignore = RunICalSerializer();

  const std::vector<std::string> file_names = AreaFileNames(data);
  std::vector<AreaResult> results(data.areas.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (;;) {
      if (progress.cancel.load()) return;
      const std::size_t i = next.fetch_add(1);
      if (i >= data.areas.size()) return;
      results[i] = RunArea(data, data.areas[i], file_names[i], request, sources);
      results[i].done = true;
      progress.done.fetch_add(1);
    }
  };
  unsigned threads = request.threads;
  if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency()) * kThreadsPerCore;
  threads = static_cast<unsigned>(std::min<std::size_t>(threads, std::max<std::size_t>(1, data.areas.size())));
  std::vector<std::thread> workers;
  for (unsigned t = 1; t < threads; ++t) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();

  // report.csv: UTF-8 with a byte-order mark and CR LF, as a spreadsheet
  // program opens Japanese text.
  std::string report = "\xEF\xBB\xBF" + CsvLine({"地域", "ファイル", "分別の種類", "指定", "結果"});
  for (std::size_t i = 0; i < results.size(); ++i) {
    const AreaResult& result = results[i];
    if (!result.done) continue;
    ++summary.areas;
    ++(result.exact ? summary.exact : summary.inexact);
    summary.files += result.files;
    const std::string& area = data.areas[i].name;
    for (const ImportLine& line : result.lines) {
      report += CsvLine({area, file_names[i], line.category, line.cell, (line.mapped ? "" : "× ") + line.result});
    }
    if (!result.failure.empty()) {
      ++summary.failed;
      report += CsvLine({area, file_names[i], "", "", "× 書き込めません: " + result.failure});
    }
  }
  summary.report_written = !fs.ReplaceFile(JoinPath(request.out_folder, kCityReportFileName), report);
  if (summary.report_written) ++summary.files;
  summary.cancelled = summary.areas < static_cast<int>(data.areas.size());
  summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return summary;
}

}  // namespace dustora
