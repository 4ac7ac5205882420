#include "settings/schema.h"

#include <array>
#include <initializer_list>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace dustora {

namespace {

constexpr std::string_view kFont = "ＭＳ Ｐゴシック";

// The values of one entry besides its field.
struct Values {
  std::string empty{};
  std::optional<std::string> file{};
  std::optional<std::string> upgrade{};
  std::optional<std::string> editor{};
  std::optional<std::string> fallback{};
};

// A value that a new file, the upgrade and 初期値に戻す all write alike.
Values Everywhere(std::string_view value, std::string empty = {}) {
  return {std::move(empty), std::string(value), std::string(value), std::string(value), std::nullopt};
}

class TableBuilder {
 public:
  // `field` is a generic lambda (AppSettings&, CalendarDocument&) -> the
  // text or byte field, usable on const values too.
  template <class Field>
  void Add(Setting id, int index, std::string_view section, std::string_view key, ReadRule read, Field field,
           Values values) {
    SettingEntry& entry = Start(id, index, section, key, read, std::move(values));
    using Result = decltype(field(std::declval<AppSettings&>(), std::declval<CalendarDocument&>()));
    if constexpr (std::is_same_v<Result, std::string&>) {
      entry.text = field;
      entry.text_value = field;
    } else {
      static_assert(std::is_same_v<Result, int&>);
      entry.byte = field;
      entry.byte_value = field;
    }
  }

  // A choice a dialog remembers: a number from low to high, `fallback`
  // when the file has none or another; never in a new file or an upgrade.
  template <class Field>
  void AddCount(Setting id, std::string_view section, std::string_view key, int low, int high, int fallback,
                Field field) {
    Add(id, 0, section, key, ReadRule::Count, field, {.empty = std::to_string(fallback)});
    rows_.back().low = low;
    rows_.back().high = high;
  }

  void AddUnread(Setting id, std::string_view section, std::string_view key, Values values) {
    Start(id, 0, section, key, ReadRule::Unread, std::move(values));
  }

  std::vector<SettingEntry> Take() { return std::move(rows_); }

 private:
  SettingEntry& Start(Setting id, int index, std::string_view section, std::string_view key, ReadRule read,
                      Values values) {
    SettingEntry& entry = rows_.emplace_back();
    entry.id = id;
    entry.index = index;
    entry.section = std::string(section);
    entry.key = std::string(key);
    entry.read = read;
    entry.empty = std::move(values.empty);
    entry.file_default = std::move(values.file);
    entry.upgrade = std::move(values.upgrade);
    entry.editor_default = std::move(values.editor);
    entry.editor_fallback = std::move(values.fallback);
    return entry;
  }

  std::vector<SettingEntry> rows_;
};

std::vector<SettingEntry> BuildTable() {
  TableBuilder t;
  using R = ReadRule;

  // The category list; a new file names twelve and leaves 12..19 empty.
  const std::vector<std::string_view> categories = {"燃やせるごみ",
                                                    "粗大ごみ",
                                                    "空きかん",
                                                    "空きびん",
                                                    "不燃廃プラスチック・ビニール",
                                                    "古紙・古着類",
                                                    "発泡スチロール・発泡トレイ",
                                                    "ペットボトル",
                                                    "その他のプラスチック類",
                                                    "ガラス類",
                                                    "牛乳パック",
                                                    "乾電池"};
  for (int i = 0; i < kCategoryCount; ++i) {
    Values values;
    if (i < 20) values.file = i < static_cast<int>(categories.size()) ? std::string(categories[i]) : std::string();
    t.Add(
        Setting::Category, i, "category", std::to_string(i),
        R::Category, [i](auto& s, auto&) -> auto& { return s.category[i]; }, std::move(values));
  }

  // Font slots 0 title, 1 heading, 2 day numbers, 3 weekday names, 4 category
  // names, 5 holiday names, 6 area name. Slot 6 came without a default line
  // or upgrade; its empty value stands for them.
  const std::array<std::string_view, kFontSlotCount> sizes = {"6", "6", "3", "5", "5", "3", "5"};
  const std::array<std::string_view, kFontSlotCount> styles = {"太字", "太字", "通常", "通常", "通常", "通常", "太字"};
  for (int i = 0; i < kFontSlotCount; ++i) {
    const std::string key = std::to_string(i);
    const auto value = [&](std::string_view v) {
      return i < 6 ? Everywhere(v) : Values{std::string(v), std::nullopt, std::nullopt, std::string(v), std::nullopt};
    };
    const R read = i < 6 ? R::Style : R::StyleOr;
    t.Add(
        Setting::FontName, i, "FontName", key, read, [i](auto& s, auto&) -> auto& { return s.design.font_name[i]; },
        value(kFont));
    t.Add(
        Setting::FontSize, i, "FontSize", key, read, [i](auto& s, auto&) -> auto& { return s.design.font_size[i]; },
        value(sizes[i]));
    t.Add(
        Setting::FontStyle, i, "FontStyle", key, read, [i](auto& s, auto&) -> auto& { return s.design.font_style[i]; },
        value(styles[i]));
  }
  const std::array<std::string_view, 2> alignments = {"中央", "右"};
  for (int i = 0; i < 2; ++i) {
    t.Add(
        Setting::FontAlign, i, "FontAlign", std::to_string(i),
        R::Style, [i](auto& s, auto&) -> auto& { return s.design.font_align[i]; }, Everywhere(alignments[i]));
  }
  const std::array<std::string_view, 3> colors = {"#0000FF", "#008000", "#000000"};
  for (int i = 0; i < 3; ++i) {
    t.Add(
        Setting::FontColor, i, "FontColor", std::to_string(i),
        R::Style, [i](auto& s, auto&) -> auto& { return s.design.font_color[i]; }, Everywhere(colors[i]));
  }

  t.Add(
      Setting::CellStyle, 0, "Cell", "Style", R::Style, [](auto& s, auto&) -> auto& { return s.design.cell_style; },
      Everywhere("solid"));
  t.Add(
      Setting::CellBorder, 0, "Cell", "Border", R::Style, [](auto& s, auto&) -> auto& { return s.design.cell_border; },
      Everywhere("1"));
  t.Add(
      Setting::CellColor, 0, "Cell", "Color", R::Style, [](auto& s, auto&) -> auto& { return s.design.cell_color; },
      Everywhere("#000000"));
  t.AddUnread(Setting::CellSpace, "Cell", "Space", {.upgrade = "0"});
  t.Add(
      Setting::Title, 0, "Title", "String", R::Text, [](auto&, auto& d) -> auto& { return d.title; },
      Everywhere(kDefaultTitle));
  t.Add(Setting::SundayOption, 0, "Option", "SP", R::Byte,
        [](auto& s, auto&) -> auto& { return s.special_sunday_option; }, {.empty = "0", .file = "0", .upgrade = "0"});
  t.Add(Setting::HolidayNames, 0, "Option", "HD", R::Byte, [](auto& s, auto&) -> auto& { return s.show_holiday_names; },
        {.empty = "1", .upgrade = "1"});

  // The grid's sizes: TW and CH came with the same upgrade as the check
  // boxes; CW and CM later, without one.
  t.Add(
      Setting::FixedTableWidth, 0, "Table", "WC", R::Byte,
      [](auto& s, auto&) -> auto& { return s.design.fixed_table_width; }, Everywhere("0", "0"));
  t.Add(
      Setting::FixedCellHeight, 0, "Table", "HC", R::Byte,
      [](auto& s, auto&) -> auto& { return s.design.fixed_cell_height; }, Everywhere("0", "0"));
  t.Add(Setting::TableWidth, 0, "Table", "TW", R::Style, [](auto& s, auto&) -> auto& { return s.design.table_width; },
        {.file = "180", .upgrade = "180", .editor = "180", .fallback = "180"});
  t.Add(Setting::CellHeight, 0, "Table", "CH", R::Style, [](auto& s, auto&) -> auto& { return s.design.cell_height; },
        {.file = "35", .upgrade = "35", .editor = "35", .fallback = "35"});
  t.Add(Setting::EqualColumns, 0, "Table", "CW", R::ByteOr,
        [](auto& s, auto&) -> auto& { return s.design.equal_columns; },
        {.empty = std::to_string(kEmptyEqualColumns), .editor = "1"});
  t.Add(Setting::MinimumColumnWidth, 0, "Table", "CM", R::NumericOr,
        [](auto& s, auto&) -> auto& { return s.design.minimum_column_width; },
        {.empty = std::string(kEmptyMinimumColumnWidth), .editor = "30", .fallback = "30"});

  t.Add(
      Setting::MemoFontName, 0, "Memo", "FN", R::Style, [](auto& s, auto&) -> auto& { return s.design.memo_font_name; },
      Everywhere(kFont));
  t.Add(
      Setting::MemoFontSize, 0, "Memo", "FSZ", R::Style,
      [](auto& s, auto&) -> auto& { return s.design.memo_font_size; }, Everywhere("4"));
  t.Add(
      Setting::MemoFontStyle, 0, "Memo", "FST", R::Style,
      [](auto& s, auto&) -> auto& { return s.design.memo_font_style; }, Everywhere("通常"));
  t.Add(
      Setting::MemoFontColor, 0, "Memo", "FC", R::Style,
      [](auto& s, auto&) -> auto& { return s.design.memo_font_color; }, Everywhere("#000000"));
  t.Add(
      Setting::MemoBorderStyle, 0, "Memo", "CS", R::Style,
      [](auto& s, auto&) -> auto& { return s.design.memo_border_style; }, Everywhere("solid"));
  t.Add(
      Setting::MemoBorderWidth, 0, "Memo", "CW", R::Style,
      [](auto& s, auto&) -> auto& { return s.design.memo_border_width; }, Everywhere("1"));
  t.Add(
      Setting::MemoBorderColor, 0, "Memo", "CC", R::Style,
      [](auto& s, auto&) -> auto& { return s.design.memo_border_color; }, Everywhere("#000000"));
  t.Add(
      Setting::MemoOutput, 0, "Memo", "OP", R::Byte, [](auto&, auto& d) -> auto& { return d.memo_output; },
      Everywhere("0", "0"));
  t.Add(Setting::FixedMemoHeight, 0, "Memo", "HC", R::ByteOr,
        [](auto& s, auto&) -> auto& { return s.design.fixed_memo_height; }, {.empty = "0", .editor = "0"});
  t.Add(Setting::MemoHeight, 0, "Memo", "MH", R::NumericOr,
        [](auto& s, auto&) -> auto& { return s.design.memo_height; },
        {.empty = std::string(kEmptyMemoHeight), .editor = "40", .fallback = "40"});
  // The memo's path lives in the document file; this one is only ever written empty.
  t.AddUnread(Setting::MemoPath, "Memo", "Path", {.file = "", .upgrade = ""});

  t.Add(Setting::EveryOtherBase, 0, "EOD", "Base", R::Text, [](auto& s, auto&) -> auto& { return s.every_other_base; },
        {});
  t.Add(Setting::SaveYearMonth, 0, "File", "Date", R::ByteOr, [](auto& s, auto&) -> auto& { return s.save_year_month; },
        {.empty = "0"});
  t.Add(Setting::AreaName, 0, "LN", "Name", R::Text, [](auto&, auto& d) -> auto& { return d.local_name; },
        {.editor = ""});
  t.Add(Setting::ShowAreaName, 0, "LN", "Show", R::ByteOr, [](auto&, auto& d) -> auto& { return d.show_local_name; },
        {.empty = "0", .editor = "0"});

  // What the dialogs added beyond the first version remember, each in a
  // section of its own.
  t.AddCount(
      Setting::YearMonths, "Year", "Months", 1, kMaxYearMonths, kDefaultYearMonths,
      [](auto& s, auto&) -> auto& { return s.year_months; });
  t.AddCount(
      Setting::ICalMonths, "ICal", "Months", 1, kMaxICalMonths, kDefaultICalMonths,
      [](auto& s, auto&) -> auto& { return s.ical_months; });
  t.AddCount(
      Setting::ICalReminder, "ICal", "Reminder", 0, 2, kDefaultICalReminder,
      [](auto& s, auto&) -> auto& { return s.ical_reminder; });
  for (int i = 0; i < kRecentCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    t.Add(Setting::Recent, i, "Recent", std::to_string(i),
          R::Text, [at](auto& s, auto&) -> auto& { return s.recent[at]; }, {});
  }
  return t.Take();
}

// Builds a list of entries of the table.
class ListBuilder {
 public:
  ListBuilder& Of(std::initializer_list<Setting> ids) {
    for (const Setting id : ids) list_.push_back(&SettingOf(id));
    return *this;
  }
  // The numbered entries "from" .. "to" of one.
  ListBuilder& Numbered(Setting id, int from, int to) {
    for (int i = from; i <= to; ++i) list_.push_back(&SettingOf(id, i));
    return *this;
  }
  std::vector<const SettingEntry*> Take() { return std::move(list_); }

 private:
  std::vector<const SettingEntry*> list_;
};

}  // namespace

const std::vector<SettingEntry>& SettingsSchema() {
  static const std::vector<SettingEntry> table = BuildTable();
  return table;
}

const SettingEntry& SettingOf(Setting id, int index) {
  // Each kind's entries in the order of their numbers.
  static const std::array<std::vector<const SettingEntry*>, kSettingKinds> by_kind = [] {
    std::array<std::vector<const SettingEntry*>, kSettingKinds> kinds;
    for (const SettingEntry& entry : SettingsSchema()) kinds[static_cast<std::size_t>(entry.id)].push_back(&entry);
    return kinds;
  }();
  const std::vector<const SettingEntry*>& entries = by_kind[static_cast<std::size_t>(id)];
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
    throw std::logic_error("no settings entry " + std::to_string(static_cast<int>(id)) + "/" + std::to_string(index));
  }
  return *entries[static_cast<std::size_t>(index)];
}

const std::vector<const SettingEntry*>& SettingsReadOrder() {
  static const std::vector<const SettingEntry*> order = [] {
    using S = Setting;
    ListBuilder b;
    b.Numbered(S::Category, 0, kCategoryCount - 1);
    for (int i = 0; i < kFontSlotCount; ++i) {
      b.Numbered(S::FontName, i, i).Numbered(S::FontSize, i, i).Numbered(S::FontStyle, i, i);
    }
    b.Of({S::AreaName, S::ShowAreaName});
    b.Numbered(S::FontAlign, 0, 1).Numbered(S::FontColor, 0, 2);
    b.Of({S::CellStyle, S::CellBorder, S::CellColor, S::Title});
    b.Of({S::SundayOption, S::HolidayNames, S::FixedTableWidth, S::FixedCellHeight, S::TableWidth, S::CellHeight,
          S::EqualColumns, S::MinimumColumnWidth});
    b.Of({S::MemoFontName, S::MemoFontSize, S::MemoFontStyle, S::MemoFontColor, S::MemoBorderStyle, S::MemoBorderWidth,
          S::MemoBorderColor, S::MemoOutput});
    b.Of({S::EveryOtherBase, S::FixedMemoHeight, S::MemoHeight, S::SaveYearMonth});
    b.Of({S::YearMonths, S::ICalMonths, S::ICalReminder}).Numbered(S::Recent, 0, kRecentCount - 1);
    return b.Take();
  }();
  return order;
}

const std::vector<const SettingEntry*>& DefaultFileEntries() {
  static const std::vector<const SettingEntry*> entries = [] {
    using S = Setting;
    ListBuilder b;
    b.Numbered(S::Category, 0, 19).Numbered(S::FontSize, 0, 5).Numbered(S::FontStyle, 0, 5);
    b.Numbered(S::FontAlign, 0, 1).Numbered(S::FontColor, 0, 2);
    b.Of({S::CellStyle, S::CellBorder, S::CellColor, S::Title, S::SundayOption});
    b.Numbered(S::FontName, 0, 5);
    b.Of({S::MemoFontName, S::MemoFontSize, S::MemoFontStyle, S::MemoFontColor, S::MemoBorderStyle, S::MemoBorderWidth,
          S::MemoBorderColor, S::MemoOutput, S::MemoPath});
    b.Of({S::FixedTableWidth, S::TableWidth, S::FixedCellHeight, S::CellHeight});
    return b.Take();
  }();
  return entries;
}

const std::vector<UpgradeStep>& UpgradeSteps() {
  static const std::vector<UpgradeStep> steps = [] {
    using S = Setting;
    const auto memo = {S::MemoFontName,    S::MemoFontSize,    S::MemoFontStyle, S::MemoFontColor, S::MemoBorderStyle,
                       S::MemoBorderWidth, S::MemoBorderColor, S::MemoOutput,    S::MemoPath};
    std::vector<UpgradeStep> s;
    s.push_back({"PlusMyIni", &SettingOf(S::Title),
                 ListBuilder()
                     .Numbered(S::FontSize, 0, 4)
                     .Numbered(S::FontStyle, 0, 4)
                     .Numbered(S::FontAlign, 0, 1)
                     .Numbered(S::FontColor, 0, 2)
                     .Of({S::CellBorder, S::CellSpace, S::CellColor, S::Title})
                     .Take()});
    s.push_back({"MorePlusMyIni", &SettingOf(S::SundayOption), ListBuilder().Of({S::SundayOption}).Take()});
    s.push_back({"PlusPlusMyIni", &SettingOf(S::FontName, 0), ListBuilder().Numbered(S::FontName, 0, 4).Take()});
    s.push_back({"HolidayMyIni", &SettingOf(S::HolidayNames), ListBuilder().Of({S::HolidayNames}).Take()});
    s.push_back({"PlusV017ini", &SettingOf(S::CellStyle), ListBuilder().Of({S::CellStyle}).Of(memo).Take()});
    s.push_back({"PlusPlusV108Ini", &SettingOf(S::TableWidth),
                 ListBuilder()
                     .Numbered(S::FontName, 5, 5)
                     .Numbered(S::FontSize, 5, 5)
                     .Numbered(S::FontStyle, 5, 5)
                     .Of({S::FixedTableWidth, S::TableWidth, S::FixedCellHeight, S::CellHeight})
                     .Take()});
    return s;
  }();
  return steps;
}

}  // namespace dustora
