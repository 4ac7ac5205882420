#include "document/dsc_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/filesystem.h"
#include "core/profile.h"
#include "core/text.h"
#include "core/textfile.h"
#include "settings/settings.h"
#include "tables/memo.h"

namespace dustora {

namespace {

constexpr std::string_view kReadTag = "ReadDscFile";
constexpr std::string_view kWriteTag = "WriteDscFile";

// The sections of a document file.
constexpr std::array<std::string_view, 9> kSections = {"WeekName", "Category", "Image", "FColor", "Special",
                                                       "Date",     "Memo",     "Local", "Title"};

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
  if (file.replaced_characters()) ReportReplacedCharacters(report, document.document_path, "ファイルを開く");

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

  // Every entry goes into one profile, saved at once: a refused character
  // or a failed save leaves the previous file whole.
  ProfileFile file = ProfileFile::Load(document.document_path);
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

  if (const FileError failed = file.Save()) {
    report.Fail(kWriteTag, *failed);
    return false;
  }
  return true;
}

}  // namespace dustora
