// Every area of a city's open data in one run: each area's document (with
// its memo when it has remarks) and, on request, its one-sheet calendar and
// its calendar file, written into one folder by as many threads as keep the
// cores busy, and report.csv of what each term became.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/open_data.h"
#include "document/open_data_import.h"
#include "output/output.h"

namespace dustora {

inline constexpr std::string_view kCityReportFileName = "report.csv";
// The longest file name made from an area's name, in bytes of UTF-8, before
// a number that makes it unique and the extension.
inline constexpr std::size_t kLongestAreaFileName = 100;

struct CityRunRequest {
  std::string out_folder;
  bool sheets = false;
  bool calendars = false;
  MonthSpan sheet_months;     // of the sheets
  MonthSpan calendar_months;  // of the calendar files
  OutputOptions options;      // the calendar files' reminder and stamp
  Date today;
  // The threads; 0: four for each core, so that while some wait for the
  // disk to take a file the others compute.
  unsigned threads = 0;
};

// Shared with the threads of a run: how many areas are done, and whether
// to stop taking new ones.
struct CityRunProgress {
  std::atomic<int> done{0};
  std::atomic<bool> cancel{false};
};

struct CityRunSummary {
  int areas = 0;    // areas done (all of them unless cancelled)
  int exact = 0;    // every term mapped
  int inexact = 0;  // with unmapped terms
  int failed = 0;   // a file of theirs could not be written
  int files = 0;    // files written, report.csv included
  bool cancelled = false;
  bool report_written = false;  // report.csv
  double seconds = 0;

  // "areas 456, mapped exactly 400, with unmapped terms 56, failed 0, files written 913, 3.2 s"
  [[nodiscard]] std::string Line() const;
};

// The file name (without extension) of each area, in order: the characters
// a file name cannot hold (/ \ : * ? " < > |, control characters, a leading
// dot) as "_", cut to kLongestAreaFileName bytes at a character boundary,
// and "-2", "-3" for the second and third area of the same name.
[[nodiscard]] std::vector<std::string> AreaFileNames(const OpenData& data);

// Runs every area; `sources` gives the settings, holidays and periods every
// area's outputs use. The folder is made when it is not there; files of the
// same names are replaced, nothing else in it is touched.
[[nodiscard]] CityRunSummary RunCity(const OpenData& data, const CityRunRequest& request, const OutputSources& sources,
                                     CityRunProgress& progress);

}  // namespace dustora
