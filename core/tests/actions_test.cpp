#include <gtest/gtest.h>

#include <map>
#include <string>

#include "actions.h"
#include "fake_platform.h"

namespace velbarino {
namespace {

using testing_support::FakePlatform;

// The result area as four plain records: enough to see what an action shows.
class ResultArea : public ActionWindow {
public:
    explicit ResultArea(std::u16string code) : code_(std::move(code)) {}

    std::u16string codeText() const override { return code_; }
    void setCaption(ControlId control, std::u16string caption) override { captions[control] = std::move(caption); }
    void setVisible(ControlId control, bool visible) override { visibles[control] = visible; }
    void setBackColor(ControlId control, ColourValue colour) override { colours[control] = colour; }
    void PulisciRisultato() override { ++cleared; }

    std::map<ControlId, std::u16string> captions;
    std::map<ControlId, bool> visibles;
    std::map<ControlId, ColourValue> colours;
    int cleared = 0;

private:
    std::u16string code_;
};

TEST(Actions, keywordIsUpperCasedAndTrimmed) {
    FakePlatform platform;
    ResultArea window(u"9638507");
    CalcolaChecksum(u" ean8 ", window, platform);
    EXPECT_EQ(window.captions[ControlId::LabRisultato], u"4");
    EXPECT_EQ(window.captions[ControlId::LabEsatto], u"96385074");
    EXPECT_TRUE(platform.messages.empty());
}

TEST(Actions, unknownKeywordFailsInsteadOfInventingADigit) {
    FakePlatform platform;
    ResultArea window(u"9638507");
    CalcolaChecksum(u"UPC", window, platform);
    EXPECT_EQ(window.cleared, 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(window.visibles.empty());
}

TEST(Actions, failureClearsBeforeTheErrorBox) {
    FakePlatform platform;
    ResultArea window(u"40063813339a");
    int clearedWhileBoxOpen = -1;
    platform.onMessage = [&](const auto&) { clearedWhileBoxOpen = window.cleared; };
    VerificaCodice(u"EAN13", window, platform);
    EXPECT_EQ(clearedWhileBoxOpen, 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"Errore occorso durante il calcolo del checksum.");
    EXPECT_EQ(platform.messages[0].title, u"Velbarino");
    EXPECT_EQ(platform.messages[0].style, 0x10010);
    EXPECT_TRUE(window.visibles.empty());
}

TEST(Actions, verifyingAnEmptyCodeIsAFailureNotAVerdict) {
    FakePlatform platform;
    ResultArea window(u"");
    VerificaCodice(u"EAN13", window, platform);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(window.captions.count(ControlId::LabRisultato), 0u);
}

}  // namespace
}  // namespace velbarino
