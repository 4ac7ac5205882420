// Feeds arbitrary bytes to the no-collection periods' reader. Once saved,
// the periods must come back from every later save unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "tables/noneterm.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dustora;
  constexpr std::string_view kPath = "/data/noneterm.csv";
  Report report;
  fuzz::MemoryFileSystem files;
  files.files[std::string(kPath)] = std::string(reinterpret_cast<const char*>(data), size);
  NoneTermTable table;
  ReadNoneTermFile(kPath, table, report);
  if (!WriteNoneTermFile(kPath, table, report)) return 0;
  NoneTermTable saved;
  ReadNoneTermFile(kPath, saved, report);
  if (!WriteNoneTermFile(kPath, saved, report)) fuzz::Broken();
  NoneTermTable again;
  ReadNoneTermFile(kPath, again, report);
  if (again != saved) fuzz::Broken();
  return 0;
}
