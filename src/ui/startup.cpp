#include "ui/startup.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "core/document.h"
#include "core/platform.h"
#include "session/lifecycle.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/program_picture.h"
#include "ui/qt_platform.h"
#include "ui/qt_text.h"
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

}  // namespace

std::string FirstFileArgument(const QStringList& arguments, const QString& current_folder) {
  bool options_end = false;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!options_end && argument == QStringLiteral("--")) {
      options_end = true;
    } else if (options_end || !argument.startsWith(QLatin1Char('-'))) {
      return FromQt(QDir::cleanPath(QDir(current_folder).absoluteFilePath(argument)));
    }
  }
  return {};
}

void AcceptFiles(MainWindow& window, const std::string& file) {
  CurrentPlatform().ListenForHandOvers([&window](const std::string& handed) { window.HandOver(handed); });
  if (!file.empty()) window.OpenWhenIdle(file);
}

void SecondStart(const std::string& file) {
  if (!CurrentPlatform().HandOverToRunningCopy(file)) ShowInformation("すでに起動しています.", "ダストーラ作成");
}

void LoadAtStartUp(MainWindow& window) {
  window.setEnabled(false);
  // Each step reports its own failures; a failure of the steps themselves
  // ends the loading with the main window as far as it got.
  RunHandler("Form.Load", [&window] {
    LoadAtStartUp(window.session());
    window.ShowFirstTab();
    window.SetList();
    window.SetImage();
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
  SetPlatform(&platform);
  const std::string file = FirstFileArgument(QCoreApplication::arguments(), QDir::currentPath());
  // The lock first, then the socket: listening on the path of a live
  // socket would take it from the copy that runs.
  if (platform.IsAnotherInstanceRunning()) {
    SecondStart(file);
    SetPlatform(nullptr);
    return 0;
  }
  int code = 0;
  {
    Session session;
    MainWindow window(session);
    platform.SetMainWindow(&window);
    QPointer<SplashWindow> splash = new SplashWindow(&window);
    platform.SetSplashCloser([splash] {
      if (splash) splash->close();
    });
    StartUnderSplash(window, *splash);
    AcceptFiles(window, file);
    EndOnSignals(window);
    // Logging off asks the close question; Cancel keeps the session.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window, &session](QSessionManager& manager) {
      if (ConfirmSave(session) == Answer::Cancel) {
        manager.cancel();
      } else {
        window.EndWithoutAsking();
      }
    });
    code = QApplication::exec();
  }
  SetPlatform(nullptr);
  return code;
}

}  // namespace dustora
