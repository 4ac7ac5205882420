// Start-up of the program: the single-instance check, the load steps in
// their order, and the main window ready with an empty, unnamed document.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string>

namespace dustora {

class MainWindow;
class QtPlatform;
class SplashWindow;

// The load steps on a main window that is not shown yet: folders, settings,
// first-run copy, holidays, no-collection periods, the editor's lists and
// the memo.
void LoadAtStartUp(MainWindow& window);

// The splash over the main window while the load steps run, then the
// window, which the splash keeps disabled for as long as it is shown.
void StartUnderSplash(MainWindow& window, SplashWindow& splash);
// The first argument after the program's name that is no option (or any
// after "--"), as an absolute path from `current_folder`; empty when none.
[[nodiscard]] std::string FirstFileArgument(const QStringList& arguments, const QString& current_folder);

// The running program takes files: `file` from its command line (empty:
// none) and those that second starts hand over.
void AcceptFiles(MainWindow& window, const std::string& file);
// A second start hands `file` (empty: none) to the running copy, or says
// that the program runs already when that copy cannot be reached.
void SecondStart(const std::string& file);

// The whole program: returns the exit code.
int RunProgram(int argc, char** argv);

}  // namespace dustora
