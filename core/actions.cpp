#include "actions.h"

#include "checksum.h"
#include "decimal.h"

namespace velbarino {
namespace {

std::u16string normalisedKeyword(std::u16string_view keyword) {
    std::u16string upper(keyword);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    const auto first = upper.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    const auto last = upper.find_last_not_of(u' ');
    return upper.substr(first, last - first + 1);
}

// An unknown keyword has no digit function: it fails like an unreadable code
// rather than showing a digit that was never computed.
CheckDigit checkDigitFor(std::u16string_view keyword, std::u16string_view code) {
    const std::u16string kind = normalisedKeyword(keyword);
    if (kind == u"EAN13") return ChecksumEan13(code);
    if (kind == u"EAN8") return ChecksumEan8(code);
    return -1;
}

void reportFailure(ActionWindow& window, Platform& platform) {
    window.PulisciRisultato();
    platform.messageBox(kChecksumError, kApplicationTitle, MessageStyle::Error);
}

void showAndRepaint(ActionWindow& window, Platform& platform, ControlId control) {
    window.setVisible(control, true);
    platform.refresh(control);
}

}  // namespace

void CalcolaChecksum(std::u16string_view keyword, ActionWindow& window, Platform& platform) {
    const std::u16string code = window.codeText();
    const CheckDigit digit = checkDigitFor(keyword, code);
    if (digit < 0) {
        reportFailure(window, platform);
        return;
    }
    const std::u16string digitText = decimalText(digit);

    showAndRepaint(window, platform, ControlId::Lab_Desc2);
    window.setCaption(ControlId::LabRisultato, digitText);
    showAndRepaint(window, platform, ControlId::LabRisultato);
    showAndRepaint(window, platform, ControlId::Lab_Desc3);
    window.setCaption(ControlId::LabEsatto, code + digitText);
    showAndRepaint(window, platform, ControlId::LabEsatto);
}

void VerificaCodice(std::u16string_view keyword, ActionWindow& window, Platform& platform) {
    const std::u16string code = window.codeText();
    const CheckDigit digit = checkDigitFor(keyword, code);
    // An empty code converts (every position counts as 0) but has no entered
    // digit to compare with: saying "codice esatto" for it would be a lie.
    if (digit < 0 || code.empty()) {
        reportFailure(window, platform);
        return;
    }
    const int expected = code.back() - u'0';  // a digit: the check above converted it

    if (digit == expected) {
        window.setCaption(ControlId::LabRisultato, std::u16string(kCodiceEsatto));
        window.setBackColor(ControlId::LabEsatto, kButtonFace);
        showAndRepaint(window, platform, ControlId::LabEsatto);
    } else {
        window.setCaption(ControlId::LabRisultato, std::u16string(kCodiceErrato));
        showAndRepaint(window, platform, ControlId::Lab_Desc3);
        std::u16string corrected = code;
        corrected.back() = static_cast<char16_t>(u'0' + digit);
        window.setCaption(ControlId::LabEsatto, std::move(corrected));
        showAndRepaint(window, platform, ControlId::LabEsatto);
    }
    showAndRepaint(window, platform, ControlId::Lab_Desc2);
    showAndRepaint(window, platform, ControlId::LabRisultato);
}

}  // namespace velbarino
