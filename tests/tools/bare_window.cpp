// A bare main window holding the main window's widgets (menus and actions,
// tab bar, choice boxes, swatches, labels, buttons, status bar) with none of
// its logic, the same as BM_BareMainWindow in window_benchmarks.cpp: the
// floor of the program's start-up memory (scripts/startup-memory.sh).
//   bare_window
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

int main(int argc, char** argv) {
  QApplication app(argc, argv);
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
  return QApplication::exec();
}
