#include "window_fixture.h"

namespace velbarino {
namespace {

struct KeyCase {
    const char* name;
    std::int16_t code;
    bool passes;
};

// Test logs name the case instead of dumping its bytes.
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }


class KeyFilter : public WindowTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(KeyFilter, onAnEmptyField) {
    EXPECT_EQ(press(GetParam().code), GetParam().passes ? GetParam().code : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Entry, KeyFilter,
    testing::Values(KeyCase{"backspacePasses", 8, true}, KeyCase{"enterPasses", 13, true},
                    KeyCase{"ctrlVPasses", 22, true}, KeyCase{"digitNinePasses", '9', true},
                    KeyCase{"ctrlCIsCancelled", 3, false}, KeyCase{"ctrlXIsCancelled", 24, false},
                    KeyCase{"ctrlZIsCancelled", 26, false}, KeyCase{"ctrlAIsCancelled", 1, false},
                    KeyCase{"letterIsCancelled", 'a', false}, KeyCase{"blankIsCancelled", ' ', false},
                    KeyCase{"minusIsCancelled", '-', false}, KeyCase{"slashBelowZeroIsCancelled", '/', false},
                    KeyCase{"colonAboveNineIsCancelled", ':', false},
                    KeyCase{"fullwidthDigitIsCancelled", static_cast<std::int16_t>(0xFF11), false}),
    [](const auto& info) { return std::string(info.param.name); });

using Entry = WindowTest;

TEST_F(Entry, fullFieldRefusesADigitEvenWithAllTextSelected) {
    type(u"123456789012");
    EXPECT_EQ(press('3'), 0);
    form.Txt_Ean_DblClick();
    ASSERT_EQ(state.Txt_Ean().SelLength, 12);
    EXPECT_EQ(press('3'), 0);
    EXPECT_EQ(press(8), 8);  // Backspace always passes and makes room again
    type(u"\b");
    EXPECT_EQ(press('3'), '3');
}

TEST_F(Entry, enterWithWrongLengthNamesTheRequiredLength) {
    type(u"12345678901");
    enter();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"Inserire un codice di 12 caratteri.");
    EXPECT_EQ(platform.messages[0].title, u"Velbarino");
    EXPECT_EQ(platform.messages[0].style, 0x10030);
    EXPECT_EQ(text(), u"12345678901");
    EXPECT_FALSE(state.LabRisultato().Visible);

    pick(3);
    enter();
    EXPECT_EQ(platform.messages.back().text, u"Inserire un codice di 8 caratteri.");
}

TEST_F(Entry, buttonGivesExactlyWhatEnterGives) {
    type(u"1234");
    form.Cmd_Calcola_Click();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"Inserire un codice di 12 caratteri.");

    type(u"56789012");
    press(22);
    form.Cmd_Calcola_Click();
    EXPECT_FALSE(state.IncollaInCorso);
    EXPECT_EQ(state.LabRisultato().Caption, u"8");
    EXPECT_EQ(state.LabEsatto().Caption, u"1234567890128");
}

TEST_F(Entry, doubleClickOnFieldSelectsAllOfIt) {
    form.Txt_Ean_DblClick();
    EXPECT_EQ(state.Txt_Ean().SelStart, 0);
    EXPECT_EQ(state.Txt_Ean().SelLength, 0);
    type(u"98765");
    form.Txt_Ean_DblClick();
    EXPECT_EQ(state.Txt_Ean().SelStart, 0);
    EXPECT_EQ(state.Txt_Ean().SelLength, 5);
}

using Reuse = WindowTest;

TEST_F(Reuse, correctedCodeReplacesTheWrongOneAndThenVerifies) {
    run(1, u"4006381333932");
    form.LabEsatto_DblClick();
    EXPECT_EQ(text(), u"4006381333931");
    EXPECT_EQ(state.Txt_Ean().SelStart, 13);
    EXPECT_EQ(state.Txt_Ean().SelLength, 0);
    EXPECT_FALSE(state.LabEsatto().Visible);  // the write changed the field
    enter();
    EXPECT_EQ(state.LabRisultato().Caption, u"codice esatto");
}

TEST_F(Reuse, completeCodeGivesTheSameBodyBackAndKeepsTheResult) {
    run(0, u"400638133393");
    form.Txt_Ean_DblClick();
    form.LabEsatto_DblClick();
    EXPECT_EQ(text(), u"400638133393");
    EXPECT_EQ(state.Txt_Ean().SelStart, 12);
    EXPECT_EQ(state.Txt_Ean().SelLength, 0);
    EXPECT_TRUE(state.LabEsatto().Visible);
    EXPECT_EQ(state.LabEsatto().Caption, u"4006381333931");
}

TEST_F(Reuse, emptyBoxChangesNothing) {
    run(1, u"4006381333931");  // correct: the box is shown empty
    ASSERT_EQ(state.LabEsatto().Caption, u"");
    form.LabEsatto_DblClick();
    EXPECT_EQ(text(), u"4006381333931");
    EXPECT_TRUE(state.LabRisultato().Visible);
}

}  // namespace
}  // namespace velbarino
