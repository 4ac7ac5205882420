// The iCalendar serialiser as a module of its own (dustora-ical), for
// dustora-cli: its page runs never load libical, an export loads it.
#pragma once

#include <string>

#include "output/ical.h"

namespace dustora {

// Raised whenever ICalCalendar changes, so that a module of another build
// is refused instead of misreading it.
inline constexpr int kICalModuleAbi = 1;
inline constexpr const char* kICalModuleAbiSymbol = "dustora_ical_module_abi";
inline constexpr const char* kICalModuleEntrySymbol = "dustora_serialize_icalendar";

extern "C" {
// The module's kICalModuleAbi.
using ICalModuleAbi = int();
// Serialises `calendar` into `text`: true, or false when memory ran out.
using ICalModuleEntry = bool(const ICalCalendar* calendar, std::string* text);
}

}  // namespace dustora
