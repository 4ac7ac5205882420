// The collection days of a document as an iCalendar file (RFC 5545): one
// all-day event per category and day, as the month pages show them, with
// an optional reminder, for the calendars of phones and desktops.
//
// What the file says is decided here; writing it out as text is libical's
// work, in the module dustora-ical (ical_module.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_document.h"
#include "core/text.h"
#include "output/evaluation.h"
#include "output/output.h"

namespace dustora {

struct CollectionDay {
  Date day;
  std::string category;

  friend bool operator==(const CollectionDay&, const CollectionDay&) = default;
};

// The collection days of evaluated months, exactly as the month pages show
// them: every entry that no no-collection period suppresses, one per
// category and day, by date and, within a day, in the order of its cell.
[[nodiscard]] std::vector<CollectionDay> CollectionDays(const std::vector<MonthEntries>& grids);

// The UID of an event: a hash of the area name (the title when there is
// none), the category and the day, the same on every export.
[[nodiscard]] std::string EventUid(const CalendarDocument& document, std::string_view category, Date day);

// One all-day event as it is written.
struct ICalEvent {
  std::string uid;
  Date start;
  Date end;  // the next day
  std::string summary;
  std::string description;  // empty: none
  std::string alarm;        // the reminder's text; empty: no reminder
};

// A calendar as it is written: every value decided, only to be serialised.
struct ICalCalendar {
  std::string product;
  std::string name;
  std::int64_t stamp_utc = 0;  // seconds since 1970 UTC
  int sequence = 0;
  int alarm_offset_seconds = 0;  // from the start of the day
  std::vector<ICalEvent> events;
};

// The calendar of `days` for the document, exported at `now_utc` (seconds
// since 1970 UTC), which gives DTSTAMP and SEQUENCE.
[[nodiscard]] ICalCalendar CalendarOf(const std::vector<CollectionDay>& days, const CalendarDocument& document,
                                      Reminder reminder, std::int64_t now_utc);

}  // namespace dustora
