#include "output/sheet_legend.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "core/color.h"
#include "core/date.h"
#include "core/sheet_marks.h"
#include "tables/noneterm.h"

namespace dustora {

namespace {

constexpr std::string_view kJoin = "・";
constexpr std::string_view kSeparator = "、";
// The weekdays of a phrase run from Monday: "月・木曜日", "土・日曜日".
constexpr int kMondayFirst[7] = {6, 0, 1, 2, 3, 4, 5};  // by weekday number - 1 (日 = 0)
constexpr std::string_view kWeekdayCharacters[7] = {"日", "月", "火", "水", "木", "金", "土"};

struct Span {
  Date first;
  Date last;
  std::vector<int> months;  // the span's months in its order

  bool Holds(const Date& date) const { return first <= date && date <= last; }
};

Span SpanOf(const MonthSpan& span) {
  Span result;
  int year = span.year;
  int month = span.month;
  result.first = {year, month, 1};
  for (int i = 0; i < span.count; ++i) {
    if (std::find(result.months.begin(), result.months.end(), month) == result.months.end())
      result.months.push_back(month);
    result.last = {year, month, DaysInMonth(year, month)};
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  return result;
}

std::string Joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += separator;
    text += item;
  }
  return text;
}

// "月・木曜日" of weekday numbers 1 (日) .. 7 (土).
std::string WeekdaysWords(std::vector<int> weekdays) {
  std::sort(weekdays.begin(), weekdays.end(), [](int a, int b) { return kMondayFirst[a - 1] < kMondayFirst[b - 1]; });
  weekdays.erase(std::unique(weekdays.begin(), weekdays.end()), weekdays.end());
  std::vector<std::string> names;
  for (const int weekday : weekdays) names.emplace_back(kWeekdayCharacters[weekday - 1]);
  return Joined(names, kJoin) + "曜日";
}

// " (4・6・8・10・12・2月)" in the span's order; nothing for every month.
std::string MonthsWords(MonthSet months, const Span& span) {
  if ((months & kEveryMonth) == kEveryMonth) return {};
  std::vector<std::string> names;
  for (const int month : span.months) {
    if (InMonths(months, month)) names.push_back(std::to_string(month));
  }
  // Months outside a shorter span still say which they are.
  for (int month = 1; month <= 12; ++month) {
    if (InMonths(months, month) && std::find(span.months.begin(), span.months.end(), month) == span.months.end())
      names.push_back(std::to_string(month));
  }
  return " (" + Joined(names, kJoin) + "月)";
}

std::string DateWords(const Date& date) {
  return std::to_string(date.year) + "年" + MonthDayWords(date);
}

// The rows of one category, one kind's rule at a time.
struct Row {
  const RuleKindInfo* info;
  int day;  // RowDay
  MonthSet months;
};

// The first day of the span an every-other-week group falls on.
std::optional<Date> FirstEveryOtherDay(const std::vector<int>& weekdays, bool front, std::string_view base,
                                       const Span& span) {
  for (std::int64_t serial = span.first.Serial(); serial <= span.last.Serial(); ++serial) {
    const Date day = Date::FromSerial(serial);
    if (std::find(weekdays.begin(), weekdays.end(), day.Weekday() + 1) == weekdays.end()) continue;
    const int parity = EveryOtherWeekParity(day.year, day.month, day.day, base);
    if (parity == kNoBaseDate) return std::nullopt;
    if (parity == (front ? kFrontWeek : kBackWeek)) return day;
  }
  return std::nullopt;
}

// The words of the rows of one rule (as DayRule) with one month set.
std::string RuleGroupWords(DayRule rule, const std::vector<const Row*>& rows, const RuleOptions& options,
                           std::string_view base, const Span& span) {
  std::vector<int> days;
  for (const Row* row : rows) days.push_back(row->day);
  switch (rule) {
    case DayRule::EveryWeek: return "毎週 " + WeekdaysWords(days);
    case DayRule::EvenDay: return "偶数日の" + WeekdaysWords(days);
    case DayRule::OddDay: return "奇数日の" + WeekdaysWords(days);
    case DayRule::FrontWeek:
    case DayRule::BackWeek: {
      const std::optional<Date> first = FirstEveryOtherDay(days, rule == DayRule::FrontWeek, base, span);
      std::string words = "隔週 " + WeekdaysWords(days);
      if (first) return words + " (" + DateWords(*first) + "の週から)";
      return IsValidDate(base) ? words : words + " (基準日未設定)";
    }
    case DayRule::DayOfMonth: {
      std::sort(days.begin(), days.end());
      days.erase(std::unique(days.begin(), days.end()), days.end());
      std::vector<std::string> numbers;
      for (const int day : days) numbers.push_back(std::to_string(day));
      std::string words = "毎月" + Joined(numbers, kJoin) + "日";
      if (options.special_sunday_option == 1) return words + " (日曜日は翌日)";
      if (options.special_sunday_option != 0) return words + " (日曜日は休み)";
      return words;
    }
    case DayRule::NthWeekday: {
      // The weeks of each weekday, then the weekdays of the same weeks together:
      // "第2・第4 水曜日", "第1 月・木曜日".
      std::map<int, std::vector<int>> weeks_of_weekday;
      for (const Row* row : rows) weeks_of_weekday[row->day].push_back(row->info->week_of_month);
      std::vector<std::pair<std::vector<int>, std::vector<int>>> phrases;  // weeks, weekdays
      for (auto& entry : weeks_of_weekday) {
        const int weekday = entry.first;
        std::vector<int>& weeks = entry.second;
        std::sort(weeks.begin(), weeks.end());
        weeks.erase(std::unique(weeks.begin(), weeks.end()), weeks.end());
        const auto same = std::find_if(phrases.begin(), phrases.end(),
                                       [&weeks](const auto& phrase) { return phrase.first == weeks; });
        if (same != phrases.end()) {
          same->second.push_back(weekday);
        } else {
          phrases.push_back({weeks, {weekday}});
        }
      }
      // Phrases in the order of their first weekday, Monday first.
      const auto first_day = [](const std::vector<int>& weekdays) {
        int rank = 7;
        for (const int weekday : weekdays) rank = std::min(rank, kMondayFirst[weekday - 1]);
        return rank;
      };
      std::sort(phrases.begin(), phrases.end(),
                [&](const auto& a, const auto& b) { return first_day(a.second) < first_day(b.second); });
      std::vector<std::string> words;
      for (const auto& [weeks, weekdays] : phrases) {
        std::vector<std::string> ordinals;
        for (const int week : weeks) ordinals.push_back("第" + std::to_string(week));
        words.push_back(Joined(ordinals, kJoin) + " " + WeekdaysWords(weekdays));
      }
      return Joined(words, kSeparator);
    }
  }
  return {};
}

// The days of the span the document's changes that `chosen` picks fall on
// (a change of every year on each year's), in order, each once.
std::vector<Date> ChangeDates(const CalendarDocument& document, const Span& span,
                              const std::function<bool(const DayChange&)>& chosen) {
  std::vector<Date> dates;
  for (const DayChange& change : document.day_changes) {
    if (!chosen(change)) continue;
    for (int year = span.first.year; year <= span.last.year; ++year) {
      if ((change.year && *change.year != year) || !IsRealDate(year, change.month, change.day)) continue;
      if (const Date date{year, change.month, change.day}; span.Holds(date)) dates.push_back(date);
    }
  }
  std::sort(dates.begin(), dates.end());
  dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
  return dates;
}

// "臨時: 1月9日・1月16日": the category's changes of one sign in the span.
std::string ChangeWords(const CalendarDocument& document, std::string_view category, bool collect, const Span& span) {
  const std::vector<Date> dates = ChangeDates(document, span, [&](const DayChange& change) {
    return change.collect == collect && change.category == category;
  });
  if (dates.empty()) return {};
  std::vector<std::string> names;
  for (const Date& date : dates) names.push_back(MonthDayWords(date));
  return std::string(collect ? "臨時: " : "休み: ") + Joined(names, kJoin);
}

// A stretch of days: "12月29日～1月3日", or one day.
std::string StretchWords(const Date& first, const Date& last) {
  if (first == last) return MonthDayWords(first);
  return MonthDayWords(first) + "～" + MonthDayWords(last);
}

// The days of the span without any collection: the periods (clipped to the
// span) and the [すべて] days of the dated changes, runs of days joined.
std::vector<std::string> StopNotes(const CalendarDocument& document, const OutputSources& sources, const Span& span) {
  struct Stop {
    Date first;
    Date last;
    std::string category;
  };
  std::vector<Stop> stops;
  for (const NoneTerm& period : sources.periods) {
    if (period.last < span.first || span.last < period.first) continue;
    stops.push_back({std::max(period.first, span.first), std::min(period.last, span.last),
                     period.category == kAllCategories ? std::string("すべて") : period.category});
  }
  const std::vector<Date> days = ChangeDates(
      document, span, [](const DayChange& change) { return !change.collect && change.category == kEveryCategory; });
  for (std::size_t i = 0; i < days.size();) {
    std::size_t end = i;
    while (end + 1 < days.size() && days[end + 1].Serial() == days[end].Serial() + 1) ++end;
    stops.push_back({days[i], days[end], "すべて"});
    i = end + 1;
  }
  std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.first < b.first; });
  std::vector<std::string> notes;
  for (const Stop& stop : stops) {
    std::string note = StretchWords(stop.first, stop.last) + " 収集なし (" + stop.category + ")";
    if (std::find(notes.begin(), notes.end(), note) == notes.end()) notes.push_back(std::move(note));
  }
  if (std::find(document.holiday_rules.begin(), document.holiday_rules.end(), kEveryCategory) !=
      document.holiday_rules.end()) {
    notes.emplace_back("祝日 収集なし (すべて)");
  }
  return notes;
}

}  // namespace

std::string CategoryColor(const CalendarDocument& document, std::string_view category) {
  // The category's first row: the rule tabs in order, then their rows.
  for (const RuleKindInfo& info : RuleKinds()) {
    for (int row = 0; row < kRowsPerKind; ++row) {
      const auto slot = static_cast<std::size_t>(SlotOf(info.kind, row));
      if (document.category[slot] != category) continue;
      return IsColorText(document.color[slot]) ? document.color[slot] : std::string("#000000");
    }
  }
  return "#000000";
}

std::string MonthDayWords(const Date& date) {
  return std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
}

std::string RuleWords(const CalendarDocument& document, std::string_view category, const RuleOptions& options,
                      const MonthSpan& month_span) {
  const Span span = SpanOf(month_span);
  const std::string base = document.every_other_base ? document.every_other_base->ToText() : options.every_other_base;
  std::vector<Row> rows;
  for (const RuleKindInfo& info : RuleKinds()) {
    for (int row = 0; row < kRowsPerKind; ++row) {
      const auto slot = static_cast<std::size_t>(SlotOf(info.kind, row));
      if (document.category[slot] != category) continue;
      const int day = RowDay(document, info, row);
      if (day != 0 && (document.months[slot] & kEveryMonth) != 0) rows.push_back({&info, day, document.months[slot]});
    }
  }
  // Rules in the order of their first row; within a rule, one phrase per
  // month set.
  std::vector<std::string> parts;
  std::vector<std::pair<DayRule, MonthSet>> done;
  for (const Row& row : rows) {
    const std::pair<DayRule, MonthSet> group{row.info->day_rule, row.months};
    if (std::find(done.begin(), done.end(), group) != done.end()) continue;
    done.push_back(group);
    std::vector<const Row*> members;
    for (const Row& other : rows) {
      if (other.info->day_rule == group.first && other.months == group.second) members.push_back(&other);
    }
    parts.push_back(RuleGroupWords(group.first, members, options, base, span) + MonthsWords(group.second, span));
  }
  const bool holidays_stop =
      std::find(document.holiday_rules.begin(), document.holiday_rules.end(), category) != document.holiday_rules.end();
  if (holidays_stop && !parts.empty()) parts.emplace_back("祝日は収集しません");
  for (const bool collect : {true, false}) {
    if (std::string words = ChangeWords(document, category, collect, span); !words.empty()) {
      if (!collect && parts.empty()) continue;  // only cancelled days of a category never collected
      parts.push_back(std::move(words));
    }
  }
  return Joined(parts, kSeparator);
}

SheetLegend MakeSheetLegend(const CalendarDocument& document, const OutputSources& sources, const MonthSpan& span) {
  SheetLegend legend;
  const RuleOptions options = sources.Rules();
  for (SheetMark& mark : MarksOf(document)) {
    std::string words = RuleWords(document, mark.category, options, span);
    if (words.empty()) continue;
    std::string color = CategoryColor(document, mark.category);
    legend.entries.push_back({std::move(mark), std::move(color), std::move(words)});
  }
  legend.notes = StopNotes(document, sources, SpanOf(span));
  return legend;
}

}  // namespace dustora
