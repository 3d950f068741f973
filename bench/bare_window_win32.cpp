// The toolkit's floor for the Windows start-up benchmark: a bare Win32
// window with the same controls at the same places and nothing behind them.
#include <windows.h>

#include <commctrl.h>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Bare";
    RegisterClassExW(&windowClass);
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"Fine Programma");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    HWND window = CreateWindowExW(0, L"Bare", L"Bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 218, 255, nullptr, bar, instance, nullptr);
    const auto child = [&](const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
        CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window, nullptr, instance, nullptr);
    };
    child(WC_STATICW, L"Azione", 0, 16, 16, 169, 17);
    child(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_TABSTOP, 16, 32, 169, 140);
    child(WC_STATICW, L"Codice (12 caratteri)", 0, 16, 72, 169, 17);
    child(WC_EDITW, L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 16, 88, 129, 19);
    child(WC_BUTTONW, L"...", WS_TABSTOP, 152, 88, 33, 19);
    ShowWindow(window, showCommand);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
