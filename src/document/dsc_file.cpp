#include "document/dsc_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/filesystem.h"
#include "core/profile.h"
#include "core/sheet_marks.h"
#include "core/text.h"
#include "core/textfile.h"
#include "document/schedule_text.h"
#include "settings/settings.h"
#include "tables/memo.h"

namespace dustora {

namespace {

constexpr std::string_view kReadTag = "ReadDscFile";
constexpr std::string_view kWriteTag = "WriteDscFile";

// The sections of a document file of every version.
constexpr std::array<std::string_view, 9> kSections = {"WeekName", "Category", "Image", "FColor", "Special",
                                                       "Date",     "Memo",     "Local", "Title"};
// The sections of the months of rows, dated changes, holidays, the base date
// and their format, and of the marks of the one-sheet calendar; each written
// only when it has an entry.
constexpr std::array<std::string_view, 6> kScheduleSections = {"Months",  "Day",    "EveryOther",
                                                               "Holiday", "Format", "Mark"};
constexpr std::string_view kScheduleFormatVersion = "2";
// [Day], [Holiday] and [Mark] are read from key 0 up to this key.
constexpr int kListKeyLimit = kMostDayChanges;

constexpr std::string_view kOpenTitle = "ファイルを開く";
constexpr std::string_view kRulesChangedWarning =
    "このファイルの収集ルールは、月の指定や臨時の日に対応していない版で変更されています。"
    "月の指定と臨時の日を確認してください。";

// The year selector offers this year - 10 .. this year + 10; a stored year
// is taken only from this year - 9 to this year + 9.
constexpr int kStoredYearReach = 9;

std::string Key(int index) {
  return std::to_string(index);
}

// The stored text's value when the text is, exactly, one of the selector's
// items (plain decimal text without blanks, sign or leading zeros) whose
// value lies in [low, high]; nullopt otherwise. Such a value is saved again
// as the same text.
std::optional<int> SelectorItem(std::string_view stored, int low, int high) {
  const std::optional<std::int64_t> value = NumericToWhole(stored);
  if (!value || *value < low || *value > high) return std::nullopt;
  if (std::to_string(*value) != stored) return std::nullopt;
  return static_cast<int>(*value);
}

bool Is(std::string_view name, std::string_view wanted) {
  return EqualsIgnoringAsciiCase(name, wanted);
}

// Whether a key is the decimal text of an index below `count`, as Key writes it.
bool IsIndexKey(std::string_view key, int count) {
  const std::optional<std::int64_t> index = NumericToWhole(key);
  return index && *index >= 0 && *index < count && std::to_string(*index) == key;
}

// Whether an entry is one the document is read from and written to; all
// other entries of a file are kept as they are. [Date] is the document's
// only while the settings save the year and month with it.
bool IsDocumentEntry(std::string_view section, std::string_view key, bool year_month_saved) {
  if (Is(section, "WeekName")) return IsIndexKey(key, kWeekNameCount);
  if (Is(section, "Category") || Is(section, "Image") || Is(section, "FColor") || Is(section, "Months")) {
    return IsIndexKey(key, kSlotCount);
  }
  if (Is(section, "Special")) return IsIndexKey(key, kSpecialCount);
  if (Is(section, "Day") || Is(section, "Holiday") || Is(section, "Mark")) return IsIndexKey(key, kListKeyLimit);
  if (Is(section, "Date")) return year_month_saved && (Is(key, "Year") || Is(key, "Month"));
  if (Is(section, "Memo")) return Is(key, "OP") || Is(key, "Path");
  if (Is(section, "Local")) return Is(key, "Show") || Is(key, "Name");
  if (Is(section, "Title")) return Is(key, "String");
  if (Is(section, "EveryOther")) return Is(key, "Base");
  if (Is(section, "Format")) return Is(key, "Version") || Is(key, "Rules");
  return false;
}

bool IsDocumentSection(std::string_view section) {
  const auto named = [section](std::string_view name) { return Is(section, name); };
  return std::any_of(kSections.begin(), kSections.end(), named) ||
         std::any_of(kScheduleSections.begin(), kScheduleSections.end(), named);
}

// A fingerprint of the rule tables as the file holds them (weekdays,
// categories, icons, colours, fixed days): a version that does not know the
// months and dated changes rewrites these and leaves the fingerprint.
std::string RulesFingerprint(const ProfileFile& file) {
  std::string tables;
  const auto add = [&tables](std::string value) {
    tables += value;
    tables += '\0';  // no value holds a NUL
  };
  for (int i = 0; i < kWeekNameCount; ++i) add(file.Read("WeekName", Key(i)));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string category = file.Read("Category", Key(slot));
    add(category);
    add(file.Read("Image", Key(slot)));
    add(category.empty() ? std::string() : file.Read("FColor", Key(slot)));
  }
  for (int row = 0; row < kSpecialCount; ++row) add(file.Read("Special", Key(row)));
  char hex[20];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a(tables)));
  return hex;
}

// What could not be read of the months, dated changes, holidays and base
// date: each a line of one warning, the rest loads.
class Unread {
 public:
  void Add(std::string line) { lines_.push_back(std::move(line)); }
  void ReportTo(Report& report) const {
    if (lines_.empty()) return;
    std::string text = "読み込めない指定があります。次の指定は使われません。";
    for (const std::string& line : lines_) text += "\r\n" + line;
    report.Say(ReportKind::Warning, std::move(text), std::string(kOpenTitle));
  }

 private:
  std::vector<std::string> lines_;
};

// The rows of [Day] or [Holiday]: keys 0, 1, 2, ... up to the first one
// missing; an empty value is skipped. What stands beyond is named.
void ReadList(const ProfileFile& file, std::string_view section, Unread& unread,
              const std::function<bool(const std::string&)>& take) {
  if (!file.HasSection(section)) return;
  int next = 0;
  for (; next < kListKeyLimit && file.HasKey(section, Key(next)); ++next) {
    const std::string value = file.Read(section, Key(next));
    if (!take(value)) unread.Add("[" + std::string(section) + "] " + Key(next) + "=" + value);
  }
  bool beyond = false;
  for (const std::string& key : file.Keys(section)) {
    const std::optional<std::int64_t> index = NumericToWhole(key);
    beyond = beyond || (index && *index >= next);
  }
  if (beyond && next == kListKeyLimit) {
    unread.Add("[" + std::string(section) + "] " + Key(kListKeyLimit) + " 以降の行（" + Key(kListKeyLimit) +
               "行までしか読み込みません）");
  } else if (beyond) {
    unread.Add("[" + std::string(section) + "] " + Key(next) + " がないため、その後の行");
  }
}

// The months of the rows, the dated changes, the holiday rules and the base
// date; a warning when an older version changed the rules since.
void ReadSchedule(const ProfileFile& file, CalendarDocument& document, Report& report) {
  Unread unread;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (document.category[slot].empty() || !file.HasKey("Months", Key(slot))) continue;
    const std::string value = file.Read("Months", Key(slot));
    if (const std::optional<MonthSet> months = ParseMonths(value)) {
      document.months[slot] = *months;
    } else {
      unread.Add(PlaceOfSlot(slot) + "の月「" + value + "」（毎月とします）");
    }
  }
  ReadList(file, "Day", unread, [&document](const std::string& value) {
    std::optional<DayChange> change = ParseDayChange(value);
    if (change) document.day_changes.push_back(std::move(*change));
    return change.has_value();
  });
  ReadList(file, "Holiday", unread, [&document](const std::string& value) {
    std::string category(TrimBlanks(value));
    if (category.empty()) return false;
    document.holiday_rules.push_back(std::move(category));
    return true;
  });
  ReadList(file, "Mark", unread, [&document](const std::string& value) {
    std::optional<SheetMark> mark = ParseSheetMark(value);
    if (mark) document.sheet_marks.push_back(std::move(*mark));
    return mark.has_value();
  });
  if (file.HasKey("EveryOther", "Base")) {
    const std::string base = file.Read("EveryOther", "Base");
    document.every_other_base = ParseDate(base);
    if (!document.every_other_base) unread.Add("隔週の基準日「" + base + "」（設定の基準日を使います）");
  }
  unread.ReportTo(report);

  const std::string rules = file.Read("Format", "Rules");
  if (!rules.empty() && rules != RulesFingerprint(file)) {
    report.Say(ReportKind::Warning, std::string(kRulesChangedWarning), std::string(kOpenTitle));
  }
}

// Writes the months of the rows, the dated changes, the holiday rules and
// the base date, and the fingerprint of the rules when any of them is there.
void WriteSchedule(const CalendarDocument& document, ProfileFile& file) {
  bool written = false;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const MonthSet months = document.months[slot];
    if (document.category[slot].empty() || months == kEveryMonth || (months & kEveryMonth) == 0) continue;
    file.Write("Months", Key(slot), MonthsText(months));
    written = true;
  }
  for (std::size_t i = 0; i < document.day_changes.size() && i < kListKeyLimit; ++i) {
    file.Write("Day", Key(static_cast<int>(i)), DayChangeText(document.day_changes[i]));
    written = true;
  }
  if (document.every_other_base) {
    file.Write("EveryOther", "Base", document.every_other_base->ToText());
    written = true;
  }
  for (std::size_t i = 0; i < document.holiday_rules.size() && i < kListKeyLimit; ++i) {
    file.Write("Holiday", Key(static_cast<int>(i)), document.holiday_rules[i]);
    written = true;
  }
  // The marks are no rule: an older version keeps them as they are.
  const std::vector<SheetMark> marks = ChosenMarksToKeep(document);
  for (std::size_t i = 0; i < marks.size() && i < kListKeyLimit; ++i) {
    file.Write("Mark", Key(static_cast<int>(i)), SheetMarkText(marks[i]));
  }
  if (!written) return;
  file.Write("Format", "Version", kScheduleFormatVersion);
  file.Write("Format", "Rules", RulesFingerprint(file));
}

// A flag as the file stores it: a numeric text whose whole value fits in a
// byte. Anything else leaves the flag as it was.
void ReadFlag(const ProfileFile& file, std::string_view section, std::string_view key, int& flag) {
  const std::optional<std::int64_t> value = NumericToWhole(file.Read(section, key));
  if (value && *value >= 0 && *value <= 255) flag = static_cast<int>(*value);
}

}  // namespace

bool ReadDscFile(CalendarDocument& document, const AppSettings& settings, std::string& memo_text, Date today,
                 Report& report) {
  const ProfileFile file = ProfileFile::Load(document.document_path);
  if (file.load_error()) {
    report.Fail(kReadTag, *file.load_error());
    return false;
  }
  // A file that is there but holds no section of a document (a picture, a
  // letter) is no document: reading it would empty every rule.
  const bool some_section = std::any_of(kSections.begin(), kSections.end(),
                                        [&file](std::string_view section) { return file.HasSection(section); });
  if (!some_section && Fs().AnythingAt(document.document_path)) {
    report.Say(ReportKind::Information, "ダストーラファイルではありません: " + FileNameOf(document.document_path),
               "ファイルを開く");
    return false;
  }
  if (file.replaced_characters()) ReportReplacedCharacters(report, document.document_path, kOpenTitle);

  for (int i = 0; i < kWeekNameCount; ++i) document.week_name[i] = file.Read("WeekName", Key(i));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    document.category[slot] = CategoryWithoutCommas(file.Read("Category", Key(slot)));
    document.image[slot] = file.Read("Image", Key(slot));
    // A colour left behind by a category that was emptied is not taken.
    document.color[slot] = document.category[slot].empty() ? std::string() : file.Read("FColor", Key(slot));
  }
  for (int row = 0; row < kSpecialCount; ++row) document.special[row] = file.Read("Special", Key(row));

  // The year and month come from the file only while they are saved with
  // it, and only as texts the selectors offer; otherwise the current ones.
  std::optional<int> year;
  std::optional<int> month;
  if (settings.save_year_month == 1) {
    year = SelectorItem(file.Read("Date", "Year"), today.year - kStoredYearReach, today.year + kStoredYearReach);
    month = SelectorItem(file.Read("Date", "Month"), 1, 12);
  }
  document.year = year.value_or(today.year);
  document.month = month.value_or(today.month);

  ReadFlag(file, "Local", "Show", document.show_local_name);
  document.local_name = file.Read("Local", "Name");
  if (std::string title = file.Read("Title", "String"); !title.empty()) document.title = std::move(title);

  // A relative path is the document's neighbour, wherever the program was
  // started.
  std::string memo_path = PathBeside(document.document_path, file.Read("Memo", "Path"));
  if (!memo_path.empty() && !Fs().FileExists(memo_path)) memo_path.clear();
  if (!memo_path.empty() && !IsMemoFile(memo_path)) {
    RefuseMemoTie(document);  // no other file is ever printed, whatever a link's name says
  } else {
    TieMemo(document, std::move(memo_path));
  }
  ReadFlag(file, "Memo", "OP", document.memo_output);

  document.months = EveryMonthOfEachSlot();
  document.day_changes.clear();
  document.holiday_rules.clear();
  document.every_other_base.reset();
  document.sheet_marks.clear();
  ReadSchedule(file, document, report);
  const bool year_month_saved = settings.save_year_month == 1;
  document.kept_file_lines = file.BytesWithout(
      [year_month_saved](std::string_view section, std::string_view key) {
        return IsDocumentEntry(section, key, year_month_saved);
      },
      [](std::string_view) { return false; });

  ReadMemoText(document, memo_text, report);
  return true;
}

bool WriteDscFile(CalendarDocument& document, const AppSettings& settings, Date today, Report& report) {
  if (!document.year || !document.month) {
    report.Say(ReportKind::Error, "年月の指定が不正です", "ファイル保存");
    document.year = today.year;
    document.month = today.month;
    return false;
  }
  if (document.document_path.empty() || document.document_path == ".dsc") return false;

  // An icon name that cannot be stored says where it stands (a name the
  // icon boxes never offered, from a file copied into img by hand).
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::optional<sjis::Unencodable> character = sjis::FirstUnencodable(document.image[slot]);
    if (!character) continue;
    report.Fail(kWriteTag,
                Error::WithDescription(kErrInvalidCall, std::string(kUnstorablePrefix) + character->Text() + "\r\n" +
                                                            PlaceOfSlot(slot) + ": " + document.image[slot]));
    return false;
  }

  // The document is written whole, over what the file it was read from
  // kept, in one replace: nothing of the file it replaces stays, and a
  // refused character or a failed save leaves that file whole.
  ProfileFile file = ProfileFile::FromBytes(document.document_path, document.kept_file_lines);
  for (int i = 0; i < kWeekNameCount; ++i) file.Write("WeekName", Key(i), document.week_name[i]);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    file.Write("Category", Key(slot), document.category[slot]);
    file.Write("Image", Key(slot), document.image[slot]);
    if (!document.category[slot].empty()) file.Write("FColor", Key(slot), document.color[slot]);
  }
  for (int row = 0; row < kSpecialCount; ++row) file.Write("Special", Key(row), document.special[row]);
  if (settings.save_year_month == 1) {
    file.Write("Date", "Year", std::to_string(*document.year));
    file.Write("Date", "Month", std::to_string(*document.month));
  }
  file.Write("Memo", "OP", std::to_string(document.memo_output));
  file.Write("Memo", "Path", document.memo_path);
  file.Write("Local", "Show", std::to_string(document.show_local_name));
  file.Write("Local", "Name", document.local_name);
  file.Write("Title", "String", document.title);
  WriteSchedule(document, file);

  // A section of the document left with no entry goes with its name.
  const ProfileFile whole = ProfileFile::FromBytes(
      document.document_path,
      file.BytesWithout([](std::string_view, std::string_view) { return false; }, IsDocumentSection));
  if (file.refused()) {
    report.Fail(kWriteTag, UnstorableError(*file.refused()));
    return false;
  }
  if (const FileError failed = whole.Save()) {
    report.Fail(kWriteTag, *failed);
    return false;
  }
  return true;
}

}  // namespace dustora
