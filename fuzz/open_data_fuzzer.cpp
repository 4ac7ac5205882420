// Feeds arbitrary bytes to the open data reader: the input split at its
// first two NUL bytes is area_days.csv, center.csv and remarks.csv. Every
// area it reads is imported; a document it makes must save and read back
// with the same rules.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "document/dsc_file.h"
#include "document/open_data.h"
#include "document/open_data_import.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dustora;
  fuzz::MemoryFileSystem files;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const char* names[] = {"/open/area_days.csv", "/open/center.csv", "/open/remarks.csv"};
  for (const char* name : names) {
    const std::size_t end = std::min(input.find('\0'), input.size());
    files.files[name] = std::string(input.substr(0, end));
    input.remove_prefix(std::min(end + 1, input.size()));
  }
  const auto read = ReadOpenData("/open");
  const auto* open = std::get_if<OpenData>(&read);
  if (open == nullptr) return 0;
  constexpr Date kToday{2026, 12, 9};
  const AppSettings settings;
  for (const OpenDataArea& area : open->areas) {
    ImportedArea imported = ImportArea(*open, area, kToday);
    if (imported.document.day_changes.size() > static_cast<std::size_t>(kMostDayChanges)) fuzz::Broken();
    Report report;
    if (!SaveImportedArea(imported, "/docs/area.dsc", settings, kToday, report)) fuzz::Broken();
    CalendarDocument again;
    again.document_path = "/docs/area.dsc";
    std::string memo;
    if (!ReadDscFile(again, settings, memo, kToday, report)) fuzz::Broken();
    if (again.category != imported.document.category || again.week_name != imported.document.week_name ||
        again.months != imported.document.months || again.day_changes != imported.document.day_changes)
      fuzz::Broken();
  }
  return 0;
}
