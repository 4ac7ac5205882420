// The values of a document file's [Months] and [Day] entries: the months a
// rule row applies in ("2,4,6,8,10,12") and a dated change
// ("2027/01/02,-,燃やせるごみ", "12/31,-,[すべて]" every year).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/day_change.h"
#include "core/sheet_mark.h"

namespace dustora {

// The months a text names: month numbers joined by ",", read in any order,
// with blanks around them, repeats and leading zeros; nullopt when an item
// is empty or no month number.
[[nodiscard]] std::optional<MonthSet> ParseMonths(std::string_view text);
// The months ascending, joined by ",", without blanks.
[[nodiscard]] std::string MonthsText(MonthSet months);

// A change as "date,sign,category": the date YYYY/MM/DD, or MM/DD for
// every year (2/29 is allowed: it falls in leap years); the sign "+" or
// "-"; the category everything after the second comma. Blanks around the
// fields are ignored. nullopt for an impossible date, an empty category,
// "+" with [すべて] or another sign.
[[nodiscard]] std::optional<DayChange> ParseDayChange(std::string_view text);
// The change as ParseDayChange reads it, month and day with two digits.
[[nodiscard]] std::string DayChangeText(const DayChange& change);

// A chosen mark of the one-sheet calendar as "symbol,label,category"
// ("◆,空か,空きかん"): the symbol one of kSheetSymbols, the label 1 ..
// kMostLabelCharacters characters without a comma, the category everything
// after the second comma. Blanks around the fields are ignored. nullopt for
// anything else.
[[nodiscard]] std::optional<SheetMark> ParseSheetMark(std::string_view text);
[[nodiscard]] std::string SheetMarkText(const SheetMark& mark);

}  // namespace dustora
