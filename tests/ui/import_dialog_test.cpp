// オープンデータから読み込み walked by keyboard: the folder, an area found by
// typing, its report, O K after the save question, and the first save that
// writes the memo beside the document.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "core/filesystem.h"
#include "support/ui_driver.h"
#include "tables/memo.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Text;

class ImportDialogTest : public testing::DialogTest {
 protected:
  void Trigger(const char* action) { window->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }

  testing::TempFolder open;
};

TEST_F(ImportDialogTest, AnAreaFoundByTypingBecomesANewDocument) {
  OpenMainWindow();
  open.Write("area_days.csv",
             "地名,センター,燃やせるごみ,小型家電\n本町,,月 木,水2 *1\n東町,,火 金,Z\n東本町,,月 木,水4 *1\n");
  open.Write("remarks.csv", "id,text\n1,小型家電は拠点回収もあります\n");
  session.document.modified = true;

  // A folder without the data says so and changes nothing.
  platform.file_replies = {home.path()};
  Trigger("mnuImport");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "area_days.csv がありません: " + home.path());
  EXPECT_EQ(platform.file_dialogs.back().mode, FileDialogMode::Folder);

  platform.messages.clear();
  platform.file_replies = {open.path()};
  platform.message_replies = {MessageButton::No};  // do not save the open document
  Script("dlgImport", [&](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "オープンデータから読み込み");
    auto* filter = Child<QLineEdit>(d, "txtFilter");
    EXPECT_EQ(d.focusWidget(), filter);
    testing::Type(filter, QStringLiteral("東"));
    auto* areas = Child<QListWidget>(d, "lstAreas");
    EXPECT_EQ(FromQt(areas->currentItem()->text()), "東町");
    EXPECT_TRUE(areas->item(0)->isHidden());
    EXPECT_NE(Text(Child<QLabel>(d, "lblSummary")).find("読み込めない指定が1個"), std::string::npos);
    QTest::keyClick(filter, Qt::Key_Down);  // the list follows the filter box's arrows
    EXPECT_EQ(FromQt(areas->currentItem()->text()), "東本町");
    auto* report = Child<QTreeWidget>(d, "lvwReport");
    EXPECT_EQ(FromQt(report->topLevelItem(2)->text(2)), "第４ 1行目: 水曜日");
    EXPECT_EQ(Text(Child<QLabel>(d, "lblSummary")), "すべての指定を読み込めます.");
    QTest::keyClick(filter, Qt::Key_Return);
  });
  Trigger("mnuImport");
  ASSERT_EQ(platform.messages.size(), 1u);  // the save question
  CalendarDocument& document = session.document;
  EXPECT_EQ(std::tie(document.local_name, document.title, document.document_path),
            std::make_tuple("東本町", "ごみ収集カレンダー", ""));
  EXPECT_TRUE(document.modified);
  EXPECT_EQ(session.memo_text, "小型家電は拠点回収もあります\r\n");
  EXPECT_EQ(MemoStatusText(document), "メモファイル : (保存するときに作成します)");
  EXPECT_NE(std::find(session.settings.category.begin(), session.settings.category.end(), "小型家電"),
            session.settings.category.end());

  // The first save writes the memo beside the document and ties it.
  platform.file_replies = {JoinPath(home.path(), "東本町.dsc")};
  Trigger("mnuSaveAs");
  EXPECT_EQ(document.memo_path, JoinPath(home.path(), "東本町.mmo"));
  EXPECT_TRUE(std::filesystem::exists(document.memo_path));
  EXPECT_FALSE(document.modified || document.memo_unwritten);
}

// オープンデータから一括作成 by keyboard: the two folders, the sheets and the
// calendar files, 作成, the progress to its end, the summary and the button
// that opens the output folder.
TEST_F(ImportDialogTest, EveryAreaIsWrittenAndTheSummarySaid) {
  OpenMainWindow();
  open.Write("area_days.csv", "地名,センター,燃やせるごみ\n本町,,月 木\n東町,,火;金\n本町,,水\n");
  testing::TempFolder out;
  platform.file_replies = {open.path(), out.path()};
  Script("dlgBatch", [&](QDialog& d) {
    testing::Click(d, "cmdDataFolder");
    testing::Click(d, "cmdOutFolder");
    EXPECT_EQ(FromQt(Child<QComboBox>(d, "cmbYear")->currentText() + Child<QComboBox>(d, "cmbMonth")->currentText()),
              "20114");  // April of the fiscal year that holds today (2011/04/01)
    Child<QWidget>(d, "CheckCalendars")->setFocus();
    QTest::keyClick(d.focusWidget(), Qt::Key_Space);
    Child<QWidget>(d, "cmdStart")->setFocus();
    QTest::keyClick(d.focusWidget(), Qt::Key_Return);
    auto* open_folder = Child<QPushButton>(d, "cmdOpenFolder");
    for (int i = 0; i < 500 && !open_folder->isEnabled(); ++i) QTest::qWait(10);
    EXPECT_NE(Text(Child<QLabel>(d, "lblSummary"))
                  .find("3地域のうち、すべて読み込めた地域 2、読み込めない指定のある地域 1、書き込めなかった地域 0。"),
              std::string::npos);
    EXPECT_EQ(Child<QProgressBar>(d, "prgAreas")->value(), 3);
    QTest::keyClick(open_folder, Qt::Key_Space);
    QTest::keyClick(d.focusWidget(), Qt::Key_Escape);
  });
  Trigger("mnuBatch");
  EXPECT_EQ(platform.opened.back(), out.path());
  for (const char* name : {"本町.dsc", "本町.html", "本町.ics", "本町-2.dsc", "東町.html", "report.csv"}) {
    EXPECT_TRUE(std::filesystem::exists(out.Join(name))) << name;
  }
}

}  // namespace
}  // namespace dustora
