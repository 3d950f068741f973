#include "window_fixture.h"

namespace velbarino {
namespace {

// Ctrl+V into the EAN-13 compute field (12 characters).
struct PasteCase : testing_support::NamedCase {
    std::u16string before;  // typed first
    std::size_t caret;      // where the clipboard goes in
    std::u16string clipboard;
    std::u16string after;
    std::size_t warnings;
};

class Paste : public WindowTest, public testing::WithParamInterface<PasteCase> {};

TEST_P(Paste, isCutToTheLengthThenScanned) {
    const PasteCase& c = GetParam();
    type(c.before);
    ctrlV(c.clipboard, c.caret);
    EXPECT_EQ(text(), c.after);
    ASSERT_EQ(messageCount(), c.warnings);
    if (c.warnings > 0) {
        EXPECT_EQ(platform.messages[0].text, u"Codice non valido. Inserire solamente valori numerici.");
        EXPECT_EQ(platform.messages[0].title, u"Velbarino");
        EXPECT_EQ(platform.messages[0].style, 0x10030);
    }
    // Only the change right after Ctrl+V is scanned.
    form.fieldEdited(text() + u"x");
    EXPECT_EQ(messageCount(), c.warnings);
}

INSTANTIATE_TEST_SUITE_P(
    PasteCheck, Paste,
    testing::Values(PasteCase{{"digitsAccepted"}, u"", 0, u"4006", u"4006", 0},
                    PasteCase{{"letterInThirdPlaceRejectedWhole"}, u"", 0, u"12a4", u"", 1},
                    PasteCase{{"tooLongWithLetterInsideTheLengthWarnsOnce"}, u"", 0, u"12a4567890123456", u"", 1},
                    PasteCase{{"fourteenDigitsCutToTwelve"}, u"", 0, u"40063813339312", u"400638133393", 0},
                    PasteCase{{"nonDigitsBeyondTheLengthCutAway"}, u"", 0, u"400638133393 abc", u"400638133393", 0},
                    PasteCase{{"exactLengthAccepted"}, u"", 0, u"590123412345", u"590123412345", 0},
                    PasteCase{{"intoAFullFieldCutBackEvenWithLetters"}, u"400638133393", 12, u"x7", u"400638133393", 0},
                    PasteCase{{"intoTheMiddleKeepsTheFirstTwelve"}, u"400638133393", 2, u"77", u"407706381333", 0},
                    PasteCase{{"blankInsideRejected"}, u"12", 2, u" 34", u"", 1},
                    PasteCase{{"fullwidthZeroRejected"}, u"", 0, u"4006\uFF10", u"", 1}),
    testing_support::NamedCaseName());

using PasteCheck = WindowTest;

TEST_F(PasteCheck, theCutTextIsWhatGetsScanned) {
    std::u16string textDuringBox;
    platform.onMessage = [&](const auto&) { textDuringBox = text(); };
    ctrlV(u"12a4567890123456");
    EXPECT_EQ(textDuringBox, u"12a456789012");
}

TEST_F(PasteCheck, rejectionHidesTheResult) {
    run(0, u"400638133393");
    form.Txt_Ean_DblClick();
    press(22);
    form.fieldEdited(u"12a4");  // the paste replaced the selected text
    EXPECT_EQ(text(), u"");
    EXPECT_FALSE(state.LabRisultato().Visible);
}

TEST_F(PasteCheck, emptyPasteLeavesTheCheckForTheNextChange) {
    ctrlV(u"");
    form.fieldEdited(u"1b");
    EXPECT_EQ(messageCount(), 1u);
    EXPECT_EQ(text(), u"");
}

}  // namespace
}  // namespace velbarino
