#include "window_fixture.h"

namespace velbarino {
namespace {

bool resultAreaHidden(const MainWindowState& state) {
    return !state.Lab_Desc(2).Visible && !state.Lab_Desc(3).Visible && !state.LabRisultato().Visible &&
           !state.LabEsatto().Visible && state.LabRisultato().Caption.empty() && state.LabEsatto().Caption.empty() &&
           state.LabEsatto().BackColor == kWhite;
}

using StartUp = WindowTest;

TEST_F(StartUp, leavesFirstActionSelectedAndResultAreaHidden) {
    const std::vector<std::u16string> entries = {u"EAN-13: calcolo checksum", u"EAN-13: verifica di validita",
                                                 u"EAN-8: calcolo checksum", u"EAN-8: verifica di validita"};
    EXPECT_EQ(state.Cmb_Ean().items, entries);
    EXPECT_EQ(state.Cmb_Ean().ListIndex, 0);
    EXPECT_EQ(state.LunghezzaCodice, 12);
    EXPECT_FALSE(state.InCaricamento);
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(state.Lab_Desc(0).Caption, u"Azione");
    EXPECT_EQ(state.Lab_Desc(1).Caption, u"Codice (12 caratteri)");
    EXPECT_EQ(state.Lab_Desc(2).Caption, u"Checksum");
    EXPECT_EQ(state.Lab_Desc(3).Caption, u"Codice Completo");
    EXPECT_TRUE(resultAreaHidden(state));
    // Start-up leaves the focus alone; the window then starts on the first tab stop.
    EXPECT_FALSE(platform.focus.has_value());
    EXPECT_EQ(state.tabStops(), (std::vector{ControlId::Cmb_Ean, ControlId::Txt_Ean, ControlId::Cmd_Calcola}));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.spoken.empty());
}

using ActionSelection = WindowTest;

TEST_F(ActionSelection, pickingVerifyEan8SetsLengthCaptionsAndFocus) {
    type(u"123");
    pick(3);
    EXPECT_EQ(state.LunghezzaCodice, 8);
    EXPECT_EQ(state.Lab_Desc(1).Caption, u"Codice (8 caratteri)");
    EXPECT_EQ(state.Lab_Desc(2).Caption, u"Risultato");
    EXPECT_EQ(state.Lab_Desc(3).Caption, u"Codice Esatto");
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(platform.focus, ControlId::Txt_Ean);
    EXPECT_EQ(platform.spoken, std::vector<std::u16string>{u"EAN-8: verifica di validita, Codice (8 caratteri)"});
}

TEST_F(ActionSelection, pickingComputeAfterAVerifyResultHidesItAndRelabels) {
    run(1, u"4006381333932");
    ASSERT_TRUE(state.LabEsatto().Visible);
    pick(2);
    EXPECT_TRUE(resultAreaHidden(state));
    EXPECT_EQ(state.Lab_Desc(2).Caption, u"Checksum");
    EXPECT_EQ(state.Lab_Desc(3).Caption, u"Codice Completo");
}

TEST_F(ActionSelection, rePickOfSelectedEntryStillEmptiesTheField) {
    run(0, u"400638133393");
    platform.focus.reset();
    pick(0);
    EXPECT_EQ(text(), u"");
    EXPECT_TRUE(resultAreaHidden(state));
    EXPECT_EQ(platform.focus, ControlId::Txt_Ean);
}

}  // namespace
}  // namespace velbarino
