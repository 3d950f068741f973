// A code from the camera: the page's scanner, where a browser lists a camera
// and can read barcodes. It enters the field as a handheld scanner's burst,
// so that nothing about it differs from typing.
#include "frm_ean.h"
#include "key_ascii.h"
#include "texts.h"

namespace velbarino {

void Frm_Ean::MenuScan_Click() {
    const ScanOutcome outcome = platform_.scan();
    platform_.setFocus(ControlId::Txt_Ean);  // where a code goes, whatever became of the view
    // A camera refused, missing or busy: said, the window as it was.
    if (outcome.kind == ScanOutcome::Failed) platform_.messageBox(texts::kCameraFailed, texts::kTitle, MessageStyle::Warning);
    if (outcome.kind == ScanOutcome::Read) codeScanned(outcome.code);
}

void Frm_Ean::codeScanned(std::u16string_view code) {
    state_.setText(u"");
    typeCommitted(code, [this](char16_t digit) { state_.setText(state_.Txt_Ean().Text + digit); });
    state_.setSelStart(static_cast<int>(state_.Txt_Ean().Text.size()));
    platform_.refresh(ControlId::Txt_Ean);
    std::int16_t enter = keys::Enter;
    Txt_Ean_KeyPress(enter);
}

}  // namespace velbarino
