// Names of the window's controls and menu entries, shared by the window
// logic, the platform interface and the toolkit bindings.
#pragma once

#include <cstdint>

namespace velbarino {

enum class ControlId : std::uint8_t {
    Frm_Ean,
    Cmb_Ean,
    Txt_Ean,
    Cmd_Calcola,
    // The six labels stay together, in this order: bindings keep them in arrays.
    Lab_Desc0,
    Lab_Desc1,
    Lab_Desc2,
    Lab_Desc3,
    LabRisultato,
    LabEsatto,
};

enum class MenuId : std::uint8_t {
    MenuFile,    // top level: only opens
    MenuFine,
    MenuAbout0,  // top level: only opens
    MenuAbout,
};

}  // namespace velbarino
