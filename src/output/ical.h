// The collection days of a document as an iCalendar file (RFC 5545): one
// all-day event per category and day, as the month pages show them, with
// an optional reminder, for the calendars of phones and desktops.
//
// What the file says is decided here; writing it out as text is libical's
// work, in ical_text.h, which only what exports links.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"
#include "core/text.h"
#include "output/page.h"
#include "session/session.h"

namespace dustora {

// What each event reminds of: nothing, the evening before at 18:00, or the
// morning of the day at 6:00.
enum class Reminder { None, EveningBefore, MorningOf };

struct CollectionDay {
  Date day;
  std::string category;

  friend bool operator==(const CollectionDay&, const CollectionDay&) = default;
};

// The collection days of `months` consecutive months (1..kMaxICalMonths)
// from a year and month, exactly as the month pages show them: every entry
// that no no-collection period suppresses, one per category and day, by
// date and, within a day, in the order of its cell. nullopt when a month
// cannot be laid out or the count is out of range.
[[nodiscard]] std::optional<std::vector<CollectionDay>> CollectionDays(int year, int month, int months,
                                                                       const CalendarDocument& document,
                                                                       const PageSources& sources);

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

// Turns a calendar into its text (UTF-8, CR LF); throws when it cannot.
using ICalSerializer = std::function<std::string(const ICalCalendar&)>;

// CollectionDays of the session's document, settings and tables; a month
// that cannot be laid out is reported under "WriteICalFile".
[[nodiscard]] std::optional<std::vector<CollectionDay>> SessionCollectionDays(const Session& session, int year,
                                                                              int month, int months, Report& report);
// Writes the calendar of `days` to `path` with one atomic replace, stamped
// `now_utc`; a failure is reported under "WriteICalFile".
[[nodiscard]] bool WriteICalFile(const Session& session, const std::vector<CollectionDay>& days, Reminder reminder,
                                 std::string_view path, const ICalSerializer& serialize, std::int64_t now_utc,
                                 Report& report);
// Writes the calendar of the session's document for `months` months from
// a year and month to `path` with one atomic replace, stamped `now_utc`.
// The number of events; 0 when there is no collection day (nothing
// written); nullopt on a failure, reported under "WriteICalFile".
[[nodiscard]] std::optional<int> WriteICalFile(const Session& session, int year, int month, int months,
                                               Reminder reminder, std::string_view path,
                                               const ICalSerializer& serialize, std::int64_t now_utc,
                                               Report& report);

}  // namespace dustora
