// The menus, the about box and the end of the program.
#include "frm_ean.h"
#include "texts.h"

namespace velbarino {

void Frm_Ean::Menu_Click(MenuId menu) {
    switch (menu) {
        case MenuId::MenuFine: MenuFine_Click(); break;
        case MenuId::MenuAbout: MenuAbout_Click(); break;
        case MenuId::MenuScan: MenuScan_Click(); break;
        // The two top-level menus have names so that bindings can build and
        // name them, but choosing one only opens it: no binding sends them,
        // and the switch names them so that a new entry cannot be forgotten.
        case MenuId::MenuFile:
        case MenuId::MenuAbout0: break;
    }
}

void Frm_Ean::MenuFine_Click() { platform_.endProcess(); }

void Frm_Ean::MenuAbout_Click() {
    const AppInfo info = platform_.appInfo();
    constexpr char16_t CR = u'\r';
    std::u16string text = texts::versionLine(info.title, info.major, info.minor, info.revision) + CR + CR;
    text += info.comments + CR;
    text += info.legalCopyright + CR;
    platform_.messageBox(text, texts::kAboutTitle, MessageStyle::Information);
}

void Frm_Ean::Form_QueryUnload(bool& Cancel, int /*UnloadMode: every reason ends the same way*/) {
    Cancel = true;
    MenuFine_Click();
}

}  // namespace velbarino
