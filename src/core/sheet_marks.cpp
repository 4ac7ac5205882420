#include "core/sheet_marks.h"

#include <algorithm>
#include <cstddef>

#include "core/text.h"

namespace dustora {

namespace {

void AddOnce(std::vector<std::string>& categories, const std::string& category) {
  if (std::find(categories.begin(), categories.end(), category) == categories.end()) categories.push_back(category);
}

// The label of categories[i] among names that share its first character.
std::string LabelAmong(const std::vector<std::vector<std::string_view>>& names, std::size_t i) {
  const std::vector<std::string_view>& own = names[i];
  std::size_t differs = 0;  // the deepest place where a name sharing the first character differs
  for (std::size_t j = 0; j < names.size(); ++j) {
    const std::vector<std::string_view>& other = names[j];
    if (j == i || other.empty() || other.front() != own.front()) continue;
    std::size_t at = 1;
    while (at < own.size() && at < other.size() && own[at] == other[at]) ++at;
    differs = std::max(differs, at);
  }
  if (differs == 0 || own.size() == 1) return std::string(own.front());
  // A name that is the beginning of another ends where it ends.
  return std::string(own.front()) + std::string(own[std::min(differs, own.size() - 1)]);
}

}  // namespace

std::vector<std::string> LegendCategories(const CalendarDocument& document) {
  std::vector<std::string> categories;
  for (const RuleKindInfo& info : RuleKinds()) {
    for (int row = 0; row < kRowsPerKind; ++row) {
      const auto slot = static_cast<std::size_t>(SlotOf(info.kind, row));
      if (!document.category[slot].empty() && !document.FirstColumn(info.kind, row).empty()) {
        AddOnce(categories, document.category[slot]);
      }
    }
  }
  for (const DayChange& change : document.day_changes) {
    if (change.collect && !change.category.empty()) AddOnce(categories, change.category);
  }
  return categories;
}

std::vector<SheetMark> AutomaticMarks(const std::vector<std::string>& categories) {
  std::vector<std::vector<std::string_view>> names;
  names.reserve(categories.size());
  for (const std::string& category : categories) names.push_back(Utf8Characters(category));
  std::vector<SheetMark> marks;
  marks.reserve(categories.size());
  for (std::size_t i = 0; i < categories.size(); ++i) {
    SheetMark mark{categories[i], std::string(kSheetSymbols[i % kSheetSymbols.size()]),
                   names[i].empty() ? std::string() : LabelAmong(names, i)};
    // Names alike to their last characters: the first character and a number.
    for (int n = 2;
         std::any_of(marks.begin(), marks.end(), [&mark](const SheetMark& other) { return other.label == mark.label; });
         ++n) {
      mark.label = std::string(names[i].front()) + std::to_string(n);
    }
    marks.push_back(std::move(mark));
  }
  return marks;
}

std::vector<SheetMark> MarksOf(const CalendarDocument& document) {
  std::vector<SheetMark> marks = AutomaticMarks(LegendCategories(document));
  for (SheetMark& mark : marks) {
    const auto chosen = std::find_if(document.sheet_marks.begin(), document.sheet_marks.end(),
                                     [&mark](const SheetMark& own) { return own.category == mark.category; });
    if (chosen != document.sheet_marks.end()) mark = *chosen;
  }
  return marks;
}

std::vector<SheetMark> ChosenMarksToKeep(const CalendarDocument& document) {
  const std::vector<SheetMark> automatic = AutomaticMarks(LegendCategories(document));
  std::vector<SheetMark> kept;
  for (const SheetMark& chosen : document.sheet_marks) {
    // Of a category the sheet no longer shows nothing is kept.
    const auto own = std::find_if(automatic.begin(), automatic.end(),
                                  [&chosen](const SheetMark& mark) { return mark.category == chosen.category; });
    if (own != automatic.end() && *own != chosen) kept.push_back(chosen);
  }
  return kept;
}

}  // namespace dustora
