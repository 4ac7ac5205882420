// The no-collection periods: first and last day (both inclusive) and the
// category they stop, or "[すべて]" for every category.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"

namespace dustora {

inline constexpr std::string_view kAllCategories = "[すべて]";

struct NoneTerm {
  Date first;
  Date last;
  std::string category;

  // Whether the period stops `category` on `day`.
  bool Applies(const Date& day, std::string_view slot_category) const {
    return first <= day && day <= last && (category == kAllCategories || category == slot_category);
  }
};

using NoneTermTable = std::vector<NoneTerm>;

}  // namespace dustora
