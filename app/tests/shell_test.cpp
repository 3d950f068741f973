#include <gtest/gtest.h>

#include "app_info.h"
#include "fake_platform.h"
#include "shell.h"

namespace velbarino {
namespace {

using testing_support::FakePlatform;

TEST(About, showsVersionCommentsAndCopyrightWithLoneCarriageReturns) {
    FakePlatform platform;
    platform.info = applicationInfo();
    Shell(platform).MenuAbout_Click();
    ASSERT_EQ(platform.messages.size(), 1u);
    const auto& box = platform.messages[0];
    EXPECT_EQ(box.text, u"Velbarino - Versione 1.00\r\rVerifica dei codici a barre in formato EAN-8 ed EAN-13\r" +
                            std::u16string(kAppLegalCopyright) + u"\r");
    EXPECT_EQ(box.title, u"Informazioni su...");
    EXPECT_EQ(box.style, 0x10040);
    EXPECT_EQ(platform.endRequests, 0);
}

TEST(About, revisionFollowsMinorWithoutSeparator) {
    AppInfo info{u"Velbarino", 1, 2, 15, u"c", u"l"};
    EXPECT_EQ(aboutText(info), u"Velbarino - Versione 1.215\r\rc\rl\r");
}

TEST(Shutdown, closeRequestCancelsTheCloseAndEndsTheProcess) {
    FakePlatform platform;
    Shell shell(platform);
    bool cancel = false;
    shell.Form_QueryUnload(cancel, 0);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(platform.endRequests, 1);
    EXPECT_TRUE(platform.messages.empty());

    shell.MenuFine_Click();
    EXPECT_EQ(platform.endRequests, 2);
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace velbarino
