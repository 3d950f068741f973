// The program shell: the two menu commands and the window's close request.
// Plain C++ over the platform interface; the binding calls these handlers.
#pragma once

#include <string>

#include "platform.h"

namespace velbarino {

/// @brief The about text: "<title> - Versione <major>.<minor><revision>", an
/// empty line, the comments and the copyright line, each line ended by a lone CR.
std::u16string aboutText(const AppInfo& info);

class Shell {
public:
    explicit Shell(Platform& platform) : platform_(platform) {}

    /// @brief "Fine Programma": ends the process at once, no question asked.
    void MenuFine_Click();
    /// @brief "Informazioni su...": the about box, modal.
    void MenuAbout_Click();
    /// @brief Any request to close the window: keeps the window from closing
    /// itself and ends the program exactly as "Fine Programma" does.
    void Form_QueryUnload(bool& Cancel, int UnloadMode);

private:
    Platform& platform_;
};

}  // namespace velbarino
