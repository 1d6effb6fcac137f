#include "format/utf8_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quizmora {
namespace {

struct EncodeCase {
  const char* name;
  std::u16string utf16;
  std::string utf8;
};

class Utf16ToUtf8Test : public testing::TestWithParam<EncodeCase> {};

TEST_P(Utf16ToUtf8Test, Encodes) { EXPECT_EQ(utf16ToUtf8(GetParam().utf16), GetParam().utf8); }

// U+FFFD in UTF-8, what every lone surrogate turns into.
const std::string kFffd = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Table, Utf16ToUtf8Test,
    testing::Values(
        EncodeCase{"Empty", u"", ""}, EncodeCase{"Ascii", u"Exam 1?", "Exam 1?"},
        EncodeCase{"Nul", std::u16string(1, u'\0'), std::string(1, '\0')},
        EncodeCase{"LastOneByte", u"\x7F", "\x7F"}, EncodeCase{"FirstTwoByte", u"\x80", "\xC2\x80"},
        EncodeCase{"EAcute", u"\xE9", "\xC3\xA9"}, EncodeCase{"LastTwoByte", u"\x7FF", "\xDF\xBF"},
        EncodeCase{"FirstThreeByte", u"\x800", "\xE0\xA0\x80"},
        EncodeCase{"Euro", u"\x20AC", "\xE2\x82\xAC"},
        EncodeCase{"Cjk", u"\x6F22\x5B57", "\xE6\xBC\xA2\xE5\xAD\x97"},
        EncodeCase{"LastBeforeSurrogates", u"\xD7FF", "\xED\x9F\xBF"},
        EncodeCase{"FirstAfterSurrogates", u"\xE000", "\xEE\x80\x80"},
        EncodeCase{"Uffff", u"\xFFFF", "\xEF\xBF\xBF"},
        EncodeCase{"FirstPair", u"\xD800\xDC00", "\xF0\x90\x80\x80"},
        EncodeCase{"Emoji", u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
        EncodeCase{"U10ffff", u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},
        EncodeCase{"LoneHighAtStart", u"\xD800x", kFffd + "x"},
        EncodeCase{"LoneHighInMiddle",
                   u"a\xDBFF"
                   u"b",
                   "a" + kFffd + "b"},
        EncodeCase{"LoneHighAtEnd", u"ab\xD83D", "ab" + kFffd},
        EncodeCase{"LoneLowAtStart", u"\xDC00x", kFffd + "x"},
        EncodeCase{"LoneLowInMiddle",
                   u"a\xDFFF"
                   u"b",
                   "a" + kFffd + "b"},
        EncodeCase{"LoneLowAtEnd", u"ab\xDE00", "ab" + kFffd},
        EncodeCase{"LowBeforeHigh", u"\xDE00\xD83D", kFffd + kFffd},
        EncodeCase{"TwoHighsThenLow", u"\xD800\xD83D\xDE00", kFffd + "\xF0\x9F\x98\x80"},
        EncodeCase{"HighBeforeAscii",
                   u"\xD83D"
                   u"A\xDE00",
                   kFffd + "A" + kFffd}),
    [](const auto& info) { return std::string(info.param.name); });

struct DecodeCase {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

class Utf8ToUtf16Test : public testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8ToUtf16Test, Decodes) {
  const auto decoded = utf8ToUtf16(GetParam().utf8);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(*decoded, GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8ToUtf16Test,
    testing::Values(DecodeCase{"Empty", "", u""}, DecodeCase{"Ascii", "Exam 1?", u"Exam 1?"},
                    DecodeCase{"Nul", std::string(1, '\0'), std::u16string(1, u'\0')},
                    DecodeCase{"FirstTwoByte", "\xC2\x80", u"\x80"},
                    DecodeCase{"EAcuteBetweenAscii", "caf\xC3\xA9!", u"caf\xE9!"},
                    DecodeCase{"LastTwoByte", "\xDF\xBF", u"\x7FF"},
                    DecodeCase{"FirstThreeByte", "\xE0\xA0\x80", u"\x800"},
                    DecodeCase{"LastBeforeSurrogates", "\xED\x9F\xBF", u"\xD7FF"},
                    DecodeCase{"FirstAfterSurrogates", "\xEE\x80\x80", u"\xE000"},
                    DecodeCase{"Ufffd", "\xEF\xBF\xBD", u"\xFFFD"},
                    DecodeCase{"Uffff", "\xEF\xBF\xBF", u"\xFFFF"},
                    DecodeCase{"FirstFourByte", "\xF0\x90\x80\x80", u"\xD800\xDC00"},
                    DecodeCase{"Emoji", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
                    DecodeCase{"U10ffff", "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"}),
    [](const auto& info) { return std::string(info.param.name); });

struct InvalidCase {
  const char* name;
  std::string utf8;
};

class Utf8InvalidTest : public testing::TestWithParam<InvalidCase> {};

TEST_P(Utf8InvalidTest, IsRejected) { EXPECT_FALSE(utf8ToUtf16(GetParam().utf8).has_value()); }

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8InvalidTest,
    testing::Values(
        // Overlong forms of NUL, "/", U+07FF and U+FFFF.
        InvalidCase{"OverlongNulTwoBytes", std::string("\xC0\x80", 2)},
        InvalidCase{"OverlongSlashTwoBytes", "\xC0\xAF"}, InvalidCase{"OverlongC1", "\xC1\xBF"},
        InvalidCase{"OverlongThreeBytes", "\xE0\x80\xAF"},
        InvalidCase{"OverlongLastTwoByte", "\xE0\x9F\xBF"},
        InvalidCase{"OverlongFourBytes", "\xF0\x80\x80\xAF"},
        InvalidCase{"OverlongUffff", "\xF0\x8F\xBF\xBF"},
        // UTF-16 surrogates have no UTF-8 form of their own.
        InvalidCase{"EncodedFirstHigh", "\xED\xA0\x80"},
        InvalidCase{"EncodedLastHigh", "\xED\xAF\xBF"},
        InvalidCase{"EncodedFirstLow", "\xED\xB0\x80"},
        InvalidCase{"EncodedLastLow", "\xED\xBF\xBF"},
        InvalidCase{"EncodedPair", "\xED\xA0\xBD\xED\xB8\x80"},
        // Beyond U+10FFFF and bytes that never occur.
        InvalidCase{"Above10ffff", "\xF4\x90\x80\x80"}, InvalidCase{"LeadF5", "\xF5\x80\x80\x80"},
        InvalidCase{"LeadF8", "\xF8\x88\x80\x80\x80"}, InvalidCase{"ByteFe", "\xFE"},
        InvalidCase{"ByteFf", "a\xFF"},
        // Continuation bytes without a lead byte.
        InvalidCase{"StrayContinuationAtStart",
                    "\x80"
                    "abc"},
        InvalidCase{"StrayContinuationAfterSequence", "\xC3\xA9\xA9"},
        // Sequences cut short: at the end, or interrupted by another byte.
        InvalidCase{"TruncatedTwoByte", "\xC3"}, InvalidCase{"TruncatedThreeByte", "\xE2\x82"},
        InvalidCase{"TruncatedFourByte", "\xF0\x9F\x98"},
        InvalidCase{"TruncatedAfterText", "Exam\xE6\xBC"},
        InvalidCase{"InterruptedByAscii",
                    "\xC3"
                    "A"},
        InvalidCase{"InterruptedThreeByte", "\xE2\x28\xA1"},
        InvalidCase{"InterruptedFourByte",
                    "\xF0\x9F\x98"
                    "A"},
        InvalidCase{"InterruptedByLead", "\xE2\x82\xE2\x82\xAC"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every scalar value, in both directions; catches any off-by-one at a range boundary.
TEST(Utf8Text, EveryScalarValueRoundTrips) {
  std::u16string all;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c < 0x10000) {
      all.push_back(static_cast<char16_t>(c));
    } else {
      all.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      all.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  const std::string utf8 = utf16ToUtf8(all);
  // 128 one-byte, 1920 two-byte, 61440 three-byte and 1048576 four-byte values.
  EXPECT_EQ(utf8.size(), 128u + 1920u * 2 + 61440u * 3 + 1048576u * 4);
  const auto back = utf8ToUtf16(utf8);
  ASSERT_TRUE(back.has_value());
  EXPECT_TRUE(*back == all);
}

// A lone surrogate is replaced, so what comes back is the text with U+FFFD in its place.
TEST(Utf8Text, LoneSurrogateComesBackAsReplacementCharacter) {
  const auto back =
      utf8ToUtf16(utf16ToUtf8(u"a\xD800"
                              u"b"));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back,
            u"a\xFFFD"
            u"b");
}

}  // namespace
}  // namespace quizmora
