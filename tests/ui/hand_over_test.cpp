// Files named on the command line and handed over by a second start: they
// open through the Open command once the window is idle. The hand-over's
// socket is the real one, attacked as a careless or hostile program would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLockFile>
#include <QTest>
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/encoding.h"
#include "support/fake_platform.h"
#include "support/fresh_home.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/qt_text.h"
#include "ui/single_instance.h"
#include "ui/startup.h"

namespace dustora {
namespace {

// "町内.dsc" as an old disk names it: Shift_JIS bytes, not UTF-8.
const std::string kShiftJisName = "\x92\xac\x93\xe0.dsc";

TEST(FirstFileArgumentTest, TheFirstNonOptionFromTheCurrentFolder) {
  const std::string here = "/home/user/書類";
  const auto first = [&here](std::vector<std::string> args) {
    args.insert(args.begin(), "dustora");
    return FirstFileArgument(args, here);
  };
  EXPECT_EQ(first({}), "");
  EXPECT_EQ(first({"町内.dsc"}), "/home/user/書類/町内.dsc");
  EXPECT_EQ(first({"../a.dsc", "b.dsc"}), "/home/user/a.dsc");  // only the first counts
  EXPECT_EQ(first({"/tmp/./x.dsc"}), "/tmp/x.dsc");
  EXPECT_EQ(first({"-style", "--reverse", "sub/c.dsc"}), "/home/user/書類/sub/c.dsc");
  EXPECT_EQ(first({"--", "-odd.dsc"}), "/home/user/書類/-odd.dsc");
  EXPECT_EQ(first({kShiftJisName}), "/home/user/書類/" + kShiftJisName);  // bytes stay bytes
}

// Short times, so that the limits show within a test.
const SingleInstance::Limits kQuick{.line_wait_ms = 300, .relisten_ms = 50, .reach_ms = 600, .answer_wait_ms = 1000};

// A second start in a thread of its own while this one runs the event loop
// and, first, `meanwhile`.
bool HandOverFromAnotherStart(const std::string& file, const std::function<void()>& meanwhile = {}) {
  std::atomic<int> reached = -1;
  std::thread start([&reached, &file] {
    const SingleInstance second(kQuick, nullptr);
    reached = second.HandOver(file) ? 1 : 0;
  });
  if (meanwhile) meanwhile();
  while (reached < 0) QTest::qWait(10);
  start.join();
  return reached == 1;
}

// A bare socket at `path`, bound (a listener's) or connected (a client's),
// as a careless or hostile program makes one.
int BareSocket(const QString& path, bool bind = false) {
  const QByteArray name = QFile::encodeName(path);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const auto* at = reinterpret_cast<sockaddr*>(&address);
  EXPECT_EQ(bind ? ::bind(fd, at, sizeof address) : ::connect(fd, at, sizeof address), 0);
  return fd;
}

// Runs the event loop up to `ms`: true once the other end closed `fd`.
bool ClosedWithin(int fd, int ms) {
  for (int waited = 0; waited <= ms; waited += 10) {
    char byte = 0;
    const auto got = ::recv(fd, &byte, 1, MSG_DONTWAIT);
    if (got == 0 || (got < 0 && errno != EAGAIN)) return true;
    QTest::qWait(10);
  }
  return false;
}

// A runtime folder as the session gives it: the user's, closed to others.
void UseRuntimeFolder(const testing::TempFolder& run) {
  ::chmod(run.path().c_str(), 0700);
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(run.path()));
}

class HandOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::UseFreshHome(platform, home, program);
    UseRuntimeFolder(run);
    session.document.Clear(2011, 4);
    sample = home.Write("町内.dsc", sjis::Encode("[WeekName]\r\n0=月\r\n[Category]\r\n0=燃やせるごみ\r\n").bytes);
    other = home.Write(kShiftJisName, sjis::Encode("[WeekName]\r\n0=木\r\n[Category]\r\n0=ペットボトル\r\n").bytes);
  }
  std::string Title() const { return FromQt(window.windowTitle()); }
  void Arrive(const std::string& file) { emit instance.fileArrived(QByteArray::fromStdString(file)); }
  // Lets the window's idle checks run.
  static void Settle(int ms = 50) { QTest::qWait(ms); }

  testing::TempFolder home;
  testing::TempFolder program;
  testing::TempFolder run;
  testing::FakePlatform platform;
  Session session;
  MainWindow window{session, platform};
  SingleInstance instance{kQuick, nullptr};
  std::string sample;
  std::string other;
};

TEST_F(HandOverTest, TheCommandLineFileOpensOnceLoadingIsOver) {
  window.setEnabled(false);  // loading, or the splash still shows
  AcceptFiles(window, instance, sample);
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
  AcceptFiles(window, instance, home.Join("gone.dsc"));
  Settle();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(platform.messages[0].text,
            "エラーが発生しました(ReadDscFile)\r\nエラー番号: 53\r\n内容: ファイルが見つかりません: " +
                home.Join("gone.dsc"));
  EXPECT_EQ(Title(), "ダストーラ作成 [新規]");
  EXPECT_TRUE(session.document.document_path.empty());
}

TEST_F(HandOverTest, AHandedOverFileWaitsForAModalDialogAndAsksAboutChangesFirst) {
  AcceptFiles(window, instance, "");
  QDialog modal(&window);
  modal.setModal(true);
  modal.show();
  Arrive(sample);
  Settle(300);
  EXPECT_EQ(Title(), "ダストーラ作成 [新規]");
  modal.hide();
  Settle(300);
  EXPECT_EQ(Title(), "ダストーラ作成 [町内.dsc]");

  // Of the files that wait, the last counts; changes are asked about, and
  // cancelling keeps the open document.
  session.document.modified = true;
  window.setEnabled(false);
  Arrive(sample);
  Arrive(other);
  platform.message_replies.push_back(MessageButton::Cancel);
  window.setEnabled(true);
  Settle(300);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(Title(), "ダストーラ作成 [町内.dsc]");
  Arrive(other);
  platform.message_replies.push_back(MessageButton::No);
  Settle(300);
  EXPECT_EQ(session.document.category[0], "ペットボトル");
}

// The first copy listens as soon as it has the lock, before its loading; a
// second start that comes before even that tries again. Its Shift_JIS-named
// file arrives as the same bytes and opens once the loading is over.
TEST_F(HandOverTest, ASecondStartDuringTheLoadingIsNeverLost) {
  window.setEnabled(false);
  AcceptFiles(window, instance, "");
  const bool handed = HandOverFromAnotherStart(other, [this] {
    QTest::qWait(200);
    ASSERT_TRUE(instance.TakeLock());
  });
  EXPECT_TRUE(handed);
  Settle(300);
  EXPECT_EQ(Title(), "ダストーラ作成 [新規]");
  window.setEnabled(true);
  Settle(300);
  EXPECT_EQ(session.document.document_path, other);
  EXPECT_EQ(session.document.category[0], "ペットボトル");
}

TEST_F(HandOverTest, ASecondStartThatCannotReachTheFirstNamesTheFileItCouldNotPass) {
  EXPECT_EQ(SecondStart(platform, instance, ""), 0);
  EXPECT_EQ(SecondStart(platform, instance, "/home/user/a.dsc"), 1);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0].text, "すでに起動しています.");
  EXPECT_EQ(platform.messages[1].text, "すでに起動しています. 次のファイルは開かれていません: /home/user/a.dsc");
  EXPECT_EQ(platform.messages[1].title, "ダストーラ作成");
  EXPECT_EQ(platform.messages[1].icon, MessageIcon::Information);
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override { UseRuntimeFolder(run); }
  testing::TempFolder run;
};

// A stale socket is not reached; the copy that runs takes its path over and
// hears each second start, whatever bytes its file's name holds; a path too
// long for a socket moves lock and socket to a folder of our own.
TEST_F(SingleInstanceTest, AStaleSocketIsTakenOverAndLongPathsMove) {
  EXPECT_TRUE(SingleInstance::SocketPath().startsWith(ToQt(run.path())));
  ::close(BareSocket(SingleInstance::SocketPath(), true));
  EXPECT_FALSE(HandOverFromAnotherStart("/home/user/a.dsc"));

  SingleInstance first(kQuick, nullptr);
  ASSERT_TRUE(first.TakeLock());
  EXPECT_FALSE(SingleInstance(kQuick, nullptr).TakeLock());  // the lock is held
  std::vector<QByteArray> arrived;
  QObject::connect(&first, &SingleInstance::fileArrived,
                   [&arrived](const QByteArray& file) { arrived.push_back(file); });
  const std::string odd = "/home/user/町内 %41\nline\n" + kShiftJisName;
  EXPECT_TRUE(HandOverFromAnotherStart(odd));
  EXPECT_TRUE(HandOverFromAnotherStart(""));
  EXPECT_EQ(arrived, (std::vector<QByteArray>{QByteArray::fromStdString(odd), QByteArray()}));

  const std::string deep = run.Join(std::string(120, 'd'));
  ASSERT_EQ(::mkdir(deep.c_str(), 0700), 0);
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(deep));
  const testing::TempFolder temp;
  qputenv("TMPDIR", QByteArray::fromStdString(temp.path()));
  const QString own = ToQt(temp.Join("dustora-" + std::to_string(::getuid())));
  EXPECT_EQ(QFileInfo(SingleInstance::LockPath()).path(), own);
  EXPECT_EQ(QFileInfo(SingleInstance::SocketPath()).path(), own);
  EXPECT_EQ(QFileInfo(own).permissions() & 0x0077, 0);  // nobody else may enter
  qunsetenv("TMPDIR");
}

// Whatever a client sends after its line is never read; a client that sends
// nothing is closed after the wait; of five at once, four are held.
TEST_F(SingleInstanceTest, ConnectionsAreBoundedInSizeTimeAndNumber) {
  SingleInstance first(kQuick, nullptr);
  ASSERT_TRUE(first.TakeLock());
  const QString path = SingleInstance::SocketPath();
  std::atomic<std::int64_t> sent = -1;
  std::string answer(3, '\0');
  std::thread flood([&sent, &answer, path] {
    const int fd = BareSocket(path);
    const timeval patience{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
    ::send(fd, "/a.dsc\n", 7, MSG_NOSIGNAL);
    ::recv(fd, answer.data(), answer.size(), MSG_WAITALL);
    const std::string chunk(1 << 20, 'x');
    std::int64_t total = 0;
    while (total < (std::int64_t{256} << 20) && ::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL) > 0) {
      total += static_cast<std::int64_t>(chunk.size());
    }
    ::close(fd);
    sent = total;
  });
  while (sent < 0) QTest::qWait(10);
  flood.join();
  EXPECT_EQ(answer, "ok\n");
  EXPECT_LT(sent, std::int64_t{4} << 20);

  std::vector<int> silent;
  for (int i = 0; i < 5; ++i) silent.push_back(BareSocket(path));
  EXPECT_TRUE(ClosedWithin(silent[4], 100));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(ClosedWithin(silent[i], 0));
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(ClosedWithin(silent[i], 600));
  for (const int fd : silent) ::close(fd);
  EXPECT_TRUE(HandOverFromAnotherStart("/b.dsc"));
}

// An accept without a descriptor left closes Qt's server and removes its
// socket: it is made again, and the next second start gets through.
TEST_F(SingleInstanceTest, AfterTheDescriptorsRanOutItListensAgain) {
  SingleInstance first(kQuick, nullptr);
  ASSERT_TRUE(first.TakeLock());
  const int waiting = BareSocket(SingleInstance::SocketPath());
  rlimit limits{};
  ::getrlimit(RLIMIT_NOFILE, &limits);
  const rlimit none{static_cast<rlim_t>(::dup(0)), limits.rlim_max};  // no descriptor beyond the lowest free one
  ::close(static_cast<int>(none.rlim_cur));
  ::setrlimit(RLIMIT_NOFILE, &none);
  QTest::qWait(200);
  ::setrlimit(RLIMIT_NOFILE, &limits);
  ::close(waiting);
  EXPECT_TRUE(HandOverFromAnotherStart("/c.dsc"));
}

// Only root can make another user's files: uid 65534 plays the neighbour.
TEST_F(SingleInstanceTest, ANeighboursFolderLockSocketAndListenerAreRefused) {
  if (::getuid() != 0) GTEST_SKIP() << "needs root to play another user (uid 65534)";
  constexpr uid_t kNeighbour = 65534;
  // The neighbour made our folder in the temporary folder first.
  testing::TempFolder temp;
  testing::TempFolder cache;
  qunsetenv("XDG_RUNTIME_DIR");
  qputenv("TMPDIR", QByteArray::fromStdString(temp.path()));
  qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache.path()));
  const std::string taken = temp.Join("dustora-0");
  ASSERT_EQ(::mkdir(taken.c_str(), 0777), 0);
  ASSERT_EQ(::chown(taken.c_str(), kNeighbour, kNeighbour), 0);
  EXPECT_EQ(SingleInstance::Folder(), ToQt(cache.Join("dustora")));
  qunsetenv("TMPDIR");
  qunsetenv("XDG_CACHE_HOME");

  // A lock that looks alive and a socket, both the neighbour's.
  UseRuntimeFolder(run);
  QLockFile alive(SingleInstance::LockPath());
  ASSERT_TRUE(alive.tryLock(0));
  const QByteArray lock = QFile::encodeName(SingleInstance::LockPath());
  ASSERT_EQ(::chown(lock.constData(), kNeighbour, kNeighbour), 0);
  SingleInstance first(kQuick, nullptr);
  EXPECT_TRUE(first.TakeLock());
  EXPECT_TRUE(first.IsListening());

  // A listener of the neighbour's behind a socket file of ours: bound by us,
  // it listens as the neighbour and answers like a copy.
  testing::TempFolder other_run;
  UseRuntimeFolder(other_run);
  const int bound = BareSocket(SingleInstance::SocketPath(), true);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setresgid(kNeighbour, kNeighbour, kNeighbour) != 0 || ::setresuid(kNeighbour, kNeighbour, kNeighbour) != 0 ||
        ::listen(bound, 4) != 0) {
      ::_exit(1);
    }
    for (;;) {
      const int connection = ::accept(bound, nullptr, nullptr);
      [[maybe_unused]] const auto answered = ::write(connection, "ok\n", 3);
      ::close(connection);
    }
  }
  ::close(bound);
  EXPECT_FALSE(HandOverFromAnotherStart("/home/user/secret.dsc"));
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
}

}  // namespace
}  // namespace dustora
