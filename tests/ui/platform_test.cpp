#include "ui/platform.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace dustora {
namespace {

TEST(PlatformTest, ErrorBoxClosesTheSplashFirst) {
  testing::FakePlatform platform;
  ShowErrorBox("GetInitial", Error::Of(13));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.splash_closes, 1);
  const MessageBoxRequest& box = platform.messages[0];
  EXPECT_EQ(box.text, "エラーが発生しました(GetInitial)\r\nエラー番号: 13\r\n内容: 型が一致しません。");
  EXPECT_EQ(box.title, "エラー情報");
  EXPECT_EQ(box.icon, MessageIcon::Error);
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
}

TEST(PlatformTest, OpenWithShellTrimsAndIgnoresBlanks) {
  testing::FakePlatform platform;
  EXPECT_TRUE(OpenWithShell("   "));
  EXPECT_TRUE(OpenWithShell(""));
  EXPECT_TRUE(platform.opened.empty());
  EXPECT_TRUE(OpenWithShell("  /opt/dustora/readme.txt "));
  EXPECT_EQ(platform.opened, std::vector<std::string>{"/opt/dustora/readme.txt"});
  platform.open_succeeds = false;
  EXPECT_FALSE(OpenWithShell("https://example.invalid/"));
}

TEST(PlatformTest, FakeRestoresThePreviousPlatform) {
  testing::FakePlatform outer;
  {
    testing::FakePlatform inner;
    EXPECT_EQ(&CurrentPlatform(), &inner);
  }
  EXPECT_EQ(&CurrentPlatform(), &outer);
}

}  // namespace
}  // namespace dustora
