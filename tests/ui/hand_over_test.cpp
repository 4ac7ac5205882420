// Files named on the command line and handed over by a second start: they
// open through the Open command once the window is idle.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTest>
#include <atomic>
#include <cstring>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "core/encoding.h"
#include "support/fake_platform.h"
#include "support/fresh_home.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/qt_text.h"
#include "ui/startup.h"

namespace dustora {
namespace {

TEST(FirstFileArgumentTest, TheFirstNonOptionFromTheCurrentFolder) {
  const QString here = QStringLiteral("/home/user/書類");
  const auto first = [&here](std::initializer_list<const char*> args) {
    QStringList list = {QStringLiteral("dustora")};
    for (const char* arg : args) list << QString::fromUtf8(arg);
    return FirstFileArgument(list, here);
  };
  EXPECT_EQ(first({}), "");
  EXPECT_EQ(first({"町内.dsc"}), "/home/user/書類/町内.dsc");
  EXPECT_EQ(first({"../a.dsc", "b.dsc"}), "/home/user/a.dsc");  // only the first counts
  EXPECT_EQ(first({"/tmp/x.dsc"}), "/tmp/x.dsc");
  EXPECT_EQ(first({"-style", "--reverse", "sub/c.dsc"}), "/home/user/書類/sub/c.dsc");
  EXPECT_EQ(first({"--", "-odd.dsc"}), "/home/user/書類/-odd.dsc");
}

class HandOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::UseFreshHome(platform, home, program);
    session.document.Clear("2011", "4");
    sample = home.Write("町内.dsc", sjis::Encode("[WeekName]\r\n0=月\r\n[Category]\r\n0=燃やせるごみ\r\n").bytes);
    other = home.Write("other.dsc", sjis::Encode("[WeekName]\r\n0=木\r\n[Category]\r\n0=ペットボトル\r\n").bytes);
  }
  std::string Title() const { return FromQt(window.windowTitle()); }
  // Lets the window's idle checks run.
  static void Settle(int ms = 50) { QTest::qWait(ms); }

  testing::TempFolder home;
  testing::TempFolder program;
  testing::FakePlatform platform;
  Session session;
  MainWindow window{session};
  std::string sample;
  std::string other;
};

TEST_F(HandOverTest, TheCommandLineFileOpensOnceLoadingIsOver) {
  window.setEnabled(false);  // loading, or the splash still shows
  AcceptFiles(window, sample);
  ASSERT_TRUE(platform.hand_over_listener);
  Settle(300);
  EXPECT_EQ(Title(), "ダストーラ作成 [新規]");
  window.setEnabled(true);
  Settle(300);
  EXPECT_EQ(Title(), "ダストーラ作成 [町内.dsc]");
  EXPECT_EQ(session.document.category[0], "燃やせるごみ");
  EXPECT_TRUE(platform.file_dialogs.empty());  // no file dialog
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(HandOverTest, AMissingFileIsErrorFiftyThreeAndTheDocumentStaysEmpty) {
  AcceptFiles(window, home.Join("gone.dsc"));
  Settle();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
  EXPECT_NE(platform.messages[0].text.find("ReadDscFile"), std::string::npos);
  EXPECT_NE(platform.messages[0].text.find("53"), std::string::npos);
  EXPECT_EQ(Title(), "ダストーラ作成 [新規]");
  EXPECT_TRUE(session.document.document_path.empty());
}

TEST_F(HandOverTest, AHandedOverFileWaitsForAModalDialogAndAsksAboutChangesFirst) {
  AcceptFiles(window, "");
  Settle();
  EXPECT_TRUE(platform.messages.empty());  // no file, nothing opened

  QDialog modal(&window);
  modal.setModal(true);
  modal.show();
  platform.hand_over_listener(sample);
  Settle(300);
  EXPECT_EQ(Title(), "ダストーラ作成 [新規]");
  modal.hide();
  Settle(300);
  EXPECT_EQ(Title(), "ダストーラ作成 [町内.dsc]");

  // Of the files that wait, the last counts; changes are asked about, and
  // cancelling keeps the open document.
  session.document.modified = true;
  window.setEnabled(false);
  platform.hand_over_listener(sample);
  platform.hand_over_listener(other);
  platform.message_replies.push_back(MessageButton::Cancel);
  window.setEnabled(true);
  Settle(300);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(Title(), "ダストーラ作成 [町内.dsc]");
  platform.hand_over_listener(other);
  platform.message_replies.push_back(MessageButton::No);
  Settle(300);
  EXPECT_EQ(Title(), "ダストーラ作成 [other.dsc]");
  EXPECT_EQ(session.document.category[0], "ペットボトル");
}

TEST_F(HandOverTest, ASecondStartThatCannotReachTheFirstSaysItRunsAlready) {
  SecondStart("/home/user/a.dsc");
  EXPECT_EQ(platform.handed_over, std::vector<std::string>{"/home/user/a.dsc"});
  EXPECT_TRUE(platform.messages.empty());
  platform.running_copy_reachable = false;
  SecondStart("");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "すでに起動しています.");
  EXPECT_EQ(platform.messages[0].title, "ダストーラ作成");
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
}

// The socket itself: a stale one is not reached; a path too long for a
// socket moves to the temporary folder.
TEST(HandOverSocketTest, AStaleSocketIsNotReachedAndLongPathsMove) {
  testing::TempFolder run;
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(run.path()));
  EXPECT_TRUE(HandOverSocketPath().startsWith(ToQt(run.path())));
  // The socket of a copy that ended without removing it.
  const QByteArray path = QFile::encodeName(HandOverSocketPath());
  const int left_behind = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  ASSERT_EQ(::bind(left_behind, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(left_behind);
  ASSERT_TRUE(QFile::exists(QFile::decodeName(path)));
  QtPlatform second;
  EXPECT_FALSE(second.HandOverToRunningCopy("/home/user/a.dsc"));

  // The copy that runs takes the path over and hears each second start,
  // whatever bytes its file's name holds.
  QtPlatform first;
  std::vector<std::string> arrived;
  first.ListenForHandOvers([&arrived](const std::string& file) { arrived.push_back(file); });
  const std::string odd = "/home/user/町内 %41\nline\n.dsc";
  for (const std::string& file : {odd, std::string()}) {
    std::atomic<int> reached = -1;
    std::thread start([&reached, &file] {
      QtPlatform another;
      reached = another.HandOverToRunningCopy(file) ? 1 : 0;
    });
    while (reached < 0) QTest::qWait(10);
    start.join();
    EXPECT_EQ(reached, 1);
  }
  EXPECT_EQ(arrived, (std::vector<std::string>{odd, ""}));

  const std::string deep = run.Join(std::string(120, 'd'));
  ASSERT_TRUE(QDir().mkpath(ToQt(deep)));
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(deep));
  EXPECT_TRUE(InstanceLockPath().startsWith(ToQt(deep)));
  EXPECT_FALSE(HandOverSocketPath().startsWith(ToQt(deep)));
  EXPECT_LE(QFile::encodeName(HandOverSocketPath()).size(), 100);
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(run.path()));
}

}  // namespace
}  // namespace dustora
