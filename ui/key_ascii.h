// The character codes that the field's key filter knows by name. A binding
// turns its key events into these before it calls Txt_Ean_KeyPress, and acts
// on what the filter leaves; tests type them.
#pragma once

#include <cstdint>

namespace velbarino::keys {

inline constexpr std::int16_t Dropped = 0;  // the filter refused the key
inline constexpr std::int16_t Backspace = 8;
inline constexpr std::int16_t LineFeed = 10;  // Ctrl+Enter
inline constexpr std::int16_t Enter = 13;
inline constexpr std::int16_t Paste = 22;  // Ctrl+V
inline constexpr std::int16_t Escape = 27;
inline constexpr std::int16_t CtrlBackspace = 127;  // the DEL character that Ctrl+Backspace types
/// Codes below this one are control keys: they insert nothing.
inline constexpr std::int16_t FirstPrintable = 32;

/// Ctrl with a letter or one of @ [ \ ] ^ _ gives that character's code with
/// the top three bits cleared: Ctrl+V is 22, Ctrl+[ is 27.
constexpr std::int16_t withControl(char16_t character) noexcept {
    const char16_t upper = character >= u'a' && character <= u'z' ? static_cast<char16_t>(character - 32) : character;
    return static_cast<std::int16_t>(upper & 0x1F);
}

}  // namespace velbarino::keys
