#include "output/ical.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <new>

#include "core/filesystem.h"
#include "core/platform.h"
#include "core/version.h"

namespace dustora {

namespace {

// 2000-01-01 00:00 UTC in seconds since 1970: SEQUENCE counts minutes from it.
constexpr std::int64_t kSequenceEpoch = 946684800;

struct ComponentFree {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// libical answers a null pointer only when it cannot allocate.
template <typename T>
T* Made(T* made) {
  if (made == nullptr) throw std::bad_alloc();
  return made;
}

icaltimetype DateValue(Date day) {
  icaltimetype value = icaltime_null_date();
  value.year = day.year;
  value.month = day.month;
  value.day = day.day;
  return value;
}

// The 64-bit FNV-1a hash: the same on every platform and every run.
std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::string CalendarName(const CalendarDocument& document) {
  return document.local_name.empty() ? document.title : document.title + " " + document.local_name;
}

void AddReminder(icalcomponent* event, Reminder reminder, std::string_view category) {
  if (reminder == Reminder::None) return;
  icalcomponent* alarm = Made(icalcomponent_new(ICAL_VALARM_COMPONENT));
  icalcomponent_add_component(event, alarm);
  icalcomponent_add_property(alarm, Made(icalproperty_new_action(ICAL_ACTION_DISPLAY)));
  // From the start of the day: 18:00 the day before, or 6:00.
  constexpr int kSixHours = 6 * 60 * 60;
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_from_int(reminder == Reminder::EveningBefore ? -kSixHours : kSixHours);
  icalcomponent_add_property(alarm, Made(icalproperty_new_trigger(trigger)));
  const std::string said =
      (reminder == Reminder::EveningBefore ? "明日は" : "今日は") + std::string(category) + "の日です";
  icalcomponent_add_property(alarm, Made(icalproperty_new_description(said.c_str())));
}

}  // namespace

std::optional<std::vector<CollectionDay>> CollectionDays(int year, int month, int months,
                                                         const CalendarDocument& document, const PageSources& sources) {
  if (months < 1 || months > kMaxICalMonths) return std::nullopt;
  const std::optional<std::vector<MonthEntries>> grids = MonthsEntries(year, month, months, document, sources);
  if (!grids) return std::nullopt;
  std::vector<CollectionDay> days;
  for (const MonthEntries& grid : *grids) {
    for (int day = 1; day <= grid.days; ++day) {
      const std::size_t first_of_day = days.size();
      for (const CellEntry& entry : grid.cells[static_cast<std::size_t>(day + grid.first)]) {
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

std::string ICalendarText(const std::vector<CollectionDay>& days, const CalendarDocument& document, Reminder reminder,
                          std::int64_t now_utc) {
  const Component calendar(Made(icalcomponent_new(ICAL_VCALENDAR_COMPONENT)));
  icalcomponent* cal = calendar.get();
  icalcomponent_add_property(cal, Made(icalproperty_new_version("2.0")));
  const std::string product = "-//Dustora//ダストーラ " + std::string(kProgramVersion) + "//JA";
  icalcomponent_add_property(cal, Made(icalproperty_new_prodid(product.c_str())));
  icalcomponent_add_property(cal, Made(icalproperty_new_calscale("GREGORIAN")));
  icalcomponent_add_property(cal, Made(icalproperty_new_method(ICAL_METHOD_PUBLISH)));
  const std::string name = CalendarName(document);
  icalproperty* calendar_name = Made(icalproperty_new_x(name.c_str()));
  icalproperty_set_x_name(calendar_name, "X-WR-CALNAME");
  icalcomponent_add_property(cal, calendar_name);

  const icaltimetype stamp =
      icaltime_from_timet_with_zone(static_cast<std::time_t>(now_utc), 0, icaltimezone_get_utc_timezone());
  const auto sequence = static_cast<int>((now_utc - kSequenceEpoch) / 60);
  for (const CollectionDay& day : days) {
    icalcomponent* event = Made(icalcomponent_new(ICAL_VEVENT_COMPONENT));
    icalcomponent_add_component(cal, event);
    icalcomponent_add_property(event, Made(icalproperty_new_uid(EventUid(document, day.category, day.day).c_str())));
    icalcomponent_add_property(event, Made(icalproperty_new_dtstamp(stamp)));
    icalcomponent_add_property(event, Made(icalproperty_new_sequence(sequence)));
    icalcomponent_add_property(event, Made(icalproperty_new_dtstart(DateValue(day.day))));
    icalcomponent_add_property(event, Made(icalproperty_new_dtend(DateValue(Date::FromSerial(day.day.Serial() + 1)))));
    icalcomponent_add_property(event, Made(icalproperty_new_summary(day.category.c_str())));
    if (!document.local_name.empty()) {
      icalcomponent_add_property(event, Made(icalproperty_new_description(document.local_name.c_str())));
    }
    icalcomponent_add_property(event, Made(icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT)));
    AddReminder(event, reminder, day.category);
  }
  char* text = Made(icalcomponent_as_ical_string_r(cal));
  std::string result(text);
  icalmemory_free_buffer(text);
  return result;
}

std::optional<std::vector<CollectionDay>> SessionCollectionDays(const Session& session, int year, int month,
                                                                int months) {
  const PageSources sources{session.settings, session.holidays, session.periods, session.memo_text};
  auto days = CollectionDays(year, month, months, session.document, sources);
  if (!days) ShowErrorBox("WriteICalFile", Error{0, {}});
  return days;
}

bool WriteICalFile(const Session& session, const std::vector<CollectionDay>& days, Reminder reminder,
                   std::string_view path) {
  const std::string text = ICalendarText(days, session.document, reminder, CurrentPlatform().NowUtcSeconds());
  if (const FsStatus failed = Fs().ReplaceFile(path, text)) {
    ShowErrorBox("WriteICalFile", *failed);
    return false;
  }
  return true;
}

std::optional<int> WriteICalFile(const Session& session, int year, int month, int months, Reminder reminder,
                                 std::string_view path) {
  const std::optional<std::vector<CollectionDay>> days = SessionCollectionDays(session, year, month, months);
  if (!days) return std::nullopt;
  if (days->empty()) return 0;
  if (!WriteICalFile(session, *days, reminder, path)) return std::nullopt;
  return static_cast<int>(days->size());
}

}  // namespace dustora
