// dustora-cli: renders one month's calendar page without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/desktop_paths.h"
#include "core/text.h"

namespace dustora {

// Exit codes: 0 the page was written (message boxes that loading showed are
// on `err`), 1 the document or the page could not be read or written,
// 2 wrong usage.
[[nodiscard]] int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const Date& today,
                          const EnvironmentLookup& environment);

}  // namespace dustora
