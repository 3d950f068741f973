#include "window_fixture.h"
#include "window_view.h"

namespace velbarino {
namespace {

using Shell = WindowTest;

// The real about box is in the shared scenarios; here, the version line's rule.
TEST_F(Shell, aboutPutsTheRevisionRightAfterTheMinorNumber) {
    platform.info = {u"V", 1, 2, 15, u"c", u"l"};
    form.MenuAbout_Click();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"V - Versione 1.215\r\rc\rl\r");
    EXPECT_EQ(platform.endRequests, 0);
}

// The page's tests read the view as JSON: every UTF-16 unit of the text
// crosses, a quote and a lone surrogate included; a hidden control says only that.
TEST_F(Shell, theWindowViewInJsonKeepsEveryUnitOfTheText) {
    state.setText(std::u16string(u"4\"\\") + static_cast<char16_t>(0xD800) + u"\u00e8");
    const std::string json = toJson(windowView(state));
    EXPECT_NE(json.find(R"("Txt_Ean":{"shown":true,"text":"4\u0022\u005c\ud800\u00e8","place":[16,88,129,19],"border":"sunken"})"),
              std::string::npos) << json;
    EXPECT_NE(json.find(R"("Lab_Desc2":{"shown":false})"), std::string::npos) << json;
}

// Every binding copies through here (what is copied, and when "Copia" is
// offered, is in the shared scenarios); a refused copy must not pass unnoticed.
TEST_F(Shell, aRefusedCopyIsSaidAndTheResultStays) {
    run(0, u"400638133393");
    platform.clipboardRefuses = true;
    form.Copia_Click();
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"Impossibile copiare il codice negli appunti.");
    EXPECT_EQ(platform.messages[0].style, 0x10030);
    EXPECT_EQ(platform.clipboard, u"before");
    EXPECT_EQ(state.LabEsatto().Caption, u"4006381333931");
}

// Text committed at once goes through the filter character by character, the
// length growing with each one let in; a caption names its box only while shown.
TEST_F(Shell, committedTextIsTypedOneCharacterAtATime) {
    std::u16string inserted;
    const auto insert = [&](char16_t c) {
        inserted += c;
        form.fieldEdited(text() + c);
    };
    form.typeCommitted(u"40\u00E80x6\u00BD\r", insert);  // letters, a vulgar fraction, a carriage return
    EXPECT_EQ(inserted, u"4006");
    EXPECT_EQ(platform.beeps, 3);
    form.typeCommitted(u"38133393123", insert);  // three past the length
    EXPECT_EQ(text(), u"400638133393");
    EXPECT_EQ(platform.beeps, 6);
    EXPECT_EQ(messageCount(), 1u);  // the Enter in the first commit: the length message
}

TEST_F(Shell, aCaptionNamesItsBoxOnlyWhileItIsShown) {
    EXPECT_EQ(state.spokenLabelOf(ControlId::Txt_Ean), ControlId::Lab_Desc1);
    EXPECT_EQ(state.spokenLabelOf(ControlId::LabEsatto), std::nullopt);
    run(1, u"4006381333932");
    EXPECT_EQ(state.spokenLabelOf(ControlId::LabEsatto), ControlId::Lab_Desc3);
    run(1, u"4006381333931");  // exact: an empty box, its caption hidden
    EXPECT_EQ(state.spokenLabelOf(ControlId::LabRisultato), ControlId::Lab_Desc2);
    EXPECT_EQ(state.spokenLabelOf(ControlId::LabEsatto), std::nullopt);
}

}  // namespace
}  // namespace velbarino
