#include "core/desktop_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "support/temp_folder.h"

namespace dustora {
namespace {

EnvironmentLookup Env(const std::map<std::string, std::string>& values) {
  return [values](std::string_view name) -> std::optional<std::string> {
    const auto it = values.find(std::string(name));
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

TEST(DesktopPathsTest, DataFolderFollowsXdgDataHome) {
  EXPECT_EQ(DesktopFolderPath(SpecialFolder::ApplicationData, Env({{"HOME", "/home/u"}})), "/home/u/.local/share");
  EXPECT_EQ(DesktopFolderPath(SpecialFolder::ApplicationData, Env({{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/d/"}})),
            "/d");
  // A relative XDG_DATA_HOME is ignored, as the XDG rules say.
  EXPECT_EQ(DesktopFolderPath(SpecialFolder::ApplicationData, Env({{"HOME", "/h"}, {"XDG_DATA_HOME", "rel"}})),
            "/h/.local/share");
  EXPECT_EQ(DesktopFolderPath(SpecialFolder::ApplicationData, Env({})), "");
}

TEST(DesktopPathsTest, DocumentsFolderFromUserDirs) {
  testing::TempFolder home;
  EXPECT_EQ(DesktopFolderPath(SpecialFolder::Documents, Env({{"HOME", home.path()}})), home.path() + "/Documents");
  home.Write(".config/user-dirs.dirs",
             "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
             "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n");
  EXPECT_EQ(DesktopFolderPath(SpecialFolder::Documents, Env({{"HOME", home.path()}})), home.path() + "/ドキュメント");
  testing::TempFolder config;
  config.Write("user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n");
  EXPECT_EQ(
      DesktopFolderPath(SpecialFolder::Documents, Env({{"HOME", home.path()}, {"XDG_CONFIG_HOME", config.path()}})),
      "/srv/docs");
}

TEST(DesktopPathsTest, ProgramFolder) {
  testing::TempFolder prefix;
  std::filesystem::create_directories(prefix.Join("bin"));
  EXPECT_EQ(ProgramFolderFor(prefix.Join("bin")), prefix.Join("bin"));
  std::filesystem::create_directories(prefix.Join("share/dustora"));
  EXPECT_EQ(ProgramFolderFor(prefix.Join("bin")), prefix.Join("share/dustora"));
  EXPECT_EQ(ProgramFolderFor("/work/build/app"), "/work/build/app");
  EXPECT_FALSE(ExecutableFolder().empty());
}

}  // namespace
}  // namespace dustora
