#include "settings/settings.h"

#include <tuple>

#include "core/encoding.h"
#include "core/filesystem.h"
#include "core/platform.h"
#include "core/text.h"
#include "core/textfile.h"
#include "settings/folders.h"

namespace dustora {

namespace {

constexpr std::string_view kDefaultFont = "ＭＳ Ｐゴシック";

std::string Key(int index) {
  return std::to_string(index);
}

// The value of an entry in the settings file the program writes first.
std::string DefaultValue(std::string_view section, std::string_view key) {
  static const ProfileFile defaults = DefaultSettingsFile("");
  return defaults.Read(section, key);
}

// Reads values from a settings profile, reporting the first problem once.
class SettingsReader {
 public:
  SettingsReader(const ProfileFile& file, std::string_view tag) : file_(file), tag_(tag) {}

  std::string Text(std::string_view section, std::string_view key) const { return file_.Read(section, key); }

  std::string TextOr(std::string_view section, std::string_view key, std::string_view fallback) const {
    std::string value = Text(section, key);
    return value.empty() ? std::string(fallback) : value;
  }

  // The text when it is numeric, else the fallback.
  std::string NumericTextOr(std::string_view section, std::string_view key, std::string_view fallback) const {
    std::string value = Text(section, key);
    return IsNumeric(value) ? value : std::string(fallback);
  }

  // A value the page's style sheet takes as it is: one that could end a
  // declaration, a rule or the style element (< > { } ; \ " or a control
  // character) is reported and replaced by the default of that entry, so
  // the editor, the file written at exit and the page agree. Any other
  // value, odd or not, stays as it is.
  std::string StyleValue(std::string_view section, std::string_view key) {
    std::string value = Text(section, key);
    if (!BreaksStyleSheet(value)) return value;
    Report(Error::Of(kErrTypeMismatch));
    return DefaultValue(section, key);
  }
  std::string StyleValueOr(std::string_view section, std::string_view key, std::string_view fallback) {
    std::string value = StyleValue(section, key);
    return value.empty() ? std::string(fallback) : value;
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
    ShowErrorBox(tag_, error);
  }

 private:
  const ProfileFile& file_;
  std::string_view tag_;
  bool reported_ = false;
};

}  // namespace

const std::vector<std::string_view>& DefaultSettingsLines() {
  static const std::vector<std::string_view> lines = {
      "[category]",
      "0=燃やせるごみ",
      "1=粗大ごみ",
      "2=空きかん",
      "3=空きびん",
      "4=不燃廃プラスチック・ビニール",
      "5=古紙・古着類",
      "6=発泡スチロール・発泡トレイ",
      "7=ペットボトル",
      "8=その他のプラスチック類",
      "9=ガラス類",
      "10=牛乳パック",
      "11=乾電池",
      "12=",
      "13=",
      "14=",
      "15=",
      "16=",
      "17=",
      "18=",
      "19=",
      "[FontSize]",
      "0=6",
      "1=6",
      "2=3",
      "3=5",
      "4=5",
      "5=3",
      "[FontStyle]",
      "0=太字",
      "1=太字",
      "2=通常",
      "3=通常",
      "4=通常",
      "5=通常",
      "[FontAlign]",
      "0=中央",
      "1=右",
      "[FontColor]",
      "0=#0000FF",
      "1=#008000",
      "2=#000000",
      "[Cell]",
      "Style=solid",
      "Border=1",
      "Color=#000000",
      "[Title]",
      "String=ダストーラ",
      "[Option]",
      "SP=0",
      "[FontName]",
      "0=ＭＳ Ｐゴシック",
      "1=ＭＳ Ｐゴシック",
      "2=ＭＳ Ｐゴシック",
      "3=ＭＳ Ｐゴシック",
      "4=ＭＳ Ｐゴシック",
      "5=ＭＳ Ｐゴシック",
      "[Memo]",
      "FN=ＭＳ Ｐゴシック",
      "FSZ=4",
      "FST=通常",
      "FC=#000000",
      "CS=solid",
      "CW=1",
      "CC=#000000",
      "OP=0",
      "Path=",
      "[Table]",
      "WC=0",
      "TW=180",
      "HC=0",
      "CH=35",
  };
  return lines;
}

std::vector<std::string> DefaultCategories() {
  std::vector<std::string> names;
  bool in_section = false;
  for (const std::string_view line : DefaultSettingsLines()) {
    if (line.starts_with('[')) {
      in_section = line == "[category]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (in_section && equals != std::string_view::npos && equals + 1 < line.size()) {
      names.emplace_back(line.substr(equals + 1));
    }
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

void MMI(const std::string& path) {
  Platform& platform = CurrentPlatform();
  for (std::size_t i = 0; i < DefaultSettingsLines().size(); ++i) platform.PumpEvents();
  if (WriteTextFile(path, DefaultSettingsText())) {
    platform.ShowMessage({"初期化ファイルの作成に失敗しました(MMI)", std::string(kErrorBoxTitle), MessageIcon::None,
                          MessageButtons::Ok, MessageButton::Ok});
  }
}

ProfileFile DefaultSettingsFile(std::string path) {
  return ProfileFile::FromBytes(std::move(path), sjis::Encode(DefaultSettingsText()).bytes);
}

ProfileFile LoadSettingsFile(std::string_view path, std::string_view tag) {
  ProfileFile file = ProfileFile::Load(path);
  if (file.replaced_characters() && !tag.empty()) ReportReplacedCharacters(path, kErrorBoxTitle);
  const FsStatus& failed = file.load_error();
  if (!failed || failed->number != kErrOutOfMemory) return file;
  if (!tag.empty()) ShowErrorBox(tag, *failed);
  return DefaultSettingsFile(std::string(path));
}

void ReadSettings(const ProfileFile& file, std::string_view tag, AppSettings& settings, CalendarDocument& document) {
  // The profile as it is in memory: an unreadable file was reported when
  // its upgrade could not be saved, and reads as the upgrade's defaults.
  SettingsReader read(file, tag);
  Platform& platform = CurrentPlatform();
  for (int i = 0; i < kCategoryCount; ++i) {
    settings.category[i] = CategoryWithoutCommas(read.Text("category", Key(i)));
    platform.PumpEvents();
  }
  DesignSettings& d = settings.design;
  for (int i = 0; i <= 5; ++i) {
    d.font_name[i] = read.StyleValue("FontName", Key(i));
    d.font_size[i] = read.StyleValue("FontSize", Key(i));
    d.font_style[i] = read.StyleValue("FontStyle", Key(i));
  }
  d.font_name[6] = read.StyleValueOr("FontName", "6", kDefaultFont);
  d.font_size[6] = read.StyleValueOr("FontSize", "6", "5");
  d.font_style[6] = read.StyleValueOr("FontStyle", "6", "太字");
  document.local_name = read.Text("LN", "Name");
  document.show_local_name = read.ByteOr("LN", "Show", 0);
  for (int i = 0; i < 2; ++i) d.font_align[i] = read.StyleValue("FontAlign", Key(i));
  for (int i = 0; i < 3; ++i) d.font_color[i] = read.StyleValue("FontColor", Key(i));
  d.cell_style = read.StyleValue("Cell", "Style");
  d.cell_border = read.StyleValue("Cell", "Border");
  d.cell_color = read.StyleValue("Cell", "Color");
  document.title = read.Text("Title", "String");
  settings.special_sunday_option = read.Byte("Option", "SP", 0);
  settings.show_holiday_names = read.Byte("Option", "HD", 1);
  d.table_wc = read.Byte("Table", "WC", 0);
  d.table_hc = read.Byte("Table", "HC", 0);
  d.table_tw = read.StyleValue("Table", "TW");
  d.table_ch = read.StyleValue("Table", "CH");
  d.table_cw = read.ByteOr("Table", "CW", 1);
  d.table_cm = read.NumericTextOr("Table", "CM", "30");
  d.memo_fn = read.StyleValue("Memo", "FN");
  d.memo_fsz = read.StyleValue("Memo", "FSZ");
  d.memo_fst = read.StyleValue("Memo", "FST");
  d.memo_fc = read.StyleValue("Memo", "FC");
  d.memo_cs = read.StyleValue("Memo", "CS");
  d.memo_cw = read.StyleValue("Memo", "CW");
  d.memo_cc = read.StyleValue("Memo", "CC");
  document.memo_output = read.Byte("Memo", "OP", 0);
  settings.every_other_base = read.Text("EOD", "Base");
  d.memo_hc = read.ByteOr("Memo", "HC", 0);
  d.memo_mh = read.NumericTextOr("Memo", "MH", "40");
  settings.save_year_month = read.ByteOr("File", "Date", 0);
}

void WriteSettings(const AppSettings& settings, const CalendarDocument& document, ProfileFile& file) {
  const DesignSettings& d = settings.design;
  const auto number = [](int value) { return std::to_string(value); };
  for (int i = 0; i < kCategoryCount; ++i) file.Write("category", Key(i), settings.category[i]);
  for (int i = 0; i < kFontSlotCount; ++i) {
    file.Write("FontName", Key(i), d.font_name[i]);
    file.Write("FontSize", Key(i), d.font_size[i]);
    file.Write("FontStyle", Key(i), d.font_style[i]);
  }
  for (int i = 0; i < 2; ++i) file.Write("FontAlign", Key(i), d.font_align[i]);
  for (int i = 0; i < 3; ++i) file.Write("FontColor", Key(i), d.font_color[i]);
  file.Write("Cell", "Style", d.cell_style);
  file.Write("Cell", "Border", d.cell_border);
  file.Write("Cell", "Color", d.cell_color);
  file.Write("Title", "String", document.title);
  file.Write("Option", "SP", number(settings.special_sunday_option));
  file.Write("Option", "HD", number(settings.show_holiday_names));
  file.Write("Table", "WC", number(d.table_wc));
  file.Write("Table", "HC", number(d.table_hc));
  file.Write("Table", "TW", d.table_tw);
  file.Write("Table", "CH", d.table_ch);
  file.Write("Table", "CW", number(d.table_cw));
  file.Write("Table", "CM", d.table_cm);
  file.Write("Memo", "FN", d.memo_fn);
  file.Write("Memo", "FSZ", d.memo_fsz);
  file.Write("Memo", "FST", d.memo_fst);
  file.Write("Memo", "FC", d.memo_fc);
  file.Write("Memo", "CS", d.memo_cs);
  file.Write("Memo", "CW", d.memo_cw);
  file.Write("Memo", "CC", d.memo_cc);
  file.Write("Memo", "OP", number(document.memo_output));
  file.Write("Memo", "HC", number(d.memo_hc));
  file.Write("Memo", "MH", d.memo_mh);
  file.Write("EOD", "Base", settings.every_other_base);
  file.Write("File", "Date", number(settings.save_year_month));
  file.Write("LN", "Name", document.local_name);
  file.Write("LN", "Show", number(document.show_local_name));
}

void GetInitial(const std::string& data_folder, AppSettings& settings, CalendarDocument& document) {
  FileSystem& fs = Fs();
  settings.path = JoinPath(data_folder, kSettingsFileName);
  if (!fs.FileExists(settings.path)) {
    MMI(settings.path);
    if (fs.FileExists(JoinPath(CurrentPlatform().ProgramFolder(), kSettingsFileName))) {
      GetOldIni(settings, document);
      return;
    }
  }
  // Read what the upgrade made of the file, even if saving it failed.
  ReadSettings(UpgradeSettingsFile(LoadSettingsFile(settings.path, "GetInitial")), "GetInitial", settings, document);
}

void GetOldIni(AppSettings& settings, CalendarDocument& document) {
  ProfileFile old = LoadSettingsFile(JoinPath(CurrentPlatform().ProgramFolder(), kSettingsFileName), "GetOldIni");
  std::ignore = UpgradeSettings(old);  // the old file is never written
  ReadSettings(old, "GetOldIni", settings, document);
}

bool SetInitial(const AppSettings& settings, const CalendarDocument& document) {
  ProfileFile file = LoadSettingsFile(settings.path, {});
  WriteSettings(settings, document, file);
  if (const FsStatus failed = file.Save()) {
    ShowErrorBox("SetInitial", *failed);
    return false;
  }
  return true;
}

}  // namespace dustora
