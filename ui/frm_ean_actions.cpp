// The compute and verify actions: from the code in the entry field to the
// filled result area, or to the error message when no digit can be computed.
// They only show and fill; the Change handler hides.
#include "checksum.h"
#include "frm_ean.h"
#include "texts.h"

namespace velbarino {
namespace {

std::u16string normalisedKeyword(std::u16string_view keyword) {
    std::u16string upper(keyword);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    const auto first = upper.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return upper.substr(first, upper.find_last_not_of(u' ') - first + 1);
}

// Callers pass only "EAN13" and "EAN8"; anything else fails like an
// unreadable code rather than showing a digit that was never computed.
CheckDigit checkDigitFor(std::u16string_view keyword, std::u16string_view code) {
    const std::u16string kind = normalisedKeyword(keyword);
    if (kind == u"EAN13") return ChecksumEan13(code);
    if (kind == u"EAN8") return ChecksumEan8(code);
    return -1;
}

}  // namespace

void Frm_Ean::showAndRepaint(ControlId control) {
    state_.setVisible(control, true);
    platform_.refresh(control);
}

// The result boxes never take the focus, so a screen reader user would never
// hear them: say each shown box, after its caption when that is shown too.
void Frm_Ean::announceResult() {
    std::u16string spoken;
    const auto say = [&](ControlId captionId, ControlId boxId) {
        const LabelControl& caption = state_.label(captionId);
        const LabelControl& box = state_.label(boxId);
        if (!box.Visible || box.Caption.empty()) return;
        if (!spoken.empty()) spoken += u", ";
        if (caption.Visible) spoken += caption.Caption + u" ";
        spoken += box.Caption;
    };
    say(ControlId::Lab_Desc2, ControlId::LabRisultato);
    say(ControlId::Lab_Desc3, ControlId::LabEsatto);
    platform_.announce(spoken);
}

void Frm_Ean::CalcolaChecksum(std::u16string_view keyword) {
    const std::u16string code = state_.Txt_Ean().Text;
    const CheckDigit digit = checkDigitFor(keyword, code);
    if (digit < 0) {
        // Every way to an unreadable text passes the Change handler, which has
        // cleared the area already; clearing again keeps the action right on
        // its own, whoever calls it.
        PulisciRisultato();
        platform_.messageBox(texts::kChecksumError, texts::kTitle, MessageStyle::Error);
        return;
    }
    const std::u16string digitText = texts::decimal(digit);

    showAndRepaint(ControlId::Lab_Desc2);
    state_.setCaption(ControlId::LabRisultato, digitText);
    showAndRepaint(ControlId::LabRisultato);
    showAndRepaint(ControlId::Lab_Desc3);
    state_.setCaption(ControlId::LabEsatto, code + digitText);
    showAndRepaint(ControlId::LabEsatto);
    announceResult();
}

void Frm_Ean::VerificaCodice(std::u16string_view keyword) {
    const std::u16string code = state_.Txt_Ean().Text;
    const CheckDigit digit = checkDigitFor(keyword, code);
    // An empty code converts (every position counts as 0) but has no entered
    // digit to compare with: "codice esatto" for it would report a failure as
    // success. Enter's length check keeps it away today; this keeps it honest.
    if (digit < 0 || code.empty()) {
        PulisciRisultato();
        platform_.messageBox(texts::kChecksumError, texts::kTitle, MessageStyle::Error);
        return;
    }
    const int expected = code.back() - u'0';  // a digit: the check-digit function converted it

    if (digit == expected) {
        state_.setCaption(ControlId::LabRisultato, std::u16string(texts::kEsatto));
        state_.setBackColor(ControlId::LabEsatto, kButtonFace);
        showAndRepaint(ControlId::LabEsatto);
    } else {
        state_.setCaption(ControlId::LabRisultato, std::u16string(texts::kErrato));
        showAndRepaint(ControlId::Lab_Desc3);
        std::u16string corrected = code;
        corrected.back() = static_cast<char16_t>(u'0' + digit);
        state_.setCaption(ControlId::LabEsatto, std::move(corrected));
        showAndRepaint(ControlId::LabEsatto);
    }
    showAndRepaint(ControlId::Lab_Desc2);
    showAndRepaint(ControlId::LabRisultato);
    announceResult();
}

}  // namespace velbarino
