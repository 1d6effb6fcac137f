// The texts behind the About box: the link colours read from the browser settings and the
// build number made from the version resource.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialogs/color_string.h"
#include "dialogs/version_text.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

struct ColorCase {
  const char* name;
  std::u16string text;
  std::optional<RgbColor> expected;
};

class ParseColorStringTest : public testing::TestWithParam<ColorCase> {};

TEST_P(ParseColorStringTest, Parses) {
  EXPECT_EQ(parseColorString(GetParam().text), GetParam().expected)
      << test::printable(GetParam().text);
}

constexpr std::nullopt_t kInvalid = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Table, ParseColorStringTest,
    testing::Values(
        ColorCase{"Blue", u"0,0,255", RgbColor{0, 0, 255}},
        ColorCase{"Purple", u"128,0,128", RgbColor{128, 0, 128}},
        ColorCase{"TwoComponents", u"255,0", kInvalid},
        ColorCase{"NothingAfterSecondComma", u"255,0,", kInvalid},
        // Blanks before a number and a sign are read; reading stops at anything else.
        ColorCase{"LeadingBlanksAndSigns", u" \t+10, -0,\n 20", RgbColor{10, 0, 20}},
        ColorCase{"TrailingText", u"1 2,3px,4;5", RgbColor{1, 3, 4}},
        ColorCase{"NoDigitsReadAsZero", u"red,,blue", RgbColor{0, 0, 0}},
        ColorCase{"BlankThirdIsZero", u"1,2, ", RgbColor{1, 2, 0}},
        // Each component is taken modulo 256.
        ColorCase{"Modulo256", u"256,257,511", RgbColor{0, 1, 255}},
        ColorCase{"NegativeModulo256", u"-2,-256,-255", RgbColor{254, 0, 1}},
        ColorCase{"SaturatesPastInt32", u"99999999999,-99999999999,2147483648",
                  RgbColor{255, 0, 255}},
        // -1 in the first or second place marks the text invalid; in the third it is 255.
        ColorCase{"FirstMinusOne", u"-1,0,0", kInvalid},
        ColorCase{"SecondMinusOne", u"0, -1,0", kInvalid},
        ColorCase{"ThirdMinusOne", u"0,0,-1", RgbColor{0, 0, 255}},
        ColorCase{"MinusOneFollowedByText", u"-1x,0,0", kInvalid}),
    [](const testing::TestParamInfo<ColorCase>& info) { return std::string(info.param.name); });

struct VersionCase {
  const char* name;
  std::u16string productVersion;
  std::u16string shown;
};

class VersionDisplayTextTest : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionDisplayTextTest, ReplacesCommas) {
  EXPECT_EQ(versionDisplayText(GetParam().productVersion), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VersionDisplayTextTest,
    testing::Values(VersionCase{"Resource", u"1, 0, 0, 7", u"1. 0. 0. 7"},
                    VersionCase{"NoCommas", u"2.5 beta", u"2.5 beta"},
                    VersionCase{"NonAscii", u"1,\x00E9,\xD83D\xDE00", u"1.\x00E9.\xD83D\xDE00"}),
    [](const testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.name); });

TEST(ProductVersionQueryTest, FourLowerCaseHexDigitsEach) {
  EXPECT_EQ(productVersionQuery(0x0409, 1200), u"\\StringFileInfo\\040904b0\\ProductVersion");
  EXPECT_EQ(productVersionQuery(0xABCD, 0xFFFF), u"\\StringFileInfo\\abcdffff\\ProductVersion");
}

}  // namespace
}  // namespace quizmora
