// The compute and verify actions: from the code in the entry field to the
// filled result area, or to the error message when no digit can be computed.
#pragma once

#include <string>
#include <string_view>

#include "colour.h"
#include "controls.h"
#include "platform.h"

namespace velbarino {

/// The part of the window that the actions read and write. The window logic
/// implements it over its state; the actions only show and fill, never hide.
class ActionWindow {
public:
    virtual ~ActionWindow() = default;
    /// The text of `Txt_Ean`.
    virtual std::u16string codeText() const = 0;
    virtual void setCaption(ControlId control, std::u16string caption) = 0;
    virtual void setVisible(ControlId control, bool visible) = 0;
    virtual void setBackColor(ControlId control, ColourValue colour) = 0;
    /// Hides and empties the result area.
    virtual void PulisciRisultato() = 0;
};

inline constexpr std::u16string_view kApplicationTitle = u"Velbarino";
inline constexpr std::u16string_view kChecksumError = u"Errore occorso durante il calcolo del checksum.";
inline constexpr std::u16string_view kCodiceEsatto = u"codice esatto";
inline constexpr std::u16string_view kCodiceErrato = u"codice errato";

/// @brief Computes the check digit of the body in the field ("EAN13" or
/// "EAN8", upper-cased and trimmed) and shows it with the complete code.
void CalcolaChecksum(std::u16string_view keyword, ActionWindow& window, Platform& platform);

/// @brief Verifies the complete code in the field: "codice esatto", or
/// "codice errato" with the corrected code.
void VerificaCodice(std::u16string_view keyword, ActionWindow& window, Platform& platform);

}  // namespace velbarino
