#include "core/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "core/encoding.h"
#include "core/textfile.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

using testing::TempFolder;

std::string Sjis(std::string_view utf8) {
  return sjis::Encode(utf8).bytes;
}

TEST(ProfileReadTest, WindowsRules) {
  const ProfileFile file = ProfileFile::FromBytes(
      "x",
      "stray=before\r\n[Option]\r\n  SP = 1 \r\nsp=2\r\nHD=\r\nnot an entry\r\n[option]\r\nHD=9\r\nNEW=3\r\n"
      "[ Table ]\nWC=5\rHC=6");
  EXPECT_EQ(file.Read("option", "sp"), "1");  // case, blanks, first key wins
  EXPECT_EQ(file.Read(" OPTION ", " SP "), "1");
  EXPECT_EQ(file.Read("Option", "HD"), "");   // empty value
  EXPECT_EQ(file.Read("Option", "NEW"), "");  // a duplicated section reads from the first
  EXPECT_EQ(file.Read("Table", "WC"), "5");   // LF and lone CR line ends
  EXPECT_EQ(file.Read("Table", "HC"), "6");
  EXPECT_EQ(file.Read("Option", "stray"), "");
  EXPECT_EQ(file.Read("Missing", "SP"), "");
  EXPECT_EQ(file.Read("Option", "not an entry"), "");
}

TEST(ProfileReadTest, JapaneseTextAndLongValues) {
  const std::string line = Sjis("[Category]\r\n名前=燃やせるごみ\r\nア=1\r\n");
  const ProfileFile file = ProfileFile::FromBytes("x", line);
  EXPECT_EQ(file.Read("Category", "名前"), "燃やせるごみ");
  EXPECT_EQ(file.Read("Category", "ヂ"), "");  // trail bytes are not letters to fold
  std::string long_value(1022, 'a');
  long_value += Sjis("あ");  // would end at byte 1024
  const ProfileFile cut = ProfileFile::FromBytes("x", "[S]\r\nK=" + long_value + "\r\n");
  EXPECT_EQ(cut.Read("S", "K"), std::string(1022, 'a'));
  const ProfileFile exact = ProfileFile::FromBytes("x", "[S]\r\nK=" + std::string(2000, 'b') + "\r\n");
  EXPECT_EQ(exact.Read("S", "K"), std::string(1023, 'b'));
}

TEST(ProfileWriteTest, ReplaceInPlaceAppendKeyAndSection) {
  ProfileFile file = ProfileFile::FromBytes("x", "; comment\r\n[A]\r\nk1=1\r\nk2=2\r\n\r\n[B]\r\nz=0\r\n");
  ASSERT_FALSE(file.Write("a", "K1", "one"));
  ASSERT_FALSE(file.Write("A", "k3", "3"));
  ASSERT_FALSE(file.Write("C", "c", "値"));
  ASSERT_FALSE(file.Write("B", "z", ""));
  EXPECT_EQ(file.Bytes(),
            "; comment\r\n[A]\r\nK1=one\r\nk2=2\r\nk3=3\r\n\r\n[B]\r\nz=\r\n[C]\r\nc=" + Sjis("値") + "\r\n");
  EXPECT_TRUE(file.changed());
}

TEST(ProfileWriteTest, KeepsBytesOfLinesItDoesNotChange) {
  const std::string odd = "[A]\r\nbad=\x82\x20\xFF\r\n\x85\x40 junk\r\nk=1\r\n";
  ProfileFile file = ProfileFile::FromBytes("x", odd);
  ASSERT_FALSE(file.Write("A", "k", "2"));
  EXPECT_EQ(file.Bytes(), "[A]\r\nbad=\x82\x20\xFF\r\n\x85\x40 junk\r\nk=2\r\n");
}

TEST(ProfileWriteTest, RefusesTextShiftJisCannotHoldAndChangesNothing) {
  ProfileFile file = ProfileFile::FromBytes("x", "[A]\r\nk=1\r\n");
  const auto refused = file.Write("A", "k", "剝がす");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->Text(), "剝");
  EXPECT_EQ(file.Bytes(), "[A]\r\nk=1\r\n");
  EXPECT_FALSE(file.changed());
  ASSERT_FALSE(file.Write("A", "k", "a\r\nb\nc"));  // a value stays one line
  EXPECT_EQ(file.Read("A", "k"), "a b c");
}

TEST(ProfileFileTest, ARefusedWriteMakesTheSaveWriteNothing) {
  TempFolder dir;
  const std::string path = dir.Write("doc.dsc", "[Title]\r\nString=old\r\n");
  ProfileFile file = ProfileFile::Load(path);
  file.Write("Title", "String", "new");
  file.Write("Category", "0", "😀ごみ");
  file.Write("Category", "1", "剝");
  const FsStatus failed = file.Save();
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->number, 5);
  EXPECT_EQ(failed->description, "Shift_JISで保存できない文字が含まれています: 😀");
  EXPECT_EQ(dir.Read("doc.dsc"), "[Title]\r\nString=old\r\n");
}

TEST(TextFileTest, LinesAndStrictWrites) {
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  TempFolder dir;
  const std::string path = dir.Join("memo.mmo");
  EXPECT_FALSE(WriteTextFile(path, "メモ\r\n"));
  EXPECT_EQ(dir.Read("memo.mmo"), Sjis("メモ\r\n"));
  EXPECT_EQ(ReadTextFile(path).value, "メモ\r\n");
  const FsStatus refused = WriteTextFile(path, "\u200B");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->number, 5);
  EXPECT_EQ(dir.Read("memo.mmo"), Sjis("メモ\r\n"));
}

TEST(ProfileFileTest, MissingFileReadsEmptyAndWriteCreatesIt) {
  TempFolder dir;
  const std::string path = dir.Join("dustora.ini");
  EXPECT_EQ(ReadProfileValue(path, "Option", "SP"), "");
  EXPECT_TRUE(WriteProfileValue(path, "Option", "SP", "1"));
  EXPECT_TRUE(WriteProfileValue(path, "Option", "HD", "0"));
  EXPECT_EQ(dir.Read("dustora.ini"), "[Option]\r\nSP=1\r\nHD=0\r\n");
  EXPECT_EQ(ReadProfileValue(path, "option", "sp"), "1");
}

TEST(ProfileFileTest, FailuresReturnFailureAndKeepTheOldFile) {
  TempFolder dir;
  // A missing folder.
  EXPECT_FALSE(WriteProfileValue(dir.Join("none/a.ini"), "A", "k", "v"));
  ProfileFile missing_folder{dir.Join("none/a.ini")};
  missing_folder.Write("A", "k", "v");
  EXPECT_EQ(missing_folder.Save()->number, 76);
  // A file where a folder should be.
  dir.Write("file", "x");
  ProfileFile under_file{dir.Join("file/a.ini")};
  under_file.Write("A", "k", "v");
  EXPECT_EQ(under_file.Save()->number, 76);
  // A folder where the file should be.
  std::filesystem::create_directory(dir.Join("folder.ini"));
  EXPECT_EQ(ReadProfileValue(dir.Join("folder.ini"), "A", "k"), "");
  EXPECT_FALSE(WriteProfileValue(dir.Join("folder.ini"), "A", "k", "v"));
  // A read-only file, also for root.
  const std::string ro = dir.Write("ro.ini", "[A]\r\nk=old\r\n");
  ::chmod(ro.c_str(), 0444);
  ProfileFile file = ProfileFile::Load(ro);
  file.Write("A", "k", "new");
  const FsStatus failed = file.Save();
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->number, 70);
  EXPECT_EQ(dir.Read("ro.ini"), "[A]\r\nk=old\r\n");
}

TEST(ProfileFileTest, MalformedFilesNeverCrash) {
  std::string garbage;
  for (int i = 0; i < 200000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  const std::vector<std::string> inputs = {"",
                                           "\r\n\r\n",
                                           "=",
                                           "[",
                                           "]",
                                           "[]\r\n=\r\n",
                                           "k=v\r\n",
                                           "[A]\r\n[A]\r\nk=1",
                                           std::string(10 * 1024 * 1024, 'x'),
                                           "[A]\r\nk=" + std::string(10 * 1024 * 1024, '\x82'),
                                           garbage,
                                           std::string("[A]\0\r\nk\0=\0v", 11)};
  for (const std::string& input : inputs) {
    ProfileFile file = ProfileFile::FromBytes("x", input);
    (void)file.Read("A", "k");
    file.Write("A", "k", "v");
    EXPECT_EQ(file.Read("A", "k"), "v");
  }
}

}  // namespace
}  // namespace dustora
