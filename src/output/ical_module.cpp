#include "output/ical_module.h"

#include <new>

#include "output/ical_text.h"

#ifdef _WIN32
#define DUSTORA_EXPORT __declspec(dllexport)
#else
#define DUSTORA_EXPORT __attribute__((visibility("default")))
#endif

extern "C" DUSTORA_EXPORT int dustora_ical_module_abi() {
  return dustora::kICalModuleAbi;
}

extern "C" DUSTORA_EXPORT bool dustora_serialize_icalendar(const dustora::ICalCalendar* calendar, std::string* text) {
  try {
    *text = dustora::SerializeICalendar(*calendar);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
