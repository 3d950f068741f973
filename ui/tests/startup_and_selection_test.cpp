#include "window_fixture.h"

namespace velbarino {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, leavesFirstActionSelectedAndResultAreaHidden) {
    const ComboControl& list = state.Cmb_Ean();
    ASSERT_EQ(list.items.size(), 4u);
    EXPECT_EQ(list.items[0], u"EAN-13: calcolo checksum");
    EXPECT_EQ(list.items[1], u"EAN-13: verifica di validita");
    EXPECT_EQ(list.items[2], u"EAN-8: calcolo checksum");
    EXPECT_EQ(list.items[3], u"EAN-8: verifica di validita");
    EXPECT_EQ(list.ListIndex, 0);

    EXPECT_EQ(state.LunghezzaCodice, 12);
    EXPECT_FALSE(state.InCaricamento);
    EXPECT_FALSE(state.IncollaInCorso);
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(state.Lab_Desc(0).Caption, u"Azione");
    EXPECT_EQ(state.Lab_Desc(1).Caption, u"Codice (12 caratteri)");
    EXPECT_EQ(state.Lab_Desc(2).Caption, u"Checksum");
    EXPECT_EQ(state.Lab_Desc(3).Caption, u"Codice Completo");
    for (ControlId id : {ControlId::Lab_Desc2, ControlId::Lab_Desc3, ControlId::LabRisultato, ControlId::LabEsatto}) {
        EXPECT_FALSE(label(id).Visible);
    }
    EXPECT_EQ(state.LabRisultato().Caption, u"");
    EXPECT_EQ(state.LabEsatto().Caption, u"");
    EXPECT_EQ(state.LabEsatto().BackColor, kWhite);
    EXPECT_TRUE(state.Lab_Desc(0).Visible);
    EXPECT_TRUE(state.Lab_Desc(1).Visible);
    // The window, not start-up, puts the focus on the first control of the tab order.
    EXPECT_FALSE(platform.focus.has_value());
    EXPECT_TRUE(platform.messages.empty());
}

TEST(StartUpSequence, selectionRunsNestedWhileLoading) {
    testing_support::FakePlatform platform;
    MainWindowState state;
    Frm_Ean form(state, platform);
    EXPECT_EQ(state.LunghezzaCodice, 0);
    form.Form_Load();
    EXPECT_EQ(state.LunghezzaCodice, 12);  // set by the Click that the ListIndex write raised
    EXPECT_FALSE(platform.focus.has_value());
    EXPECT_EQ(platform.refreshes.back(), ControlId::Frm_Ean);  // PulisciRisultato's last step
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
}

TEST_F(ActionSelection, pickingComputeAfterAVerifyResultHidesItAndRelabels) {
    run(1, u"4006381333932");
    ASSERT_TRUE(state.LabEsatto().Visible);
    pick(2);
    EXPECT_FALSE(state.LabEsatto().Visible);
    EXPECT_FALSE(state.LabRisultato().Visible);
    EXPECT_EQ(state.LabEsatto().Caption, u"");
    EXPECT_EQ(state.Lab_Desc(2).Caption, u"Checksum");
    EXPECT_EQ(state.Lab_Desc(3).Caption, u"Codice Completo");
}

TEST_F(ActionSelection, rePickOfSelectedEntryStillEmptiesTheField) {
    run(0, u"400638133393");
    ASSERT_TRUE(state.LabEsatto().Visible);
    platform.focus.reset();
    pick(0);
    EXPECT_EQ(text(), u"");
    EXPECT_FALSE(state.LabEsatto().Visible);
    EXPECT_EQ(platform.focus, ControlId::Txt_Ean);
}

TEST_F(ActionSelection, noSelectionKeepsLengthButStillEmptiesAndFocuses) {
    pick(3);
    type(u"1234");
    platform.focus.reset();
    pick(-1);
    EXPECT_EQ(state.Cmb_Ean().ListIndex, -1);
    EXPECT_EQ(state.LunghezzaCodice, 8);
    EXPECT_EQ(state.Lab_Desc(1).Caption, u"Codice (8 caratteri)");
    EXPECT_EQ(state.Lab_Desc(2).Caption, u"Risultato");
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(platform.focus, ControlId::Txt_Ean);

    // Enter of the right length with nothing selected does nothing at all.
    type(u"12345678");
    enter();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(state.LabRisultato().Visible);
}

}  // namespace
}  // namespace velbarino
