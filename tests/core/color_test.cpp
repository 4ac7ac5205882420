#include "core/color.h"

#include <gtest/gtest.h>

namespace dustora {
namespace {

TEST(ColorTest, TextToValue) {
  EXPECT_EQ(ColorTextToValue("#0000FF"), 16711680);
  EXPECT_EQ(ColorTextToValue("#ff8000"), 33023);
  EXPECT_EQ(ColorTextToValue("#12"), 18);
  EXPECT_EQ(ColorTextToValue("#GG0000"), 0);
  EXPECT_EQ(ColorTextToValue(""), 0);
  EXPECT_EQ(ColorTextToValue("X0000FF"), 16711680);  // the first character is not looked at
  EXPECT_EQ(ColorTextToValue("あFF0000"), 255);      // characters, not bytes
  EXPECT_EQ(ColorTextToValue("#ＦＦ0000"), 0);
}

TEST(ColorTest, ValueToText) {
  EXPECT_EQ(ColorValueToText(255), "#FF0000");
  EXPECT_EQ(ColorValueToText(0), "#000000");
  EXPECT_EQ(ColorValueToText(16711680), "#0000FF");
  EXPECT_EQ(ColorValueToText(4096), "#001000");
  EXPECT_EQ(ColorValueToText(-1), "#FFFFFF");
  EXPECT_EQ(ColorValueToText(0x12345678), "#563412");  // first six of eight digits
}

TEST(ColorTest, ConversionsAreInverse) {
  for (std::int32_t value = 0; value <= 16777215; value += 127) {
    ASSERT_EQ(ColorTextToValue(ColorValueToText(value)), value);
  }
  EXPECT_EQ(ColorTextToValue(ColorValueToText(16777215)), 16777215);
}

}  // namespace
}  // namespace dustora
