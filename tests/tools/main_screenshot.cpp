// Opens the main window on a fresh home folder with an example area's
// document and saves a picture of it: main_screenshot OUTPUT.png DOCUMENT.dsc
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include "core/document.h"
#include "document/dsc_file.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/qt_text.h"
#include "ui/startup.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  QTemporaryDir home;
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/share")).toUtf8());
  qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
  QApplication app(argc, argv);
  dustora::InstallJapaneseTranslations();
  dustora::QtPlatform platform;
  dustora::SetPlatform(&platform);
  dustora::MainWindow window;
  platform.SetMainWindow(&window);
  dustora::LoadAtStartUp(window);
  dustora::CalendarDocument& document = dustora::CurrentDocument();
  document.document_path = argv[2];
  dustora::ReadDscFile(document);
  window.SetWindowTitle(dustora::WindowTitleFor(document.document_path));
  window.ShowFirstTab();
  window.show();
  QTimer::singleShot(500, &app, [&] {
    window.grab().save(QString::fromLocal8Bit(argv[1]));
    app.quit();
  });
  const int code = QApplication::exec();
  dustora::SetPlatform(nullptr);
  return code;
}
