// Every entry of dustora.ini once: its section and key, the value it
// fills, and what each use of the file takes for it. The default file, the
// upgrade steps and the order of reading are lists of entries of this
// table; the table's own order is the order SaveSettings writes in.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace dustora {

// Every entry of the file by name; a numbered entry (a category, a font
// slot, a recent document) also has its number, its key in the file.
enum class Setting {
  Category,            // [category] 0..39
  FontName,            // [FontName] 0..6: the font slots, 0 title .. 6 area name
  FontSize,            // [FontSize] 0..6
  FontStyle,           // [FontStyle] 0..6
  FontAlign,           // [FontAlign] 0..1
  FontColor,           // [FontColor] 0..2
  CellStyle,           // [Cell] Style
  CellBorder,          // [Cell] Border
  CellColor,           // [Cell] Color
  CellSpace,           // [Cell] Space: only ever written
  Title,               // [Title] String
  SundayOption,        // [Option] SP
  HolidayNames,        // [Option] HD
  FixedTableWidth,     // [Table] WC
  FixedCellHeight,     // [Table] HC
  TableWidth,          // [Table] TW
  CellHeight,          // [Table] CH
  EqualColumns,        // [Table] CW
  MinimumColumnWidth,  // [Table] CM
  MemoFontName,        // [Memo] FN
  MemoFontSize,        // [Memo] FSZ
  MemoFontStyle,       // [Memo] FST
  MemoFontColor,       // [Memo] FC
  MemoBorderStyle,     // [Memo] CS
  MemoBorderWidth,     // [Memo] CW
  MemoBorderColor,     // [Memo] CC
  MemoOutput,          // [Memo] OP
  FixedMemoHeight,     // [Memo] HC
  MemoHeight,          // [Memo] MH
  MemoPath,            // [Memo] Path: only ever written, empty
  EveryOtherBase,      // [EOD] Base
  SaveYearMonth,       // [File] Date
  AreaName,            // [LN] Name
  ShowAreaName,        // [LN] Show
  YearMonths,          // [Year] Months
  ICalMonths,          // [ICal] Months
  ICalReminder,        // [ICal] Reminder
  Recent,              // [Recent] 0..7
};
inline constexpr int kSettingKinds = static_cast<int>(Setting::Recent) + 1;

// How the text of an entry becomes its value.
enum class ReadRule {
  Text,       // as it is
  Category,   // every "," becomes "・"
  Style,      // one that could break the style sheet is reported and becomes the default file's value
  StyleOr,    // as Style; an empty text becomes `empty`
  NumericOr,  // the text when it is numeric, else `empty`
  Byte,       // 0..255; anything else is reported and becomes `empty`
  ByteOr,     // the number when the text is numeric (one out of range is reported), else `empty`
  Unread,     // no value holds it: only a new file or an upgrade step writes it
  Count,      // a remembered choice: the number from `low` to `high`, else `empty`; never reported
};

struct SettingEntry {
  Setting id = Setting::Category;
  int index = 0;  // of a numbered entry; else 0
  std::string section;
  std::string key;
  ReadRule read = ReadRule::Unread;
  // Where the value lives; a text or a byte field, neither for Unread.
  std::function<std::string&(AppSettings&, CalendarDocument&)> text;
  std::function<const std::string&(const AppSettings&, const CalendarDocument&)> text_value;
  std::function<int&(AppSettings&, CalendarDocument&)> byte;
  std::function<int(const AppSettings&, const CalendarDocument&)> byte_value;

  std::string empty;                           // the value of an empty or missing key
  std::optional<std::string> file_default;     // its line in a new file (after "key=")
  std::optional<std::string> upgrade;          // what its upgrade step writes
  std::optional<std::string> editor_default;   // what the design editor's 初期値に戻す shows, as stored
  std::optional<std::string> editor_fallback;  // what the design editor takes for a number it cannot use
  int low = 0;                                 // the range of a Count
  int high = 0;

  bool written() const { return read != ReadRule::Unread; }
};

// The table, in the order SaveSettings writes.
[[nodiscard]] const std::vector<SettingEntry>& SettingsSchema();
// One entry of it (the number of a numbered one); a number the entry does
// not have is a logic error.
[[nodiscard]] const SettingEntry& SettingOf(Setting id, int index = 0);

// The entries in the order LoadSettings reads them.
[[nodiscard]] const std::vector<const SettingEntry*>& SettingsReadOrder();
// The entries of a new settings file, in its order.
[[nodiscard]] const std::vector<const SettingEntry*>& DefaultFileEntries();

struct UpgradeStep {
  std::string_view tag;                      // the routine's name in its error box
  const SettingEntry* sentinel;              // missing or empty: the step has not been taken
  std::vector<const SettingEntry*> entries;  // written with their upgrade values
};
// The six steps in the order they are checked.
[[nodiscard]] const std::vector<UpgradeStep>& UpgradeSteps();

}  // namespace dustora
