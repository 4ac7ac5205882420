// dustora-cli's iCalendar serialiser: the module dustora-ical, loaded on
// the first export only.
#pragma once

#include <string>
#include <variant>

#include "output/ical.h"

namespace dustora {

// The module next to the program (the build tree), else in the installed
// module folder; the serialiser, or why it cannot be had.
[[nodiscard]] std::variant<ICalSerializer, std::string> LoadICalModule();

}  // namespace dustora
