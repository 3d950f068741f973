// Names of the window's controls and menu entries, shared by the window
// logic, the platform interface and the toolkit bindings.
#pragma once

#include <array>
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
    MenuScan,    // in "File", only where a camera can read barcodes (offerScanning)
};

/// The labels, in the order of their names above.
inline constexpr std::array<ControlId, 6> kLabelIds = {ControlId::Lab_Desc0, ControlId::Lab_Desc1, ControlId::Lab_Desc2,
                                                      ControlId::Lab_Desc3, ControlId::LabRisultato, ControlId::LabEsatto};

/// A control's name, as the bindings name their widgets and elements after it.
constexpr const char* controlName(ControlId id) noexcept {
    constexpr const char* names[] = {"Frm_Ean",   "Cmb_Ean",   "Txt_Ean",   "Cmd_Calcola",  "Lab_Desc0",
                                     "Lab_Desc1", "Lab_Desc2", "Lab_Desc3", "LabRisultato", "LabEsatto"};
    return names[static_cast<int>(id)];
}

constexpr const char* menuName(MenuId id) noexcept {
    constexpr const char* names[] = {"MenuFile", "MenuFine", "MenuAbout0", "MenuAbout", "MenuScan"};
    return names[static_cast<int>(id)];
}

}  // namespace velbarino
