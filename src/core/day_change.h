// What a document says beside its rule rows: the months a row applies in,
// single days that are collected or not (臨時の収集日, 収集なし), and the
// categories not collected on holidays.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dustora {

// The months of a year a rule row applies in: bit m is month m (1..12).
using MonthSet = std::uint16_t;
inline constexpr MonthSet kEveryMonth = 0x1FFE;

[[nodiscard]] constexpr bool InMonths(MonthSet months, int month) {
  return month >= 1 && month <= 12 && ((months >> month) & 1U) != 0;
}

// The category text of a day change or a holiday rule that stands for every
// category.
inline constexpr std::string_view kEveryCategory = "[すべて]";

// The most dated changes (and holiday rules) a document holds: the file's
// keys 0 .. 999.
inline constexpr int kMostDayChanges = 1000;

// One dated change to what the rules give: the category is collected that
// day (collect), or its entries are removed as a no-collection period
// removes them.
struct DayChange {
  std::optional<int> year;  // none: the month and day of every year
  int month = 1;
  int day = 1;
  bool collect = true;
  std::string category;  // a category name; kEveryCategory only when not collecting

  friend bool operator==(const DayChange&, const DayChange&) = default;
};

}  // namespace dustora
