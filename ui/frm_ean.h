// Frm_Ean: every event handler and private procedure of the window, over
// MainWindowState. A toolkit binding delivers the user's events here and the
// state raises the nested notifications; every rule of the window lives in
// this class. Its handlers are split by concern:
//   frm_ean_load.cpp     start-up, PulisciRisultato, action selection
//   frm_ean_entry.cpp    key filter, paste check, button, double-clicks
//   frm_ean_actions.cpp  CalcolaChecksum and VerificaCodice
//   frm_ean_shell.cpp    menus, about box, close request
//   frm_ean_scan.cpp     a code from the camera
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "main_window_state.h"
#include "platform.h"

namespace velbarino {

class Frm_Ean final : public FormEvents {
public:
    /// Attaches itself to @p state as the handler of its notifications.
    Frm_Ean(MainWindowState& state, Platform& platform);
    ~Frm_Ean() override;
    Frm_Ean(const Frm_Ean&) = delete;
    Frm_Ean& operator=(const Frm_Ean&) = delete;

    /// @brief Start-up: fills the action list, selects its first entry, clears the field and the result area.
    void Form_Load();

    /// @brief Action selection: length, captions, empty field, focus.
    void Cmb_Ean_Click() override;
    /// @brief The user picked list entry @p index: Click runs once, also for
    /// the entry that is already selected.
    void entryPicked(std::int16_t index);

    /// @brief Key filter, before the field applies a typed character. Sets
    /// @p KeyAscii to 0 to drop the key, with the bell; runs the selected
    /// action on Enter (13).
    void Txt_Ean_KeyPress(std::int16_t& KeyAscii);
    /// @brief The control characters that the filter lets through: Backspace,
    /// Enter and Ctrl+V. Every other one (Ctrl+C, Ctrl+X, Ctrl+Z...) is refused,
    /// so the field's menu must not offer them as shortcuts.
    static bool passesControlKey(std::int16_t code);
    /// @brief Text committed at once (an input method, a composition, a
    /// browser's insertion) is typed one character at a time: each goes
    /// through the key filter, and @p insert puts each one that passes in at
    /// the caret, and reports the edit, before the next is filtered.
    void typeCommitted(std::u16string_view text, const std::function<void(char16_t)>& insert);
    /// @brief Paste check after Ctrl+V, then hides the result area.
    void Txt_Ean_Change() override;
    /// @brief The field changed its own text (typing, paste, delete, drop).
    void fieldEdited(std::u16string text);
    /// @brief The button: exactly what Enter does.
    void Cmd_Calcola_Click();
    /// @brief Selects the whole text of the field.
    void Txt_Ean_DblClick();
    /// @brief Copies the complete or corrected code back into the field.
    void LabEsatto_DblClick();
    /// @brief The code that LabEsatto holds, if any: what its double-click
    /// reuses and its "Copia" menu copies (disabled without one).
    std::optional<std::u16string> codeInLabEsatto() const;
    /// @brief "Copia" of LabEsatto's menu: the code to the clipboard, and a
    /// message when the platform could not put it there.
    void Copia_Click();

    /// @brief A menu entry was chosen; the two top-level menus only open.
    void Menu_Click(MenuId menu);
    /// @brief "Fine Programma": ends the process at once, no question asked.
    void MenuFine_Click();
    /// @brief "Informazioni su...": the about box, modal.
    void MenuAbout_Click();
    /// @brief "Scansiona con la fotocamera...": the platform's camera view;
    /// a code it reads is entered, a camera that fails is said, and the focus
    /// is back on the field.
    void MenuScan_Click();
    /// @brief A code read by the camera, entered as a handheld scanner types
    /// it: the field's text replaced, each character through the key filter
    /// (length, bell), then Enter. The action
    /// picked decides what the code gives, with every rule of typing.
    void codeScanned(std::u16string_view code);
    /// @brief Any request to close the window: keeps the window from closing
    /// itself and ends the program exactly as "Fine Programma" does.
    void Form_QueryUnload(bool& Cancel, int UnloadMode);

private:
    void PulisciRisultato();
    void CalcolaChecksum(std::u16string_view keyword);
    void VerificaCodice(std::u16string_view keyword);
    void enterPath();
    void showAndRepaint(ControlId control);
    void announceResult();

    MainWindowState& state_;
    Platform& platform_;
};

}  // namespace velbarino
