// Frm_Ean: the window's event handlers and private procedures over
// MainWindowState. The toolkit binding delivers the user's events here and the
// state raises the nested notifications; every rule of the window lives here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "actions.h"
#include "main_window_state.h"
#include "platform.h"

namespace velbarino {

inline constexpr std::u16string_view kInvalidPaste = u"Codice non valido. Inserire solamente valori numerici.";

class Frm_Ean final : public FormEvents, private ActionWindow {
public:
    /// Attaches itself to @p state as the handler of its notifications.
    Frm_Ean(MainWindowState& state, Platform& platform);
    ~Frm_Ean() override;
    Frm_Ean(const Frm_Ean&) = delete;
    Frm_Ean& operator=(const Frm_Ean&) = delete;

    /// @brief Start-up: fills the action list, selects its first entry, clears the field and the result area.
    void Form_Load();

    /// @brief Key filter, before the field applies a typed character. Sets
    /// @p KeyAscii to 0 to drop the key; runs the selected action on Enter (13).
    void Txt_Ean_KeyPress(std::int16_t& KeyAscii);
    /// @brief The button: exactly what Enter does.
    void Cmd_Calcola_Click();
    /// @brief Selects the whole text of the field.
    void Txt_Ean_DblClick();
    /// @brief Copies the complete or corrected code back into the field.
    void LabEsatto_DblClick();

    /// @brief The field changed its own text (typing, paste, delete, drop).
    void fieldEdited(std::u16string text);
    /// @brief The user picked list entry @p index: Click runs once, also for
    /// the entry that is already selected.
    void entryPicked(std::int16_t index);

    /// @brief Action selection: length, captions, empty field, focus.
    void Cmb_Ean_Click() override;
    /// @brief Paste check after Ctrl+V, then hides the result area.
    void Txt_Ean_Change() override;
    /// @brief Hides and empties the result area.
    void PulisciRisultato() override;

private:
    void enterPath();

    std::u16string codeText() const override;
    void setCaption(ControlId control, std::u16string caption) override;
    void setVisible(ControlId control, bool visible) override;
    void setBackColor(ControlId control, ColourValue colour) override;

    MainWindowState& state_;
    Platform& platform_;
};

}  // namespace velbarino
