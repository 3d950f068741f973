// What Frm_Ean needs from the platform: message boxes, focus, repaints, the
// end of the process and the application information. Each toolkit binding
// implements it; tests fake it.
//
// The binding contract: what every binding (qt/, win32/, a new one) must do
// besides implementing Platform, and what breaks when it does not. The shared
// scenarios (ui/tests/scenarios.h) check each point through every binding.
//  1. Keys. Every character that reaches the field by typing (composed, from
//     the keypad or a scanner included) goes through Frm_Ean::Txt_Ean_KeyPress
//     before the field applies it, Ctrl+V as keys::Paste (22) before the
//     toolkit pastes. A code left at keys::Dropped is not applied, and Enter,
//     which has run the action, is not passed on. Else: letters in the field,
//     a paste never checked, or Windows' EDIT beeping at every Enter.
//  2. Edits. Each change the field makes to its own text (typing, pasting,
//     cutting, dropping) goes to Frm_Ean::fieldEdited; a write of the state
//     (StateObserver::textChanged) never comes back as one. Else the Change
//     handler runs twice and a bad paste warns twice.
//  3. Writes render at once. MainWindowState tells the observer before it runs
//     the nested Change handler, and the binding shows the new text in that
//     call: the field shows the cut paste behind the "Codice non valido" box.
//  4. Picks. Every pick of a list entry calls Frm_Ean::entryPicked once, a
//     re-pick of the selected entry included, and an open list closed without
//     a pick calls nothing. Else the field is cleared and the action said
//     twice, or a re-pick does not clear.
//  5. Clicks. The button calls Cmd_Calcola_Click; a double-click on the field
//     calls Txt_Ean_DblClick after the field's own word selection; one on the
//     code's box calls LabEsatto_DblClick. The box's context menu has "Copia"
//     (texts::kCopia), enabled only while Frm_Ean::codeInLabEsatto() has a
//     code, and calls Frm_Ean::Copia_Click, which copies through copyText.
//  6. Closing. Every request to close the window calls Form_QueryUnload and
//     keeps the window; the program ends in Platform::endProcess, after which
//     no handler runs. What the user copied stays on the clipboard.
//  7. Names and focus. Each control is named for a screen reader by the label
//     nameLabelOf gives (a result box only while its caption is shown), the
//     button by texts::kButtonName; the focus starts on tabStops().front() and
//     labels never take it. Else a blind user hears "..." or nothing.
//  8. Announcements and boxes. announce() is heard at once without moving the
//     focus, a repeated text too. A message box is modal with one OK button,
//     shows messageIcon(style), comes to the front when wantsForeground(style),
//     and returns only once dismissed: the paste check relies on it.
//  9. Looks. Labels are painted with labelColours() from the platform's theme,
//     controls placed with pixelsOf() at the window's DPI.
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

/// What the camera's view gives next: what a new frame read (digits, empty for
/// none), or its end: closed by the user, a camera that was refused, missing,
/// busy or taken away, or a barcode reader that could not start.
struct ScanEvent {
    enum Kind { Frame, Closed, CameraFailed, ReaderFailed } kind = Closed;
    std::u16string code;  // for Frame
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
    /// @brief Puts @p text on the clipboard; false, with the clipboard as it
    /// was, when the platform refuses it.
    virtual bool copyText(std::u16string_view text) = 0;
    virtual AppInfo appInfo() const = 0;
    /// @brief Shows the camera's view, modal, and starts its camera and reader.
    /// Only a platform that called MainWindowState::offerScanning is asked.
    virtual void openScanner() {}
    /// @brief Waits for the view's next event: each new frame decoded once.
    virtual ScanEvent nextScanEvent() { return {ScanEvent::Closed, {}}; }
    /// @brief Closes the view, every track of the camera stopped; @p read
    /// when a code counted (a phone may vibrate). Also after the view's end.
    virtual void closeScanner(bool read) { (void)read; }
};

}  // namespace velbarino
