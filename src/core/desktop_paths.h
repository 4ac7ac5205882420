// Where the desktop keeps a user's folders, and where the program's shipped
// files are. Used by the platform implementations.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"

namespace dustora {

enum class SpecialFolder { Documents, ApplicationData };

// Reads an environment variable; nullopt when unset.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;
[[nodiscard]] EnvironmentLookup ProcessEnvironment();

// The user's documents folder (XDG_DOCUMENTS_DIR as xdg-user-dirs sets it in
// $XDG_CONFIG_HOME/user-dirs.dirs, else $HOME/Documents) or application-data
// folder ($XDG_DATA_HOME, else $HOME/.local/share); absolute, "/"
// separators, no trailing separator; empty when neither can be found.
[[nodiscard]] std::string DesktopFolderPath(SpecialFolder folder, const EnvironmentLookup& environment);

// Today's date on the local clock.
[[nodiscard]] Date LocalToday();

// The folder of the running executable, empty when it cannot be found.
[[nodiscard]] std::string ExecutableFolder();
// The folder of the shipped files for an executable in `executable_folder`:
// <prefix>/share/dustora for an installed <prefix>/bin, else the
// executable's own folder (the build tree).
[[nodiscard]] std::string ProgramFolderFor(std::string_view executable_folder);

}  // namespace dustora
