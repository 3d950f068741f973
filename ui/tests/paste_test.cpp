#include "window_fixture.h"

namespace velbarino {
namespace {

// What Ctrl+V lets in is in the shared scenarios; here, what only the handlers can do.
using PasteCheck = WindowTest;

TEST_F(PasteCheck, intoTheMiddleKeepsTheFirstTwelveAndOnlyThatChangeIsScanned) {
    type(u"400638133393");
    ctrlV(u"77", 2);
    EXPECT_EQ(text(), u"407706381333");
    form.fieldEdited(text() + u"x");  // the next change is the field's own
    EXPECT_EQ(text(), u"407706381333x");
    EXPECT_EQ(messageCount(), 0u);
}

TEST_F(PasteCheck, rejectionHidesTheResult) {
    run(0, u"400638133393");
    form.Txt_Ean_DblClick();
    press(22);
    form.fieldEdited(u"12a4");  // the paste replaced the selected text
    EXPECT_EQ(text(), u"");
    EXPECT_FALSE(state.LabRisultato().Visible);
    EXPECT_EQ(platform.messages.at(0).style, 0x10030);
}

TEST_F(PasteCheck, emptyPasteLeavesTheCheckForTheNextChange) {
    ctrlV(u"");
    form.fieldEdited(u"1b");
    EXPECT_EQ(messageCount(), 1u);
    EXPECT_EQ(text(), u"");
}

}  // namespace
}  // namespace velbarino
