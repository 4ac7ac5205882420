#include "output/ical_text.h"

#include <libical/ical.h>

#include <ctime>
#include <memory>
#include <new>
#include <string_view>
#include <unordered_map>

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

// The text of a property or a component as libical writes it: escaped,
// folded, each line ended by CR LF.
std::string TextOf(icalproperty* property) {
  char* text = Made(icalproperty_as_ical_string_r(property));
  std::string result(text);
  icalmemory_free_buffer(text);
  return result;
}
std::string TextOf(icalcomponent* component) {
  char* text = Made(icalcomponent_as_ical_string_r(component));
  std::string result(text);
  icalmemory_free_buffer(text);
  return result;
}

struct PropertyFree {
  void operator()(icalproperty* property) const { icalproperty_free(property); }
};
using Property = std::unique_ptr<icalproperty, PropertyFree>;

std::string AlarmText(const std::string& said, int offset_seconds) {
  const Component alarm(Made(icalcomponent_new(ICAL_VALARM_COMPONENT)));
  icalcomponent_add_property(alarm.get(), Made(icalproperty_new_action(ICAL_ACTION_DISPLAY)));
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_from_int(offset_seconds);
  icalcomponent_add_property(alarm.get(), Made(icalproperty_new_trigger(trigger)));
  icalcomponent_add_property(alarm.get(), Made(icalproperty_new_description(said.c_str())));
  return TextOf(alarm.get());
}

// A TEXT value escaped as libical escapes one (\\ \\; \\, and \\n).
std::string EscapedText(const std::string& value) {
  icalvalue* text = Made(icalvalue_new_text(value.c_str()));
  char* escaped = icalvalue_as_ical_string_r(text);
  icalvalue_free(text);
  std::string result(Made(escaped));
  icalmemory_free_buffer(escaped);
  return result;
}

// A content line folded as libical folds its own: at most 75 octets a
// line, never inside a character, each continuation begun with a blank.
std::string FoldedLine(std::string_view line) {
  constexpr std::size_t kMostOctets = 75;
  std::string folded;
  std::size_t width = 0;
  for (std::size_t at = 0; at < line.size();) {
    std::size_t next = at + 1;
    while (next < line.size() && (static_cast<unsigned char>(line[next]) & 0xC0) == 0x80) ++next;
    if (width + (next - at) > kMostOctets) {
      folded += "\r\n ";
      width = 1;
    }
    folded += line.substr(at, next - at);
    width += next - at;
    at = next;
  }
  return folded + "\r\n";
}

// A text that libical makes once for each value it is asked for.
class TextCache {
 public:
  template <typename Make>
  const std::string& Get(const std::string& value, const Make& make) {
    auto found = texts_.find(value);
    if (found == texts_.end()) found = texts_.emplace(value, make()).first;
    return found->second;
  }

 private:
  std::unordered_map<std::string, std::string> texts_;
};

}  // namespace

// A calendar holds many events whose properties repeat (the stamp, the
// sequence, the area, a category's name and reminder); libical writes each
// such property once, and each event's own properties (UID, DTSTART,
// DTEND) through one property object apiece. Every line is libical's, in
// the order in which libical writes the whole calendar.
std::string SerializeICalendar(const ICalCalendar& calendar) {
  const Component whole(Made(icalcomponent_new(ICAL_VCALENDAR_COMPONENT)));
  icalcomponent* cal = whole.get();
  icalcomponent_add_property(cal, Made(icalproperty_new_version("2.0")));
  icalcomponent_add_property(cal, Made(icalproperty_new_prodid(calendar.product.c_str())));
  icalcomponent_add_property(cal, Made(icalproperty_new_calscale("GREGORIAN")));
  icalcomponent_add_property(cal, Made(icalproperty_new_method(ICAL_METHOD_PUBLISH)));
  std::string text = TextOf(cal);
  constexpr std::string_view kEnd = "END:VCALENDAR\r\n";
  text.resize(text.size() - kEnd.size());  // the name and the events go before it
  // libical escapes the value of an X- property as it would no TEXT value
  // (";" and "," stay bare), so the name's line is folded here.
  text += FoldedLine("X-WR-CALNAME:" + EscapedText(calendar.name));
  // An event of a long name with a reminder takes about 500 bytes; memory
  // not written to costs nothing.
  constexpr std::size_t kEventBytes = 512;
  text.reserve(text.size() + calendar.events.size() * kEventBytes + kEnd.size());

  const icaltimetype stamp_time =
      icaltime_from_timet_with_zone(static_cast<std::time_t>(calendar.stamp_utc), 0, icaltimezone_get_utc_timezone());
  const std::string stamp = TextOf(Property(Made(icalproperty_new_dtstamp(stamp_time))).get());
  const std::string sequence = TextOf(Property(Made(icalproperty_new_sequence(calendar.sequence))).get());
  const std::string transp = TextOf(Property(Made(icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT))).get());
  const Property uid(Made(icalproperty_new_uid("")));
  const Property start(Made(icalproperty_new_dtstart(icaltime_null_date())));
  const Property end(Made(icalproperty_new_dtend(icaltime_null_date())));
  TextCache summaries;
  TextCache descriptions;
  TextCache alarms;
  for (const ICalEvent& event : calendar.events) {
    text += "BEGIN:VEVENT\r\n";
    icalproperty_set_uid(uid.get(), event.uid.c_str());
    text += TextOf(uid.get());
    text += stamp;
    text += sequence;
    icalproperty_set_dtstart(start.get(), DateValue(event.start));
    text += TextOf(start.get());
    icalproperty_set_dtend(end.get(), DateValue(event.end));
    text += TextOf(end.get());
    text += summaries.Get(event.summary, [&event] {
      return TextOf(Property(Made(icalproperty_new_summary(event.summary.c_str()))).get());
    });
    if (!event.description.empty()) {
      text += descriptions.Get(event.description, [&event] {
        return TextOf(Property(Made(icalproperty_new_description(event.description.c_str()))).get());
      });
    }
    text += transp;
    if (!event.alarm.empty()) {
      text += alarms.Get(event.alarm, [&] { return AlarmText(event.alarm, calendar.alarm_offset_seconds); });
    }
    text += "END:VEVENT\r\n";
  }
  text += kEnd;
  return text;
}

void ReleaseLibical() {
  icaltimezone_free_builtin_timezones();
  icalmemory_free_ring();
}

}  // namespace dustora
