#include "ui/startup.h"

#include <QApplication>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>
#include <filesystem>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "core/calendar_document.h"
#include "core/filesystem.h"
#include "session/lifecycle.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/program_picture.h"
#include "ui/qt_platform.h"
#include "ui/qt_text.h"
#include "ui/report_boxes.h"
#include "ui/single_instance.h"
#include "ui/splash_window.h"

namespace dustora {

namespace {

#ifndef _WIN32
int g_signal_pipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(g_signal_pipe[1], &byte, 1);
}

// SIGTERM, SIGINT and SIGHUP end the program in order, without the question.
void EndOnSignals(MainWindow& window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signal_pipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signal_pipe[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
    notifier->setEnabled(false);
    char byte = 0;
    [[maybe_unused]] const auto got = ::read(g_signal_pipe[0], &byte, 1);
    window.EndWithoutAsking();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal_number, &action, nullptr);
}
#else
void EndOnSignals(MainWindow&) {}
#endif

// The title of the second start's message.
constexpr std::string_view kProgramTitle = "ダストーラ作成";

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  std::vector<std::string> arguments;
  for (const QString& argument : QCoreApplication::arguments()) arguments.push_back(FromQt(argument));
  return arguments;
#else
  // The bytes as given: a name that is not UTF-8 (a Shift_JIS one from an
  // old disk) must reach the file system unchanged.
  return {argv, argv + argc};
#endif
}

std::string CurrentFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string() : FromPath(folder);
}

std::string FirstFileArgument(const std::vector<std::string>& arguments, const std::string& current_folder) {
  bool options_end = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!options_end && argument == "--") {
      options_end = true;
    } else if (options_end || !argument.starts_with('-')) {
      return FromPath((ToPath(current_folder) / ToPath(argument)).lexically_normal());
    }
  }
  return {};
}

void AcceptFiles(MainWindow& window, SingleInstance& instance, const std::string& file) {
  if (!file.empty()) window.OpenWhenIdle(file);
  QObject::connect(&instance, &SingleInstance::fileArrived, &window,
                   [&window](const QByteArray& handed) { window.HandOver(handed.toStdString()); });
}

int SecondStart(Platform& platform, const SingleInstance& instance, const std::string& file) {
  if (instance.HandOver(file)) return 0;
  if (file.empty()) {
    ShowInformation(platform, "すでに起動しています.", kProgramTitle);
    return 0;
  }
  // The running copy could not take the file: say which, so that it can be
  // opened there. A second copy is never started (both would write the
  // settings at exit).
  ShowInformation(platform, "すでに起動しています. 次のファイルは開かれていません: " + ShownPath(file), kProgramTitle);
  return 1;
}

void LoadAtStartUp(MainWindow& window) {
  window.setEnabled(false);
  // The steps' failures are shown once the loading is over; a failure of
  // the steps themselves ends the loading with the main window as far as it
  // got, after what was reported until then.
  RunHandler(&window, "Form.Load", [&window] {
    Platform& platform = PlatformOf(&window);
    const DesktopPlaces places{platform.SpecialFolderPath(SpecialFolder::Documents),
                               platform.SpecialFolderPath(SpecialFolder::ApplicationData), platform.ProgramFolder()};
    Report report;
    try {
      LoadAtStartUp(window.session(), places, platform.Today(), report);
    } catch (...) {
      ShowReport(platform, report);
      throw;
    }
    ShowReport(platform, report);
    window.ShowFirstTab();
    window.FillCategoryLists();
    window.FillIconLists();
    window.ShowYearMonth();
    window.SetSaveEnabled(false);
  });
  window.setEnabled(true);
}

void StartUnderSplash(MainWindow& window, SplashWindow& splash) {
  const QPointer<SplashWindow> shown = &splash;
  splash.show();
  LoadAtStartUp(window);
  window.show();
  // A message of the loading closed the splash already (it is deleted
  // later): the window stays enabled.
  if (shown && shown->isVisible()) {
    window.setEnabled(false);  // until the splash closes
    shown->raise();
  }
}

int RunProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("dustora"));
  QGuiApplication::setDesktopFileName(QLatin1String(kDesktopId));
  QApplication::setWindowIcon(ProgramIcon());
  InstallJapaneseTranslations();
  QtPlatform platform;
  // Qt took its own options out of argv.
  const std::string file = FirstFileArgument(ProgramArguments(argc, argv), CurrentFolder());
  // The lock first, then at once the socket: listening on the path of a live
  // socket would take it from the copy that runs, and a second start in the
  // middle of the loading must find somebody to hand its file to.
  SingleInstance instance;
  if (!instance.TakeLock()) {
    return SecondStart(platform, instance, file);
  }
  int code = 0;
  {
    Session session;
    MainWindow window(session, platform);
    platform.SetMainWindow(&window);
    QPointer<SplashWindow> splash = new SplashWindow(&window);
    platform.SetSplashCloser([splash] {
      if (splash) splash->close();
    });
    // Files that arrive during the loading wait until the window is idle.
    AcceptFiles(window, instance, file);
    StartUnderSplash(window, *splash);
    EndOnSignals(window);
    // Logging off asks the close question; Cancel keeps the session.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window, &session, &platform](QSessionManager& manager) {
                       if (ConfirmSave(platform, session) == Answer::Cancel) {
                         manager.cancel();
                       } else {
                         window.EndWithoutAsking();
                       }
                     });
    code = QApplication::exec();
  }
  return code;
}

}  // namespace dustora
