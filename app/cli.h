// dustora-cli: renders one month's calendar page, or several on one page,
// or exports the collection days as an iCalendar file, without a window.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/desktop_paths.h"
#include "core/text.h"

namespace dustora {

// What the run takes from the machine it runs on.
struct CliHost {
  Date today;
  std::int64_t now_utc = 0;  // seconds since 1970 UTC: the export's time
  EnvironmentLookup environment;
  bool terminal = false;  // standard error is a terminal: progress lines are shown
};

// Exit codes: 0 the page or the calendar was written (message boxes that
// loading showed are on `err`), 1 the document could not be read, or the
// page or the calendar not written, or there was no collection day to
// export; 2 wrong usage.
[[nodiscard]] int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                          const CliHost& host);

}  // namespace dustora
