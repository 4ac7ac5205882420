#include "ui/year_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "core/encoding.h"
#include "support/report_texts.h"
#include "support/ui_driver.h"
#include "ui/qt_text.h"

namespace dustora {
namespace {

using testing::Child;
using testing::Click;

class YearDialogTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    OpenMainWindow();
  }
  // Chooses a main window's year or month as the user does.
  void ChooseOnMain(const char* name, const char* text) {
    auto* box = Child<QComboBox>(*window, name);
    const int index = box->findText(QString::fromLatin1(text));
    ASSERT_GE(index, 0) << text;
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  std::string PageText() const { return sjis::Decode(home.Read("share/Tessaloom/Dustora/year.html")); }
  std::string PagePath() const { return home.Join("share/Tessaloom/Dustora/year.html"); }
  static QSpinBox* Months(QDialog& d) { return Child<QSpinBox>(d, "txtMonths"); }
  static std::string Shown(QDialog& d, const char* name) { return FromQt(Child<QComboBox>(d, name)->currentText()); }
};

TEST_F(YearDialogTest, OpensOnTheMainWindowsMonthAndWritesTheYearPage) {
  session.document.StoreRow(RuleKind::EveryWeek, 0, {"月", "燃やせるごみ", "", ""});
  ChooseOnMain("ComboYear", "2011");
  ChooseOnMain("cmb月", "11");
  Script("dlgYear", [](QDialog& d) {
    EXPECT_EQ(FromQt(d.windowTitle()), "年間カレンダー作成");
    EXPECT_EQ(Shown(d, "cmbYear"), "2011");
    EXPECT_EQ(Shown(d, "cmbMonth"), "11");
    EXPECT_EQ(Child<QComboBox>(d, "cmbYear")->count(), 21);  // the main window's years
    EXPECT_EQ(Months(d)->value(), 12);
    EXPECT_EQ(Months(d)->minimum(), 1);
    EXPECT_EQ(Months(d)->maximum(), 24);
    auto* ok = Child<QPushButton>(d, "OKButton");
    EXPECT_EQ(FromQt(ok->text()), "O K");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(FromQt(Child<QPushButton>(d, "CancelButton")->text()), "ｷｬﾝｾﾙ");
    EXPECT_EQ(FromQt(Months(d)->toolTip()), "[F1]でヘルプ");
    QTest::keyClick(&d, Qt::Key_Return);  // Enter is O K
  });
  auto* button = Child<QPushButton>(*window, "cmdYear");
  EXPECT_EQ(FromQt(button->text()), "年間(&Y)...");
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Space);

  EXPECT_EQ(platform.dialogs, std::vector<std::string>{"dlgYear"});
  EXPECT_EQ(parents, std::vector<QWidget*>{window.get()});
  ASSERT_EQ(platform.browsed, std::vector<std::string>{PagePath()});
  const std::string page = PageText();
  EXPECT_NE(page.find("2011年11月"), std::string::npos);
  EXPECT_NE(page.find("2012年10月"), std::string::npos);
  EXPECT_EQ(page.find("2012年11月"), std::string::npos);
  EXPECT_NE(page.find(">燃やせるごみ</font>"), std::string::npos);
  // Nothing of the document changes, not even the black the month page stores.
  EXPECT_FALSE(session.document.modified);
  EXPECT_TRUE(session.document.color[0].empty());
  EXPECT_EQ(window->focusWidget(), button);
  EXPECT_TRUE(button->isEnabled());
  EXPECT_TRUE(platform.messages.empty());
  // The month page is not the year page.
  EXPECT_TRUE(home.Read("share/Tessaloom/Dustora/temp.html").empty());
}

TEST_F(YearDialogTest, TheMonthsAreBoundedAndRememberedAndCancelWritesNothing) {
  Script("dlgYear", [](QDialog& d) {
    QSpinBox* months = Months(d);
    months->setValue(0);
    EXPECT_EQ(months->value(), 1);
    months->setValue(99);
    EXPECT_EQ(months->value(), 24);
    // Typed: the text is replaced, digits beyond the range are refused.
    months->setFocus();
    months->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(months, "30");
    EXPECT_EQ(months->value(), 3);
    Child<QComboBox>(d, "cmbMonth")->setCurrentIndex(3);  // April: a fiscal year
    Click(d, "OKButton");
  });
  Child<QAction>(*window, "mnuYear")->trigger();
  EXPECT_EQ(session.settings.year_months, 3);
  const std::string page = PageText();
  EXPECT_NE(page.find("2011年6月"), std::string::npos);
  EXPECT_EQ(page.find("2011年7月"), std::string::npos);
  EXPECT_EQ(std::count(platform.browsed.begin(), platform.browsed.end(), PagePath()), 1);

  // The next time the dialog offers three; ｷｬﾝｾﾙ and Escape write and show nothing.
  std::filesystem::remove(PagePath());
  Script("dlgYear", [](QDialog& d) {
    EXPECT_EQ(Months(d)->value(), 3);
    Months(d)->setValue(5);
    Click(d, "CancelButton");
  });
  Child<QAction>(*window, "mnuYear")->trigger();
  Script("dlgYear", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
  Child<QAction>(*window, "mnuYear")->trigger();
  EXPECT_EQ(session.settings.year_months, 3);
  EXPECT_FALSE(std::filesystem::exists(PagePath()));
  EXPECT_EQ(platform.browsed.size(), 1u);
  EXPECT_EQ(results, (std::vector<int>{QDialog::Accepted, QDialog::Rejected, QDialog::Rejected}));

  // Written at exit with the rest, read at the next start.
  ASSERT_TRUE(SaveSettings(session.settings, session.document, testing::Unread()));
  EXPECT_NE(sjis::Decode(home.Read("share/Tessaloom/Dustora/dustora.ini")).find("\r\n[Year]\r\nMonths=3\r\n"),
            std::string::npos);
  AppSettings next;
  CalendarDocument document;
  LoadSettings(home.Join("share/Tessaloom/Dustora"), "", next, document, testing::Unread());
  EXPECT_EQ(next.year_months, 3);
}

TEST_F(YearDialogTest, AFailedWriteShowsTheErrorBoxAndNoBrowser) {
  std::filesystem::remove_all(home.Join("share/Tessaloom/Dustora"));
  Script("dlgYear", [](QDialog& d) { Click(d, "OKButton"); });
  auto* button = Child<QPushButton>(*window, "cmdYear");
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(platform.browsed.empty());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text.rfind("ご迷惑をおかけしています.(MakeYearHtml)\r\n", 0), 0u);
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
  EXPECT_TRUE(button->isEnabled());
  EXPECT_FALSE(session.document.modified);

  // A browser that cannot be started says where the page is.
  std::filesystem::create_directories(home.Join("share/Tessaloom/Dustora"));
  platform.browser_succeeds = false;
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].text,
            "ブラウザーを起動できませんでした.(年間カレンダー作成)\r\nカレンダーは次のファイルに作成されています:\r\n" +
                PagePath() + "\r\n\r\nこのフォルダーを開きますか?");
}

TEST_F(YearDialogTest, F1OpensTheDialogsPage) {
  program.Write("help/index.html", "x");
  program.Write("help/dlgYear.html", "x");
  Script("dlgYear", [](QDialog& d) {
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    QTest::keyClick(Months(d), Qt::Key_F1);
    d.reject();
  });
  Child<QAction>(*window, "mnuYear")->trigger();
  EXPECT_EQ(platform.opened, std::vector<std::string>{program.Join("help/dlgYear.html")});
}

}  // namespace
}  // namespace dustora
