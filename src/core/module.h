// Modules loaded while the program runs, so that what only some runs need
// (the iCalendar export's library) is loaded by those runs alone.
#pragma once

#include <string>
#include <variant>

namespace dustora {

// The address of `symbol` in the module at `path` (UTF-8), which stays
// loaded for the rest of the run; or why it cannot be had.
[[nodiscard]] std::variant<void*, std::string> ModuleSymbol(const std::string& path, const char* symbol);

}  // namespace dustora
