#include "output/ical.h"

#include <cstdio>
#include <cstdlib>

#include "core/text.h"
#include "core/version.h"

namespace dustora {

namespace {

// 2000-01-01 00:00 UTC in seconds since 1970: SEQUENCE counts minutes from it.
constexpr std::int64_t kSequenceEpoch = 946684800;

// A text as a calendar may carry it: without the control characters
// RFC 5545 forbids in a value (all but the tab).
std::string WithoutControls(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if ((byte >= 0x20 && byte != 0x7F) || ch == '\t') kept += ch;
  }
  return kept;
}

std::string CalendarName(const CalendarDocument& document) {
  return WithoutControls(document.local_name.empty() ? document.title : document.title + " " + document.local_name);
}

}  // namespace

std::vector<CollectionDay> CollectionDays(const std::vector<MonthEntries>& grids) {
  std::vector<CollectionDay> days;
  for (const MonthEntries& grid : grids) {
    for (int day = 1; day <= grid.days; ++day) {
      const std::size_t first_of_day = days.size();
      for (const CellEntry& entry : grid.cells[static_cast<std::size_t>(day) + static_cast<std::size_t>(grid.first)]) {
        if (entry.suppressed) continue;
        bool seen = false;
        for (std::size_t i = first_of_day; i < days.size() && !seen; ++i) seen = days[i].category == entry.category;
        if (!seen) days.push_back({Date{grid.year, grid.month, day}, entry.category});
      }
    }
  }
  return days;
}

std::string EventUid(const CalendarDocument& document, std::string_view category, Date day) {
  const std::string& name = document.local_name.empty() ? document.title : document.local_name;
  char date[16];
  std::snprintf(date, sizeof date, "%04d%02d%02d", day.year, day.month, day.day);
  std::string key = name;
  key += '\n';
  key += category;
  key += '\n';
  key += date;
  char hash[24];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a(key)));
  return std::string(hash) + "@dustora";
}

ICalCalendar CalendarOf(const std::vector<CollectionDay>& days, const CalendarDocument& document, Reminder reminder,
                        std::int64_t now_utc) {
  ICalCalendar calendar;
  calendar.product = "-//Dustora//ダストーラ " + std::string(kProgramVersion) + "//JA";
  calendar.name = CalendarName(document);
  calendar.stamp_utc = now_utc;
  calendar.sequence = static_cast<int>((now_utc - kSequenceEpoch) / 60);
  // From the start of the day: 18:00 the day before, or 6:00.
  constexpr int kSixHours = 6 * 60 * 60;
  calendar.alarm_offset_seconds = reminder == Reminder::EveningBefore ? -kSixHours : kSixHours;
  calendar.events.reserve(days.size());
  const std::string area = WithoutControls(document.local_name);
  for (const CollectionDay& day : days) {
    ICalEvent& event = calendar.events.emplace_back();
    event.uid = EventUid(document, day.category, day.day);
    event.start = day.day;
    event.end = Date::FromSerial(day.day.Serial() + 1);
    event.summary = WithoutControls(day.category);
    event.description = area;
    if (reminder != Reminder::None) {
      event.alarm = (reminder == Reminder::EveningBefore ? "明日は" : "今日は") + event.summary + "の日です";
    }
  }
  return calendar;
}

}  // namespace dustora
