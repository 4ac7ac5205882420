// Start-up of the program: the single-instance check, the load steps in
// their order, and the main window ready with an empty, unnamed document.
#pragma once

#include <string>
#include <vector>

namespace dustora {

class MainWindow;
class Platform;
class QtPlatform;
class SingleInstance;
class SplashWindow;

// The load steps on a main window that is not shown yet: folders, settings,
// first-run copy, holidays, no-collection periods, the editor's lists and
// the memo.
void LoadAtStartUp(MainWindow& window);

// The splash over the main window while the load steps run, then the
// window, which the splash keeps disabled for as long as it is shown.
void StartUnderSplash(MainWindow& window, SplashWindow& splash);
// The program's arguments as the bytes they were given (on Windows in
// UTF-8), after Qt took its own options out.
[[nodiscard]] std::vector<std::string> ProgramArguments(int argc, char** argv);
// The current folder as the bytes of its path.
[[nodiscard]] std::string CurrentFolder();
// The first argument after the program's name that is no option (or any
// after "--"), as an absolute path from `current_folder`; empty when none.
[[nodiscard]] std::string FirstFileArgument(const std::vector<std::string>& arguments,
                                            const std::string& current_folder);

// The running program takes files: `file` from its command line (empty:
// none) and those that second starts hand over to `instance`.
void AcceptFiles(MainWindow& window, SingleInstance& instance, const std::string& file);
// A second start hands `file` (empty: none) to the running copy; when that
// copy cannot be reached it says that the program runs already, and which
// file was not opened. Returns the exit code: 1 for a file not passed on.
[[nodiscard]] int SecondStart(Platform& platform, const SingleInstance& instance, const std::string& file);

// The whole program: returns the exit code.
int RunProgram(int argc, char** argv);

}  // namespace dustora
