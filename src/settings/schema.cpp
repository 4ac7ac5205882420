#include "settings/schema.h"

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
  void Add(std::string_view section, std::string_view key, ReadRule read, Field field, Values values) {
    SettingEntry& entry = Start(section, key, read, std::move(values));
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
  void AddCount(std::string_view section, std::string_view key, int low, int high, int fallback, Field field) {
    Add(section, key, ReadRule::Count, field, {.empty = std::to_string(fallback)});
    rows_.back().low = low;
    rows_.back().high = high;
  }

  void AddUnread(std::string_view section, std::string_view key, Values values) {
    Start(section, key, ReadRule::Unread, std::move(values));
  }

  std::vector<SettingEntry> Take() { return std::move(rows_); }

 private:
  SettingEntry& Start(std::string_view section, std::string_view key, ReadRule read, Values values) {
    SettingEntry& entry = rows_.emplace_back();
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
        "category", std::to_string(i), R::Category, [i](auto& s, auto&) -> auto& { return s.category[i]; },
        std::move(values));
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
        "FontName", key, read, [i](auto& s, auto&) -> auto& { return s.design.font_name[i]; }, value(kFont));
    t.Add(
        "FontSize", key, read, [i](auto& s, auto&) -> auto& { return s.design.font_size[i]; }, value(sizes[i]));
    t.Add(
        "FontStyle", key, read, [i](auto& s, auto&) -> auto& { return s.design.font_style[i]; }, value(styles[i]));
  }
  const std::array<std::string_view, 2> alignments = {"中央", "右"};
  for (int i = 0; i < 2; ++i) {
    t.Add(
        "FontAlign", std::to_string(i), R::Style, [i](auto& s, auto&) -> auto& { return s.design.font_align[i]; },
        Everywhere(alignments[i]));
  }
  const std::array<std::string_view, 3> colors = {"#0000FF", "#008000", "#000000"};
  for (int i = 0; i < 3; ++i) {
    t.Add(
        "FontColor", std::to_string(i), R::Style, [i](auto& s, auto&) -> auto& { return s.design.font_color[i]; },
        Everywhere(colors[i]));
  }

  t.Add(
      "Cell", "Style", R::Style, [](auto& s, auto&) -> auto& { return s.design.cell_style; }, Everywhere("solid"));
  t.Add(
      "Cell", "Border", R::Style, [](auto& s, auto&) -> auto& { return s.design.cell_border; }, Everywhere("1"));
  t.Add(
      "Cell", "Color", R::Style, [](auto& s, auto&) -> auto& { return s.design.cell_color; }, Everywhere("#000000"));
  t.AddUnread("Cell", "Space", {.upgrade = "0"});
  t.Add(
      "Title", "String", R::Text, [](auto&, auto& d) -> auto& { return d.title; }, Everywhere(kDefaultTitle));
  t.Add("Option", "SP", R::Byte, [](auto& s, auto&) -> auto& { return s.special_sunday_option; },
        {.empty = "0", .file = "0", .upgrade = "0"});
  t.Add("Option", "HD", R::Byte, [](auto& s, auto&) -> auto& { return s.show_holiday_names; },
        {.empty = "1", .upgrade = "1"});

  // The grid's sizes: TW and CH came with the same upgrade as the check
  // boxes; CW and CM later, without one.
  t.Add(
      "Table", "WC", R::Byte, [](auto& s, auto&) -> auto& { return s.design.table_wc; }, Everywhere("0", "0"));
  t.Add(
      "Table", "HC", R::Byte, [](auto& s, auto&) -> auto& { return s.design.table_hc; }, Everywhere("0", "0"));
  t.Add("Table", "TW", R::Style, [](auto& s, auto&) -> auto& { return s.design.table_tw; },
        {.file = "180", .upgrade = "180", .editor = "180", .fallback = "180"});
  t.Add("Table", "CH", R::Style, [](auto& s, auto&) -> auto& { return s.design.table_ch; },
        {.file = "35", .upgrade = "35", .editor = "35", .fallback = "35"});
  t.Add("Table", "CW", R::ByteOr, [](auto& s, auto&) -> auto& { return s.design.table_cw; },
        {.empty = "1", .editor = "1"});
  t.Add("Table", "CM", R::NumericOr, [](auto& s, auto&) -> auto& { return s.design.table_cm; },
        {.empty = "30", .editor = "30", .fallback = "30"});

  t.Add(
      "Memo", "FN", R::Style, [](auto& s, auto&) -> auto& { return s.design.memo_fn; }, Everywhere(kFont));
  t.Add(
      "Memo", "FSZ", R::Style, [](auto& s, auto&) -> auto& { return s.design.memo_fsz; }, Everywhere("4"));
  t.Add(
      "Memo", "FST", R::Style, [](auto& s, auto&) -> auto& { return s.design.memo_fst; }, Everywhere("通常"));
  t.Add(
      "Memo", "FC", R::Style, [](auto& s, auto&) -> auto& { return s.design.memo_fc; }, Everywhere("#000000"));
  t.Add(
      "Memo", "CS", R::Style, [](auto& s, auto&) -> auto& { return s.design.memo_cs; }, Everywhere("solid"));
  t.Add(
      "Memo", "CW", R::Style, [](auto& s, auto&) -> auto& { return s.design.memo_cw; }, Everywhere("1"));
  t.Add(
      "Memo", "CC", R::Style, [](auto& s, auto&) -> auto& { return s.design.memo_cc; }, Everywhere("#000000"));
  t.Add(
      "Memo", "OP", R::Byte, [](auto&, auto& d) -> auto& { return d.memo_output; }, Everywhere("0", "0"));
  t.Add("Memo", "HC", R::ByteOr, [](auto& s, auto&) -> auto& { return s.design.memo_hc; },
        {.empty = "0", .editor = "0"});
  t.Add("Memo", "MH", R::NumericOr, [](auto& s, auto&) -> auto& { return s.design.memo_mh; },
        {.empty = "40", .editor = "40", .fallback = "40"});
  // The memo's path lives in the document file; this one is only ever written empty.
  t.AddUnread("Memo", "Path", {.file = "", .upgrade = ""});

  t.Add("EOD", "Base", R::Text, [](auto& s, auto&) -> auto& { return s.every_other_base; }, {});
  t.Add("File", "Date", R::ByteOr, [](auto& s, auto&) -> auto& { return s.save_year_month; }, {.empty = "0"});
  t.Add("LN", "Name", R::Text, [](auto&, auto& d) -> auto& { return d.local_name; }, {.editor = ""});
  t.Add("LN", "Show", R::ByteOr, [](auto&, auto& d) -> auto& { return d.show_local_name; },
        {.empty = "0", .editor = "0"});

  // What the dialogs added beyond the first version remember, each in a
  // section of its own.
  t.AddCount(
      "Year", "Months", 1, kMaxYearMonths, kDefaultYearMonths, [](auto& s, auto&) -> auto& { return s.year_months; });
  t.AddCount(
      "ICal", "Months", 1, kMaxICalMonths, kDefaultICalMonths, [](auto& s, auto&) -> auto& { return s.ical_months; });
  t.AddCount(
      "ICal", "Reminder", 0, 2, kDefaultICalReminder, [](auto& s, auto&) -> auto& { return s.ical_reminder; });
  for (int i = 0; i < kRecentCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    t.Add("Recent", std::to_string(i), R::Text, [at](auto& s, auto&) -> auto& { return s.recent[at]; }, {});
  }
  return t.Take();
}

// Builds a list of entries of the table from their sections and keys.
class ListBuilder {
 public:
  ListBuilder& Keys(std::string_view section, std::initializer_list<std::string_view> keys) {
    for (const std::string_view key : keys) list_.push_back(&SettingOf(section, key));
    return *this;
  }
  // Keys "from" .. "to".
  ListBuilder& Numbered(std::string_view section, int from, int to) {
    for (int i = from; i <= to; ++i) list_.push_back(&SettingOf(section, std::to_string(i)));
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

const SettingEntry& SettingOf(std::string_view section, std::string_view key) {
  for (const SettingEntry& entry : SettingsSchema()) {
    if (entry.section == section && entry.key == key) return entry;
  }
  throw std::logic_error("no settings entry " + std::string(section) + "/" + std::string(key));
}

const std::vector<const SettingEntry*>& SettingsReadOrder() {
  static const std::vector<const SettingEntry*> order = [] {
    ListBuilder b;
    b.Numbered("category", 0, kCategoryCount - 1);
    for (int i = 0; i < kFontSlotCount; ++i) {
      b.Numbered("FontName", i, i).Numbered("FontSize", i, i).Numbered("FontStyle", i, i);
    }
    b.Keys("LN", {"Name", "Show"});
    b.Numbered("FontAlign", 0, 1).Numbered("FontColor", 0, 2);
    b.Keys("Cell", {"Style", "Border", "Color"}).Keys("Title", {"String"});
    b.Keys("Option", {"SP", "HD"}).Keys("Table", {"WC", "HC", "TW", "CH", "CW", "CM"});
    b.Keys("Memo", {"FN", "FSZ", "FST", "FC", "CS", "CW", "CC", "OP"});
    b.Keys("EOD", {"Base"}).Keys("Memo", {"HC", "MH"}).Keys("File", {"Date"});
    b.Keys("Year", {"Months"}).Keys("ICal", {"Months", "Reminder"}).Numbered("Recent", 0, kRecentCount - 1);
    return b.Take();
  }();
  return order;
}

const std::vector<const SettingEntry*>& DefaultFileEntries() {
  static const std::vector<const SettingEntry*> entries = [] {
    ListBuilder b;
    b.Numbered("category", 0, 19).Numbered("FontSize", 0, 5).Numbered("FontStyle", 0, 5);
    b.Numbered("FontAlign", 0, 1).Numbered("FontColor", 0, 2);
    b.Keys("Cell", {"Style", "Border", "Color"}).Keys("Title", {"String"}).Keys("Option", {"SP"});
    b.Numbered("FontName", 0, 5);
    b.Keys("Memo", {"FN", "FSZ", "FST", "FC", "CS", "CW", "CC", "OP", "Path"});
    b.Keys("Table", {"WC", "TW", "HC", "CH"});
    return b.Take();
  }();
  return entries;
}

const std::vector<UpgradeStep>& UpgradeSteps() {
  static const std::vector<UpgradeStep> steps = [] {
    std::vector<UpgradeStep> s;
    s.push_back({"PlusMyIni", "Title", "String",
                 ListBuilder()
                     .Numbered("FontSize", 0, 4)
                     .Numbered("FontStyle", 0, 4)
                     .Numbered("FontAlign", 0, 1)
                     .Numbered("FontColor", 0, 2)
                     .Keys("Cell", {"Border", "Space", "Color"})
                     .Keys("Title", {"String"})
                     .Take()});
    s.push_back({"MorePlusMyIni", "Option", "SP", ListBuilder().Keys("Option", {"SP"}).Take()});
    s.push_back({"PlusPlusMyIni", "FontName", "0", ListBuilder().Numbered("FontName", 0, 4).Take()});
    s.push_back({"HolidayMyIni", "Option", "HD", ListBuilder().Keys("Option", {"HD"}).Take()});
    s.push_back({"PlusV017ini", "Cell", "Style",
                 ListBuilder()
                     .Keys("Cell", {"Style"})
                     .Keys("Memo", {"FN", "FSZ", "FST", "FC", "CS", "CW", "CC", "OP", "Path"})
                     .Take()});
    s.push_back({"PlusPlusV108Ini", "Table", "TW",
                 ListBuilder()
                     .Numbered("FontName", 5, 5)
                     .Numbered("FontSize", 5, 5)
                     .Numbered("FontStyle", 5, 5)
                     .Keys("Table", {"WC", "TW", "HC", "CH"})
                     .Take()});
    return s;
  }();
  return steps;
}

std::string EmptySettingValue(std::string_view section, std::string_view key) {
  return SettingOf(section, key).empty;
}

}  // namespace dustora
