// Start-up of the main window with its loading, against a bare main window
// holding as many widgets. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QVBoxLayout>
#include <filesystem>

#include "core/document.h"
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

int MainWindowWidgets() {
  Desk desk;
  MainWindow window;
  return static_cast<int>(window.findChildren<QWidget*>().size());
}

void BM_MainWindowWithLoading(benchmark::State& state) {
  Desk desk;
  for (auto _ : state) {
    Settings() = AppSettings{};
    CurrentDocument().Clear("2026", "12");
    MainWindow window;
    LoadAtStartUp(window);
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_MainWindowWithLoading)->Unit(benchmark::kMillisecond);

void BM_MainWindowOnly(benchmark::State& state) {
  Desk desk;
  for (auto _ : state) {
    MainWindow window;
    window.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_MainWindowOnly)->Unit(benchmark::kMillisecond);

void BM_BareMainWindow(benchmark::State& state) {
  const int widgets = MainWindowWidgets();
  for (auto _ : state) {
    QMainWindow window;
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    for (int i = 0; i < widgets; ++i) {
      if (i % 2) {
        layout->addWidget(new QComboBox(central));
      } else {
        layout->addWidget(new QLabel(QStringLiteral("ラベル"), central));
      }
    }
    window.setCentralWidget(central);
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
