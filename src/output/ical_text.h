// The iCalendar text of a calendar, serialised by libical (escaping and
// folding are its work). Compiled into the module dustora-ical only.
#pragma once

#include <string>

#include "output/ical.h"

namespace dustora {

[[nodiscard]] std::string SerializeICalendar(const ICalCalendar& calendar);

}  // namespace dustora
