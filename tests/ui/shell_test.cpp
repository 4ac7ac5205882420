#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <sstream>
#include <string>

#include "app/cli.h"
#include "core/encoding.h"
#include "core/version.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/fake_platform.h"
#include "support/fresh_home.h"
#include "support/temp_folder.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"
#include "ui/choice_combo_box.h"
#include "ui/main_window.h"
#include "ui/qt_dialog.h"
#include "ui/qt_platform.h"
#include "ui/qt_text.h"
#include "ui/splash_window.h"
#include "ui/startup.h"

namespace dustora {
namespace {

TEST(QtPlatformTest, Filters) {
  EXPECT_EQ(FromQt(QtPlatform::QtFilter("ダストーラファイル(*.dsc)|*.dsc")), "ダストーラファイル(*.dsc)");
  EXPECT_EQ(FromQt(QtPlatform::QtFilter("画像|*.gif;*.png|すべて|*.*")), "画像 (*.gif *.png);;すべて (*.*)");
}

TEST(SplashTest, ClosesOnAClickOrAfterTwoSecondsAndEnablesTheWindow) {
  QWidget main_window;
  auto* splash = new SplashWindow(&main_window);
  splash->show();
  EXPECT_EQ(FromQt(splash->findChild<QLabel*>(QStringLiteral("Label2"))->text()), "Ver" + std::string(kProgramVersion));
  EXPECT_FALSE(main_window.isEnabled());
  QTest::mouseClick(splash->findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
  EXPECT_TRUE(main_window.isEnabled());

  QPointer<SplashWindow> timed = new SplashWindow(&main_window);
  timed->show();
  EXPECT_FALSE(main_window.isEnabled());
  QTest::qWait(2300);
  EXPECT_TRUE(timed.isNull() || !timed->isVisible());
  EXPECT_TRUE(main_window.isEnabled());
}

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::UseFreshHome(platform, home, program);
    session.document.Clear(2011, 4);
  }
  testing::TempFolder home;
  testing::TempFolder program;
  testing::FakePlatform platform;
  Session session;
};

// The splash keeps the window disabled while it is shown; a message during
// the loading closes it, and the window must not stay disabled then.
TEST_F(SessionTest, TheWindowIsUsableOnceTheSplashHasGone) {
  for (const bool message : {false, true}) {
    if (message) program.Write("holiday.csv", "not a table\r\n");
    MainWindow window(session, platform);
    QPointer<SplashWindow> splash = new SplashWindow(&window);
    platform.close_splash = [splash] {
      if (splash) splash->close();
    };
    StartUnderSplash(window, *splash);
    EXPECT_EQ(platform.messages.size(), message ? 1u : 0u);
    if (!message) {
      EXPECT_FALSE(window.isEnabled());
      splash->close();
    }
    EXPECT_TRUE(window.isEnabled()) << message;
    platform.close_splash = nullptr;
    session.settings = AppSettings{};
    session.holidays.clear();
  }
}

TEST_F(SessionTest, HelpMenuMessagesWhenTheFilesAreMissing) {
  MainWindow window(session, platform);
  LoadAtStartUp(window);
  window.findChild<QAction*>(QStringLiteral("mnuReadme"))->trigger();
  window.findChild<QAction*>(QStringLiteral("mnuHelp"))->trigger();
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0].text, "readme.txt が見つかりません: " + program.Join("readme.txt"));
  EXPECT_EQ(platform.messages[0].title, "Readme.txtを開く");
  EXPECT_EQ(platform.messages[1].text, "ヘルプファイル(" + program.Join("help/index.html") +
                                           ")が存在しないか\r\nもしくはブラウザーを起動できませんでした");
  EXPECT_EQ(platform.messages[1].title, "ヘルプファイルエラー");
  EXPECT_EQ(platform.messages[1].icon, MessageIcon::Error);
  program.Write("readme.txt", "x");
  program.Write("help/index.html", "x");
  program.Write("help/frmMain.html", "x");
  window.findChild<QAction*>(QStringLiteral("mnuReadme"))->trigger();
  window.findChild<QAction*>(QStringLiteral("mnuWebsite"))->trigger();
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(window.findChild<QWidget*>(QStringLiteral("cmbカテゴリー(0)")), Qt::Key_F1);
  EXPECT_EQ(platform.opened, (std::vector<std::string>{program.Join("readme.txt"), program.Join("help/index.html"),
                                                       program.Join("help/frmMain.html")}));
  // An opener that fails afterwards says so too.
  platform.last_open_failure(Error::Of(kErrBadPathName));
  EXPECT_EQ(platform.messages.back().text, "ヘルプファイル(" + program.Join("help/frmMain.html") +
                                               ")が存在しないか\r\nもしくはブラウザーを起動できませんでした");
  EXPECT_EQ(platform.messages.back().title, "ヘルプファイルエラー");

  // With no program to show them, the readme and the web site say where
  // they are.
  platform.open_succeeds = false;
  window.findChild<QAction*>(QStringLiteral("mnuReadme"))->trigger();
  window.findChild<QAction*>(QStringLiteral("mnuWebsite"))->trigger();
  ASSERT_EQ(platform.messages.size(), 5u);
  EXPECT_EQ(platform.messages[3].text,
            "readme.txt を開くプログラムが見つかりませんでした.\r\nファイルは次の場所にあります:\r\n" +
                program.Join("readme.txt"));
  EXPECT_EQ(platform.messages[3].title, "Readme.txtを開く");
  EXPECT_EQ(platform.messages[4].text,
            "ブラウザーを起動できませんでした.(WebSite)\r\nページは次のファイルにあります:\r\n" +
                program.Join("help/index.html"));
}

TEST_F(SessionTest, VersionWindow) {
  MainWindow window(session, platform);
  std::string version;
  std::string revision;
  platform.dialog_scripts["dlgVersion"] = [&](ModalDialog& dialog) {
    QDialog& d = static_cast<QtDialog&>(dialog).dialog();
    EXPECT_EQ(FromQt(d.windowTitle()), "バージョン情報");
    version = FromQt(d.findChild<QLabel*>(QStringLiteral("lblVersion"))->text());
    revision = FromQt(d.findChild<QLabel*>(QStringLiteral("lblRevision"))->text());
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    return d.result();
  };
  window.findChild<QAction*>(QStringLiteral("mnuVersion"))->trigger();
  EXPECT_EQ(version, "Ver " + std::string(kProgramVersion));
  EXPECT_EQ(revision, "Build: 44");
}

TEST_F(SessionTest, CloseWritesSettingsThenHolidaysThenPeriods) {
  program.Write("holiday.csv", sjis::Encode("\"#2011/04/29#\",\"昭和の日\"\r\n").bytes);
  program.Write("noneterm.csv", sjis::Encode("\"#2011/12/29#\",\"#2012/01/03#\",\"[すべて]\"\r\n").bytes);
  auto window = std::make_unique<MainWindow>(session, platform);
  LoadAtStartUp(*window);
  const std::string data = home.Join("share/Tessaloom/Dustora");
  for (const char* name : {"dustora.ini", "holiday.csv", "noneterm.csv"}) {
    std::filesystem::last_write_time(JoinPath(data, name),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  }
  // Cancel keeps everything unwritten; then a normal close writes in order.
  session.MarkModified();
  platform.message_replies = {MessageButton::Cancel, MessageButton::No};
  EXPECT_FALSE(window->close());
  const auto before = std::filesystem::last_write_time(JoinPath(data, "dustora.ini"));
  EXPECT_LT(before, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(30));
  EXPECT_TRUE(window->close());
  const auto ini = std::filesystem::last_write_time(JoinPath(data, "dustora.ini"));
  const auto holidays = std::filesystem::last_write_time(JoinPath(data, "holiday.csv"));
  const auto periods = std::filesystem::last_write_time(JoinPath(data, "noneterm.csv"));
  EXPECT_GT(ini, before);
  EXPECT_LE(ini, holidays);
  EXPECT_LE(holidays, periods);
  EXPECT_EQ(sjis::Decode(home.Read("share/Tessaloom/Dustora/noneterm.csv")),
            "\"#2011/12/29#\",\"#2012/01/03#\",\"[すべて]\"\r\n");
}

TEST_F(SessionTest, AWholeSessionOnAFreshHome) {
  auto window = std::make_unique<MainWindow>(session, platform);
  LoadAtStartUp(*window);
  const std::string data = home.Join("share/Tessaloom/Dustora");
  EXPECT_TRUE(std::filesystem::is_directory(home.Join("Documents/Tessaloom/ダストーラ")));
  EXPECT_TRUE(std::filesystem::exists(JoinPath(data, "dustora.ini")));
  const auto choose = [&](const char* box, int row, const char* text) {
    auto* combo = window->findChild<ChoiceComboBox*>(ToQt(box) + QStringLiteral("(%1)").arg(row));
    const int index = combo->findText(ToQt(text));
    ASSERT_GE(index, 0) << text;
    combo->setCurrentIndex(index);
    emit combo->chosen(index);
  };
  auto* tabs = window->findChild<QTabBar*>(QStringLiteral("TabWeek"));
  choose("cmbWeekName", 0, "月");
  choose("cmbカテゴリー", 0, "燃やせるごみ");
  tabs->setCurrentIndex(3);  // 第２
  choose("cmbWeekName", 0, "水");
  choose("cmbカテゴリー", 0, "空きかん");
  tabs->setCurrentIndex(11);  // 特定日
  choose("cmbWeekName", 0, "15");
  choose("cmbカテゴリー", 0, "粗大ごみ");

  const std::string path = home.Join("Documents/Tessaloom/ダストーラ/町内.dsc");
  platform.file_replies.emplace_back(path);
  window->findChild<QAction*>(QStringLiteral("mnuSaveAs"))->trigger();
  window->findChild<QAction*>(QStringLiteral("mnuNew"))->trigger();
  EXPECT_TRUE(session.document.category[0].empty());
  platform.file_replies.emplace_back(path);
  window->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
  EXPECT_EQ(session.document.category[10], "空きかん");
  QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmd作成")), Qt::LeftButton);
  ASSERT_EQ(platform.browsed.size(), 1u);
  const std::string program_page = home.Read("share/Tessaloom/Dustora/temp.html");

  // dustora-cli, for the same state, writes the same bytes.
  std::ostringstream out, err;
  CliHost host;
  host.today = platform.today;
  host.environment = [](std::string_view) { return std::nullopt; };
  const int code = CliMain({"--data-folder", data, "--output", home.Join("cli.html"), path}, out, err, host);
  ASSERT_EQ(code, 0) << err.str();
  EXPECT_TRUE(home.Read("cli.html") == program_page);

  platform.file_replies.emplace_back(path);
  window->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace dustora
