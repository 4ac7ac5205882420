#include "document/open_data_import.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "core/color.h"
#include "core/encoding.h"
#include "core/filesystem.h"
#include "core/text.h"
#include "document/dsc_file.h"
#include "document/open_data_cell.h"
#include "document/schedule_text.h"
#include "tables/memo.h"

namespace dustora {

namespace {

constexpr double kLeastContrast = 3.0;
constexpr std::string_view kReplacement = "〓";

// The text with each character Shift_JIS cannot hold as 〓, and each
// control character (a line end in a quoted field) as a blank: a name or a
// remark is one line of the document and the memo.
std::string Storable(std::string_view text, bool& replaced) {
  std::string stored(text);
  for (char& c : stored) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  stored = std::string(TrimDataBlanks(stored));
  while (const std::optional<sjis::Unencodable> bad = sjis::FirstUnencodable(stored)) {
    stored.replace(bad->offset, bad->Text().size(), kReplacement);
    replaced = true;
  }
  return stored;
}

// The free rows of the rule table, taken in order.
class Rows {
 public:
  // The next free row of the first kind that has one.
  std::optional<std::pair<RuleKind, int>> Take(std::initializer_list<RuleKind> kinds) {
    for (const RuleKind kind : kinds) {
      int& used = used_[static_cast<std::size_t>(kind)];
      if (used < kRowsPerKind) return std::pair{kind, used++};
    }
    return std::nullopt;
  }

 private:
  std::array<int, kRuleKindCount> used_{};
};

// The base of the area's every-other-week rows: the date of its first
// such term.
std::optional<Date> EveryOtherBase(const std::vector<ParsedCell>& cells) {
  for (const ParsedCell& cell : cells) {
    for (const CellTerm& term : cell.terms) {
      if (term.kind == CellTermKind::EveryOtherWeek) return term.date;
    }
  }
  return std::nullopt;
}

// The colour a category gets from description.csv: its bgcolor, darkened
// until its contrast against white is 3:1; black without one.
std::string ImportedColor(const OpenData& data, std::string_view category) {
  const std::string* color = data.ColorOf(category);
  if (color == nullptr || !IsColorText(*color)) return "#000000";
  return ColorValueToText(DarkenedForWhite(ColorTextToValue(*color), kLeastContrast));
}

}  // namespace

bool ImportedArea::Exact() const {
  return std::all_of(lines.begin(), lines.end(), [](const ImportLine& line) { return line.mapped; });
}

ImportedArea ImportArea(const OpenData& data, const OpenDataArea& area, Date today) {
  ImportedArea imported;
  CalendarDocument& document = imported.document;
  document.Clear(today.year, today.month);
  document.title = std::string(kImportedTitle);
  bool replaced = false;
  document.local_name = Storable(area.name, replaced);
  document.show_local_name = 1;
  if (replaced) {
    imported.lines.push_back({{}, area.name, "Shift_JISで保存できない文字を〓にしました: " + document.local_name});
  }
  const std::vector<const CenterClosure*> closures = [&] {
    std::vector<const CenterClosure*> found;
    for (const CenterClosure& closure : data.closures) {
      if (!area.center.empty() && closure.center == area.center) found.push_back(&closure);
    }
    return found;
  }();
  const auto in_closure = [&closures](const Date& day) {
    return std::any_of(closures.begin(), closures.end(),
                       [&day](const CenterClosure* c) { return c->first <= day && day <= c->last; });
  };

  std::vector<ParsedCell> cells;
  cells.reserve(area.cells.size());
  for (const std::string& cell : area.cells) cells.push_back(ParseCell(cell));
  document.every_other_base = EveryOtherBase(cells);
  const std::string base = document.every_other_base ? document.every_other_base->ToText() : std::string();
  Rows rows;
  std::vector<std::string> memo_lines;
  for (std::size_t column = 0; column < data.categories.size() && column < area.cells.size(); ++column) {
    const std::string& cell = area.cells[column];
    if (cell.empty()) continue;
    bool name_replaced = false;
    const std::string category = CategoryWithoutCommas(Storable(data.categories[column], name_replaced));
    const auto say = [&](std::string text, std::string result, bool mapped = true) {
      imported.lines.push_back({category, std::move(text), std::move(result), mapped});
    };
    if (category.empty()) {
      say(cell, "分別の種類の名前（見出し）がありません", false);
      continue;
    }
    if (name_replaced) say(data.categories[column], "Shift_JISで保存できない文字を〓にしました: " + category);
    if (std::find(imported.categories.begin(), imported.categories.end(), category) == imported.categories.end())
      imported.categories.push_back(category);
    const std::string color = ImportedColor(data, data.categories[column]);
    const ParsedCell& parsed = cells[column];

    const auto store = [&](const CellTerm& term, std::initializer_list<RuleKind> kinds, std::string_view weekday,
                           const std::string& extra) {
      const std::optional<std::pair<RuleKind, int>> row = rows.Take(kinds);
      if (!row) {
        say(term.text, "「" + std::string(InfoOf(*kinds.begin()).tab_caption) + "」の行がいっぱいのため登録できません",
            false);
        return;
      }
      const int slot = SlotOf(row->first, row->second);
      document.StoreRow(row->first, row->second, {std::string(weekday), category, "", color});
      document.months[static_cast<std::size_t>(slot)] = parsed.months;
      std::string result = PlaceOfSlot(slot) + ": " + std::string(weekday) + "曜日" + extra;
      if (parsed.months != kEveryMonth) result += " (" + MonthsText(parsed.months) + "月)";
      say(term.text, std::move(result));
    };
    for (const CellTerm& term : parsed.terms) {
      switch (term.kind) {
        case CellTermKind::EveryWeek:
          store(term, {RuleKind::EveryWeek, RuleKind::EveryWeek2}, WeekdayLetter(term.weekday), {});
          break;
        case CellTermKind::NthWeekday: {
          constexpr std::array<RuleKind, 5> kNth = {RuleKind::Week1st, RuleKind::Week2nd, RuleKind::Week3rd,
                                                    RuleKind::Week4th, RuleKind::Week5th};
          store(term, {kNth[static_cast<std::size_t>(term.nth - 1)]}, WeekdayLetter(term.weekday), {});
          break;
        }
        case CellTermKind::EveryOtherWeek: {
          // The data sets count from the date, whatever weekday the letter says.
          const int weekday = term.date.Weekday();
          const std::string extra = weekday == term.weekday
                                        ? std::string()
                                        : " (「" + std::string(WeekdayLetter(term.weekday)) + "」ではなく日付の曜日)";
          const bool front = EveryOtherWeekParity(term.date.year, term.date.month, term.date.day, base) == kFrontWeek;
          store(term, {front ? RuleKind::EveryOtherA : RuleKind::EveryOtherB}, WeekdayLetter(weekday), extra);
          break;
        }
        case CellTermKind::ExtraDay:
          if (document.day_changes.size() >= static_cast<std::size_t>(kMostDayChanges)) {
            say(term.text, "臨時の収集日と休みは" + std::to_string(kMostDayChanges) + "件までです", false);
            break;
          }
          document.day_changes.push_back({term.date.year, term.date.month, term.date.day, true, category});
          say(term.text, "臨時の収集日 " + term.date.ToText() +
                             (in_closure(term.date) ? " (センターの休止期間中ですが、収集日とします)" : ""));
          break;
        case CellTermKind::Remark: {
          const std::string* text = data.RemarkText(term.remark);
          if (text == nullptr) {
            say(term.text, "remarks.csv に備考 " + term.remark + " がありません", false);
            break;
          }
          bool remark_replaced = false;
          std::string line = Storable(*text, remark_replaced);
          if (std::find(memo_lines.begin(), memo_lines.end(), line) == memo_lines.end()) memo_lines.push_back(line);
          say(term.text, "メモ: " + line + (remark_replaced ? " (Shift_JISで保存できない文字を〓にしました)" : ""));
          break;
        }
      }
    }
    for (const UnreadPart& part : parsed.unread) say(part.text, part.why, false);
  }

  // The closures of the area's centre: no collection on any of their days.
  for (const CenterClosure* closure : closures) {
    std::size_t days = 0;
    for (std::int64_t serial = closure->first.Serial(); serial <= closure->last.Serial(); ++serial) {
      if (document.day_changes.size() >= static_cast<std::size_t>(kMostDayChanges)) break;
      const Date day = Date::FromSerial(serial);
      document.day_changes.push_back({day.year, day.month, day.day, false, std::string(kEveryCategory)});
      ++days;
    }
    const std::string span = closure->first.ToText() + "～" + closure->last.ToText();
    const bool whole = static_cast<std::int64_t>(days) == closure->last.Serial() - closure->first.Serial() + 1;
    imported.lines.push_back(
        {{},
         "センター「" + closure->center + "」の休止 " + span,
         whole ? "収集なしとしました（休止のあとの振替の収集は、市の案内を見て臨時の収集日に登録してください）"
               : "臨時の収集日と休みは" + std::to_string(kMostDayChanges) + "件までのため、途中までしか登録できません",
         whole});
  }
  for (const std::string& skipped : data.skipped) imported.lines.push_back({{}, skipped, "使いません", true});

  if (!memo_lines.empty()) {
    for (const std::string& line : memo_lines) imported.memo_text += line + "\r\n";
    document.memo_output = 1;
  }
  return imported;
}

std::string MemoPathBeside(std::string_view document_path) {
  std::string path(document_path);
  if (path.size() > 4 && EqualsIgnoringAsciiCase(std::string_view(path).substr(path.size() - 4), ".dsc")) {
    path.resize(path.size() - 4);
  }
  return WithMemoExtension(std::move(path));
}

bool WriteMemoBeside(CalendarDocument& document, std::string_view memo_text, bool by_name, Report& report) {
  const std::string path = MemoPathBeside(document.document_path);
  // The file holds the lines without the last line end, as the memo editor writes them.
  std::string_view text = memo_text;
  if (text.ends_with("\r\n")) text.remove_suffix(2);
  if (const FileError failed = WriteMemoFile(path, text)) {
    report.Fail("WriteMemo", *failed);
    return false;
  }
  TieMemo(document, by_name ? FileNameOf(path) : path);
  return true;
}

bool SaveImportedArea(ImportedArea& area, std::string_view path, const AppSettings& settings, Date today,
                      Report& report) {
  area.document.document_path = std::string(path);
  if (!area.memo_text.empty() && !WriteMemoBeside(area.document, area.memo_text, true, report)) return false;
  return WriteDscFile(area.document, settings, today, report);
}

}  // namespace dustora
