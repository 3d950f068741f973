// Start-up, the clearing of the result area and the action selection.
#include "action_table.h"
#include "frm_ean.h"
#include "texts.h"

namespace velbarino {

Frm_Ean::Frm_Ean(MainWindowState& state, Platform& platform) : state_(state), platform_(platform) {
    state_.setEvents(this);
}

Frm_Ean::~Frm_Ean() { state_.setEvents(nullptr); }

void Frm_Ean::Form_Load() {
    state_.InCaricamento = true;
    state_.clearItems();
    for (const ActionEntry& action : kActions) state_.addItem(std::u16string(action.entry));
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
    const ActionEntry* action = actionAt(state_.Cmb_Ean().ListIndex);
    if (action != nullptr) {
        state_.LunghezzaCodice = action->length;
        state_.setCaption(ControlId::Lab_Desc2, std::u16string(action->resultCaption));
        platform_.refresh(ControlId::Lab_Desc2);
        state_.setCaption(ControlId::Lab_Desc3, std::u16string(action->codeCaption));
        platform_.refresh(ControlId::Lab_Desc3);
    }
    // Any other index keeps the length and captions; the rest runs regardless.
    state_.setCaption(ControlId::Lab_Desc1, texts::lengthCaption(state_.LunghezzaCodice));
    platform_.refresh(ControlId::Lab_Desc1);
    state_.setText(u"");
    if (!state_.InCaricamento) platform_.setFocus(ControlId::Txt_Ean);
    platform_.refresh(ControlId::Txt_Ean);
    // The focus lands in an empty field: say which action it now serves.
    if (!state_.InCaricamento) {
        const std::u16string length = state_.Lab_Desc(1).Caption;
        platform_.announce(action != nullptr ? std::u16string(action->entry) + u", " + length : length);
    }
}

void Frm_Ean::entryPicked(std::int16_t index) {
    if (index == state_.Cmb_Ean().ListIndex) {
        Cmb_Ean_Click();  // a re-pick changes no index, yet the user expects the pick to act
    } else {
        state_.setListIndex(index);
    }
}

}  // namespace velbarino
