// The character codes that the field's key filter knows by name. A binding
// turns its key events into these before it calls Txt_Ean_KeyPress, and acts
// on what the filter leaves; tests type them.
#pragma once

#include <cstdint>
#include <optional>

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

/// The code that Ctrl with a key carries, as a Windows keyboard gives it:
/// a letter (either case; on a non-Latin layout, the letter of the key's
/// place) or one of @ [ \ ] ^ _ gives its code with the top three bits
/// cleared, so Ctrl+V is 22 and Ctrl+[ is 27. Any other key (Ctrl+-, Ctrl+0,
/// Ctrl+6, Ctrl+=) carries none: it reaches no handler, and keeps whatever
/// meaning the platform gives it (a browser's zoom, say).
constexpr std::optional<std::int16_t> controlCode(char16_t character) noexcept {
    const char16_t upper = character >= u'a' && character <= u'z' ? static_cast<char16_t>(character - 32) : character;
    if (upper < u'@' || upper > u'_') return std::nullopt;
    return static_cast<std::int16_t>(upper & 0x1F);
}

}  // namespace velbarino::keys
