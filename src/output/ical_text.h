// The iCalendar text of a calendar, serialised by libical (escaping and
// folding are its work).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/ical.h"

namespace dustora {

[[nodiscard]] std::string SerializeICalendar(const ICalCalendar& calendar);

// The text of the calendar of `days`, exported at `now_utc`.
[[nodiscard]] inline std::string ICalendarText(const std::vector<CollectionDay>& days, const CalendarDocument& document,
                                               Reminder reminder, std::int64_t now_utc) {
  return SerializeICalendar(CalendarOf(days, document, reminder, now_utc));
}

}  // namespace dustora
