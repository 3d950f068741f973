// The four entries of the action list, in ActionIndex order: what the list
// shows, the length the field must have, the captions of the result area, and
// what Enter runs. Start-up, the selection and the Enter path all read it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "texts.h"

namespace velbarino {

struct ActionEntry {
    std::u16string_view entry;
    std::int16_t length;
    std::u16string_view resultCaption;  // Lab_Desc(2)
    std::u16string_view codeCaption;    // Lab_Desc(3)
    bool verify;                        // VerificaCodice, else CalcolaChecksum
    std::u16string_view keyword;
};

inline constexpr std::array<ActionEntry, 4> kActions = {{
    {texts::kEan13Compute, 12, texts::kChecksum, texts::kCodiceCompleto, false, u"EAN13"},
    {texts::kEan13Verify, 13, texts::kRisultato, texts::kCodiceEsatto, true, u"EAN13"},
    {texts::kEan8Compute, 7, texts::kChecksum, texts::kCodiceCompleto, false, u"EAN8"},
    {texts::kEan8Verify, 8, texts::kRisultato, texts::kCodiceEsatto, true, u"EAN8"},
}};

/// The entry at @p index, or nullptr for -1 (nothing selected) or any other index.
inline const ActionEntry* actionAt(std::int16_t index) {
    return index >= 0 && index < static_cast<int>(kActions.size()) ? &kActions[static_cast<std::size_t>(index)]
                                                                    : nullptr;
}

}  // namespace velbarino
