#include "core/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <tuple>

#include "core/encoding.h"
#include "core/text.h"
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
  const FileError failed = file.Save();
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
  const FileError refused = WriteTextFile(path, "\u200B");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->number, 5);
  EXPECT_EQ(dir.Read("memo.mmo"), Sjis("メモ\r\n"));
}

TEST(ProfileFileTest, MissingFileReadsEmptyAndWriteCreatesIt) {
  TempFolder dir;
  const std::string path = dir.Join("dustora.ini");
  ProfileFile file = ProfileFile::Load(path);
  EXPECT_EQ(file.Read("Option", "SP"), "");
  EXPECT_FALSE(file.Write("Option", "SP", "1"));
  EXPECT_FALSE(file.Write("Option", "HD", "0"));
  EXPECT_FALSE(file.Save());
  EXPECT_EQ(dir.Read("dustora.ini"), "[Option]\r\nSP=1\r\nHD=0\r\n");
  EXPECT_EQ(ProfileFile::Load(path).Read("option", "sp"), "1");
}

TEST(ProfileFileTest, FailuresReturnFailureAndKeepTheOldFile) {
  TempFolder dir;
  // A missing folder.
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
  ProfileFile folder = ProfileFile::Load(dir.Join("folder.ini"));
  EXPECT_EQ(folder.Read("A", "k"), "");
  std::ignore = folder.Write("A", "k", "v");
  EXPECT_TRUE(folder.Save());
  // A read-only file, also for root.
  const std::string ro = dir.Write("ro.ini", "[A]\r\nk=old\r\n");
  ::chmod(ro.c_str(), 0444);
  ProfileFile file = ProfileFile::Load(ro);
  file.Write("A", "k", "new");
  const FileError failed = file.Save();
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->number, 70);
  EXPECT_EQ(dir.Read("ro.ini"), "[A]\r\nk=old\r\n");
}

// The profile as a plain list of lines, as simple as it can be written: the
// indexed ProfileFile must read and write exactly as this does.
class LineListProfile {
 public:
  explicit LineListProfile(std::string_view bytes) {
    for (std::string& line : SplitLines(bytes)) lines_.push_back(std::move(line));
  }
  std::string Read(std::string_view section, std::string_view key) const {
    const auto [begin, end] = Block(section);
    for (std::size_t i = begin; i < end; ++i) {
      if (IsEntry(lines_[i], key)) {
        std::string value(TrimBlanks(std::string_view(lines_[i]).substr(lines_[i].find('=') + 1)));
        value = value.substr(0, value.find('\0'));
        return sjis::Decode(std::string_view(value).substr(0, sjis::CutAtCharacter(value, kProfileValueLimit)));
      }
    }
    return {};
  }
  void Write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string entry = Sjis(TrimBlanks(key)) + "=" + Sjis(value);
    const auto [begin, end] = Block(section);
    if (begin == npos) {
      lines_.push_back("[" + Sjis(TrimBlanks(section)) + "]");
      lines_.push_back(entry);
      return;
    }
    std::size_t insert_at = begin;
    for (std::size_t i = begin; i < end; ++i) {
      if (IsEntry(lines_[i], key)) {
        lines_[i] = entry;
        return;
      }
      if (IsEntry(lines_[i], {})) insert_at = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), entry);
  }
  std::string Bytes() const {
    std::string bytes;
    for (const std::string& line : lines_) bytes += line + "\r\n";
    return bytes;
  }

 private:
  static constexpr std::size_t npos = std::string::npos;
  static std::optional<std::string> SectionName(const std::string& line) {
    const std::string_view text = TrimBlanks(line);
    if (text.empty() || text.front() != '[') return std::nullopt;
    const std::string_view inside = text.substr(1);
    return sjis::Decode(TrimBlanks(inside.substr(0, inside.find(']'))));
  }
  // An entry line; with a key, one with that key.
  static bool IsEntry(const std::string& line, std::optional<std::string_view> key) {
    if (SectionName(line) || line.find('=') == npos) return false;
    return !key || EqualsIgnoringAsciiCase(sjis::Decode(TrimBlanks(line.substr(0, line.find('=')))), TrimBlanks(*key));
  }
  // The lines after the first section of the name, up to the next section.
  std::pair<std::size_t, std::size_t> Block(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const auto name = SectionName(lines_[i]);
      if (!name || !EqualsIgnoringAsciiCase(*name, TrimBlanks(section))) continue;
      std::size_t end = i + 1;
      while (end < lines_.size() && !SectionName(lines_[end])) ++end;
      return {i + 1, end};
    }
    return {npos, npos};
  }
  std::vector<std::string> lines_;
};

TEST(ProfileFileTest, ReadsAndWritesAsAPlainListOfLines) {
  // Files built of lines that differ in the ways that matter: names in
  // other cases, with blanks, repeated, Japanese (whose trail bytes look
  // like letters), entries before any section, lines that are neither, and
  // every kind of line end.
  const std::vector<std::string> pieces = {"[A]",
                                           "[ a ]",
                                           "[B]",
                                           "[b",
                                           "[B]x]",
                                           " [C] ",
                                           "[" + Sjis("名") + "]",
                                           "[" + Sjis("ヂ") + "]",
                                           "k=1",
                                           "K = 2",
                                           " k=",
                                           "k2=v",
                                           "=",
                                           "=empty",
                                           Sjis("キー=値"),
                                           Sjis("ヂ=ア"),
                                           "x",
                                           "",
                                           "  ",
                                           "k=\x82",
                                           std::string("k=a\0b", 5),
                                           "; k=comment"};
  const std::vector<std::string> ends = {"\r\n", "\n", "\r"};
  const std::vector<std::string> names = {"A", "a", "B", "C", "D", "名", "ヂ", "ア", "k", "K", "k2", "", "キー", "x"};
  std::mt19937 random(20261209);
  const auto pick = [&random](const auto& list) { return list[random() % list.size()]; };
  for (int round = 0; round < 400; ++round) {
    std::string bytes;
    const int count = static_cast<int>(random() % 24);
    for (int i = 0; i < count; ++i) bytes += pick(pieces) + (i + 1 < count || random() % 2 ? pick(ends) : "");
    ProfileFile file = ProfileFile::FromBytes("x", bytes);
    LineListProfile model(bytes);
    for (int step = 0; step < 12; ++step) {
      const std::string section = pick(names);
      const std::string key = pick(names);
      if (random() % 3 == 0) {
        const std::string value = "v" + std::to_string(step);
        ASSERT_FALSE(file.Write(section, key, value));
        model.Write(section, key, value);
      }
      for (const std::string& read_section : names) {
        ASSERT_EQ(file.Read(read_section, key), model.Read(read_section, key))
            << bytes << " [" << read_section << "] " << key;
      }
    }
    ASSERT_EQ(file.Bytes(), model.Bytes()) << bytes;
  }
}

TEST(ProfileFileTest, FilesOverTheLimitAreRefusedWithError7) {
  TempFolder dir;
  const std::string exact = dir.Write("exact.dsc", "[A]\r\nk=1\r\n" + std::string(kReadLimit - 10, ';'));
  ASSERT_EQ(std::filesystem::file_size(exact), kReadLimit);
  const ProfileFile accepted = ProfileFile::Load(exact);
  EXPECT_FALSE(accepted.load_error());
  EXPECT_EQ(accepted.Read("A", "k"), "1");

  const std::string over = dir.Write("over.dsc", "[A]\r\nk=1\r\n" + std::string(kReadLimit - 9, ';'));
  const ProfileFile refused = ProfileFile::Load(over);
  ASSERT_TRUE(refused.load_error());
  EXPECT_EQ(refused.load_error()->number, 7);
  EXPECT_EQ(refused.load_error()->description, "ファイルが大きすぎます(16MBまで): " + over);
  EXPECT_EQ(refused.Read("A", "k"), "");
  EXPECT_EQ(refused.Save()->number, 7);  // never written over with what was not read
  EXPECT_EQ(std::filesystem::file_size(over), kReadLimit + 1);

  // A device that never ends is cut off the same way.
  EXPECT_EQ(ProfileFile::Load("/dev/zero").load_error()->number, 7);
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
                                           std::string(std::size_t{10} * 1024 * 1024, 'x'),
                                           "[A]\r\nk=" + std::string(std::size_t{10} * 1024 * 1024, '\x82'),
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
