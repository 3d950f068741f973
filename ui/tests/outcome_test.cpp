#include "window_fixture.h"

namespace velbarino {
namespace {

struct OutcomeCase : testing_support::NamedCase {
    std::int16_t action;
    std::u16string code;
    std::u16string verdict;   // LabRisultato
    std::u16string complete;  // LabEsatto
    bool codeCaptionShown;    // Lab_Desc(3)
    ColourValue boxColour;
    std::u16string spoken;    // what a screen reader is told
};

class Outcome : public WindowTest, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(Outcome, showsWhatTheActionFound) {
    const OutcomeCase& c = GetParam();
    run(c.action, c.code);
    for (int repeat = 0; repeat < 2; ++repeat) {  // Enter again on the same text shows the same
        ASSERT_EQ(messageCount(), 0u);
        EXPECT_TRUE(state.Lab_Desc(2).Visible);
        EXPECT_TRUE(state.LabRisultato().Visible);
        EXPECT_TRUE(state.LabEsatto().Visible);
        EXPECT_EQ(state.Lab_Desc(3).Visible, c.codeCaptionShown);
        EXPECT_EQ(state.LabRisultato().Caption, c.verdict);
        EXPECT_EQ(state.LabEsatto().Caption, c.complete);
        EXPECT_EQ(state.LabEsatto().BackColor, c.boxColour);
        EXPECT_EQ(text(), c.code);
        ASSERT_EQ(platform.spoken.size(), 2u + repeat);  // after the pick, then each result
        EXPECT_EQ(platform.spoken.back(), c.spoken);
        enter();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Actions, Outcome,
    testing::Values(
        OutcomeCase{{"ean13Compute"}, 0, u"400638133393", u"1", u"4006381333931", true, kWhite,
                    u"Checksum 1, Codice Completo 4006381333931"},
        OutcomeCase{{"ean13ComputeTotal90"}, 0, u"501234567890", u"0", u"5012345678900", true, kWhite,
                    u"Checksum 0, Codice Completo 5012345678900"},
        OutcomeCase{{"ean13VerifyCorrect"}, 1, u"4006381333931", u"codice esatto", u"", false, kButtonFace,
                    u"Risultato codice esatto"},
        OutcomeCase{{"ean13VerifyCorrectZero"}, 1, u"5012345678900", u"codice esatto", u"", false, kButtonFace,
                    u"Risultato codice esatto"},
        OutcomeCase{{"ean13VerifyWrong"}, 1, u"5901234123450", u"codice errato", u"5901234123457", true, kWhite,
                    u"Risultato codice errato, Codice Esatto 5901234123457"},
        OutcomeCase{{"ean8Compute"}, 2, u"9638507", u"4", u"96385074", true, kWhite,
                    u"Checksum 4, Codice Completo 96385074"},
        OutcomeCase{{"ean8VerifyCorrect"}, 3, u"73513537", u"codice esatto", u"", false, kButtonFace,
                    u"Risultato codice esatto"},
        OutcomeCase{{"ean8VerifyWrong"}, 3, u"73513536", u"codice errato", u"73513537", true, kWhite,
                    u"Risultato codice errato, Codice Esatto 73513537"}),
    testing_support::NamedCaseName());

using ResultArea = WindowTest;

TEST_F(ResultArea, clearingMakesTheButtonFaceBoxWhiteAgain) {
    run(3, u"96385074");
    ASSERT_EQ(state.LabEsatto().BackColor, kButtonFace);
    type(u"\b");
    EXPECT_EQ(state.LabEsatto().BackColor, kWhite);
    EXPECT_FALSE(state.LabEsatto().Visible);
    EXPECT_EQ(state.Lab_Desc(3).Caption, u"Codice Esatto");  // captions survive the clearing
}

}  // namespace
}  // namespace velbarino
