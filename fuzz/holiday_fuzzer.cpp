// Feeds arbitrary bytes to the holiday table's reader. Once saved, the
// table must come back from every later save unchanged (the first save may
// put "?" where the bytes could not be decoded).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "tables/holiday.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dustora;
  constexpr std::string_view kPath = "/data/holiday.csv";
  Report report;
  fuzz::MemoryFileSystem files;
  files.files[std::string(kPath)] = std::string(reinterpret_cast<const char*>(data), size);
  HolidayTable table;
  int show_names = 1;
  ReadHolidayFile(kPath, table, show_names, report);
  if (!WriteHolidayFile(kPath, table, report)) return 0;
  HolidayTable saved;
  ReadHolidayFile(kPath, saved, show_names, report);
  if (!WriteHolidayFile(kPath, saved, report)) fuzz::Broken();
  HolidayTable again;
  ReadHolidayFile(kPath, again, show_names, report);
  if (again != saved) fuzz::Broken();
  return 0;
}
