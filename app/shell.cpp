#include "shell.h"

#include "decimal.h"

namespace velbarino {

std::u16string aboutText(const AppInfo& info) {
    constexpr char16_t CR = u'\r';
    std::u16string text;
    text += info.title + u" - Versione " + decimalText(info.major) + u"." + decimalText(info.minor) +
            decimalText(info.revision) + CR + CR;
    text += info.comments + CR;
    text += info.legalCopyright + CR;
    return text;
}

void Shell::MenuFine_Click() { platform_.endProcess(); }

void Shell::MenuAbout_Click() {
    platform_.messageBox(aboutText(platform_.appInfo()), u"Informazioni su...", MessageStyle::Information);
}

void Shell::Form_QueryUnload(bool& Cancel, int /*UnloadMode: every reason ends the same way*/) {
    Cancel = true;
    MenuFine_Click();
}

}  // namespace velbarino
