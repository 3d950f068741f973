#include "window_fixture.h"

namespace velbarino {
namespace {

using PasteCheck = WindowTest;

TEST_F(PasteCheck, rejectsPasteWithLetterOnce) {
    run(0, u"400638133393");
    ASSERT_TRUE(state.LabRisultato().Visible);
    form.Txt_Ean_DblClick();
    press(22);
    form.fieldEdited(u"12a4");  // the paste replaced the selected text
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"Codice non valido. Inserire solamente valori numerici.");
    EXPECT_EQ(platform.messages[0].title, u"Velbarino");
    EXPECT_EQ(platform.messages[0].style, 0x10030);
    EXPECT_EQ(text(), u"");
    EXPECT_FALSE(state.LabRisultato().Visible);
    EXPECT_FALSE(state.IncollaInCorso);
}

TEST_F(PasteCheck, tooLongTextWithLetterInsideTheLengthWarnsOnlyOnce) {
    std::u16string textDuringBox;
    platform.onMessage = [&](const auto&) { textDuringBox = text(); };
    ctrlV(u"12a4567890123456");
    EXPECT_EQ(messageCount(), 1u);
    EXPECT_EQ(textDuringBox, u"12a456789012");  // the cut was checked, not the whole paste
    EXPECT_EQ(text(), u"");
}

TEST_F(PasteCheck, nonDigitsBeyondTheLengthAreCutAway) {
    ctrlV(u"400638133393 abc");
    EXPECT_EQ(text(), u"400638133393");
    EXPECT_EQ(messageCount(), 0u);
    enter();
    EXPECT_EQ(state.LabRisultato().Caption, u"1");
}

TEST_F(PasteCheck, exactLengthIsAcceptedWithOneClearing) {
    run(0, u"400638133393");
    pick(0);
    platform.refreshes.clear();
    ctrlV(u"590123412345");
    EXPECT_EQ(text(), u"590123412345");
    EXPECT_EQ(messageCount(), 0u);
    EXPECT_EQ(std::count(platform.refreshes.begin(), platform.refreshes.end(), ControlId::Frm_Ean), 1);
}

TEST_F(PasteCheck, pasteIntoAFullFieldIsCutBackEvenWithLetters) {
    type(u"400638133393");
    ctrlV(u"x7");
    EXPECT_EQ(text(), u"400638133393");
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(PasteCheck, textFromOtherMeansIsNotScanned) {
    form.fieldEdited(u"12345678901x");  // context menu or drag and drop
    EXPECT_EQ(messageCount(), 0u);
    EXPECT_EQ(text(), u"12345678901x");
    enter();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"Errore occorso durante il calcolo del checksum.");
    EXPECT_EQ(platform.messages[0].style, 0x10010);
    EXPECT_EQ(text(), u"12345678901x");
}

TEST_F(PasteCheck, emptyPasteLeavesTheFlagForTheNextChange) {
    ctrlV(u"");
    EXPECT_TRUE(state.IncollaInCorso);
    form.fieldEdited(u"1b");  // a change by other means now runs the check
    EXPECT_EQ(messageCount(), 1u);
    EXPECT_EQ(text(), u"");
}

}  // namespace
}  // namespace velbarino
