// Velbarino on Windows: check digits of EAN-13 and EAN-8 barcode numbers.
#include <windows.h>

#include <commctrl.h>

#include "frm_ean.h"
#include "main_window.h"
#include "main_window_state.h"
#include "text.h"
#include "texts.h"
#include "win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    velbarino::MainWindowState state;
    velbarino::win32::Win32Platform platform;
    velbarino::Frm_Ean form(state, platform);
    velbarino::win32::MainWindow window(state, form, instance);
    if (!window.created()) {  // out of window handles or memory: say so, and fail
        MessageBoxW(nullptr, velbarino::win32::toWide(velbarino::texts::kWindowFailed).c_str(),
                    velbarino::win32::toWide(velbarino::texts::kTitle).c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
        return 1;
    }
    platform.attach(window.hwnd(), window.controls(), window.announcer());

    form.Form_Load();
    window.showCentred(showCommand);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
