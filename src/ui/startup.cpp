#include "ui/startup.h"

#include <QApplication>

#include "core/document.h"
#include "core/platform.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/memo.h"
#include "tables/noneterm.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

namespace dustora {

void LoadAtStartUp(MainWindow& window) {
  window.setEnabled(false);
  GetSpecialFolder();
  MakeSpecialFolder();
  GetInitial();
  AppDataFilesCopy();
  GetHoliday();
  GetNoneTerm();
  window.ShowFirstTab();
  window.SetList();
  window.SetImage();
  CalendarDocument& document = CurrentDocument();
  const Date today = CurrentPlatform().Today();
  document.year = std::to_string(today.year);
  document.month = std::to_string(today.month);
  window.ShowYearMonth();
  window.SetSaveEnabled(false);
  document.document_path.clear();
  document.modified = false;
  TieMemo(document, "");
  Readmemo(document);
  window.setEnabled(true);
}

int RunProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("dustora"));
  InstallJapaneseTranslations();
  QtPlatform platform;
  SetPlatform(&platform);
  if (platform.IsAnotherInstanceRunning()) {
    platform.ShowMessage(
        {"すでに起動しています.", "ダストーラ作成", MessageIcon::Information, MessageButtons::Ok, MessageButton::Ok});
    SetPlatform(nullptr);
    return 0;
  }
  int code = 0;
  {
    MainWindow window;
    platform.SetMainWindow(&window);
    LoadAtStartUp(window);
    window.show();
    code = QApplication::exec();
  }
  SetPlatform(nullptr);
  return code;
}

}  // namespace dustora
