// The real Win32 window, on Wine: keys typed with SendInput, messages read
// back from the controls, message boxes answered through a CBT hook.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <chrono>
#include <functional>
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

// The real platform, counting what the window asks of it: every run of the
// action selection's Click handler moves the focus to the field once.
class CountingPlatform final : public Platform {
public:
    explicit CountingPlatform(Win32Platform& real) : real_(real) {}
    void messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) override {
        real_.messageBox(text, title, style);
    }
    void setFocus(ControlId control) override {
        if (control == ControlId::Txt_Ean) ++focusToField;
        real_.setFocus(control);
    }
    void refresh(ControlId control) override { real_.refresh(control); }
    void endProcess() override { real_.endProcess(); }
    void announce(std::u16string_view text) override { real_.announce(text); }
    void beep() override { real_.beep(); }
    AppInfo appInfo() const override { return real_.appInfo(); }

    int focusToField = 0;

private:
    Win32Platform& real_;
};

// What an accessibility client hears: the live-region events, with the text
// of the region when each is raised.
std::vector<std::u16string> heard;

void CALLBACK listenToLiveRegions(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) {
    heard.push_back(windowText(hwnd));
}

class Win32Window : public testing::Test {
protected:
    void SetUp() override {
        seenBoxes.clear();
        heard.clear();
        hook = SetWindowsHookExW(WH_CBT, answerBoxes, nullptr, GetCurrentThreadId());
        liveRegions = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                      listenToLiveRegions, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        platform.attach(window.hwnd(), window.controls(), window.announcer());
        form.Form_Load();
        window.showCentred(SW_SHOW);
        SetForegroundWindow(window.hwnd());
        pump();
    }
    void TearDown() override {
        UnhookWinEvent(liveRegions);
        UnhookWindowsHookEx(hook);
    }

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
    CountingPlatform counting{platform};
    Frm_Ean form{state, counting};
    MainWindow window{state, form, GetModuleHandleW(nullptr)};
    HHOOK hook = nullptr;
    HWINEVENTHOOK liveRegions = nullptr;
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
    std::u16string toEdit;  // what the EDIT control itself gets
    window.watchCharsToField([&](WPARAM code) { toEdit += static_cast<char16_t>(code); });
    typeInField(u"4a0 0-6.+x");
    EXPECT_EQ(text(ControlId::Txt_Ean), u"4006");
    type(u"381333931");  // the thirteenth digit is refused
    EXPECT_EQ(text(ControlId::Txt_Ean), u"400638133393");
    press('Z', true);  // Ctrl+Z: the filter drops it before the EDIT undoes
    EXPECT_EQ(text(ControlId::Txt_Ean), u"400638133393");
    press(VK_RETURN);  // Enter runs the action; passed on, Windows' EDIT would beep
    EXPECT_EQ(text(ControlId::LabRisultato), u"1");
    EXPECT_EQ(toEdit, u"400638133393");
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

// Each way of picking an action raises its own order of notifications; each
// must run the selection once, and be heard once.
TEST_F(Win32Window, everyPickRunsTheSelectionOnceAndIsHeardOnce) {
    HWND list = control(ControlId::Cmb_Ean);
    const auto notify = [&](std::initializer_list<int> codes) {
        for (int code : codes) {
            if (code >= 0) {
                SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), code), reinterpret_cast<LPARAM>(list));
            } else {
                SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-code - 1), 0);  // the list moves to entry -code-1
            }
        }
        pump();
    };
    constexpr int to0 = -1, to1 = -2, to2 = -3, to3 = -4;  // CB_SETCURSEL to entry 0 to 3
    struct Order {
        const char* name;
        std::function<void()> pick;
        std::u16string heard;
    };
    const std::vector<Order> orders = {
        {"a real Down key on the closed list", [&] { SetFocus(list); press(VK_DOWN); },
         u"EAN-13: verifica di validita, Codice (13 caratteri)"},
        {"F4 and arrows on the open list",
         [&] { notify({CBN_DROPDOWN, to0, CBN_SELCHANGE, to3, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}); },
         u"EAN-8: verifica di validita, Codice (8 caratteri)"},
        {"the mouse", [&] { notify({CBN_DROPDOWN, to1, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}); },
         u"EAN-13: verifica di validita, Codice (13 caratteri)"},
        {"the mouse on the entry already selected", [&] { notify({CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}); },
         u"EAN-13: verifica di validita, Codice (13 caratteri)"},
        {"the list opened and closed without a pick", [&] { notify({CBN_DROPDOWN, to2, CBN_SELCHANGE, CBN_SELENDCANCEL, CBN_CLOSEUP}); },
         u""},
    };
    for (const Order& order : orders) {
        SCOPED_TRACE(order.name);
        typeInField(u"1");
        counting.focusToField = 0;
        heard.clear();
        order.pick();
        const bool picked = !order.heard.empty();
        EXPECT_EQ(counting.focusToField, picked ? 1 : 0);
        EXPECT_EQ(heard, picked ? std::vector<std::u16string>{order.heard} : std::vector<std::u16string>{});
        EXPECT_EQ(text(ControlId::Txt_Ean), picked ? u"" : u"1");
        if (!picked) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(state.Cmb_Ean().ListIndex), 0);
        SetWindowTextW(control(ControlId::Txt_Ean), L"");
        pump();
    }
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

// Picks the first entry of any menu that opens: "Copia" in the code's menu.
LRESULT CALLBACK pickFirstMenuEntry(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        PostMessageW(reinterpret_cast<HWND>(lParam), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(reinterpret_cast<HWND>(lParam), WM_KEYDOWN, VK_RETURN, 0);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Windows keeps what "Copia" put on the clipboard once the program has
// ended: a second run of this test computes, copies and ends the process as
// "Fine Programma" does; this run then reads the clipboard.
TEST_F(Win32Window, copiedCodeOutlivesTheProgram) {
    constexpr wchar_t kChild[] = L"VELBARINO_COPY_THEN_END";
    if (GetEnvironmentVariableW(kChild, nullptr, 0) != 0) {
        for (char16_t c : std::u16string_view(u"400638133393\r")) {
            SendMessageW(control(ControlId::Txt_Ean), WM_CHAR, c, 0);
        }
        SetWindowSubclass(window.hwnd(), pickFirstMenuEntry, 1, 0);
        SendMessageW(window.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control(ControlId::LabEsatto)), -1);
        Win32Platform().endProcess();  // ExitProcess(0)
    }
    ASSERT_TRUE(OpenClipboard(window.hwnd()));
    EmptyClipboard();
    CloseClipboard();
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"test --gtest_filter=Win32Window.copiedCodeOutlivesTheProgram";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    SetEnvironmentVariableW(kChild, L"1");
    ASSERT_TRUE(CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
    SetEnvironmentVariableW(kChild, nullptr);
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(child.hProcess, &status);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    EXPECT_EQ(status, 0u);
    ASSERT_TRUE(OpenClipboard(window.hwnd()));
    const auto* copied = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    const std::u16string text = copied != nullptr ? fromWide(copied) : u"<empty>";
    if (copied != nullptr) GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
    EXPECT_EQ(text, u"4006381333931");
}


// What a screen reader reads through MSAA: the name of a control's client object.
std::u16string accessibleName(HWND hwnd) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return u"<no IAccessible>";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = object->get_accName(self, &name);
    object->Release();
    std::u16string text = result == S_OK && name != nullptr ? fromWide(name) : u"<no name>";
    SysFreeString(name);
    return text;
}

bool underWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

TEST_F(Win32Window, screenReadersReadEachControlByItsCaption) {
    EXPECT_EQ(accessibleName(control(ControlId::Txt_Ean)), u"Codice (12 caratteri)");
    EXPECT_EQ(accessibleName(control(ControlId::Cmd_Calcola)), u"Calcola");
    // Windows names a combo box after the static text created just before it;
    // Wine names it after its own text, so there only the order can be read.
    EXPECT_EQ(GetWindow(control(ControlId::Cmb_Ean), GW_HWNDPREV), control(ControlId::Lab_Desc0));
    if (!underWine()) {
        EXPECT_EQ(accessibleName(control(ControlId::Cmb_Ean)), u"Azione");
    }
    SetFocus(control(ControlId::Cmb_Ean));
    press(VK_DOWN);
    EXPECT_EQ(accessibleName(control(ControlId::Txt_Ean)), u"Codice (13 caratteri)");
}

// Records each WM_SETFONT to a control, and whether the font it replaces is still alive then.
std::vector<bool> replacedFontAlive;
LRESULT CALLBACK watchSetFont(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SETFONT && GetParent(message->hwnd) != nullptr) {
        const auto replaced = reinterpret_cast<HGDIOBJ>(SendMessageW(message->hwnd, WM_GETFONT, 0, 0));
        replacedFontAlive.push_back(replaced == nullptr || GetObjectType(replaced) == OBJ_FONT);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Win32Window, aDpiChangeGivesEveryControlTheNewFontBeforeTheOldGoes) {
    const HFONT before = window.font();
    replacedFontAlive.clear();
    HHOOK watch = SetWindowsHookExW(WH_CALLWNDPROC, watchSetFont, nullptr, GetCurrentThreadId());
    RECT suggested{100, 100, 700, 700};
    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    UnhookWindowsHookEx(watch);
    EXPECT_NE(window.font(), before);
    EXPECT_EQ(GetObjectType(window.font()), static_cast<DWORD>(OBJ_FONT));
    EXPECT_GE(replacedFontAlive.size(), window.controls().size());
    EXPECT_EQ(std::count(replacedFontAlive.begin(), replacedFontAlive.end(), false), 0);
    for (const auto& [id, hwnd] : window.controls()) {
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), window.font()) << static_cast<int>(id);
    }
}

// The live region's property is set once, on the window's thread with COM
// initialised, with the property services' arguments; a failure is kept.
TEST(Win32LiveRegion, isMarkedAssertiveWithCOMInitialisedAndAFailureIsKept) {
    struct Call {
        HWND hwnd;
        DWORD object, child;
        GUID property;
        VARTYPE type;
        LONG value;
        HRESULT apartment;
    };
    std::vector<Call> calls;
    MainWindowState state;
    Win32Platform recorded({}, [&](HWND hwnd, DWORD object, DWORD child, const GUID& property, const VARIANT& value) {
        APTTYPE type{};
        APTTYPEQUALIFIER qualifier{};
        calls.push_back({hwnd, object, child, property, value.vt, value.lVal, CoGetApartmentType(&type, &qualifier)});
        return E_ACCESSDENIED;
    });
    Frm_Ean form{state, recorded};
    MainWindow window{state, form, GetModuleHandleW(nullptr)};
    recorded.attach(window.hwnd(), window.controls(), window.announcer());
    ASSERT_EQ(calls.size(), 1u);
    const GUID liveSetting = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
    EXPECT_EQ(calls[0].hwnd, window.announcer());
    EXPECT_EQ(calls[0].object, static_cast<DWORD>(OBJID_CLIENT));
    EXPECT_EQ(calls[0].child, static_cast<DWORD>(CHILDID_SELF));
    EXPECT_TRUE(IsEqualGUID(calls[0].property, liveSetting));
    EXPECT_EQ(calls[0].type, VT_I4);
    EXPECT_EQ(calls[0].value, 2);  // Assertive
    EXPECT_EQ(calls[0].apartment, S_OK);
    EXPECT_EQ(recorded.liveRegionResult(), E_ACCESSDENIED);

    // The real services: set on Windows; Wine answers E_NOTIMPL. Anything
    // else (no COM, an interface not found) is a fault of ours.
    Win32Platform real;
    real.attach(window.hwnd(), window.controls(), window.announcer());
    EXPECT_TRUE(real.liveRegionResult() == S_OK || (underWine() && real.liveRegionResult() == E_NOTIMPL))
        << std::hex << real.liveRegionResult();
}

}  // namespace
}  // namespace velbarino::win32
