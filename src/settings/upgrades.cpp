// Settings files of earlier versions lack keys that later versions read.
// Six sentinel keys, one per generation of additions, tell which steps a
// file still needs; each step writes its generation's keys with their
// default values.
#include <array>
#include <initializer_list>

#include "core/platform.h"
#include "settings/settings.h"

namespace dustora {

namespace {

struct Entry {
  std::string_view section;
  std::string_view key;
  std::string_view value;
};

struct UpgradeStep {
  std::string_view tag;  // the routine's name in its error box
  std::string_view sentinel_section;
  std::string_view sentinel_key;
  std::initializer_list<Entry> entries;
};

constexpr std::string_view kFont = "ＭＳ Ｐゴシック";

const std::array<UpgradeStep, 6>& Steps() {
  static const std::array<UpgradeStep, 6> steps = {{
      {"PlusMyIni",
       "Title",
       "String",
       {{"FontSize", "0", "6"},
        {"FontSize", "1", "6"},
        {"FontSize", "2", "3"},
        {"FontSize", "3", "5"},
        {"FontSize", "4", "5"},
        {"FontStyle", "0", "太字"},
        {"FontStyle", "1", "太字"},
        {"FontStyle", "2", "通常"},
        {"FontStyle", "3", "通常"},
        {"FontStyle", "4", "通常"},
        {"FontAlign", "0", "中央"},
        {"FontAlign", "1", "右"},
        {"FontColor", "0", "#0000FF"},
        {"FontColor", "1", "#008000"},
        {"FontColor", "2", "#000000"},
        {"Cell", "Border", "1"},
        {"Cell", "Space", "0"},
        {"Cell", "Color", "#000000"},
        {"Title", "String", "ダストーラ"}}},
      {"MorePlusMyIni", "Option", "SP", {{"Option", "SP", "0"}}},
      {"PlusPlusMyIni",
       "FontName",
       "0",
       {{"FontName", "0", kFont},
        {"FontName", "1", kFont},
        {"FontName", "2", kFont},
        {"FontName", "3", kFont},
        {"FontName", "4", kFont}}},
      {"HolidayMyIni", "Option", "HD", {{"Option", "HD", "1"}}},
      {"PlusV017ini",
       "Cell",
       "Style",
       {{"Cell", "Style", "solid"},
        {"Memo", "FN", kFont},
        {"Memo", "FSZ", "4"},
        {"Memo", "FST", "通常"},
        {"Memo", "FC", "#000000"},
        {"Memo", "CS", "solid"},
        {"Memo", "CW", "1"},
        {"Memo", "CC", "#000000"},
        {"Memo", "OP", "0"},
        {"Memo", "Path", ""}}},
      {"PlusPlusV108Ini",
       "Table",
       "TW",
       {{"FontName", "5", kFont},
        {"FontSize", "5", "3"},
        {"FontStyle", "5", "通常"},
        {"Table", "WC", "0"},
        {"Table", "TW", "180"},
        {"Table", "HC", "0"},
        {"Table", "CH", "35"}}},
  }};
  return steps;
}

void Apply(const UpgradeStep& step, ProfileFile& file) {
  for (const Entry& entry : step.entries) file.Write(entry.section, entry.key, entry.value);
}

}  // namespace

std::optional<std::string_view> UpgradeSettings(ProfileFile& file) {
  std::optional<std::string_view> first;
  for (const UpgradeStep& step : Steps()) {
    if (!file.Read(step.sentinel_section, step.sentinel_key).empty()) continue;
    Apply(step, file);
    if (!first) first = step.tag;
  }
  return first;
}

void HolidayMyIni(ProfileFile& file) {
  Apply(Steps()[3], file);
}

ProfileFile UpgradeSettingsFile(ProfileFile file) {
  if (const auto first = UpgradeSettings(file)) {
    if (const FsStatus failed = file.Save()) ShowErrorBox(*first, *failed);
  }
  return file;
}

}  // namespace dustora
