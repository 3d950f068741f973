// Translates a Qt key event into the character code that the window's key
// filter expects (Backspace 8, Enter 13, Ctrl+V 22, a printable character its
// own code), or nothing for keys that carry no character.
#pragma once

#include <QKeyEvent>
#include <cstdint>
#include <optional>

namespace velbarino::qt {

std::optional<std::int16_t> characterCode(int key, Qt::KeyboardModifiers modifiers, const QString& text);

inline std::optional<std::int16_t> characterCode(const QKeyEvent& event) {
    return characterCode(event.key(), event.modifiers(), event.text());
}

}  // namespace velbarino::qt
