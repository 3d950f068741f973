#include "frm_ean.h"

#include <algorithm>
#include <array>

#include "checksum.h"
#include "decimal.h"

namespace velbarino {
namespace {

constexpr std::int16_t kBackspace = 8;
constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kPaste = 22;  // Ctrl+V

// The four actions of the list, in ActionIndex order: what the list shows,
// the length the field must have, the captions of the result area, and what
// Enter runs.
struct Action {
    std::u16string_view entry;
    std::int16_t length;
    std::u16string_view resultCaption;
    std::u16string_view codeCaption;
    void (*run)(std::u16string_view keyword, ActionWindow& window, Platform& platform);
    std::u16string_view keyword;
};

constexpr std::array<Action, 4> kActions = {{
    {u"EAN-13: calcolo checksum", 12, u"Checksum", u"Codice Completo", CalcolaChecksum, u"EAN13"},
    {u"EAN-13: verifica di validita", 13, u"Risultato", u"Codice Esatto", VerificaCodice, u"EAN13"},
    {u"EAN-8: calcolo checksum", 7, u"Checksum", u"Codice Completo", CalcolaChecksum, u"EAN8"},
    {u"EAN-8: verifica di validita", 8, u"Risultato", u"Codice Esatto", VerificaCodice, u"EAN8"},
}};

const Action* actionAt(std::int16_t index) {
    return index >= 0 && index < static_cast<int>(kActions.size()) ? &kActions[static_cast<std::size_t>(index)]
                                                                    : nullptr;
}

bool isNumericCaption(const std::u16string& caption) {
    return !caption.empty() && std::all_of(caption.begin(), caption.end(), isCodeDigit);
}

int lengthOf(const std::u16string& text) { return static_cast<int>(text.size()); }

}  // namespace

Frm_Ean::Frm_Ean(MainWindowState& state, Platform& platform) : state_(state), platform_(platform) {
    state_.setEvents(this);
}

Frm_Ean::~Frm_Ean() { state_.setEvents(nullptr); }

void Frm_Ean::Form_Load() {
    state_.InCaricamento = true;
    state_.clearItems();
    for (const Action& action : kActions) state_.addItem(std::u16string(action.entry));
    state_.setListIndex(0);  // runs Cmb_Ean_Click, which leaves the focus alone during start-up
    platform_.refresh(ControlId::Cmb_Ean);
    state_.setText(u"");
    platform_.refresh(ControlId::Txt_Ean);
    PulisciRisultato();
    state_.InCaricamento = false;
}

void Frm_Ean::PulisciRisultato() {
    state_.setVisible(ControlId::Lab_Desc2, false);
    platform_.refresh(ControlId::Lab_Desc2);

    state_.setVisible(ControlId::LabRisultato, false);
    state_.setCaption(ControlId::LabRisultato, u"");
    platform_.refresh(ControlId::LabRisultato);

    state_.setVisible(ControlId::Lab_Desc3, false);
    platform_.refresh(ControlId::Lab_Desc3);

    state_.setBackColor(ControlId::LabEsatto, kWhite);
    state_.setVisible(ControlId::LabEsatto, false);
    state_.setCaption(ControlId::LabEsatto, u"");
    platform_.refresh(ControlId::LabEsatto);

    platform_.refresh(ControlId::Frm_Ean);
}

void Frm_Ean::Cmb_Ean_Click() {
    if (const Action* setup = actionAt(state_.Cmb_Ean().ListIndex)) {
        state_.LunghezzaCodice = setup->length;
        state_.setCaption(ControlId::Lab_Desc2, std::u16string(setup->resultCaption));
        platform_.refresh(ControlId::Lab_Desc2);
        state_.setCaption(ControlId::Lab_Desc3, std::u16string(setup->codeCaption));
        platform_.refresh(ControlId::Lab_Desc3);
    }
    // Any other index keeps the length and captions; the rest runs regardless.
    state_.setCaption(ControlId::Lab_Desc1, u"Codice (" + decimalText(state_.LunghezzaCodice) + u" caratteri)");
    platform_.refresh(ControlId::Lab_Desc1);
    state_.setText(u"");
    if (!state_.InCaricamento) platform_.setFocus(ControlId::Txt_Ean);
    platform_.refresh(ControlId::Txt_Ean);
}

void Frm_Ean::entryPicked(std::int16_t index) {
    if (index == state_.Cmb_Ean().ListIndex) {
        Cmb_Ean_Click();  // a re-pick changes no index, yet the user expects the pick to act
    } else {
        state_.setListIndex(index);
    }
}

void Frm_Ean::Txt_Ean_KeyPress(std::int16_t& KeyAscii) {
    state_.IncollaInCorso = false;
    switch (KeyAscii) {
        case kBackspace: break;
        case kEnter: enterPath(); break;
        case kPaste: state_.IncollaInCorso = true; break;
        default:
            if (KeyAscii >= u'0' && KeyAscii <= u'9') {
                // A full field refuses a digit even when text is selected.
                if (lengthOf(state_.Txt_Ean().Text) >= state_.LunghezzaCodice) KeyAscii = 0;
            } else {
                KeyAscii = 0;
            }
    }
}

void Frm_Ean::enterPath() {
    if (lengthOf(state_.Txt_Ean().Text) != state_.LunghezzaCodice) {
        platform_.messageBox(u"Inserire un codice di " + decimalText(state_.LunghezzaCodice) + u" caratteri.",
                             kApplicationTitle, MessageStyle::Warning);
        return;
    }
    // Nothing selected: nothing to run.
    if (const Action* action = actionAt(state_.Cmb_Ean().ListIndex)) action->run(action->keyword, *this, platform_);
}

void Frm_Ean::Txt_Ean_Change() {
    if (state_.IncollaInCorso) {
        const int required = state_.LunghezzaCodice;
        if (lengthOf(state_.Txt_Ean().Text) >= required) {
            // Nested: this write re-enters with IncollaInCorso still set and checks the cut text.
            state_.setText(state_.Txt_Ean().Text.substr(0, static_cast<std::size_t>(std::max(required, 0))));
        }
        const int last = lengthOf(state_.Txt_Ean().Text);
        for (int position = 0; position < last; ++position) {
            const std::u16string& text = state_.Txt_Ean().Text;  // afresh: a nested run may have emptied it
            if (position >= lengthOf(text)) break;
            if (!isCodeDigit(text[static_cast<std::size_t>(position)])) {
                platform_.messageBox(kInvalidPaste, kApplicationTitle, MessageStyle::Warning);
                state_.setText(u"");
                platform_.refresh(ControlId::Txt_Ean);
                break;
            }
        }
    }
    state_.IncollaInCorso = false;
    PulisciRisultato();
}

void Frm_Ean::Cmd_Calcola_Click() {
    std::int16_t enter = kEnter;
    Txt_Ean_KeyPress(enter);
}

void Frm_Ean::fieldEdited(std::u16string text) { state_.setText(std::move(text)); }

void Frm_Ean::Txt_Ean_DblClick() {
    state_.setSelStart(0);
    state_.setSelLength(lengthOf(state_.Txt_Ean().Text));
    platform_.refresh(ControlId::Txt_Ean);
}

void Frm_Ean::LabEsatto_DblClick() {
    const std::u16string caption = state_.LabEsatto().Caption;
    if (!isNumericCaption(caption)) return;
    const auto keep = static_cast<std::size_t>(std::max<int>(state_.LunghezzaCodice, 0));
    state_.setText(caption.substr(0, keep));
    state_.setSelStart(lengthOf(state_.Txt_Ean().Text));
    platform_.refresh(ControlId::Txt_Ean);
}

std::u16string Frm_Ean::codeText() const { return state_.Txt_Ean().Text; }

void Frm_Ean::setCaption(ControlId control, std::u16string caption) { state_.setCaption(control, std::move(caption)); }

void Frm_Ean::setVisible(ControlId control, bool visible) { state_.setVisible(control, visible); }

void Frm_Ean::setBackColor(ControlId control, ColourValue colour) { state_.setBackColor(control, colour); }

}  // namespace velbarino
