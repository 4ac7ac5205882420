#include "core/filesystem.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <thread>

#include "core/profile.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

using testing::TempFolder;

TEST(FileNameOrderTest, CaseFoldedThenExact) {
  std::vector<std::string> names = {"b.gif", "A.gif", "a.gif", "_x.gif", "びん.gif", "Z.gif", "10.gif", "9.gif"};
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return FileNameLess(a, b); });
  EXPECT_EQ(names,
            (std::vector<std::string>{"10.gif", "9.gif", "_x.gif", "A.gif", "a.gif", "b.gif", "Z.gif", "びん.gif"}));
}

TEST(RealFileSystemTest, ListsOrdinaryVisibleFilesInOrder) {
  TempFolder dir;
  dir.Write("img/b.gif", "");
  dir.Write("img/A.gif", "");
  dir.Write("img/.hidden", "");
  dir.Write("img/sub/x.gif", "");
  RealFileSystem fs;
  EXPECT_EQ(fs.ListFiles(dir.Join("img")), (std::vector<std::string>{"A.gif", "b.gif"}));
  EXPECT_EQ(fs.ListFolders(dir.Join("img")), (std::vector<std::string>{"sub"}));
  EXPECT_TRUE(fs.ListFiles(dir.Join("missing")).empty());
  EXPECT_TRUE(fs.FileExists(dir.Join("img/b.gif")));
  EXPECT_FALSE(fs.FileExists(dir.Join("img/.hidden")));
  EXPECT_FALSE(fs.FileExists(dir.Join("img")));
  EXPECT_TRUE(fs.FolderExists(dir.Join("img")));
}

TEST(RealFileSystemTest, CopyRenameRemove) {
  TempFolder dir;
  RealFileSystem fs;
  dir.Write("src/a.txt", "new");
  dir.Write("dst/a.txt", "old");
  EXPECT_FALSE(fs.CopyFile(dir.Join("src/a.txt"), dir.Join("dst/a.txt")));
  EXPECT_EQ(dir.Read("dst/a.txt"), "new");
  EXPECT_EQ(fs.CopyFile(dir.Join("src/none"), dir.Join("dst/b"))->number, 53);
  EXPECT_EQ(fs.CopyFile(dir.Join("src/a.txt"), dir.Join("nowhere/b"))->number, 76);
  dir.Write("src/sub/deep.txt", "d");
  ASSERT_FALSE(fs.CreateFolder(dir.Join("copy")));
  EXPECT_FALSE(fs.CopyFolder(dir.Join("src"), dir.Join("copy")));
  EXPECT_EQ(dir.Read("copy/sub/deep.txt"), "d");
  EXPECT_EQ(fs.CreateFolder(dir.Join("x/y"))->number, 76);
  EXPECT_FALSE(fs.Rename(dir.Join("copy/a.txt"), dir.Join("copy/c.txt")));
  EXPECT_TRUE(fs.FileExists(dir.Join("copy/c.txt")));
  EXPECT_TRUE(fs.Rename(dir.Join("copy/c.txt"), dir.Join("copy/sub/deep.txt")).has_value());  // never overwrites
  EXPECT_FALSE(fs.Remove(dir.Join("copy/c.txt")));
  EXPECT_EQ(fs.Remove(dir.Join("copy/c.txt"))->number, 53);
}

// Each failure says what happened to which file.
TEST(RealFileSystemTest, FailuresNameTheFileAndTheRealReason) {
  TempFolder dir;
  RealFileSystem fs;
  const std::string big = dir.Write("big.dsc", "");
  std::filesystem::resize_file(big, kReadLimit + 1);
  const std::string locked = dir.Write("locked.dsc", "x");
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
  const struct {
    Error error;
    int number;
    std::string description;
  } cases[] = {
      {fs.ReadFile(dir.Join("none.ini")).error, 53, "ファイルが見つかりません: " + dir.Join("none.ini")},
      {fs.ReadFile(dir.Join("none/a.ini")).error, 76, "ファイルが見つかりません: " + dir.Join("none/a.ini")},
      {fs.ReadFile(dir.path()).error, 53, "フォルダーは開けません: " + dir.path()},
      {fs.ReadFile(big).error, 7, "ファイルが大きすぎます(16MBまで): " + big},
      {*fs.ReplaceFile(locked, "y"), 70, "書き込みの許可がありません: " + locked},
      {FileErrorOfErrno(EACCES, locked, false), 70, "読み取りの許可がありません: " + locked},
      {FileErrorOfErrno(EROFS, locked, true), 70, "書き込みの許可がありません: " + locked},
      {FileErrorOfErrno(EIO, locked, false), 57, "デバイス I/O エラーです。"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.error.number, c.number) << c.description;
    EXPECT_EQ(c.error.description, c.description);
  }
}

// Modes: the temporary file is the user's alone while it is written, and
// gets the target's mode (a new file's from the umask) before the rename.
// Links: the file a link names is replaced, even one not made yet.
TEST(RealFileSystemTest, ReplaceKeepsModeAndLinksAndLeavesNoTemporaryFile) {
  TempFolder dir;
  std::vector<mode_t> while_written;
  WriteSteps steps = StandardWriteSteps();
  steps.write = [&while_written, write = steps.write](std::FILE* file, std::string_view bytes) {
    struct stat st {};
    ::fstat(fileno(file), &st);
    while_written.push_back(st.st_mode & 0777);
    return write(file, bytes);
  };
  RealFileSystem fs(steps);
  const auto mode = [](const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 0777;
  };
  const std::string path = dir.Write("a.ini", "old");
  ::chmod(path.c_str(), 0640);
  ASSERT_FALSE(fs.ReplaceFile(path, "new"));
  EXPECT_EQ(dir.Read("a.ini"), "new");
  EXPECT_EQ(mode(path), 0640u);
  const mode_t mask = ::umask(027);
  ASSERT_FALSE(fs.ReplaceFile(dir.Join("new.ini"), "x"));
  ::umask(mask);
  EXPECT_EQ(mode(dir.Join("new.ini")), 0640u);
  EXPECT_EQ(while_written, (std::vector<mode_t>{0600, 0600}));

  std::filesystem::create_symlink("a.ini", dir.Join("link.ini"));
  std::filesystem::create_symlink(dir.Join("made.ini"), dir.Join("ahead.ini"));
  ASSERT_FALSE(fs.ReplaceFile(dir.Join("link.ini"), "through"));
  ASSERT_FALSE(fs.ReplaceFile(dir.Join("ahead.ini"), "made"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Join("link.ini")));
  EXPECT_EQ(dir.Read("a.ini"), "through");
  EXPECT_EQ(dir.Read("made.ini"), "made");
  EXPECT_TRUE(fs.SameFile(dir.Join("link.ini"), path));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 5);
}

// The names in a folder, hidden ones included.
std::vector<std::string> Everything(const TempFolder& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Saves killed between the temporary file and the rename leave their files;
// the next save that succeeds removes them, but never one a live writer
// holds nor a file of another name.
TEST(RealFileSystemTest, LeftoversOfKilledSavesNeverBlockASaveAndGoWithTheNextOne) {
  TempFolder dir;
  const std::string path = dir.Write("noneterm.csv", "old");
  // Leftovers of older versions, whose names counted from 0 in every run.
  for (int i = 0; i < 100; ++i) dir.Write(".noneterm.csv.tmp" + std::to_string(i), "partial");
  for (int kill = 0; kill < 100; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      WriteSteps steps = StandardWriteSteps();
      steps.write = [](std::FILE* file, std::string_view bytes) {
        std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
        std::fflush(file);
        ::kill(::getpid(), SIGKILL);  // killed before the rename
        return 0;
      };
      RealFileSystem dying(steps);
      (void)dying.ReplaceFile(path, "new content");
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
  }
  EXPECT_EQ(Everything(dir).size(), 201u);
  EXPECT_EQ(dir.Read("noneterm.csv"), "old");

  // A writer that is still at work, and files of other names.
  const std::string busy = dir.Write(".noneterm.csv.tmp0123456789abcdef", "being written");
  const int held = ::open(busy.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  dir.Write(".noneterm.csv.tmp-notes", "mine");
  dir.Write(".holiday.csv.tmp5", "another file's");

  RealFileSystem fs;
  ASSERT_FALSE(fs.ReplaceFile(path, "new"));
  EXPECT_EQ(dir.Read("noneterm.csv"), "new");
  EXPECT_EQ(Everything(dir), (std::vector<std::string>{".holiday.csv.tmp5", ".noneterm.csv.tmp-notes",
                                                       ".noneterm.csv.tmp0123456789abcdef", "noneterm.csv"}));
  ::close(held);
}

// Two writers at once: every save succeeds and the file is always one of
// them, whole.
TEST(RealFileSystemTest, TwoWritersAtOnceLeaveOneCompleteFile) {
  TempFolder dir;
  const std::string path = dir.Write("dustora.ini", "");
  const std::string first(200000, 'a');
  const std::string second(150000, 'b');
  std::atomic<int> failures{0};
  const auto writer = [&](const std::string& bytes) {
    RealFileSystem fs;
    for (int i = 0; i < 40; ++i) {
      if (fs.ReplaceFile(path, bytes)) ++failures;
      const std::string now = dir.Read("dustora.ini");
      if (now != first && now != second) ++failures;
    }
  };
  std::thread one(writer, first);
  std::thread two(writer, second);
  one.join();
  two.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(Everything(dir), std::vector<std::string>{"dustora.ini"});
}

class FailingWriteTest : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(FailingWriteTest, KeepsTheCompletePreviousFile) {
  const auto [error, number] = GetParam();
  for (const bool fail_sync : {false, true}) {
    TempFolder dir;
    const std::string path = dir.Write("dustora.ini", "[A]\r\nk=old\r\n");
    WriteSteps steps = StandardWriteSteps();
    if (fail_sync) {
      steps.sync = [error = error](std::FILE*) { return error; };
    } else {
      steps.write = [error = error](std::FILE* file, std::string_view bytes) {
        std::fwrite(bytes.data(), 1, bytes.size() / 2, file);  // half of it reached the disk
        return error;
      };
    }
    RealFileSystem failing(steps);
    SetFileSystem(&failing);
    ProfileFile file = ProfileFile::Load(path);
    file.Write("A", "k", "new");
    file.Write("B", "x", "1");
    const FileError failed = file.Save();
    SetFileSystem(nullptr);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->number, number);
    EXPECT_EQ(dir.Read("dustora.ini"), "[A]\r\nk=old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(DiskErrors, FailingWriteTest,
                         ::testing::Values(std::make_pair(ENOSPC, 61), std::make_pair(EIO, 57)));

// Counts the replaces a routine makes, on top of the real file system.
class CountingFileSystem : public RealFileSystem {
 public:
  int replaces = 0;
  int reads = 0;
  FileError ReplaceFile(std::string_view path, std::string_view bytes) override {
    ++replaces;
    return RealFileSystem::ReplaceFile(path, bytes);
  }
  FsResult<std::string> ReadFile(std::string_view path) override {
    ++reads;
    return RealFileSystem::ReadFile(path);
  }
};

TEST(ProfileSaveTest, TwoHundredFiftyChangedEntriesAreOneReplace) {
  TempFolder dir;
  const std::string path = dir.Write("doc.dsc", "[Category]\r\n0=old\r\n");
  CountingFileSystem counting;
  SetFileSystem(&counting);
  ProfileFile file = ProfileFile::Load(path);
  for (int i = 0; i < 250; ++i) file.Write(i < 60 ? "Category" : "Image", std::to_string(i), "値" + std::to_string(i));
  const FileError failed = file.Save();
  SetFileSystem(nullptr);
  ASSERT_FALSE(failed);
  EXPECT_EQ(counting.reads, 1);
  EXPECT_EQ(counting.replaces, 1);
  const ProfileFile back = ProfileFile::Load(path);
  EXPECT_EQ(back.Read("category", "0"), "値0");
  EXPECT_EQ(back.Read("Image", "249"), "値249");
}

}  // namespace
}  // namespace dustora
