#include "settings/folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/fresh_home.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

class FoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    places = testing::FreshPlaces(home, program);
    program.Write("holiday.csv", "\"#2011/01/01#\",\"元日\"\r\n");
    program.Write("noneterm.csv", "");
    program.Write("img/moeru.gif", "GIF89a");
    program.Write("img/sub/x.gif", "GIF89a");
    program.Write("sample.dsc", "[Title]\r\n");
  }

  void StartUp() {
    GetSpecialFolder(folders, places);
    MakeSpecialFolder(folders, report);
    AppDataFilesCopy(folders, report);
  }

  testing::TempFolder home;
  testing::TempFolder program;
  DesktopPlaces places;
  AppFolders folders;
  Report report;
};

TEST_F(FoldersTest, PathsUnderTheSpecialFolders) {
  GetSpecialFolder(folders, places);
  EXPECT_EQ(folders.document_maker_folder, home.Join("Documents/Tessaloom"));
  EXPECT_EQ(folders.document_folder, home.Join("Documents/Tessaloom/ダストーラ"));
  EXPECT_EQ(folders.data_maker_folder, home.Join("share/Tessaloom"));
  EXPECT_EQ(folders.data_folder, home.Join("share/Tessaloom/Dustora"));
}

TEST_F(FoldersTest, FirstStartCreatesAndCopiesSecondStartKeepsEdits) {
  StartUp();
  EXPECT_TRUE(report.empty());
  EXPECT_EQ(home.Read("share/Tessaloom/Dustora/holiday.csv"), "\"#2011/01/01#\",\"元日\"\r\n");
  EXPECT_TRUE(std::filesystem::exists(home.Join("share/Tessaloom/Dustora/noneterm.csv")));
  EXPECT_EQ(home.Read("share/Tessaloom/Dustora/img/sub/x.gif"), "GIF89a");
  EXPECT_EQ(home.Read("Documents/Tessaloom/ダストーラ/sample.dsc"), "[Title]\r\n");

  home.Write("share/Tessaloom/Dustora/holiday.csv", "edited");
  std::filesystem::remove(home.Join("share/Tessaloom/Dustora/noneterm.csv"));
  std::filesystem::remove(home.Join("share/Tessaloom/Dustora/img/moeru.gif"));
  program.Write("img/new.gif", "GIF89a");
  StartUp();
  EXPECT_EQ(home.Read("share/Tessaloom/Dustora/holiday.csv"), "edited");
  EXPECT_TRUE(std::filesystem::exists(home.Join("share/Tessaloom/Dustora/noneterm.csv")));
  // Icons come back only when the whole folder is gone.
  EXPECT_FALSE(std::filesystem::exists(home.Join("share/Tessaloom/Dustora/img/moeru.gif")));
  EXPECT_FALSE(std::filesystem::exists(home.Join("share/Tessaloom/Dustora/img/new.gif")));
  EXPECT_TRUE(report.empty());
}

TEST_F(FoldersTest, EmptyIconFolderStaysEmptyAndMissingSampleIsQuiet) {
  std::filesystem::create_directories(home.Join("share/Tessaloom/Dustora/img"));
  std::filesystem::remove(program.Join("sample.dsc"));
  StartUp();
  EXPECT_TRUE(std::filesystem::is_empty(home.Join("share/Tessaloom/Dustora/img")));
  EXPECT_FALSE(std::filesystem::exists(home.Join("Documents/Tessaloom/ダストーラ/sample.dsc")));
  EXPECT_TRUE(report.empty());
}

TEST_F(FoldersTest, AHiddenFileCountsAsMissing) {
  StartUp();
  std::filesystem::remove(home.Join("share/Tessaloom/Dustora/holiday.csv"));
  program.Write(".holiday.csv", "hidden");
  std::filesystem::remove(program.Join("holiday.csv"));
  StartUp();
  EXPECT_FALSE(std::filesystem::exists(home.Join("share/Tessaloom/Dustora/holiday.csv")));
}

TEST_F(FoldersTest, MissingDocumentsRootReportsAndSkipsTheRest) {
  places.documents = home.Join("nowhere");
  GetSpecialFolder(folders, places);
  MakeSpecialFolder(folders, report);
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(report.entries()[0].Text(),
            "ご迷惑をおかけしています.(MakeSpecialFolder)\r\n想定外の事象が発生しました。\r\n番号: 76\r\n内容: "
            "パスが見つかりません。");
  EXPECT_EQ(report.entries()[0].Title(), "エラー情報");
  EXPECT_EQ(report.entries()[0].kind, ReportKind::Error);
  EXPECT_FALSE(std::filesystem::exists(home.Join("share/Tessaloom")));
}

TEST_F(FoldersTest, EmptyRootIsRefusedNotCreatedAtTheTop) {
  places.application_data = "";
  GetSpecialFolder(folders, places);
  EXPECT_EQ(folders.data_folder, "/Tessaloom/Dustora");
  MakeSpecialFolder(folders, report);
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(report.entries()[0].tag, "MakeSpecialFolder");
  EXPECT_FALSE(std::filesystem::exists("/Tessaloom"));
  EXPECT_TRUE(std::filesystem::is_directory(home.Join("Documents/Tessaloom/ダストーラ")));
}

TEST_F(FoldersTest, ReadOnlyDataFolderReportsTheCopy) {
  GetSpecialFolder(folders, places);
  MakeSpecialFolder(folders, report);
  ::chmod(folders.data_folder.c_str(), 0555);
  if (::access(folders.data_folder.c_str(), W_OK) == 0) {
    // Root writes anyway; a file in place of the icon folder fails for root too.
    ::chmod(folders.data_folder.c_str(), 0755);
    home.Write("share/Tessaloom/Dustora/img", "not a folder");
  }
  AppDataFilesCopy(folders, report);
  ASSERT_EQ(report.entries().size(), 1u);
  EXPECT_EQ(report.entries()[0].Text().rfind("ご迷惑をおかけしています.(AppDataFilesCopy)\r\n", 0), 0u);
  // The sample document after the failed step is skipped.
  EXPECT_FALSE(std::filesystem::exists(home.Join("Documents/Tessaloom/ダストーラ/sample.dsc")));
}

}  // namespace
}  // namespace dustora
