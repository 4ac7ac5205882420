// The settings file dustora.ini in the data folder and its in-memory form.
// Title, LocalName, ShowLocalName and MemoOutput are shared with the open
// document and live in CalendarDocument; the settings read and write them
// there.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar_document.h"
#include "core/profile.h"
#include "core/report.h"

namespace dustora {

inline constexpr int kCategoryCount = 40;
inline constexpr int kFontSlotCount = 7;  // 0 title .. 6 area name
inline constexpr std::string_view kSettingsFileName = "dustora.ini";
// The months of a year page: what the year dialog offers first, and the most.
inline constexpr int kDefaultYearMonths = 12;
inline constexpr int kMaxYearMonths = 24;
// The iCalendar export's months and reminder (0 none, 1 the evening
// before, 2 the morning of the day): what its dialog offers first.
inline constexpr int kDefaultICalMonths = 12;
inline constexpr int kMaxICalMonths = 36;
inline constexpr int kDefaultICalReminder = 1;
// How many documents the ファイル menu lists as opened or saved last.
inline constexpr int kRecentCount = 8;

// What an empty or missing entry of the settings file reads as, where the
// value is not empty: the settings table's column and the structs' defaults.
inline constexpr int kEmptyEqualColumns = 1;                        // Table CW
inline constexpr std::string_view kEmptyMinimumColumnWidth = "30";  // Table CM
inline constexpr std::string_view kEmptyMemoHeight = "40";          // Memo MH

// The page design (the shared document values aside).
struct DesignSettings {
  std::array<std::string, kFontSlotCount> font_name;
  std::array<std::string, kFontSlotCount> font_size;
  std::array<std::string, kFontSlotCount> font_style;
  std::array<std::string, 2> font_align;  // title, year-and-month heading
  std::array<std::string, 3> font_color;  // title, heading, area name
  std::string cell_style;
  std::string cell_border;
  std::string cell_color;
  int fixed_table_width = 0;  // 1 = the grid has the fixed width table_width
  std::string table_width;
  int fixed_cell_height = 0;  // 1 = day cells have the fixed height cell_height
  std::string cell_height;
  int equal_columns = kEmptyEqualColumns;  // non-zero = seven equal columns, else each minimum_column_width wide
  std::string minimum_column_width = std::string(kEmptyMinimumColumnWidth);
  std::string memo_font_name;
  std::string memo_font_size;
  std::string memo_font_style;
  std::string memo_font_color;
  std::string memo_border_style;
  std::string memo_border_width;
  std::string memo_border_color;
  int fixed_memo_height = 0;  // 1 = the memo box has the fixed height memo_height
  std::string memo_height = std::string(kEmptyMemoHeight);

  friend bool operator==(const DesignSettings&, const DesignSettings&) = default;
};

struct AppSettings {
  std::string path;                                  // DataFolder + "/dustora.ini", set by LoadSettings
  std::array<std::string, kCategoryCount> category;  // CategoryTable
  DesignSettings design;
  int special_sunday_option = 0;             // Option SP
  int show_holiday_names = 0;                // Option HD
  std::string every_other_base;              // EOD Base
  int save_year_month = 0;                   // File Date
  int year_months = kDefaultYearMonths;      // Year Months: the months of the last year page
  int ical_months = kDefaultICalMonths;      // ICal Months: the months of the last export
  int ical_reminder = kDefaultICalReminder;  // ICal Reminder: its reminder
  // Recent 0..7: the documents opened or saved last, the newest first; empty
  // entries unused.
  std::array<std::string, kRecentCount> recent;
};

// Adds the names the category list lacks into its empty entries; the names
// that found no room, in order.
[[nodiscard]] std::vector<std::string> AddCategories(AppSettings& settings, const std::vector<std::string>& names);

// Puts `path` first among the recent documents (once, dropping the oldest);
// a path Shift_JIS cannot hold, which the settings file could not keep,
// is left out.
void RememberRecent(AppSettings& settings, const std::string& path);
// Takes `path` off the recent documents.
void ForgetRecent(AppSettings& settings, const std::string& path);

// The 72 lines of a new settings file, without line ends.
[[nodiscard]] const std::vector<std::string>& DefaultSettingsLines();
// The category names of a new settings file, in slot order.
[[nodiscard]] std::vector<std::string> DefaultCategories();
// Those lines, each ended by CR LF, as text.
[[nodiscard]] std::string DefaultSettingsText();

// Creates (or overwrites) the settings file at `path` with the default
// content. A failure is said in a box whose text ends in the tag.
void WriteDefaultSettingsFile(const std::string& path, Report& report);
inline constexpr std::string_view kWriteDefaultSettingsTag = "MMI";
// Start-up: finds, creates or takes over (from the program folder's old
// file) the settings file of the data folder, brings it up to date and
// reads it into `settings` (whose path it sets) and the shared values of
// `document`. Problems are reported under the tag.
void LoadSettings(const std::string& data_folder, const std::string& program_folder, AppSettings& settings,
                  CalendarDocument& document, Report& report);
inline constexpr std::string_view kLoadSettingsTag = "GetInitial";
// Shutdown: writes every value back to settings.path with one save. False
// on failure, reported under the tag.
[[nodiscard]] bool SaveSettings(const AppSettings& settings, const CalendarDocument& document, Report& report);
inline constexpr std::string_view kSaveSettingsTag = "SetInitial";
// Takes the settings over from the program folder's old file, which is
// brought up to date in memory only and never written. Problems are
// reported under the tag.
void TakeOverOldSettings(const std::string& program_folder, AppSettings& settings, CalendarDocument& document,
                         Report& report);
inline constexpr std::string_view kTakeOverOldSettingsTag = "GetOldIni";

// The six upgrade checks on a profile in memory; the tag of the first step
// that changed it, or nullopt when it was up to date.
[[nodiscard]] std::optional<std::string_view> UpgradeSettings(ProfileFile& file);
// The checks on a settings file, saved once when a step changed it; a failed
// save is reported with the tag of the first step that changed the file.
// Returns the profile as the checks left it.
[[nodiscard]] ProfileFile UpgradeSettingsFile(ProfileFile file, Report& report);

// The settings as the program writes them first, to be saved to `path`.
[[nodiscard]] ProfileFile DefaultSettingsFile(std::string path);
// A settings file as it is read. Characters that became "?" when it was
// read as UTF-8 are reported when there is a tag. One too large to read
// (error 7) is reported under `tag` (when there is one) and reads as the
// default settings, which the save at exit then writes in its place.
[[nodiscard]] ProfileFile LoadSettingsFile(std::string_view path, std::string_view tag, Report& report);
// The "HolidayMyIni" step alone: Option HD = 1.
void HolidayMyIni(ProfileFile& file);

// Reads every value from a settings profile into `settings` and the shared
// values of `document`, as start-up does. Problems are reported with the
// error box of `tag`.
void ReadSettings(const ProfileFile& file, std::string_view tag, AppSettings& settings, CalendarDocument& document,
                  Report& report);
// Writes every value into a settings profile in the order of SaveSettings.
void WriteSettings(const AppSettings& settings, const CalendarDocument& document, ProfileFile& file);

}  // namespace dustora
