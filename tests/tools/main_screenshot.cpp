// Opens the main window on a fresh home folder with an example area's
// document and saves a picture of it, or of the dialog that one of its menu
// commands opens, after a click on a button of that dialog (BUTTON: the
// picture is then of the dialog the button opens) or on a row of one of its
// lists or a page of its tabs (LIST:ROW, TABS:PAGE):
//   main_screenshot OUTPUT.png DOCUMENT.dsc [MENU-ITEM [BUTTON | LIST:ROW | TABS:PAGE]]
// The holiday and no-collection tables next to the document (holiday.csv,
// noneterm.csv) become the user's tables.
#include <cstdlib>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "core/calendar_document.h"
#include "core/filesystem.h"
#include "document/dsc_file.h"
#include "session/lifecycle.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/qt_text.h"
#include "ui/startup.h"

namespace {

// The program's own folder in the build tree (build/app), with the shipped
// icons, holidays and manual.
class BuildTreePlatform : public dustora::QtPlatform {
 public:
  std::string ProgramFolder() override {
    return dustora::FromQt(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../app")).canonicalPath());
  }
};

void TakeExampleTables(dustora::Session& session, const QString& document) {
  const QString folder = QFileInfo(document).absolutePath();
  for (const char* name : {"holiday.csv", "noneterm.csv"}) {
    const std::string from = dustora::FromQt(folder) + "/" + name;
    if (dustora::Fs().FileExists(from) &&
        dustora::Fs().CopyFile(from, dustora::JoinPath(session.folders.data_folder, name))) {
      std::exit(1);  // the pictures would show the wrong tables
    }
  }
  session.holidays.clear();
  session.periods.clear();
  dustora::Report report;  // the example's own tables read cleanly
  dustora::LoadHolidays(session, report);
  dustora::LoadNoCollectionPeriods(session, report);
  session.settings.show_holiday_names = 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) return 2;
  QTemporaryDir home;
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/share")).toUtf8());
  qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
  QApplication app(argc, argv);
  dustora::InstallJapaneseTranslations();
  BuildTreePlatform platform;
  dustora::Session session;
  dustora::MainWindow window(session, platform);
  platform.SetMainWindow(&window);
  dustora::LoadAtStartUp(window);
  const QString output = QString::fromLocal8Bit(argv[1]);
  const QString document_path = QString::fromLocal8Bit(argv[2]);
  TakeExampleTables(session, document_path);
  dustora::CalendarDocument& document = session.document;
  document.document_path = dustora::FromQt(document_path);
  dustora::Report report;
  if (!dustora::ReadDscFile(document, session.settings, session.memo_text, platform.Today(), report)) return 1;
  session.Notify(dustora::SessionChange::MemoTie);
  window.SetWindowTitle(dustora::WindowTitleFor(document.document_path));
  window.ShowFirstTab();
  window.show();
  if (argc >= 4) {
    auto* action = window.findChild<QAction*>(QString::fromLocal8Bit(argv[3]));
    if (!action) return 2;
    if (argc == 5) {
      QTimer::singleShot(600, &app, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        const QStringList target = QString::fromUtf8(argv[4]).split(QLatin1Char(':'));
        if (target.size() == 2) {
          if (auto* list = dialog->findChild<QAbstractItemView*>(target[0])) {
            list->setCurrentIndex(list->model()->index(target[1].toInt(), 0));
          } else if (auto* tabs = dialog->findChild<QTabWidget*>(target[0])) {
            tabs->setCurrentIndex(target[1].toInt());
          }
        } else if (auto* button = dialog->findChild<QAbstractButton*>(target[0])) {
          button->click();
        }
      });
    }
    QTimer::singleShot(1100, &app, [&] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->grab().save(output);
        dialog->close();
      }
      app.quit();
    });
    QTimer::singleShot(300, &app, [action] { action->trigger(); });
  } else {
    QTimer::singleShot(500, &app, [&] {
      window.grab().save(output);
      app.quit();
    });
  }
  const int code = QApplication::exec();
  return code;
}
