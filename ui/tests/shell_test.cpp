#include "window_fixture.h"

namespace velbarino {
namespace {

using Shell = WindowTest;

// The real about box is in the shared scenarios; here, the version line's rule.
TEST_F(Shell, aboutShowsVersionCommentsAndCopyrightWithLoneCarriageReturns) {
    platform.info = {u"Velbarino", 1, 0, 0, u"Verifica dei codici a barre in formato EAN-8 ed EAN-13", u"(c) 2026"};
    form.Menu_Click(MenuId::MenuAbout);
    ASSERT_EQ(messageCount(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              u"Velbarino - Versione 1.00\r\rVerifica dei codici a barre in formato EAN-8 ed EAN-13\r(c) 2026\r");
    EXPECT_EQ(platform.messages[0].title, u"Informazioni su...");
    EXPECT_EQ(platform.messages[0].style, 0x10040);

    platform.info = {u"V", 1, 2, 15, u"c", u"l"};  // the revision follows the minor number directly
    form.MenuAbout_Click();
    EXPECT_EQ(platform.messages[1].text, u"V - Versione 1.215\r\rc\rl\r");
    EXPECT_EQ(platform.endRequests, 0);
}

}  // namespace
}  // namespace velbarino
