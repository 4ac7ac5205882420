#include "core/encoding.h"

#include <gtest/gtest.h>

namespace dustora::sjis {
namespace {

TEST(EncodingTest, RoundTripsJapanese) {
  const std::string text = "燃やせるごみ・ペットボトル ｶﾀｶﾅ ①Ⅰ㈱ 髙﨑 ～∥－￠￡￢―";
  const EncodeResult encoded = Encode(text);
  ASSERT_TRUE(encoded.ok());
  EXPECT_EQ(Decode(encoded.bytes), text);
  EXPECT_EQ(Encode("あ").bytes, "\x82\xA0");
  EXPECT_EQ(Encode("ｱ").bytes, "\xB1");
  EXPECT_EQ(Encode("①").bytes, "\x87\x40");   // NEC special
  EXPECT_EQ(Encode("髙").bytes, "\xFB\xFC");  // IBM extension
  EXPECT_EQ(Decode("\xED\x40"), "纊");        // NEC-selected IBM extension reads too
}

TEST(EncodingTest, LinuxInputLookAlikes) {
  EXPECT_EQ(Encode("〜").bytes, "\x81\x60");  // U+301C as U+FF5E
  EXPECT_EQ(Encode("‖").bytes, "\x81\x61");
  EXPECT_EQ(Encode("−").bytes, "\x81\x7C");
  EXPECT_EQ(Encode("¢£¬").bytes, "\x81\x91\x81\x92\x81\xCA");
  EXPECT_EQ(Encode("—").bytes, "\x81\x5C");
}

TEST(EncodingTest, ControlBytesStayThemselves) {
  const std::string controls = "\x1A\x1C\x7F\x5C\x7E";
  EXPECT_EQ(Decode(controls), controls);
  EXPECT_EQ(Encode(controls).bytes, controls);
}

TEST(EncodingTest, BadBytesDecodeToReplacement) {
  EXPECT_EQ(Decode("\x82"), "\xEF\xBF\xBD");  // lead byte at the end
  EXPECT_EQ(Decode("\x82\x20"
                   "a"),
            "\xEF\xBF\xBD a");                    // lead without trail: next byte read afresh
  EXPECT_EQ(Decode("\x85\x40"), "\xEF\xBF\xBD");  // unassigned pair: one U+FFFD
  EXPECT_EQ(Decode("\xA0\xFD\xFE\xFF"), "\xEF\xA3\xB0\xEF\xA3\xB1\xEF\xA3\xB2\xEF\xA3\xB3");
  EXPECT_EQ(Encode("\xEF\xA3\xB0\xEF\xA3\xB3").bytes, "\xA0\xFF");
  EXPECT_EQ(Encode("a\xEF\xBF\xBD"
                   "b")
                .bytes,
            "a?b");                      // U+FFFD is written as "?"
  EXPECT_EQ(Encode("\xFF").bytes, "?");  // ill-formed UTF-8
}

TEST(EncodingTest, EveryByteSequenceDecodesAndReencodesWhereItCan) {
  std::string all;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      all += static_cast<char>(lead);
      all += static_cast<char>(trail);
    }
  }
  const std::string decoded = Decode(all);
  const EncodeResult again = Encode(decoded);
  ASSERT_TRUE(again.ok()) << again.error->offset;
  // Every character that was read comes back as one that reads the same;
  // the unassigned codes (U+FFFD) are written as "?".
  std::string expected;
  for (std::size_t i = 0; i < decoded.size();) {
    if (decoded.compare(i, 3, "\xEF\xBF\xBD") == 0) {
      expected += '?';
      i += 3;
    } else {
      expected += decoded[i++];
    }
  }
  EXPECT_TRUE(Decode(again.bytes) == expected);
}

TEST(EncodingTest, UnencodableIsReportedWithPosition) {
  const EncodeResult result = Encode("ab剝c");  // no fallback to 剥
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error->offset, 2u);
  EXPECT_EQ(result.error->character, U'剝');
  EXPECT_EQ(result.error->Text(), "剝");
  for (const char* ignorable : {"\u200B", "\u200D", "\uFE0F", "\uFEFF", "😀", "¥", "\u00A0"}) {
    EXPECT_FALSE(Encode(ignorable).ok()) << ignorable;
  }
  EXPECT_FALSE(FirstUnencodable("あ").has_value());
}

TEST(EncodingTest, PageEncodingWritesReferences) {
  std::string page = "<";
  AppendWithReferences("a剝😀\u200Bあ", page);
  EXPECT_EQ(page, "<a&#21085;&#128512;&#8203;\x82\xA0");
}

// Text past 2 GiB is encoded whole, not cut to what a 32-bit length holds.
// The page's encoder stands for both: they walk the text alike. (About 4 GB
// of memory and some seconds; not under the sanitizers.)
TEST(EncodingTest, TextOverTwoGibibytesIsEncodedWhole) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "too large for the sanitizer build";
#endif
  constexpr std::size_t kTwoGiB = std::size_t{1} << 31;
  std::string text(kTwoGiB + 5, 'a');
  text.replace(text.size() - 6, 6, "月\xF0\x9F\x94\x8B");  // 月 then 🔋
  std::string page;
  AppendWithReferences(text, page);
  ASSERT_EQ(page.size(), kTwoGiB - 1 + 2 + 9);
  EXPECT_EQ(page.substr(page.size() - 12), "a\x8C\x8E&#128267;");
}

TEST(EncodingTest, FilesSavedAsUtf8BecomeShiftJisAndOthersStayAsTheyAre) {
  const std::string bom = "\xEF\xBB\xBF";
  const std::string japanese = Encode("燃やせるごみ\r\n").bytes;
  struct Case {
    std::string in;
    std::string out;
    bool replaced;
  };
  const std::vector<Case> cases = {
      {"燃やせるごみ\r\n", japanese, false},
      {bom + "燃やせるごみ\r\n", japanese, false},
      {bom + "abc", "abc", false},  // the mark alone says UTF-8
      {bom, "", false},
      {"k=剝がす😀\r\n", "k=?" + Encode("がす").bytes + "?\r\n", true},
      {"〜−", "\x81\x60\x81\x7C", false},     // what Linux input gives for ～ and －
      {bom + "a\xFF" + "b", "a?b", true},     // a byte that is no UTF-8 after a mark
      {"caf\xC3\xA9", "caf\xC3\xA9", false},  // no three-byte sequence: Shift_JIS
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", false},
      {"燃\xFF", "燃\xFF", false},                  // not valid UTF-8
      {"\xED\xA0\x80あ", "\xED\xA0\x80あ", false},  // a surrogate is not valid UTF-8
      {"\xE0\x80\x80あ", "\xE0\x80\x80あ", false},  // nor an overlong form
      {japanese, japanese, false},
      {"", "", false},
  };
  for (const Case& c : cases) {
    const FileBytes file = AsShiftJisFile(c.in);
    EXPECT_EQ(file.bytes, c.out) << c.in;
    EXPECT_EQ(file.replaced, c.replaced) << c.in;
  }
}

TEST(EncodingTest, CutAtCharacterNeverSplitsAPair) {
  const std::string bytes = "a\x82\xA0\x82\xA2";
  EXPECT_EQ(CutAtCharacter(bytes, 1), 1u);
  EXPECT_EQ(CutAtCharacter(bytes, 2), 1u);
  EXPECT_EQ(CutAtCharacter(bytes, 3), 3u);
  EXPECT_EQ(CutAtCharacter(bytes, 100), 5u);
  EXPECT_EQ(CutAtCharacter("\x82 ", 1), 1u);  // a lead byte without a trail byte is one character
  EXPECT_EQ(CutAtCharacter("\x82"
                           "a",
                           1),
            0u);  // "a" can be a trail byte
}

}  // namespace
}  // namespace dustora::sjis
