// What Frm_Ean needs from the platform: message boxes, focus, repaints, the
// end of the process and the application information. Each toolkit binding
// implements it; tests fake it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "controls.h"

namespace velbarino {

/// Message-box style values: the icon plus 0x10000 (come to the foreground),
/// with 0 for the single OK button.
namespace MessageStyle {
inline constexpr std::int32_t Error = 0x10010;
inline constexpr std::int32_t Warning = 0x10030;
inline constexpr std::int32_t Information = 0x10040;
}  // namespace MessageStyle

enum class MessageIcon { None, Error, Warning, Information };

/// @brief The icon that a style value asks for.
constexpr MessageIcon messageIcon(std::int32_t style) noexcept {
    switch (style & 0x70) {
        case 0x10: return MessageIcon::Error;
        case 0x30: return MessageIcon::Warning;
        case 0x40: return MessageIcon::Information;
        default: return MessageIcon::None;
    }
}

/// @brief True when a style value asks the box to come to the foreground.
constexpr bool wantsForeground(std::int32_t style) noexcept { return (style & 0x10000) != 0; }

/// The running program's title and version information, as the about box shows it.
struct AppInfo {
    std::u16string title;
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int16_t revision = 0;
    std::u16string comments;
    std::u16string legalCopyright;
};

class Platform {
public:
    virtual ~Platform() = default;

    /// @brief Shows a modal box with one OK button; returns once it is dismissed.
    virtual void messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) = 0;
    /// @brief Gives the keyboard focus to @p control (ignored while the window is hidden).
    virtual void setFocus(ControlId control) = 0;
    /// @brief Repaints one control, or the whole window for ControlId::Frm_Ean, at once.
    virtual void refresh(ControlId control) = 0;
    /// @brief Ends the process at once; nothing of the program runs afterwards.
    virtual void endProcess() = 0;
    /// @brief Says @p text to a screen reader at once, without moving the focus.
    virtual void announce(std::u16string_view text) = 0;
    /// @brief The platform's bell: the cue that a key was refused.
    virtual void beep() = 0;
    virtual AppInfo appInfo() const = 0;
};

}  // namespace velbarino
