// A code from the camera: the page's scanner, where a browser lists a camera
// and can read barcodes. It enters the field as a handheld scanner's burst,
// so that nothing about it differs from typing.
#include "frm_ean.h"
#include "key_ascii.h"
#include "steady_read.h"
#include "texts.h"

namespace velbarino {

// The view's frames until a code counts or the view ends. A camera or a
// reader that fails is said, the window as it was.
void Frm_Ean::MenuScan_Click() {
    platform_.openScanner();
    SteadyRead steady;
    std::optional<std::u16string> code;
    ScanEvent event;
    do {
        event = platform_.nextScanEvent();
        if (event.kind == ScanEvent::Frame) code = steady.frame(event.code);
    } while (event.kind == ScanEvent::Frame && !code);
    platform_.closeScanner(code.has_value());
    platform_.setFocus(ControlId::Txt_Ean);  // where a code goes, whatever became of the view
    if (event.kind == ScanEvent::CameraFailed) platform_.messageBox(texts::kCameraFailed, texts::kTitle, MessageStyle::Warning);
    if (event.kind == ScanEvent::ReaderFailed) platform_.messageBox(texts::kReaderFailed, texts::kTitle, MessageStyle::Warning);
    if (code) codeScanned(*code);
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
