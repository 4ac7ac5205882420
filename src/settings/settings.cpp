#include "settings/settings.h"

#include <algorithm>
#include <tuple>

#include "core/encoding.h"
#include "core/filesystem.h"
#include "core/text.h"
#include "core/textfile.h"
#include "settings/folders.h"
#include "settings/schema.h"

namespace dustora {

namespace {

// Reads values from a settings profile, reporting the first problem once.
class SettingsReader {
 public:
  SettingsReader(const ProfileFile& file, std::string_view tag, dustora::Report& report)
      : file_(file), tag_(tag), report_(report) {}

  std::string Text(std::string_view section, std::string_view key) const { return file_.Read(section, key); }

  // The text when it is numeric, else the fallback.
  std::string NumericTextOr(std::string_view section, std::string_view key, std::string_view fallback) const {
    std::string value = Text(section, key);
    return IsNumeric(value) ? value : std::string(fallback);
  }

  // A value the page's style sheet takes as it is: one that could end a
  // declaration, a rule or the style element or comment out the rest (< > {
  // } ; \ ", a control character, /* or */) is reported with its key and
  // replaced by the entry's value in a new file, so the editor, the file
  // written at exit and the page agree. Any other value, odd or not, stays
  // as it is.
  std::string StyleValue(const SettingEntry& entry) {
    std::string value = Text(entry.section, entry.key);
    if (!BreaksStyleSheet(value)) return value;
    Report(Error::WithDescription(kErrTypeMismatch, std::string(ErrorDescription(kErrTypeMismatch)) + "\r\n[" +
                                                        std::string(entry.section) + "] " + std::string(entry.key)));
    return entry.file_default.value_or(std::string());
  }

  // A byte that must be there: a text that does not convert to 0..255 takes
  // the default and is reported (13; 6 for a number out of range).
  int Byte(std::string_view section, std::string_view key, int fallback) {
    const std::string value = Text(section, key);
    const auto number = NumericToWhole(value);
    if (number && *number >= 0 && *number <= 255) return static_cast<int>(*number);
    Report(Error::Of(number ? kErrOverflow : kErrTypeMismatch));
    return fallback;
  }

  // A byte that may be missing: a text that is not numeric gives the
  // fallback silently.
  int ByteOr(std::string_view section, std::string_view key, int fallback) {
    const std::string value = Text(section, key);
    if (!IsNumeric(value)) return fallback;
    return Byte(section, key, fallback);
  }

  void Report(const Error& error) {
    if (reported_) return;
    reported_ = true;
    report_.Fail(tag_, error);
  }

 private:
  const ProfileFile& file_;
  std::string_view tag_;
  dustora::Report& report_;
  bool reported_ = false;
};

}  // namespace

const std::vector<std::string>& DefaultSettingsLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> out;
    std::string_view section;
    for (const SettingEntry* entry : DefaultFileEntries()) {
      if (entry->section != section) {
        section = entry->section;
        out.push_back("[" + entry->section + "]");
      }
      out.push_back(entry->key + "=" + *entry->file_default);
    }
    return out;
  }();
  return lines;
}

std::vector<std::string> DefaultCategories() {
  std::vector<std::string> names;
  for (const SettingEntry* entry : DefaultFileEntries()) {
    if (entry->section == "category" && !entry->file_default->empty()) names.push_back(*entry->file_default);
  }
  return names;
}

std::string DefaultSettingsText() {
  std::string text;
  for (const std::string_view line : DefaultSettingsLines()) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void WriteDefaultSettingsFile(const std::string& path, Report& report) {
  if (WriteTextFile(path, DefaultSettingsText())) {
    report.Say(ReportKind::Warning, "初期化ファイルの作成に失敗しました(" + std::string(kWriteDefaultSettingsTag) + ")",
               std::string(kErrorBoxTitle));
  }
}

ProfileFile DefaultSettingsFile(std::string path) {
  return ProfileFile::FromBytes(std::move(path), sjis::Encode(DefaultSettingsText()).bytes);
}

ProfileFile LoadSettingsFile(std::string_view path, std::string_view tag, Report& report) {
  ProfileFile file = ProfileFile::Load(path);
  if (file.replaced_characters() && !tag.empty()) ReportReplacedCharacters(report, path, kErrorBoxTitle);
  const FileError& failed = file.load_error();
  if (!failed || failed->number != kErrOutOfMemory) return file;
  if (!tag.empty()) report.Fail(tag, *failed);
  return DefaultSettingsFile(std::string(path));
}

void ReadSettings(const ProfileFile& file, std::string_view tag, AppSettings& settings, CalendarDocument& document,
                  Report& report) {
  // The profile as it is in memory: an unreadable file was reported when
  // its upgrade could not be saved, and reads as the upgrade's defaults.
  SettingsReader read(file, tag, report);
  for (const SettingEntry* entry : SettingsReadOrder()) {
    const std::string_view section = entry->section;
    const std::string_view key = entry->key;
    const auto byte_fallback = [&] { return static_cast<int>(NumericToWhole(entry->empty).value_or(0)); };
    switch (entry->read) {
      case ReadRule::Text: entry->text(settings, document) = read.Text(section, key); break;
      case ReadRule::Category: entry->text(settings, document) = CategoryWithoutCommas(read.Text(section, key)); break;
      case ReadRule::Style: entry->text(settings, document) = read.StyleValue(*entry); break;
      case ReadRule::StyleOr: {
        std::string value = read.StyleValue(*entry);
        if (value.empty()) value = entry->empty;
        entry->text(settings, document) = std::move(value);
        break;
      }
      case ReadRule::NumericOr: entry->text(settings, document) = read.NumericTextOr(section, key, entry->empty); break;
      case ReadRule::Byte: entry->byte(settings, document) = read.Byte(section, key, byte_fallback()); break;
      case ReadRule::ByteOr: entry->byte(settings, document) = read.ByteOr(section, key, byte_fallback()); break;
      case ReadRule::Count: {
        const auto value = NumericToWhole(read.Text(section, key));
        entry->byte(settings, document) =
            value && *value >= entry->low && *value <= entry->high ? static_cast<int>(*value) : byte_fallback();
        break;
      }
      case ReadRule::Unread: break;
    }
  }
}

void WriteSettings(const AppSettings& settings, const CalendarDocument& document, ProfileFile& file) {
  for (const SettingEntry& entry : SettingsSchema()) {
    if (!entry.written()) continue;
    if (entry.text_value) {
      file.Write(entry.section, entry.key, entry.text_value(settings, document));
    } else {
      file.Write(entry.section, entry.key, std::to_string(entry.byte_value(settings, document)));
    }
  }
}

void LoadSettings(const std::string& data_folder, const std::string& program_folder, AppSettings& settings,
                  CalendarDocument& document, Report& report) {
  FileSystem& fs = Fs();
  settings.path = JoinPath(data_folder, kSettingsFileName);
  if (!fs.FileExists(settings.path)) {
    WriteDefaultSettingsFile(settings.path, report);
    if (fs.FileExists(JoinPath(program_folder, kSettingsFileName))) {
      TakeOverOldSettings(program_folder, settings, document, report);
      return;
    }
  }
  // Read what the upgrade made of the file, even if saving it failed.
  ReadSettings(UpgradeSettingsFile(LoadSettingsFile(settings.path, kLoadSettingsTag, report), report), kLoadSettingsTag,
               settings, document, report);
}

void TakeOverOldSettings(const std::string& program_folder, AppSettings& settings, CalendarDocument& document,
                         Report& report) {
  ProfileFile old = LoadSettingsFile(JoinPath(program_folder, kSettingsFileName), kTakeOverOldSettingsTag, report);
  std::ignore = UpgradeSettings(old);  // the old file is never written
  ReadSettings(old, kTakeOverOldSettingsTag, settings, document, report);
}

void ForgetRecent(AppSettings& settings, const std::string& path) {
  auto& recent = settings.recent;
  const auto kept = std::remove(recent.begin(), recent.end(), path);
  std::fill(kept, recent.end(), std::string());
}

void RememberRecent(AppSettings& settings, const std::string& path) {
  if (path.empty() || !sjis::RoundTrips(path)) return;
  ForgetRecent(settings, path);
  auto& recent = settings.recent;
  std::move_backward(recent.begin(), recent.end() - 1, recent.end());
  recent.front() = path;
}

bool SaveSettings(const AppSettings& settings, const CalendarDocument& document, Report& report) {
  ProfileFile file = LoadSettingsFile(settings.path, {}, report);
  WriteSettings(settings, document, file);
  if (const FileError failed = file.Save()) {
    report.Fail(kSaveSettingsTag, *failed);
    return false;
  }
  return true;
}

std::vector<std::string> AddCategories(AppSettings& settings, const std::vector<std::string>& names) {
  std::vector<std::string> left;
  for (const std::string& name : names) {
    if (std::find(settings.category.begin(), settings.category.end(), name) != settings.category.end()) continue;
    const auto empty = std::find(settings.category.begin(), settings.category.end(), std::string());
    if (empty == settings.category.end()) {
      left.push_back(name);
    } else {
      *empty = name;
    }
  }
  return left;
}

}  // namespace dustora
