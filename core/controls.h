// Names of the window and its controls, shared by the actions, the window
// logic, the platform interface and the toolkit binding.
#pragma once

#include <cstdint>

namespace velbarino {

enum class ControlId : std::uint8_t {
    Frm_Ean,
    Cmb_Ean,
    Txt_Ean,
    Cmd_Calcola,
    Lab_Desc0,
    Lab_Desc1,
    Lab_Desc2,
    Lab_Desc3,
    LabRisultato,
    LabEsatto,
};

/// @brief The control of the `Lab_Desc` array at @p index (0 to 3).
constexpr ControlId labDescId(int index) noexcept {
    return static_cast<ControlId>(static_cast<int>(ControlId::Lab_Desc0) + index);
}

}  // namespace velbarino
