// The iCalendar serialiser lives in a module of its own (dustora-ical), the
// only part of the program that links libical: both programs load it on
// their first export, so that start-up and page runs never load libical.
// This is what the module and the programs agree on.
#pragma once

#include <string>

#include "output/ical.h"

namespace dustora {

class ICalSerializer {
 public:
  virtual ~ICalSerializer() = default;
  // The text of a calendar (UTF-8, CR LF); throws std::bad_alloc when
  // memory runs out.
  [[nodiscard]] virtual std::string Serialize(const ICalCalendar& calendar) const = 0;
};

// Raised whenever ICalSerializer or ICalCalendar changes, so that a module
// of another build is refused instead of misreading them.
inline constexpr int kICalModuleInterface = 2;

// The module's one exported symbol.
inline constexpr const char* kICalModuleFactorySymbol = "dustora_make_ical_serializer";
extern "C" {
// A new serialiser, or null when `interface` is not the module's
// kICalModuleInterface. The caller deletes it before closing the module.
using ICalModuleFactory = ICalSerializer*(int interface);
}

}  // namespace dustora
