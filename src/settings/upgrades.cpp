// Settings files of earlier versions lack keys that later versions read.
// Six sentinel keys, one per generation of additions, tell which steps a
// file still needs; each step writes its generation's keys with their
// default values.
#include "settings/schema.h"
#include "settings/settings.h"

namespace dustora {

namespace {

void Apply(const UpgradeStep& step, ProfileFile& file) {
  for (const SettingEntry* entry : step.entries) file.Write(entry->section, entry->key, *entry->upgrade);
}

}  // namespace

std::optional<std::string_view> UpgradeSettings(ProfileFile& file) {
  std::optional<std::string_view> first;
  for (const UpgradeStep& step : UpgradeSteps()) {
    if (!file.Read(step.sentinel->section, step.sentinel->key).empty()) continue;
    Apply(step, file);
    if (!first) first = step.tag;
  }
  return first;
}

void HolidayMyIni(ProfileFile& file) {
  for (const UpgradeStep& step : UpgradeSteps()) {
    if (step.tag == "HolidayMyIni") Apply(step, file);
  }
}

ProfileFile UpgradeSettingsFile(ProfileFile file, Report& report) {
  if (const auto first = UpgradeSettings(file)) {
    if (const FileError failed = file.Save()) report.Fail(*first, *failed);
  }
  return file;
}

}  // namespace dustora
