// How the one-sheet year calendar marks a category on its days: a symbol
// and a short label. The symbols differ in shape, so that the sheet reads
// in black-and-white print.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dustora {

// In the order the categories take them; beyond twelve they repeat.
inline constexpr std::array<std::string_view, 12> kSheetSymbols = {"●", "▲", "■", "◆", "★", "▼",
                                                                   "◎", "○", "△", "□", "◇", "☆"};
// The most characters of a short label: two marks and a day number fit a
// day cell's line.
inline constexpr int kMostLabelCharacters = 2;

struct SheetMark {
  std::string category;
  std::string symbol;  // one of kSheetSymbols
  std::string label;   // 1 .. kMostLabelCharacters characters

  friend bool operator==(const SheetMark&, const SheetMark&) = default;
};

}  // namespace dustora
