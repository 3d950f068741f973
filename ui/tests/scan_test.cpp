#include "window_fixture.h"

#include <optional>
#include <vector>

#include "steady_read.h"

namespace velbarino {
namespace {

struct SteadyCase {
    const char* name;
    std::vector<std::u16string> frames;  // each frame's yield, in turn
    std::vector<int> counts;             // the frames (from 0) that make a code count
};

class SteadyReadRule : public testing::TestWithParam<SteadyCase> {};

// 4006381333931 and 96385074 are right; ...932 and ...075 misprints.
INSTANTIATE_TEST_SUITE_P(Frames, SteadyReadRule, testing::Values(
    SteadyCase{"aRightCodeCountsOnItsSecondAgreeingFrame", {u"4006381333931", u"4006381333931"}, {1}},
    SteadyCase{"aMisprintCountsOnItsThirdAgreeingFrame", {u"4006381333932", u"4006381333932", u"4006381333932"}, {2}},
    SteadyCase{"aMisprintedEan8TooNeedsThree", {u"96385075", u"96385075", u"", u"96385075", u"96385075", u"96385075"}, {5}},
    SteadyCase{"aFrameOfAnotherCodeStartsAgain", {u"4006381333931", u"0012345678905", u"4006381333931", u"4006381333931"}, {3}},
    SteadyCase{"aFrameOfNothingStartsAgain", {u"4006381333931", u"", u"4006381333931", u"", u"4006381333931"}, {}},
    SteadyCase{"aStrayFrameInTwentyNeverCounts", {u"", u"", u"", u"", u"", u"", u"", u"", u"", u"4006381333931", u"", u"", u"",
                                                 u"", u"", u"", u"", u"", u"", u""}, {}},
    SteadyCase{"codesOfOtherLengthsOrNotDigitsNeverCount", {u"400638133393", u"400638133393", u"400638133393", u"40063813339311",
                                                            u"40063813339311", u"40063813339311", u"4006381333931\u0661",
                                                            u"4006381333931\u0661", u"4006381333931\u0661"}, {}},
    SteadyCase{"aCountedCodeNeedsItsFramesAgainToCountTwice", {u"96385074", u"96385074", u"96385074", u"96385074"}, {1, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(SteadyReadRule, countsACodeOnlyWhenConsecutiveFramesAgree) {
    SteadyRead rule;
    std::vector<int> counted;
    for (std::size_t i = 0; i < GetParam().frames.size(); ++i) {
        const auto code = rule.frame(GetParam().frames[i]);
        if (code && *code == GetParam().frames[i]) counted.push_back(static_cast<int>(i));
    }
    EXPECT_EQ(counted, GetParam().counts);
}

class ScanWindow : public WindowTest {
protected:
    void scan(std::vector<ScanEvent> events) {
        platform.scanEvents = std::move(events);
        form.Menu_Click(MenuId::MenuScan);
    }
};

// (A steady misprint entering as typed under every action is the page's camera test.)
TEST_F(ScanWindow, aViewThatEndsEntersNothingAndSaysACameraOrReaderThatFailed) {
    type(u"4006");
    scan({{ScanEvent::Frame, u"4006381333932"}, {ScanEvent::Frame, u"4006381333932"}});  // a misprint seen twice, then closed
    scan({{ScanEvent::Frame, u"4006381333931"}, {ScanEvent::CameraFailed, {}}});
    scan({{ScanEvent::ReaderFailed, {}}});
    EXPECT_EQ(text(), u"4006");
    EXPECT_EQ(platform.closedReading, (std::vector<bool>{false, false, false}));
    ASSERT_EQ(messageCount(), 2u);
    EXPECT_EQ(platform.messages[0].text, u"Impossibile usare la fotocamera.");
    EXPECT_EQ(platform.messages[1].text, u"Impossibile avviare il lettore di codici a barre.");
    EXPECT_EQ(platform.messages[1].style, MessageStyle::Warning);
    EXPECT_EQ(platform.focus, ControlId::Txt_Ean);
}

}  // namespace
}  // namespace velbarino
