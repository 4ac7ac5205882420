// The iCalendar text of a calendar, serialised by libical (escaping and
// folding are its work). Compiled into the module dustora-ical only.
#pragma once

#include <string>

#include "output/ical.h"

namespace dustora {

[[nodiscard]] std::string SerializeICalendar(const ICalCalendar& calendar);

// Frees what libical keeps for the rest of a run (its time zones, the
// calling thread's buffers): the module calls it before it is closed, which
// unloads libical with it.
void ReleaseLibical();

}  // namespace dustora
