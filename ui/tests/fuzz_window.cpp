// Fuzz target: the window driven by any sequence of user events. After every
// event the window must be in a state its rules allow: a valid length, no
// start-up in progress, a result area that is either cleared or shows the
// outcome for the field's text and the selected action, a Ctrl+V paste that
// leaves only digits within the length, and at most one message box.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "checksum.h"
#include "fake_platform.h"
#include "frm_ean.h"
#include "key_ascii.h"
#include "main_window_state.h"
#include "reference_checksum.h"

namespace {

using namespace velbarino;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // Mostly digits, with the characters that have broken such code before.
    std::u16string text() {
        static constexpr char16_t kOthers[] = {u'a', u' ', u'-', u'\r', u'\n', u'\0', u'\uFF11', u'\u0663',
                                               u'\u200F', 0xD835, 0xDFD9, u'\u00B3', u'/', u':'};
        const std::size_t length = byte() * (byte() % 4 == 0 ? 64u : 1u);  // now and then a long one
        std::u16string result;
        for (std::size_t i = 0; i < length && !empty(); ++i) {
            const std::uint8_t b = byte();
            result.push_back(b < 200 ? static_cast<char16_t>(u'0' + b % 10) : kOthers[b % std::size(kOthers)]);
        }
        return result;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void require(bool condition) {
    if (!condition) std::abort();
}

bool onlyDigits(const std::u16string& text) {
    for (char16_t c : text) {
        if (!isCodeDigit(c)) return false;
    }
    return true;
}

void checkResultArea(const MainWindowState& state) {
    const LabelControl& desc2 = state.Lab_Desc(2);
    const LabelControl& desc3 = state.Lab_Desc(3);
    const LabelControl& result = state.LabRisultato();
    const LabelControl& complete = state.LabEsatto();
    if (!desc2.Visible && !result.Visible && !desc3.Visible && !complete.Visible) {
        require(result.Caption.empty() && complete.Caption.empty() && complete.BackColor == kWhite);
        return;
    }
    const int action = state.Cmb_Ean().ListIndex;
    require(action >= 0 && action <= 3);
    const std::u16string& code = state.Txt_Ean().Text;
    const int digit = testing_support::referenceCheckDigit(code, action < 2 ? 12 : 7);
    require(digit >= 0 && desc2.Visible && result.Visible && complete.Visible);
    const char16_t digitChar = static_cast<char16_t>(u'0' + digit);
    if (action == 0 || action == 2) {
        require(desc3.Visible && result.Caption == std::u16string(1, digitChar));
        require(complete.Caption == code + digitChar && complete.BackColor == kWhite);
    } else if (!code.empty() && code.back() == digitChar) {
        require(result.Caption == u"codice esatto" && !desc3.Visible);
        require(complete.Caption.empty() && complete.BackColor == kButtonFace);
    } else {
        require(!code.empty() && desc3.Visible && result.Caption == u"codice errato");
        require(complete.Caption == code.substr(0, code.size() - 1) + digitChar && complete.BackColor == kWhite);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing_support::FakePlatform platform;
    MainWindowState state;
    Frm_Ean form(state, platform);
    form.Form_Load();

    Input input(data, size);
    for (int events = 0; events < 200 && !input.empty(); ++events) {
        const std::size_t messagesBefore = platform.messages.size();
        const std::u16string textBefore = state.Txt_Ean().Text;
        bool pasted = false;

        const auto typeKey = [&](std::int16_t code) {
            form.Txt_Ean_KeyPress(code);
            const std::u16string& text = state.Txt_Ean().Text;
            if (code == keys::Backspace && !text.empty()) form.fieldEdited(text.substr(0, text.size() - 1));
            if (code >= keys::FirstPrintable) form.fieldEdited(text + static_cast<char16_t>(static_cast<std::uint16_t>(code)));
        };

        switch (input.byte() % 9) {
            case 0: typeKey(static_cast<std::int16_t>(input.byte() | (input.byte() << 8))); break;
            case 1: typeKey(static_cast<std::int16_t>(u'0' + input.byte() % 10)); break;
            case 2: {
                std::int16_t code = keys::Paste;
                form.Txt_Ean_KeyPress(code);
                const std::u16string clip = input.text();
                if (!clip.empty()) form.fieldEdited(state.Txt_Ean().Text + clip);
                pasted = true;
                break;
            }
            case 3: form.fieldEdited(input.text()); break;
            case 4: form.entryPicked(static_cast<std::int16_t>(input.byte() % 7 - 1)); break;
            case 5: form.Cmd_Calcola_Click(); break;
            case 6: form.Txt_Ean_DblClick(); break;
            case 7: form.LabEsatto_DblClick(); break;
            default: typeKey(keys::Enter); break;
        }

        const int length = state.LunghezzaCodice;
        require(length == 12 || length == 13 || length == 7 || length == 8);
        require(!state.InCaricamento);
        require(platform.messages.size() - messagesBefore <= 1);
        if (pasted && state.Txt_Ean().Text != textBefore) {
            const std::u16string& text = state.Txt_Ean().Text;
            require(text.empty() || (static_cast<int>(text.size()) <= length && onlyDigits(text)));
        }
        checkResultArea(state);
    }
    return 0;
}
