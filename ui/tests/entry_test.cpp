#include "window_fixture.h"

namespace velbarino {
namespace {

struct KeyCase : testing_support::NamedCase {
    std::int16_t code;
    bool passes;
};

class KeyFilter : public WindowTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(KeyFilter, onAnEmptyField) {
    EXPECT_EQ(press(GetParam().code), GetParam().passes ? GetParam().code : 0);
    EXPECT_EQ(platform.beeps, GetParam().passes ? 0 : 1);  // a refused key is heard
    EXPECT_EQ(Frm_Ean::passesControlKey(GetParam().code), GetParam().passes && GetParam().code < keys::FirstPrintable);
}

INSTANTIATE_TEST_SUITE_P(
    Entry, KeyFilter,
    // (Digits, letters, blanks, signs, '/' and ':' either side of the digits, a
    // fullwidth digit and Ctrl+C, X, Z, typed for real, are in the shared scenarios.)
    testing::Values(KeyCase{{"backspacePasses"}, 8, true}, KeyCase{{"enterPasses"}, 13, true},
                    KeyCase{{"ctrlVPasses"}, 22, true}, KeyCase{{"ctrlBackspaceIsCancelled"}, 127, false},
                    KeyCase{{"ctrlEnterIsCancelled"}, 10, false}),
    testing_support::NamedCaseName());

using Entry = WindowTest;

TEST_F(Entry, fullFieldRefusesADigitEvenWithAllTextSelected) {
    type(u"123456789012");
    EXPECT_EQ(press('3'), 0);
    EXPECT_EQ(platform.beeps, 1);  // a second scan into a full field is not lost silently
    form.Txt_Ean_DblClick();
    ASSERT_EQ(state.Txt_Ean().SelLength, 12);
    EXPECT_EQ(press('3'), 0);
    type(u"\b");  // Backspace makes room again
    EXPECT_EQ(press('3'), '3');
}

// (The button doing what Enter does is in the shared scenarios.)
TEST_F(Entry, theButtonLowersTheFlagOfAPasteThatNeverCame) {
    type(u"123456789012");
    press(keys::Paste);
    form.Cmd_Calcola_Click();
    EXPECT_EQ(state.LabEsatto().Caption, u"1234567890128");
    form.fieldEdited(u"x");
    EXPECT_EQ(text(), u"x");  // not scanned
    EXPECT_EQ(messageCount(), 0u);
}

using Reuse = WindowTest;

TEST_F(Reuse, completeCodeGivesTheSameBodyBackAndKeepsTheResult) {
    run(0, u"400638133393");
    form.Txt_Ean_DblClick();
    form.LabEsatto_DblClick();
    EXPECT_EQ(text(), u"400638133393");
    EXPECT_EQ(state.Txt_Ean().SelStart, 12);
    EXPECT_EQ(state.Txt_Ean().SelLength, 0);
    EXPECT_EQ(state.LabEsatto().Caption, u"4006381333931");
    EXPECT_TRUE(state.LabEsatto().Visible);
}

}  // namespace
}  // namespace velbarino
