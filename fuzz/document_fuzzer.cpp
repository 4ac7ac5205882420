// Feeds arbitrary bytes to the document reader and prints a month and the
// year's sheet of what it read. Once saved, a document must come back from every later save
// unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/dsc_file.h"
#include "fuzz_support.h"
#include "output/page.h"
#include "output/sheet.h"

namespace {

constexpr const char* kPath = "/docs/area.dsc";

bool SameRules(const dustora::CalendarDocument& a, const dustora::CalendarDocument& b) {
  return a.week_name == b.week_name && a.category == b.category && a.image == b.image && a.color == b.color &&
         a.special == b.special && a.title == b.title && a.local_name == b.local_name &&
         a.show_local_name == b.show_local_name && a.memo_path == b.memo_path && a.memo_output == b.memo_output &&
         a.year == b.year && a.month == b.month && a.months == b.months && a.day_changes == b.day_changes &&
         a.holiday_rules == b.holiday_rules && a.every_other_base == b.every_other_base &&
         a.sheet_marks == b.sheet_marks && a.kept_file_lines == b.kept_file_lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dustora;
  Report report;
  constexpr Date kToday{2026, 12, 9};
  fuzz::MemoryFileSystem files;
  files.files[kPath] = std::string(reinterpret_cast<const char*>(data), size);
  AppSettings settings;
  settings.save_year_month = 1;
  std::string memo_text;
  CalendarDocument document;
  document.document_path = kPath;
  if (!ReadDscFile(document, settings, memo_text, kToday, report)) return 0;

  const HolidayTable holidays = {{Date{2026, 2, 11}, "建国記念の日"}};
  const NoneTermTable periods;
  const OutputSources sources{settings, holidays, periods, memo_text};
  if (!PageLines(2026, 2, document, sources)) fuzz::Broken();
  const auto year = EvaluateMonths(document, {2026, 4, 12}, sources);
  if (!year || SheetLines(*year, document, sources).empty()) fuzz::Broken();

  if (!WriteDscFile(document, settings, kToday, report)) return 0;
  CalendarDocument saved;
  saved.document_path = kPath;
  if (!ReadDscFile(saved, settings, memo_text, kToday, report) || !WriteDscFile(saved, settings, kToday, report))
    fuzz::Broken();
  CalendarDocument again;
  again.document_path = kPath;
  if (!ReadDscFile(again, settings, memo_text, kToday, report) || !SameRules(saved, again)) fuzz::Broken();
  return 0;
}
