#include "window_fixture.h"

#include "texts.h"

namespace velbarino {
namespace {

struct Window {
    testing_support::FakePlatform platform;
    MainWindowState state;
    Frm_Ean form{state, platform};
};

// What a user meets after it: the field, the four result labels, the boxes,
// the bell and what a screen reader heard.
std::vector<std::u16string> seen(const Window& w) {
    std::vector<std::u16string> out{w.state.Txt_Ean().Text, std::u16string(1, static_cast<char16_t>(u'0' + w.platform.beeps))};
    for (const ControlId id : {ControlId::Lab_Desc2, ControlId::LabRisultato, ControlId::Lab_Desc3, ControlId::LabEsatto}) {
        out.push_back(w.state.label(id).Visible ? w.state.label(id).Caption : u"(hidden)");
    }
    for (const auto& box : w.platform.messages) out.push_back(box.text);
    out.insert(out.end(), w.platform.spoken.begin(), w.platform.spoken.end());
    return out;
}

// A code from the camera is the burst a handheld scanner types into an empty
// field, Enter included, whatever the field held and under every action: so
// a 13-digit code under "EAN-13: calcolo checksum" gives its first 12 digits'
// check digit, with the bell for the digit the field refuses.
TEST(Scan, isTypedAsAScannerTypesItUnderEveryAction) {
    for (std::int16_t action = 0; action < 4; ++action) {
        for (const std::u16string code : {u"4006381333931", u"4006381333932", u"96385074", u"96385075", u"400638", u"12a"}) {
            Window scanned, typed;
            for (Window* w : {&scanned, &typed}) {
                w->form.Form_Load();
                w->form.entryPicked(action);
            }
            scanned.form.fieldEdited(u"99");
            scanned.platform.scanned = {ScanOutcome::Read, code};
            scanned.form.Menu_Click(MenuId::MenuScan);
            for (const char16_t c : code + u"\r") {
                auto key = static_cast<std::int16_t>(c);
                typed.form.Txt_Ean_KeyPress(key);
                if (key >= keys::FirstPrintable) typed.form.fieldEdited(typed.state.Txt_Ean().Text + c);
            }
            EXPECT_EQ(seen(scanned), seen(typed)) << "action " << action << ", code of " << code.size();
            EXPECT_EQ(scanned.platform.focus, ControlId::Txt_Ean);
        }
    }
    Window w;
    w.form.Form_Load();
    w.form.codeScanned(u"4006381333931");
    EXPECT_EQ(w.state.LabEsatto().Caption, u"4006381333931");
}

TEST(Scan, theMenuItemIsOfferedOnceAboveFineProgrammaAndAFailedCameraIsSaid) {
    Window w;
    w.state.offerScanning();
    w.state.offerScanning();
    const auto& file = w.state.menus().front().items;
    ASSERT_EQ(file.size(), 2u);
    EXPECT_EQ(file[0].Caption, texts::kMenuScan);
    EXPECT_EQ(file[1].id, MenuId::MenuFine);
    w.form.Menu_Click(file[0].id);  // closed: nothing happens
    w.platform.scanned.kind = ScanOutcome::Failed;
    w.form.Menu_Click(file[0].id);
    EXPECT_EQ(w.platform.scannersOpened, 2);
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].text, u"Impossibile usare la fotocamera.");
    EXPECT_EQ(w.platform.messages[0].style, MessageStyle::Warning);
}

}  // namespace
}  // namespace velbarino
