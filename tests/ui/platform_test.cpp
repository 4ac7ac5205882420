#include "ui/platform.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <stdexcept>
#include <tuple>

#include "support/fake_platform.h"

namespace dustora {
namespace {

// Two windows work on the platforms they were handed, their child windows
// on their owner's; a window handed none has none.
TEST(PlatformTest, EachWindowWorksOnThePlatformItWasHanded) {
  testing::FakePlatform first;
  testing::FakePlatform second;
  QWidget one;
  QWidget other;
  AttachPlatform(one, first);
  AttachPlatform(other, second);
  QWidget child(&other);
  ShowErrorBox(&one, "GetInitial", Error::Of(13));
  ShowInformation(&child, "お知らせ", "題");
  ASSERT_EQ(first.messages.size(), 1u);
  EXPECT_EQ(first.splash_closes, 1);  // an error box closes the splash first
  const MessageBoxRequest& box = first.messages[0];
  EXPECT_EQ(box.text, "エラーが発生しました(GetInitial)\r\nエラー番号: 13\r\n内容: 型が一致しません。");
  EXPECT_EQ(box.title, "エラー情報");
  EXPECT_EQ(box.icon, MessageIcon::Error);
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
  ASSERT_EQ(second.messages.size(), 1u);
  EXPECT_EQ(second.messages[0].icon, MessageIcon::Information);
  QWidget alone;
  EXPECT_THROW(std::ignore = PlatformOf(&alone), std::logic_error);
}

TEST(PlatformTest, OpenWithShellTrimsAndIgnoresBlanks) {
  testing::FakePlatform platform;
  QWidget window;
  AttachPlatform(window, platform);
  EXPECT_TRUE(OpenWithShell(&window, "   "));
  EXPECT_TRUE(OpenWithShell(&window, ""));
  EXPECT_TRUE(platform.opened.empty());
  EXPECT_TRUE(OpenWithShell(&window, "  /opt/dustora/readme.txt "));
  EXPECT_EQ(platform.opened, std::vector<std::string>{"/opt/dustora/readme.txt"});
  platform.open_succeeds = false;
  EXPECT_FALSE(OpenWithShell(&window, "https://example.invalid/"));
}

}  // namespace
}  // namespace dustora
