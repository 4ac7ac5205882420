// The settings file dustora.ini in the data folder and its in-memory form.
// Title, LocalName, ShowLocalName and MemoOutput are shared with the open
// document and live in CalendarDocument; the settings read and write them
// there.
#pragma once

#include <array>
#include <string>

namespace dustora {

inline constexpr int kCategoryCount = 40;
inline constexpr int kFontSlotCount = 7;  // 0 title .. 6 area name

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
  int table_wc = 0;  // 1 = the grid has the fixed width table_tw
  std::string table_tw;
  int table_hc = 0;  // 1 = day cells have the fixed height table_ch
  std::string table_ch;
  int table_cw = 1;  // non-zero = seven equal columns, else each table_cm wide
  std::string table_cm = "30";
  std::string memo_fn;
  std::string memo_fsz;
  std::string memo_fst;
  std::string memo_fc;
  std::string memo_cs;
  std::string memo_cw;
  std::string memo_cc;
  int memo_hc = 0;  // 1 = the memo box has the fixed height memo_mh
  std::string memo_mh = "40";
};

struct AppSettings {
  std::string path;                                  // DataFolder + "/dustora.ini", set by GetInitial
  std::array<std::string, kCategoryCount> category;  // CategoryTable
  DesignSettings design;
  int special_sunday_option = 0;  // Option SP
  int show_holiday_names = 0;     // Option HD
  std::string every_other_base;   // EOD Base
  int save_year_month = 0;        // File Date
};

// The settings of the run.
AppSettings& Settings();

}  // namespace dustora
