#include "key_codes.h"

#include "key_ascii.h"

namespace velbarino::qt {

std::optional<std::int16_t> characterCode(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);

    switch (key) {
        case Qt::Key_Backspace: return control ? keys::CtrlBackspace : keys::Backspace;
        case Qt::Key_Return:
        case Qt::Key_Enter: return control ? keys::LineFeed : keys::Enter;
        case Qt::Key_Escape: return keys::Escape;
        // Editing and moving keys carry no character, whatever text the platform attaches.
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
        case Qt::Key_Insert:
            return std::nullopt;
        default: break;
    }

    // Ctrl with a key is a control character whatever text the event carries
    // (X11 sends "\x16" for Ctrl+V, synthetic events send "v"), or nothing.
    // Qt's codes of the letters and of @ [ \ ] ^ _ are their ASCII.
    if (control && !alt) return key < 0x80 ? keys::controlCode(static_cast<char16_t>(key)) : std::nullopt;

    if (text.isEmpty()) return std::nullopt;
    // The first UTF-16 unit: a character outside the BMP shows its high
    // surrogate, which the filter refuses like any other non-digit.
    return static_cast<std::int16_t>(text.at(0).unicode());
}

}  // namespace velbarino::qt
