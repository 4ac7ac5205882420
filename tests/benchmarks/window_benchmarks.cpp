// Start-up of the main window with its loading, against a bare main window
// holding as many widgets. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>
#include <filesystem>

#include "core/calendar_document.h"
#include "settings/settings.h"
#include "support/fake_platform.h"
#include "support/fresh_home.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/startup.h"

namespace dustora {
namespace {

struct Desk {
  testing::TempFolder home;
  testing::TempFolder program;
  testing::FakePlatform platform;
  Desk() { testing::UseFreshHome(platform, home, program); }
};

void BM_MainWindowWithLoading(benchmark::State& state) {
  Desk desk;
  for (auto _ : state) {
    Session session;
    session.document.Clear(2026, 12);
    MainWindow window(session, desk.platform);
    LoadAtStartUp(window);
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_MainWindowWithLoading)->Unit(benchmark::kMillisecond);

void BM_MainWindowOnly(benchmark::State& state) {
  Desk desk;
  Session session;
  for (auto _ : state) {
    MainWindow window(session, desk.platform);
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_MainWindowOnly)->Unit(benchmark::kMillisecond);

// The same widgets as the main window (menus and actions, tab bar, choice
// boxes, swatches, labels, buttons, status bar) with none of its logic:
// no loading, no lists, no connections.
void BM_BareMainWindow(benchmark::State& state) {
  for (auto _ : state) {
    QMainWindow window;
    for (int menu = 0; menu < 3; ++menu) {
      QMenu* m = window.menuBar()->addMenu(QStringLiteral("メニュー(&M)"));
      for (int i = 0; i < 9; ++i) m->addAction(QStringLiteral("項目(&I)..."));
    }
    auto* central = new QWidget(&window);
    auto* outer = new QHBoxLayout(central);
    auto* editor = new QVBoxLayout;
    auto* tabs = new QTabBar(central);
    for (int i = 0; i < 12; ++i) tabs->addTab(QStringLiteral("隔週(表)"));
    editor->addWidget(tabs);
    auto* page = new QFrame(central);
    auto* rows = new QGridLayout(page);
    for (int c = 0; c < 4; ++c) rows->addWidget(new QLabel(QStringLiteral("分別の種類"), page), 0, c);
    for (int r = 0; r < 5; ++r) {
      for (int c = 0; c < 4; ++c) {
        if (c == 2) {
          rows->addWidget(new QFrame(page), r + 1, c);
          continue;
        }
        auto* box = new QComboBox(page);
        auto* edit = new QLineEdit(box);
        edit->setReadOnly(true);
        edit->setCompleter(new QCompleter(edit));
        box->setLineEdit(edit);
        box->setCompleter(nullptr);
        rows->addWidget(box, r + 1, c);
      }
    }
    editor->addWidget(page);
    outer->addLayout(editor);
    auto* side = new QVBoxLayout;
    auto* frame = new QGroupBox(QStringLiteral("作成する年月"), central);
    auto* frame_layout = new QHBoxLayout(frame);
    for (int i = 0; i < 2; ++i) {
      auto* box = new QComboBox(frame);
      for (int item = 0; item < 12; ++item) box->addItem(QString::number(item));
      frame_layout->addWidget(box);
      frame_layout->addWidget(new QLabel(QStringLiteral("年"), frame));
    }
    side->addWidget(frame);
    side->addWidget(new QPushButton(QStringLiteral("作　成 (&D)"), central));
    side->addWidget(new QPushButton(QStringLiteral("終　了 (&Q)"), central));
    outer->addLayout(side);
    window.setCentralWidget(central);
    window.statusBar()->addWidget(new QLabel(QStringLiteral("メモファイル : (関連付けなし)")), 1);
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_BareMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dustora

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
