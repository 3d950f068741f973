// The rules of the entry field: the key filter, the paste check, the button,
// and the two double-clicks.
#include <algorithm>

#include "action_table.h"
#include "checksum.h"
#include "frm_ean.h"
#include "key_ascii.h"
#include "texts.h"

namespace velbarino {
namespace {

int lengthOf(const std::u16string& text) { return static_cast<int>(text.size()); }

}  // namespace

bool Frm_Ean::passesControlKey(std::int16_t code) {
    return code == keys::Backspace || code == keys::Enter || code == keys::Paste;
}

void Frm_Ean::Txt_Ean_KeyPress(std::int16_t& KeyAscii) {
    state_.IncollaInCorso = false;
    switch (KeyAscii) {
        case keys::Backspace: break;
        case keys::Enter: enterPath(); break;
        case keys::Paste: state_.IncollaInCorso = true; break;
        default:
            if (KeyAscii >= u'0' && KeyAscii <= u'9') {
                // A full field refuses a digit even when text is selected.
                if (lengthOf(state_.Txt_Ean().Text) >= state_.LunghezzaCodice) KeyAscii = keys::Dropped;
            } else {
                KeyAscii = keys::Dropped;
            }
            // A scanner's second code into a full field would be lost silently.
            if (KeyAscii == keys::Dropped) platform_.beep();
    }
}

void Frm_Ean::enterPath() {
    if (lengthOf(state_.Txt_Ean().Text) != state_.LunghezzaCodice) {
        platform_.messageBox(texts::wrongLength(state_.LunghezzaCodice), texts::kTitle, MessageStyle::Warning);
        return;
    }
    const ActionEntry* action = actionAt(state_.Cmb_Ean().ListIndex);
    if (action == nullptr) return;  // nothing selected: nothing to run
    if (action->verify) {
        VerificaCodice(action->keyword);
    } else {
        CalcolaChecksum(action->keyword);
    }
}

void Frm_Ean::Txt_Ean_Change() {
    if (state_.IncollaInCorso) {
        const int required = std::max<int>(state_.LunghezzaCodice, 0);
        if (lengthOf(state_.Txt_Ean().Text) >= required) {
            // Nested: this write re-enters with IncollaInCorso still set and
            // checks the cut text, so a bad paste warns once, from in there.
            state_.setText(state_.Txt_Ean().Text.substr(0, static_cast<std::size_t>(required)));
        }
        // Nothing can change the text during the scan but its own clearing.
        const std::u16string& text = state_.Txt_Ean().Text;
        if (!std::all_of(text.begin(), text.end(), isCodeDigit)) {
            platform_.messageBox(texts::kInvalidPaste, texts::kTitle, MessageStyle::Warning);
            state_.setText(u"");
            platform_.refresh(ControlId::Txt_Ean);
        }
    }
    state_.IncollaInCorso = false;
    PulisciRisultato();
}

void Frm_Ean::fieldEdited(std::u16string text) { state_.setText(std::move(text)); }

void Frm_Ean::typeCommitted(std::u16string_view text, const std::function<void(char16_t)>& insert) {
    for (const char16_t character : text) {
        auto code = static_cast<std::int16_t>(character);
        Txt_Ean_KeyPress(code);
        // Refused, or a control key that inserts nothing.
        if (code >= keys::FirstPrintable) insert(static_cast<char16_t>(code));
    }
}

void Frm_Ean::Cmd_Calcola_Click() {
    std::int16_t enter = keys::Enter;
    Txt_Ean_KeyPress(enter);
}

void Frm_Ean::Txt_Ean_DblClick() {
    state_.setSelStart(0);
    state_.setSelLength(lengthOf(state_.Txt_Ean().Text));
    platform_.refresh(ControlId::Txt_Ean);
}

std::optional<std::u16string> Frm_Ean::codeInLabEsatto() const {
    const std::u16string& caption = state_.LabEsatto().Caption;
    // Numeric: a non-empty string of digits; the empty box of an exact code is not.
    if (caption.empty() || !std::all_of(caption.begin(), caption.end(), isCodeDigit)) return std::nullopt;
    return caption;
}

// Copying only reads the code: the double-click stays the way to reuse it.
void Frm_Ean::Copia_Click() {
    const std::optional<std::u16string> code = codeInLabEsatto();
    if (!code || platform_.copyText(*code)) return;
    // A copy that silently did nothing would be pasted later as the old text.
    platform_.messageBox(texts::kCopyFailed, texts::kTitle, MessageStyle::Warning);
}

void Frm_Ean::LabEsatto_DblClick() {
    const std::optional<std::u16string> code = codeInLabEsatto();
    if (!code) return;
    const auto keep = static_cast<std::size_t>(std::max<int>(state_.LunghezzaCodice, 0));
    state_.setText(code->substr(0, keep));
    state_.setSelStart(lengthOf(state_.Txt_Ean().Text));
    platform_.refresh(ControlId::Txt_Ean);
}

}  // namespace velbarino
