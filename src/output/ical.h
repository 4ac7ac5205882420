// The collection days of a document as an iCalendar file (RFC 5545): one
// all-day event per category and day, as the month pages show them, with
// an optional reminder, for the calendars of phones and desktops.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "core/document.h"
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

// The calendar's text: UTF-8 with CR LF line ends, folded by libical.
// `now_utc` (seconds since 1970 UTC) gives DTSTAMP and SEQUENCE.
[[nodiscard]] std::string ICalendarText(const std::vector<CollectionDay>& days, const CalendarDocument& document,
                                        Reminder reminder, std::int64_t now_utc);

// CollectionDays of the session's document, settings and tables; a month
// that cannot be laid out is reported under "WriteICalFile".
[[nodiscard]] std::optional<std::vector<CollectionDay>> SessionCollectionDays(const Session& session, int year,
                                                                              int month, int months);
// Writes the calendar of `days` to `path` with one atomic replace, at the
// platform's time; a failure is reported under "WriteICalFile".
[[nodiscard]] bool WriteICalFile(const Session& session, const std::vector<CollectionDay>& days, Reminder reminder,
                                 std::string_view path);
// Writes the calendar of the session's document for `months` months from
// a year and month to `path` with one atomic replace, at the platform's
// time. The number of events; 0 when there is no collection day (nothing
// written); nullopt on a failure, reported under "WriteICalFile".
[[nodiscard]] std::optional<int> WriteICalFile(const Session& session, int year, int month, int months,
                                               Reminder reminder, std::string_view path);

}  // namespace dustora
