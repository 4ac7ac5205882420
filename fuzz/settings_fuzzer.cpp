// Feeds arbitrary bytes to start-up's reading of the settings file (the
// upgrade checks included). Once the exit has written them, the settings
// must read back the same after every later exit.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "settings/settings.h"

namespace {

bool SameSettings(const dustora::AppSettings& a, const dustora::CalendarDocument& a_document,
                  const dustora::AppSettings& b, const dustora::CalendarDocument& b_document) {
  return a.category == b.category && a.design == b.design && a.special_sunday_option == b.special_sunday_option &&
         a.show_holiday_names == b.show_holiday_names && a.every_other_base == b.every_other_base &&
         a.save_year_month == b.save_year_month && a_document.title == b_document.title &&
         a_document.local_name == b_document.local_name && a_document.show_local_name == b_document.show_local_name &&
         a_document.memo_output == b_document.memo_output;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dustora;
  Report report;
  fuzz::MemoryFileSystem files;
  files.files["/data/dustora.ini"] = std::string(reinterpret_cast<const char*>(data), size);
  AppSettings settings;
  CalendarDocument document;
  LoadSettings("/data", "/program", settings, document, report);
  if (!SaveSettings(settings, document, report)) return 0;
  AppSettings saved;
  CalendarDocument saved_document;
  LoadSettings("/data", "/program", saved, saved_document, report);
  if (!SaveSettings(saved, saved_document, report)) fuzz::Broken();
  AppSettings again;
  CalendarDocument again_document;
  LoadSettings("/data", "/program", again, again_document, report);
  if (!SameSettings(saved, saved_document, again, again_document)) fuzz::Broken();
  return 0;
}
