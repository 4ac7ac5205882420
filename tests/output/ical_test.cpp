#include "output/ical.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <set>

#include "document/dsc_file.h"
#include "output/ical_module_loader.h"
#include "output/page.h"
#include "support/command_output.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

// The calendar as libical's own parser reads it back; fails the test on a
// parse error it reports.
struct Parsed {
  explicit Parsed(const std::string& text) : calendar(icalparser_parse_string(text.c_str())) {
    EXPECT_NE(calendar, nullptr);
    if (calendar == nullptr) return;
    EXPECT_EQ(icalcomponent_count_errors(calendar), 0) << text;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e != nullptr;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
      events.push_back(e);
    }
  }
  ~Parsed() {
    if (calendar != nullptr) icalcomponent_free(calendar);
  }
  Parsed(const Parsed&) = delete;
  Parsed& operator=(const Parsed&) = delete;

  std::string Property(icalcomponent* component, const char* name) const {
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_ANY_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(component, ICAL_ANY_PROPERTY)) {
      if (std::string(icalproperty_get_property_name(p)) == name) return icalproperty_get_value_as_string(p);
    }
    return "(none)";
  }

  icalcomponent* calendar = nullptr;
  std::vector<icalcomponent*> events;
};

// What Python's icalendar package (Debian's, for Debian's python3) reads as a property's value, one line
// per component that has it.
std::string PythonReads(const testing::TempFolder& dir, const std::string& text, const std::string& component,
                        const std::string& property) {
  const std::string file = dir.Write("python.ics", text);
  const std::string command =
      "/usr/bin/python3 -c \"import sys, icalendar\n"
      "cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())\n"
      "for c in cal.walk(sys.argv[2]):\n"
      "    print(str(c.get(sys.argv[3])))\" '" +
      file + "' " + component + " " + property;
  return testing::CommandOutput(command);
}

// The calendar as libical writes it when given the whole tree of
// components at once: what the serialiser, which writes repeated properties
// once, must write byte for byte but for the calendar's name (libical
// leaves ";" and "," bare in an X- property, so that line is ours).
std::string WholeTreeText(const ICalCalendar& calendar) {
  icalcomponent* cal = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
  icalcomponent_add_property(cal, icalproperty_new_version("2.0"));
  icalcomponent_add_property(cal, icalproperty_new_prodid(calendar.product.c_str()));
  icalcomponent_add_property(cal, icalproperty_new_calscale("GREGORIAN"));
  icalcomponent_add_property(cal, icalproperty_new_method(ICAL_METHOD_PUBLISH));
  const auto date = [](Date day) {
    icaltimetype value = icaltime_null_date();
    value.year = day.year;
    value.month = day.month;
    value.day = day.day;
    return value;
  };
  for (const ICalEvent& e : calendar.events) {
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_component(cal, event);
    icalcomponent_add_property(event, icalproperty_new_uid(e.uid.c_str()));
    icalcomponent_add_property(
        event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(static_cast<std::time_t>(calendar.stamp_utc), 0,
                                                                      icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(event, icalproperty_new_sequence(calendar.sequence));
    icalcomponent_add_property(event, icalproperty_new_dtstart(date(e.start)));
    icalcomponent_add_property(event, icalproperty_new_dtend(date(e.end)));
    icalcomponent_add_property(event, icalproperty_new_summary(e.summary.c_str()));
    if (!e.description.empty()) icalcomponent_add_property(event, icalproperty_new_description(e.description.c_str()));
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    if (e.alarm.empty()) continue;
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_component(event, alarm);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(calendar.alarm_offset_seconds);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(e.alarm.c_str()));
  }
  char* text = icalcomponent_as_ical_string_r(cal);
  std::string result(text);
  icalmemory_free_buffer(text);
  icalcomponent_free(cal);
  return result;
}

// The calendar without its X-WR-CALNAME line and the lines folded from it.
std::string WithoutCalendarName(std::string text) {
  const std::size_t start = text.find("\r\nX-WR-CALNAME:") + 2;
  std::size_t end = text.find("\r\n", start);
  while (text.compare(end, 3, "\r\n ") == 0) end = text.find("\r\n", end + 2);
  return text.erase(start, end + 2 - start);
}

// Whether `text` is well-formed UTF-8: no character cut at either end.
bool WholeCharacters(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// The text of a calendar as the module serialises it, loaded as the
// programs load it.
std::string SerializeICalendar(const ICalCalendar& calendar) {
  const auto serializer = RunICalSerializer();
  if (const auto* problem = std::get_if<std::string>(&serializer)) throw std::runtime_error(*problem);
  return std::get<const ICalSerializer*>(serializer)->Serialize(calendar);
}
std::string ICalendarText(const std::vector<CollectionDay>& days, const CalendarDocument& document, Reminder reminder,
                          std::int64_t now_utc) {
  return SerializeICalendar(CalendarOf(days, document, reminder, now_utc));
}

class ICalTest : public ::testing::Test {
 protected:
  OutputSources Sources() const { return {settings, holidays, periods, ""}; }
  std::vector<CollectionDay> Days(int year, int month, int months) {
    auto months_entries = EvaluateMonths(doc, {year, month, months}, Sources());
    EXPECT_TRUE(months_entries.has_value());
    return months_entries ? CollectionDays(*months_entries) : std::vector<CollectionDay>{};
  }

  static constexpr std::int64_t kNow = 1301634245;  // 2011-04-01 05:04:05 UTC
  Report report;
  CalendarDocument doc;
  AppSettings settings;
  HolidayTable holidays;
  NoneTermTable periods;
};

// The (day, category) pairs a month page prints, read from its cells
// (without std::regex, whose inlined code gcc's sanitizer build warns about).
std::set<std::pair<std::string, std::string>> PrintedDays(const std::vector<std::string>& lines, int year, int month) {
  std::set<std::pair<std::string, std::string>> printed;
  constexpr std::string_view kDay = "valign=top>";
  constexpr std::string_view kRed = "<font color=\"red\">";
  constexpr std::string_view kNames = "<td class=\"name\">";
  constexpr std::string_view kFont = "<font color=\"";
  for (const std::string& line : lines) {
    if (!line.starts_with("<td class=\"cal\"")) continue;
    std::string_view rest(line);
    rest.remove_prefix(rest.find(kDay) + kDay.size());
    if (rest.starts_with(kRed)) rest.remove_prefix(kRed.size());
    const std::size_t digits = rest.find_first_not_of("0123456789");
    if (digits == 0) continue;  // a cell outside the month
    const int day = std::stoi(std::string(rest.substr(0, digits)));
    std::string_view names(line);
    names.remove_prefix(names.find(kNames) + kNames.size());
    for (std::size_t at = names.find(kFont); at != std::string_view::npos; at = names.find(kFont, at + 1)) {
      const std::size_t begin = names.find("\">", at + kFont.size()) + 2;
      const std::string_view name = names.substr(begin, names.find("</font>", begin) - begin);
      if (!name.starts_with("&")) printed.insert({Date{year, month, day}.ToText(), std::string(name)});
    }
  }
  return printed;
}

TEST_F(ICalTest, TheEventsAreTheDaysTheMonthPagesPrint) {
  doc.document_path = std::string(DUSTORA_SHIPPED_DIR) + "/sample.dsc";
  std::string memo;
  ASSERT_TRUE(ReadDscFile(doc, settings, memo, Date{2026, 4, 1}, report));
  // A second row giving a category already shown that day counts once.
  doc.StoreRow(RuleKind::EveryWeek2, 4, {"月", "燃やせるごみ", "", ""});
  periods = {{Date{2026, 12, 29}, Date{2027, 1, 3}, "[すべて]"}, {Date{2026, 8, 1}, Date{2026, 8, 31}, "ペットボトル"}};
  const std::vector<CollectionDay> days = Days(2026, 4, 12);
  std::set<std::pair<std::string, std::string>> exported;
  for (const CollectionDay& day : days) EXPECT_TRUE(exported.insert({day.day.ToText(), day.category}).second);
  std::set<std::pair<std::string, std::string>> printed;
  for (int i = 0; i < 12; ++i) {
    const int year = 2026 + (i + 3) / 12;
    const int month = (i + 3) % 12 + 1;
    const auto lines = PageLines(year, month, doc, Sources());
    ASSERT_TRUE(lines.has_value());
    printed.merge(PrintedDays(*lines, year, month));
  }
  EXPECT_EQ(exported, printed);
  ASSERT_FALSE(doc.local_name.empty());
  for (const Reminder reminder : {Reminder::None, Reminder::EveningBefore, Reminder::MorningOf}) {
    const ICalCalendar calendar = CalendarOf(days, doc, reminder, kNow);
    EXPECT_TRUE(WithoutCalendarName(SerializeICalendar(calendar)) == WholeTreeText(calendar));
  }
  EXPECT_TRUE(std::is_sorted(days.begin(), days.end(),
                             [](const CollectionDay& a, const CollectionDay& b) { return a.day < b.day; }));
  EXPECT_EQ(exported.count({"2026/12/29", "燃やせるごみ"}), 0u);
  EXPECT_EQ(exported.count({"2026/08/07", "ペットボトル"}), 0u);

  const std::string text = ICalendarText(days, doc, Reminder::EveningBefore, kNow);
  const Parsed parsed(text);
  EXPECT_EQ(parsed.events.size(), days.size());
  std::set<std::string> uids;
  for (icalcomponent* event : parsed.events) uids.insert(icalcomponent_get_uid(event));
  EXPECT_EQ(uids.size(), days.size());
}

TEST_F(ICalTest, CalendarAndEventProperties) {
  doc.title = "ごみ;カレンダー,\x7f";
  doc.local_name = "緑町,\x1b 三丁目;\r\n東";  // control characters are dropped
  doc.StoreRow(RuleKind::Special, 0, {"1", "かん", "", ""});
  const std::vector<CollectionDay> days = Days(2011, 4, 1);
  ASSERT_EQ(days, (std::vector<CollectionDay>{{Date{2011, 4, 1}, "かん"}}));
  const std::string text = ICalendarText(days, doc, Reminder::None, kNow);
  EXPECT_TRUE(text.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Dustora//ダストーラ "));
  EXPECT_NE(text.find("\r\nCALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nDTSTART;VALUE=DATE:20110401\r\nDTEND;VALUE=DATE:20110402\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nDTSTAMP:20110401T050405Z\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nSEQUENCE:5915824\r\n"), std::string::npos);  // minutes since 2000-01-01 UTC
  EXPECT_NE(text.find("\r\nTRANSP:TRANSPARENT\r\n"), std::string::npos);
  EXPECT_EQ(text.find("VALARM"), std::string::npos);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
  const Parsed parsed(text);
  ASSERT_EQ(parsed.events.size(), 1u);
  EXPECT_EQ(std::string(icalcomponent_get_summary(parsed.events[0])), "かん");
  EXPECT_EQ(std::string(icalcomponent_get_description(parsed.events[0])), "緑町, 三丁目;東");
  // The calendar's name reads back whole, with libical and with Python.
  EXPECT_EQ(parsed.Property(parsed.calendar, "X-WR-CALNAME"), "ごみ;カレンダー, 緑町, 三丁目;東");
  testing::TempFolder dir;
  EXPECT_EQ(PythonReads(dir, text, "VCALENDAR", "X-WR-CALNAME"), "ごみ;カレンダー, 緑町, 三丁目;東\n");

  // Without an area name: the title alone, no description, the UID from the title.
  const std::string uid = EventUid(doc, "かん", Date{2011, 4, 1});
  doc.local_name.clear();
  const std::string titled = ICalendarText(days, doc, Reminder::None, kNow);
  EXPECT_NE(titled.find("\r\nX-WR-CALNAME:ごみ\\;カレンダー\\,\r\n"), std::string::npos);
  EXPECT_EQ(titled.find("DESCRIPTION"), std::string::npos);
  EXPECT_NE(EventUid(doc, "かん", Date{2011, 4, 1}), uid);
}

TEST_F(ICalTest, UidsAreStableAndUniqueAndNamesSurviveEscapingAndFolding) {
  const std::string odd =
      "びん;かん,ペット\\ボトル・" + std::string(std::size_t{30} * 3, 'x') + "長い長い長い長い長い長い長い長い名前";
  doc.local_name = "緑町";
  doc.StoreRow(RuleKind::EveryWeek, 0, {"月", odd, "", ""});
  doc.StoreRow(RuleKind::EveryWeek, 1, {"月", "燃やせるごみ", "", ""});
  doc.StoreRow(RuleKind::EveryWeek, 2, {"木", "燃やせるごみ", "", ""});
  const std::vector<CollectionDay> days = Days(2011, 4, 3);
  const std::string first = ICalendarText(days, doc, Reminder::MorningOf, kNow);
  const std::string later = ICalendarText(days, doc, Reminder::MorningOf, kNow + 3600);
  const Parsed a(first);
  const Parsed b(later);
  ASSERT_EQ(a.events.size(), days.size());
  std::set<std::string> uids;
  for (std::size_t i = 0; i < days.size(); ++i) {
    const std::string uid = icalcomponent_get_uid(a.events[i]);
    EXPECT_TRUE(uid.ends_with("@dustora")) << uid;
    EXPECT_EQ(uid, icalcomponent_get_uid(b.events[i]));
    uids.insert(uid);
    EXPECT_EQ(std::string(icalcomponent_get_summary(a.events[i])), days[i].category);
  }
  EXPECT_EQ(uids.size(), days.size());
  EXPECT_EQ(std::stoi(b.Property(b.events[0], "SEQUENCE")), std::stoi(a.Property(a.events[0], "SEQUENCE")) + 60);
  // Folded lines of at most 75 octets, none splitting a character.
  std::size_t start = 0;
  for (std::size_t end; (end = first.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = first.substr(start, end - start);
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_TRUE(WholeCharacters(line)) << line;
  }
  testing::TempFolder dir;
  const std::string python = PythonReads(dir, first, "VEVENT", "SUMMARY");
  EXPECT_NE(python.find(odd + "\n"), std::string::npos) << python;
}

TEST_F(ICalTest, RemindersAndBounds) {
  doc.StoreRow(RuleKind::Special, 0, {"10", "古紙", "", ""});
  const std::vector<CollectionDay> days = Days(2011, 4, 1);
  const Parsed eve(ICalendarText(days, doc, Reminder::EveningBefore, kNow));
  icalcomponent* alarm = icalcomponent_get_first_component(eve.events.at(0), ICAL_VALARM_COMPONENT);
  ASSERT_NE(alarm, nullptr);
  EXPECT_EQ(eve.Property(alarm, "ACTION"), "DISPLAY");
  EXPECT_EQ(eve.Property(alarm, "TRIGGER"), "-PT6H");
  EXPECT_EQ(eve.Property(alarm, "DESCRIPTION"), "明日は古紙の日です");
  const Parsed morning(ICalendarText(days, doc, Reminder::MorningOf, kNow));
  alarm = icalcomponent_get_first_component(morning.events.at(0), ICAL_VALARM_COMPONENT);
  ASSERT_NE(alarm, nullptr);
  EXPECT_EQ(morning.Property(alarm, "TRIGGER"), "PT6H");
  EXPECT_EQ(morning.Property(alarm, "DESCRIPTION"), "今日は古紙の日です");

  EXPECT_EQ(Days(2011, 4, kMaxICalMonths).size(), 36u);
}

// libical folds long lines at 75 octets; over 20,000 random names of one-,
// two- and three-byte characters (what a category can hold) no folded line
// is longer and none cuts a character, so its output needs no fix-up.
TEST_F(ICalTest, FoldingNeverCutsACharacter) {
  std::mt19937 random(20000);
  const std::vector<std::string> pieces = {"a", "Z", " ", ";", ",", "\\", "ω", "Д", "ｱ", "ﾞ", "燃", "ご", "・", "〜"};
  std::vector<CollectionDay> days;
  days.reserve(20000);
  for (int i = 0; i < 20000; ++i) {
    std::string name;
    const int length = 1 + static_cast<int>(random() % 120);
    for (int k = 0; k < length; ++k) name += pieces[random() % pieces.size()];
    // A value of blanks alone is one that libical's parser refuses.
    if (name.find_first_not_of(' ') == std::string::npos) name += "a";
    days.push_back({Date::FromSerial(15000 + i), name});
  }
  doc.title = days[0].category + days[1].category;  // the calendar's name, folded by us
  doc.local_name = "緑町";
  const std::string text = ICalendarText(days, doc, Reminder::EveningBefore, kNow);
  std::size_t lines = 0;
  std::size_t folded = 0;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string_view line(text.data() + start, end - start);
    ++lines;
    folded += line.starts_with(" ") ? 1 : 0;
    ASSERT_LE(line.size(), 75u) << line;
    ASSERT_TRUE(WholeCharacters(line)) << line;
  }
  EXPECT_EQ(start, text.size());
  EXPECT_GT(folded, 20000u);  // the long names were folded, often more than once
  EXPECT_TRUE(WithoutCalendarName(text) == WholeTreeText(CalendarOf(days, doc, Reminder::EveningBefore, kNow)));

  // Unfolded, each SUMMARY is the name escaped as RFC 5545 says, blanks at
  // either end kept. (Readers differ here: libical's own parser drops such
  // blanks, and Python's icalendar 4 misreads a backslash before an
  // escaped comma; the file is right.)
  std::string unfolded;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t fold = text.find("\r\n ", at);
    unfolded.append(text, at, fold == std::string::npos ? std::string::npos : fold - at);
    at = fold == std::string::npos ? text.size() : fold + 3;
  }
  const auto line = [](std::string_view name, std::string_view value) {
    std::string escaped = "\r\n" + std::string(name) + ":";
    for (const char c : value) {
      if (c == '\\' || c == ';' || c == ',') escaped += '\\';
      escaped += c;
    }
    return escaped + "\r\n";
  };
  EXPECT_NE(unfolded.find(line("X-WR-CALNAME", doc.title + " " + doc.local_name)), std::string::npos);
  std::size_t at = 0;
  for (const CollectionDay& day : days) {
    at = unfolded.find(line("SUMMARY", day.category), at);
    ASSERT_NE(at, std::string::npos) << day.category;
  }
  const Parsed parsed(text);
  EXPECT_EQ(parsed.events.size(), days.size());
}

// A real calendar client imports the file: khal, with a configuration of
// its own in a temporary folder, lists the same days.
TEST_F(ICalTest, KhalImportsTheSameDays) {
  if (!std::filesystem::exists("/usr/bin/khal")) GTEST_SKIP() << "khal is not installed; the import is not checked";
  doc.document_path = std::string(DUSTORA_SHIPPED_DIR) + "/sample.dsc";
  std::string memo;
  ASSERT_TRUE(ReadDscFile(doc, settings, memo, Date{2026, 4, 1}, report));
  periods = {{Date{2026, 5, 3}, Date{2026, 5, 6}, "[すべて]"}};
  const std::vector<CollectionDay> days = Days(2026, 4, 2);
  testing::TempFolder dir;
  const std::string ics = dir.Write("gomi.ics", ICalendarText(days, doc, Reminder::EveningBefore, kNow));
  std::filesystem::create_directories(dir.Join("calendar"));
  const std::string config =
      dir.Write("config", "[calendars]\n[[gomi]]\npath = " + dir.Join("calendar") +
                              "/\ntype = calendar\n[locale]\ntimeformat = %H:%M\n"
                              "dateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"
                              "datetimeformat = %Y-%m-%d %H:%M\nlongdatetimeformat = %Y-%m-%d %H:%M\n"
                              "[sqlite]\npath = " +
                              dir.Join("khal.db") + "\n");
  const std::string khal = "HOME='" + dir.path() + "' timeout 120 /usr/bin/khal -c '" + config + "' ";
  ASSERT_EQ(std::system((khal + "import --batch -a gomi '" + ics + "' >/dev/null 2>&1").c_str()), 0);
  const std::string listed = testing::CommandOutput(khal + "list --format '{start-date} {title}' 2026-04-01 61d");
  std::multiset<std::string> imported;
  std::size_t start = 0;
  for (std::size_t end; (end = listed.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = listed.substr(start, end - start);
    if (!line.empty() && line[0] >= '0' && line[0] <= '9') imported.insert(line);  // not a day heading
  }
  std::multiset<std::string> expected;
  for (const CollectionDay& day : days) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", day.day.year, day.day.month, day.day.day);
    expected.insert(std::string(date) + " " + day.category);
  }
  EXPECT_GT(expected.size(), 20u);
  EXPECT_EQ(imported, expected) << listed;
}

}  // namespace
}  // namespace dustora
