#include "output/ical_text.h"

#include <libical/ical.h>

#include <ctime>
#include <memory>
#include <new>

namespace dustora {

namespace {

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

void AddAlarm(icalcomponent* event, const std::string& said, int offset_seconds) {
  icalcomponent* alarm = Made(icalcomponent_new(ICAL_VALARM_COMPONENT));
  icalcomponent_add_component(event, alarm);
  icalcomponent_add_property(alarm, Made(icalproperty_new_action(ICAL_ACTION_DISPLAY)));
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_from_int(offset_seconds);
  icalcomponent_add_property(alarm, Made(icalproperty_new_trigger(trigger)));
  icalcomponent_add_property(alarm, Made(icalproperty_new_description(said.c_str())));
}

}  // namespace

std::string SerializeICalendar(const ICalCalendar& calendar) {
  const Component whole(Made(icalcomponent_new(ICAL_VCALENDAR_COMPONENT)));
  icalcomponent* cal = whole.get();
  icalcomponent_add_property(cal, Made(icalproperty_new_version("2.0")));
  icalcomponent_add_property(cal, Made(icalproperty_new_prodid(calendar.product.c_str())));
  icalcomponent_add_property(cal, Made(icalproperty_new_calscale("GREGORIAN")));
  icalcomponent_add_property(cal, Made(icalproperty_new_method(ICAL_METHOD_PUBLISH)));
  icalproperty* calendar_name = Made(icalproperty_new_x(calendar.name.c_str()));
  icalproperty_set_x_name(calendar_name, "X-WR-CALNAME");
  icalcomponent_add_property(cal, calendar_name);

  const icaltimetype stamp =
      icaltime_from_timet_with_zone(static_cast<std::time_t>(calendar.stamp_utc), 0, icaltimezone_get_utc_timezone());
  for (const ICalEvent& day : calendar.events) {
    icalcomponent* event = Made(icalcomponent_new(ICAL_VEVENT_COMPONENT));
    icalcomponent_add_component(cal, event);
    icalcomponent_add_property(event, Made(icalproperty_new_uid(day.uid.c_str())));
    icalcomponent_add_property(event, Made(icalproperty_new_dtstamp(stamp)));
    icalcomponent_add_property(event, Made(icalproperty_new_sequence(calendar.sequence)));
    icalcomponent_add_property(event, Made(icalproperty_new_dtstart(DateValue(day.start))));
    icalcomponent_add_property(event, Made(icalproperty_new_dtend(DateValue(day.end))));
    icalcomponent_add_property(event, Made(icalproperty_new_summary(day.summary.c_str())));
    if (!day.description.empty()) {
      icalcomponent_add_property(event, Made(icalproperty_new_description(day.description.c_str())));
    }
    icalcomponent_add_property(event, Made(icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT)));
    if (!day.alarm.empty()) AddAlarm(event, day.alarm, calendar.alarm_offset_seconds);
  }
  char* text = Made(icalcomponent_as_ical_string_r(cal));
  std::string result(text);
  icalmemory_free_buffer(text);
  return result;
}

}  // namespace dustora
