// Drives windows in tests: controls found by objectName, clicks, the month
// view's days, and scripts for our dialogs as the fake platform opens them.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/calendar_document.h"
#include "session/session.h"
#include "settings/settings.h"
#include "support/fake_platform.h"
#include "support/fresh_home.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/qt_dialog.h"
#include "ui/qt_text.h"
#include "ui/startup.h"

namespace dustora::testing {

template <typename W = QWidget>
W* Child(QObject& parent, const char* name) {
  W* widget = parent.findChild<W*>(ToQt(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}
inline std::string Text(const QLabel* label) {
  return FromQt(label->text());
}
inline bool Enabled(QWidget& parent, const char* name) {
  return Child(parent, name)->isEnabled();
}
// The objectName of the control that has (or last had) the focus in a window.
inline std::string Focused(QWidget& window) {
  return window.focusWidget() ? FromQt(window.focusWidget()->objectName()) : "";
}
inline void Click(QWidget& parent, const char* name) {
  QTest::mouseClick(Child(parent, name), Qt::LeftButton);
}

// Types text key by key, Japanese included (QTest::keyClicks takes ASCII
// only).
inline void Type(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    const int key = ch.unicode() < 0x80 ? int{ch.toUpper().unicode()} : static_cast<int>(Qt::Key_unknown);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &release);
  }
}

// Clicks a day of the month the picker shows: the previous month's days
// stand only in the first week, the next month's only below day 14.
inline void ClickDay(QDialog& picker, int day) {
  auto* table = Child<QCalendarWidget>(picker, "MonthView1")->findChild<QTableView*>();
  ASSERT_NE(table, nullptr);
  const QAbstractItemModel* model = table->model();
  for (int row = day < 15 ? 1 : 2; row < model->rowCount(); ++row) {
    for (int column = 0; column < model->columnCount(); ++column) {
      const QModelIndex index = model->index(row, column);
      if (index.data().toInt() != day) continue;
      QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
      return;
    }
  }
  FAIL() << "no day " << day;
}

// A fresh home, today 2011/04/01, default settings and an empty document;
// scripts for our dialogs record each run's parent and result.
class DialogTest : public ::testing::Test {
 protected:
  using Act = std::function<void(QDialog&)>;

  void SetUp() override {
    UseFreshHome(platform, home, program);
    platform.today = Date{2011, 4, 1};
    session.document.Clear(2011, 4);
  }
  void OpenMainWindow() {
    window = std::make_unique<MainWindow>(session, platform);
    LoadAtStartUp(*window);
  }
  // Lets `act` drive the dialog `name` the next times it opens.
  void Script(const std::string& name, Act act) {
    platform.dialog_scripts[name] = [this, act = std::move(act)](ModalDialog& modal) {
      QDialog& dialog = static_cast<QtDialog&>(modal).dialog();
      dialog.show();
      parents.push_back(dialog.parentWidget());
      act(dialog);
      results.push_back(dialog.result());
      return dialog.result();
    };
  }

  FakePlatform platform;
  Session session;
  TempFolder home;
  TempFolder program;
  std::unique_ptr<MainWindow> window;
  std::vector<QWidget*> parents;
  std::vector<int> results;
};

}  // namespace dustora::testing
