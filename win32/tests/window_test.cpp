// The real Win32 window, on Wine: keys typed with SendInput, messages read
// back from the controls, message boxes answered through a CBT hook.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "frm_ean.h"
#include "main_window.h"
#include "main_window_state.h"
#include "text.h"
#include "win32_platform.h"

namespace velbarino::win32 {
namespace {

struct SeenBox {
    std::u16string text;
    std::u16string title;
};

std::vector<SeenBox> seenBoxes;

// Records each message box as it comes up and presses its OK button.
LRESULT CALLBACK answerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto* box = reinterpret_cast<HWND>(wParam);
        wchar_t className[32] = {};
        GetClassNameW(box, className, 32);
        if (std::wstring_view(className) == L"#32770") {
            seenBoxes.push_back({windowText(GetDlgItem(box, 0xFFFF)), windowText(box)});
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Win32Window : public testing::Test {
protected:
    void SetUp() override {
        seenBoxes.clear();
        hook = SetWindowsHookExW(WH_CBT, answerBoxes, nullptr, GetCurrentThreadId());
        platform.attach(window.hwnd(), window.controls(), window.announcer());
        form.Form_Load();
        window.showCentred(SW_SHOW);
        SetForegroundWindow(window.hwnd());
        pump();
    }
    void TearDown() override { UnhookWindowsHookEx(hook); }

    HWND control(ControlId id) const { return window.controls().at(id); }
    std::u16string text(ControlId id) const { return windowText(control(id)); }
    bool shown(ControlId id) const { return IsWindowVisible(control(id)) != FALSE; }

    /// Delivers what is queued, the way the program's loop does, for a while.
    void pump(int milliseconds = 60) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        do {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT || window.preTranslate(message)) continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(5);
        } while (std::chrono::steady_clock::now() < until);
    }

    void send(std::vector<INPUT> inputs) {
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        pump();
    }
    static INPUT keyInput(WORD vk, WORD unicode, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = unicode;
        input.ki.dwFlags = (unicode != 0 ? KEYEVENTF_UNICODE : 0u) | (up ? KEYEVENTF_KEYUP : 0u);
        return input;
    }
    /// Types @p keys into the focused control, character by character.
    void type(std::u16string_view keys) {
        for (char16_t c : keys) send({keyInput(0, c, false), keyInput(0, c, true)});
    }
    void press(WORD vk, bool control = false) {
        std::vector<INPUT> inputs;
        if (control) inputs.push_back(keyInput(VK_CONTROL, 0, false));
        inputs.push_back(keyInput(vk, 0, false));
        inputs.push_back(keyInput(vk, 0, true));
        if (control) inputs.push_back(keyInput(VK_CONTROL, 0, true));
        send(inputs);
    }
    void typeInField(std::u16string_view keys) {
        SetFocus(control(ControlId::Txt_Ean));
        type(keys);
    }
    void setClipboard(const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(window.hwnd()));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
    /// The colour on screen just inside a control's border.
    COLORREF colourInside(ControlId id) {
        RECT box{};
        GetWindowRect(control(id), &box);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, box.left + 3, box.top + 3);
        ReleaseDC(nullptr, screen);
        return colour;
    }

    int endRequests = 0;
    MainWindowState state;
    Win32Platform platform{[this] { ++endRequests; }};
    Frm_Ean form{state, platform};
    MainWindow window{state, form, GetModuleHandleW(nullptr)};
    HHOOK hook = nullptr;
};

TEST_F(Win32Window, startsOnTheListWithTheResultHidden) {
    EXPECT_EQ(windowText(window.hwnd()), u"Velbarino");
    EXPECT_EQ(SendMessageW(control(ControlId::Cmb_Ean), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(text(ControlId::Lab_Desc1), u"Codice (12 caratteri)");
    EXPECT_FALSE(shown(ControlId::LabRisultato));
    EXPECT_EQ(GetWindowLongW(window.hwnd(), GWL_STYLE) & WS_MAXIMIZEBOX, 0);
    // The manifest is in: per-monitor DPI, and the twips table at this DPI.
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    const UINT dpi = GetDpiForWindow(window.hwnd());
    EXPECT_EQ(client.right, MulDiv(3030, static_cast<int>(dpi), kTwipsPerInch));
    EXPECT_EQ(client.bottom, MulDiv(2955, static_cast<int>(dpi), kTwipsPerInch));
    EXPECT_EQ(GetFocus(), control(ControlId::Cmb_Ean));
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), control(ControlId::Txt_Ean));
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), control(ControlId::Cmd_Calcola));
}

TEST_F(Win32Window, typedKeysPassTheFilter) {
    typeInField(u"4a0 0-6.+x");
    EXPECT_EQ(text(ControlId::Txt_Ean), u"4006");
    type(u"381333931");  // the thirteenth digit is refused
    EXPECT_EQ(text(ControlId::Txt_Ean), u"400638133393");
    press('Z', true);  // Ctrl+Z: the filter drops it before the EDIT undoes
    EXPECT_EQ(text(ControlId::Txt_Ean), u"400638133393");
}

TEST_F(Win32Window, ctrlVIsCutToTheLengthOrRefusedWithOneBox) {
    setClipboard(L"40063813339312");
    SetFocus(control(ControlId::Txt_Ean));
    press('V', true);
    EXPECT_EQ(text(ControlId::Txt_Ean), u"400638133393");
    EXPECT_TRUE(seenBoxes.empty());

    press(VK_BACK);
    setClipboard(L"12a4");
    SendMessageW(control(ControlId::Txt_Ean), EM_SETSEL, 0, -1);
    press('V', true);
    ASSERT_EQ(seenBoxes.size(), 1u);
    EXPECT_EQ(seenBoxes[0].text, u"Codice non valido. Inserire solamente valori numerici.");
    EXPECT_EQ(seenBoxes[0].title, u"Velbarino");
    EXPECT_EQ(text(ControlId::Txt_Ean), u"");
}

TEST_F(Win32Window, computeThenVerifyWrongReuseAndRight) {
    typeInField(u"400638133393");
    press(VK_RETURN);
    EXPECT_EQ(text(ControlId::LabRisultato), u"1");
    EXPECT_EQ(text(ControlId::LabEsatto), u"4006381333931");
    EXPECT_TRUE(shown(ControlId::LabEsatto));
    EXPECT_EQ(colourInside(ControlId::LabEsatto), RGB(255, 255, 255));

    SetFocus(control(ControlId::Cmb_Ean));
    press(VK_DOWN);  // EAN-13 verify; the focus moves to the field
    EXPECT_EQ(text(ControlId::Lab_Desc1), u"Codice (13 caratteri)");
    EXPECT_EQ(GetFocus(), control(ControlId::Txt_Ean));
    type(u"4006381333932");
    press(VK_RETURN);
    EXPECT_EQ(text(ControlId::LabRisultato), u"codice errato");
    EXPECT_EQ(text(ControlId::LabEsatto), u"4006381333931");
    EXPECT_EQ(windowText(window.announcer()), u"Risultato codice errato, Codice Esatto 4006381333931");

    SendMessageW(control(ControlId::LabEsatto), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    pump();
    EXPECT_EQ(text(ControlId::Txt_Ean), u"4006381333931");
    EXPECT_FALSE(shown(ControlId::LabEsatto));
    press(VK_RETURN);
    EXPECT_EQ(text(ControlId::LabRisultato), u"codice esatto");
    EXPECT_FALSE(shown(ControlId::Lab_Desc3));
    EXPECT_EQ(colourInside(ControlId::LabEsatto), GetSysColor(COLOR_BTNFACE));

    SendMessageW(control(ControlId::Cmd_Calcola), BM_CLICK, 0, 0);  // the button does what Enter does
    EXPECT_EQ(text(ControlId::LabRisultato), u"codice esatto");
    EXPECT_TRUE(seenBoxes.empty());
}

TEST_F(Win32Window, aboutBoxReadsTheProgramsVersionResource) {
    PostMessageW(window.hwnd(), WM_COMMAND, 200 + static_cast<int>(MenuId::MenuAbout), 0);
    pump();
    ASSERT_EQ(seenBoxes.size(), 1u);
    EXPECT_EQ(seenBoxes[0].title, u"Informazioni su...");
    EXPECT_EQ(seenBoxes[0].text.substr(0, 27), u"Velbarino - Versione 1.00\r\r");
    EXPECT_NE(seenBoxes[0].text.find(u"\rVerifica dei codici a barre in formato EAN-8 ed EAN-13\r"), std::u16string::npos);
    EXPECT_EQ(endRequests, 0);
}

TEST_F(Win32Window, closeRequestEndsTheProgramWithoutQuestion) {
    PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_EQ(endRequests, 1);
    EXPECT_TRUE(seenBoxes.empty());
    EXPECT_TRUE(IsWindow(window.hwnd()));  // the window's own closing was cancelled
}

}  // namespace
}  // namespace velbarino::win32
