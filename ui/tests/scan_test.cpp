#include "window_fixture.h"

#include "texts.h"

namespace velbarino {
namespace {

struct Window {
    testing_support::FakePlatform platform;
    MainWindowState state;
    Frm_Ean form{state, platform};
};

// (A code from the camera entering as typed, under each action, is the
// shared table's Scan row, in the page with the browser's reader.)
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
