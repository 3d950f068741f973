#include <gtest/gtest.h>

#include "colour.h"
#include "named_case.h"

namespace velbarino {
namespace {

bool operator==(Rgb a, Rgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhiteRgb{255, 255, 255};
constexpr Rgb kGrey76{0x76, 0x76, 0x76};  // white on it: 4.54:1
constexpr Rgb kGrey77{0x77, 0x77, 0x77};  // white on it: 4.48:1

struct ColourCase : testing_support::NamedCase {
    std::optional<ColourValue> backColor;
    ThemeColours theme;
    LabelColours expected;
};

class LabelPainted : public testing::TestWithParam<ColourCase> {};

TEST_P(LabelPainted, withReadableText) {
    const LabelColours got = labelColours(GetParam().backColor, GetParam().theme);
    EXPECT_TRUE(got.back == GetParam().expected.back);
    EXPECT_TRUE(got.text == GetParam().expected.text);
}

// Themes as {button face, button text, window text}.
constexpr ThemeColours kLight{{240, 240, 240}, kBlack, kBlack};
constexpr ThemeColours kDark{{0x35, 0x35, 0x35}, {0xee, 0xee, 0xee}, {0xee, 0xee, 0xee}};

INSTANTIATE_TEST_SUITE_P(
    Colours, LabelPainted,
    testing::Values(ColourCase{{"whiteBoxOnDarkThemeTurnsItsTextBlack"}, kWhite, kDark, {kWhiteRgb, kBlack}},
                    ColourCase{{"buttonFaceBoxFollowsTheDarkTheme"}, kButtonFace, kDark, {kDark.buttonFace, kDark.buttonText}},
                    ColourCase{{"labelWithoutColourTakesTheWindowBackground"}, std::nullopt, kDark, {kDark.buttonFace, kDark.buttonText}},
                    ColourCase{{"whiteTextAt4Point54KeepsItsColour"}, 0x767676, {kLight.buttonFace, kBlack, kWhiteRgb}, {kGrey76, kWhiteRgb}},
                    ColourCase{{"whiteTextAt4Point48TurnsBlack"}, 0x777777, {kLight.buttonFace, kBlack, kWhiteRgb}, {kGrey77, kBlack}},
                    ColourCase{{"themeTextTooFaintOnItsOwnFaceTurnsWhite"}, kButtonFace, {{0x10, 0x10, 0x10}, {0x30, 0x30, 0x30}, kBlack}, {{0x10, 0x10, 0x10}, kWhiteRgb}},
                    // Channels up to 10 take WCAG's linear branch: black would read 1.05:1 here.
                    ColourCase{{"nearBlackFaceTurnsFaintTextWhite"}, kButtonFace, {{8, 8, 8}, {0x40, 0x40, 0x40}, kBlack}, {{8, 8, 8}, kWhiteRgb}}),
    testing_support::NamedCaseName());

}  // namespace
}  // namespace velbarino
