#include "window_fixture.h"

namespace velbarino {
namespace {

struct OutcomeCase {
    const char* name;
    std::int16_t action;
    std::u16string code;
    std::u16string verdict;   // LabRisultato
    std::u16string complete;  // LabEsatto
    bool codeCaptionShown;    // Lab_Desc(3)
    ColourValue boxColour;
};

// Test logs name the case instead of dumping its bytes.
void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.name; }


class Outcome : public WindowTest, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(Outcome, showsWhatTheActionFound) {
    const OutcomeCase& c = GetParam();
    run(c.action, c.code);
    ASSERT_EQ(messageCount(), 0u);
    EXPECT_TRUE(state.Lab_Desc(2).Visible);
    EXPECT_TRUE(state.LabRisultato().Visible);
    EXPECT_TRUE(state.LabEsatto().Visible);
    EXPECT_EQ(state.Lab_Desc(3).Visible, c.codeCaptionShown);
    EXPECT_EQ(state.LabRisultato().Caption, c.verdict);
    EXPECT_EQ(state.LabEsatto().Caption, c.complete);
    EXPECT_EQ(state.LabEsatto().BackColor, c.boxColour);
    EXPECT_EQ(text(), c.code);

    // Enter again on the same text shows the same.
    enter();
    EXPECT_EQ(state.LabRisultato().Caption, c.verdict);
    EXPECT_EQ(state.LabEsatto().Caption, c.complete);
    EXPECT_EQ(state.LabEsatto().BackColor, c.boxColour);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, Outcome,
    testing::Values(
        OutcomeCase{"ean13Compute", 0, u"400638133393", u"1", u"4006381333931", true, kWhite},
        OutcomeCase{"ean13VerifyCorrect", 1, u"4006381333931", u"codice esatto", u"", false, kButtonFace},
        OutcomeCase{"ean13VerifyWrong", 1, u"4006381333932", u"codice errato", u"4006381333931", true, kWhite},
        OutcomeCase{"ean8Compute", 2, u"9638507", u"4", u"96385074", true, kWhite},
        OutcomeCase{"ean8VerifyCorrect", 3, u"96385074", u"codice esatto", u"", false, kButtonFace},
        OutcomeCase{"ean8VerifyWrong", 3, u"96385075", u"codice errato", u"96385074", true, kWhite}),
    [](const auto& info) { return std::string(info.param.name); });

using ResultArea = WindowTest;

TEST_F(ResultArea, clearingMakesTheButtonFaceBoxWhiteAgain) {
    run(3, u"96385074");
    ASSERT_EQ(state.LabEsatto().BackColor, kButtonFace);
    type(u"\b");
    EXPECT_EQ(state.LabEsatto().BackColor, kWhite);
    EXPECT_FALSE(state.LabEsatto().Visible);
    EXPECT_EQ(state.Lab_Desc(2).Caption, u"Risultato");  // captions survive the clearing
    EXPECT_EQ(state.Lab_Desc(3).Caption, u"Codice Esatto");
}

}  // namespace
}  // namespace velbarino
