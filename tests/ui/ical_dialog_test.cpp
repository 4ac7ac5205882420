#include "ui/ical_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "core/encoding.h"
#include "support/ui_driver.h"
#include "ui/qt_text.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;

class ICalDialogTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenMainWindow();
    session.document.local_name = "緑町";
    session.document.StoreRow(RuleKind::Special, 0, {"10", "古紙", "", ""});
  }
  void Export() { Child<QAction>(*window, "mnuICal")->trigger(); }
  static QSpinBox* Months(QDialog& d) { return Child<QSpinBox>(d, "txtMonths"); }
  static QComboBox* Reminder(QDialog& d) { return Child<QComboBox>(d, "cmbReminder"); }
  std::string Path() const { return home.Join("Documents/緑町.ics"); }
};

TEST_F(ICalDialogTest, ExportsTheChosenMonthsToTheChosenFileAndSaysHowMany) {
  Script("dlgICal", [](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "iCalendar形式で書き出し");
    EXPECT_EQ(FromQt(Child<QComboBox>(d, "cmbYear")->currentText()), "2011");
    EXPECT_EQ(FromQt(Child<QComboBox>(d, "cmbMonth")->currentText()), "4");
    EXPECT_EQ(Months(d)->value(), 12);
    EXPECT_EQ(Months(d)->maximum(), 36);
    EXPECT_EQ(FromQt(Reminder(d)->currentText()), "前日18時");
    EXPECT_EQ(Reminder(d)->count(), 3);
    EXPECT_TRUE(Child<QPushButton>(d, "OKButton")->isDefault());
    Months(d)->setValue(3);
    Reminder(d)->setCurrentIndex(2);
    QTest::keyClick(&d, Qt::Key_Return);
  });
  platform.file_replies.emplace_back(Path());
  Export();
  ASSERT_EQ(platform.file_dialogs.size(), 1u);
  const FileDialogRequest& asked = platform.file_dialogs[0];
  EXPECT_EQ(asked.mode, FileDialogMode::Save);
  EXPECT_EQ(asked.title, "iCalendar形式で書き出し");
  EXPECT_EQ(asked.filter, "iCalendarファイル(*.ics)|*.ics");
  EXPECT_EQ(asked.default_extension, "ics");
  EXPECT_EQ(asked.initial_folder, session.folders.document_folder);
  EXPECT_EQ(asked.file_name, "緑町");
  EXPECT_TRUE(asked.confirm_overwrite);
  const std::string text = home.Read("Documents/緑町.ics");
  EXPECT_TRUE(text.starts_with("BEGIN:VCALENDAR\r\n"));
  EXPECT_NE(text.find("DTSTART;VALUE=DATE:20110610"), std::string::npos);
  EXPECT_EQ(text.find("DTSTART;VALUE=DATE:20110710"), std::string::npos);
  EXPECT_NE(text.find("TRIGGER:PT6H"), std::string::npos);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "3件の収集日を書き出しました.\r\n" + Path());
  EXPECT_EQ(platform.messages[0].title, "iCalendar形式で書き出し");
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(session.settings.ical_months, 3);
  EXPECT_EQ(session.settings.ical_reminder, 2);
  EXPECT_FALSE(session.document.modified);

  // The next time the dialog offers the last choice.
  Script("dlgICal", [](QDialog& d) {
    EXPECT_EQ(Months(d)->value(), 3);
    EXPECT_EQ(FromQt(Reminder(d)->currentText()), "当日6時");
    d.reject();
  });
  Export();
  EXPECT_EQ(platform.file_dialogs.size(), 1u);
}

TEST_F(ICalDialogTest, CancelAtEachStepWritesNothing) {
  Script("dlgICal", [](QDialog& d) {
    Months(d)->setValue(20);
    Click(d, "CancelButton");
  });
  Export();
  EXPECT_TRUE(platform.file_dialogs.empty());
  EXPECT_EQ(session.settings.ical_months, 12);
  Script("dlgICal", [](QDialog& d) { Click(d, "OKButton"); });
  platform.file_replies.emplace_back(std::nullopt);
  Export();
  EXPECT_EQ(platform.file_dialogs.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(Path()));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ICalDialogTest, NoCollectionDayAndAFailedWriteAreSaid) {
  session.periods = {{Date{2011, 1, 1}, Date{2012, 12, 31}, "[すべて]"}};
  Script("dlgICal", [](QDialog& d) { Click(d, "OKButton"); });
  Export();
  EXPECT_TRUE(platform.file_dialogs.empty());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "書き出す収集日がありません.");
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);

  session.periods.clear();
  platform.file_replies.emplace_back(home.Join("gone/緑町.ics"));
  Export();
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_NE(platform.messages[1].text.find("WriteICalFile"), std::string::npos);
  EXPECT_EQ(platform.messages[1].icon, MessageIcon::Error);
  EXPECT_FALSE(std::filesystem::exists(home.Join("gone")));
}

}  // namespace
}  // namespace dustora
