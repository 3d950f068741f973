// The window after start-up, driven the way a user drives the real one: keys
// go through the filter first, and only keys that pass change the field.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fake_platform.h"
#include "frm_ean.h"
#include "key_ascii.h"
#include "main_window_state.h"
#include "named_case.h"

namespace velbarino {

class WindowTest : public testing::Test {
protected:
    void SetUp() override { form.Form_Load(); }

    const std::u16string& text() const { return state.Txt_Ean().Text; }
    std::size_t messageCount() const { return platform.messages.size(); }

    /// Runs the key filter; returns the code the field is left with.
    std::int16_t press(std::int16_t code) {
        form.Txt_Ean_KeyPress(code);
        return code;
    }

    /// Types each character with the caret at the end, as the field would apply it.
    void type(std::u16string_view keys) {
        for (char16_t key : keys) {
            const std::int16_t code = press(static_cast<std::int16_t>(key));
            if (code == keys::Backspace && !text().empty()) form.fieldEdited(text().substr(0, text().size() - 1));
            if (code >= keys::FirstPrintable) form.fieldEdited(text() + static_cast<char16_t>(code));
        }
    }

    void enter() { type(u"\r"); }

    /// Ctrl+V: its key code, then the field inserts the clipboard at @p caret (default: the end).
    void ctrlV(std::u16string_view clipboard, std::size_t caret = std::u16string::npos) {
        if (press(keys::Paste) == keys::Dropped || clipboard.empty()) return;  // nothing to paste: the field does not change
        std::u16string pasted = text();
        pasted.insert(std::min(caret, pasted.size()), clipboard);
        form.fieldEdited(pasted);
    }

    void pick(std::int16_t index) { form.entryPicked(index); }

    /// Picks @p action, types @p code and presses Enter.
    void run(std::int16_t action, std::u16string_view code) {
        pick(action);
        type(code);
        enter();
    }

    testing_support::FakePlatform platform;
    MainWindowState state;
    Frm_Ean form{state, platform};
};

}  // namespace velbarino
