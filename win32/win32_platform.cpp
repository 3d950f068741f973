#include "win32_platform.h"

#include <oleacc.h>

#include <algorithm>
#include <vector>

#include "text.h"

namespace velbarino::win32 {
namespace {

// UI Automation's LiveSetting property; MinGW's headers do not carry it.
const GUID kLiveSettingProperty = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr long kAssertive = 2;

// Spelled out: in a static MinGW build without <initguid.h>, the library's
// CLSID_ and IID_ constants resolve to import thunks, not to GUIDs.
const CLSID kAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
const IID kIAccPropServices = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

HRESULT setWithPropertyServices(HWND hwnd, DWORD object, DWORD child, const GUID& property, const VARIANT& value) {
    IAccPropServices* services = nullptr;
    HRESULT result = CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                      reinterpret_cast<void**>(&services));
    if (FAILED(result)) return result;
    result = services->SetHwndProp(hwnd, object, child, property, value);
    services->Release();
    return result;
}

std::u16string versionString(const std::vector<BYTE>& block, const wchar_t* name) {
    std::wstring path = L"\\StringFileInfo\\041004B0\\";
    path += name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return {};
    return fromWide(std::wstring_view(static_cast<const wchar_t*>(value), length - 1));
}

// Clipboard managers and remote desktops' clipboard sync open the clipboard
// for a moment after every change: wait that long before giving up.
bool openClipboard(HWND owner) {
    constexpr ULONGLONG kPatienceMs = 100;
    const ULONGLONG until = GetTickCount64() + kPatienceMs;
    while (!OpenClipboard(owner)) {
        if (GetTickCount64() >= until) return false;
        Sleep(5);
    }
    return true;
}

}  // namespace

AppInfo versionInformation(HMODULE module) {
    wchar_t file[MAX_PATH] = {};
    if (GetModuleFileNameW(module, file, MAX_PATH) == 0) return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0) return {};
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(file, 0, size, block.data())) return {};

    AppInfo info;
    info.title = versionString(block, L"ProductName");
    info.comments = versionString(block, L"Comments");
    info.legalCopyright = versionString(block, L"LegalCopyright");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr) {
        info.major = static_cast<std::int16_t>(HIWORD(fixed->dwFileVersionMS));
        info.minor = static_cast<std::int16_t>(LOWORD(fixed->dwFileVersionMS));
        info.revision = static_cast<std::int16_t>(HIWORD(fixed->dwFileVersionLS));
    }
    return info;
}

Win32Platform::Win32Platform(EndProcess endProcess, SetHwndProp setHwndProp, Bell bell, Allocate allocate, SetData setData)
    : endProcess_(std::move(endProcess)),
      setHwndProp_(setHwndProp ? std::move(setHwndProp) : SetHwndProp(setWithPropertyServices)),
      bell_(bell ? std::move(bell) : Bell([] { MessageBeep(MB_OK); })),
      allocate_(allocate ? std::move(allocate) : Allocate([](SIZE_T bytes) { return GlobalAlloc(GMEM_MOVEABLE, bytes); })),
      setData_(setData ? std::move(setData) : SetData(SetClipboardData)) {}

Win32Platform::~Win32Platform() {
    if (comInitialised_) CoUninitialize();
}

void Win32Platform::attach(HWND window, std::map<ControlId, HWND> controls, HWND announcer) {
    window_ = window;
    controls_ = std::move(controls);
    announcer_ = announcer;
    if (announcer_ == nullptr) return;
    // S_FALSE: already initialised on this thread; both are paired with CoUninitialize.
    if (!comInitialised_) comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    // Screen readers speak an assertive live region's text whenever
    // EVENT_OBJECT_LIVEREGIONCHANGED is raised for it.
    VARIANT assertive;
    VariantInit(&assertive);
    assertive.vt = VT_I4;
    assertive.lVal = kAssertive;
    liveRegionResult_ = setHwndProp_(announcer_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty, assertive);
    if (FAILED(liveRegionResult_)) {
        wchar_t message[96];
        wsprintfW(message, L"Velbarino: the live region is not marked (HRESULT 0x%08lX)\n",
                  static_cast<unsigned long>(liveRegionResult_));
        OutputDebugStringW(message);
    }
}

HWND Win32Platform::control(ControlId id) const {
    if (id == ControlId::Frm_Ean) return window_;
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

// The style values are Win32's own: the icon, MB_SETFOREGROUND and MB_OK.
void Win32Platform::messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) {
    MessageBoxW(window_, toWide(text).c_str(), toWide(title).c_str(), static_cast<UINT>(style));
}

void Win32Platform::setFocus(ControlId id) {
    // Focus cannot go to a window that is not on screen yet.
    if (window_ == nullptr || !IsWindowVisible(window_)) return;
    if (HWND target = control(id)) SetFocus(target);
}

void Win32Platform::refresh(ControlId id) {
    HWND target = control(id);
    if (target == nullptr || !IsWindowVisible(target)) return;
    RedrawWindow(target, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32Platform::endProcess() {
    if (endProcess_) {
        endProcess_();
        return;
    }
    // At once: no message, destructor or unload step of the program runs after this.
    ExitProcess(0);
}

void Win32Platform::announce(std::u16string_view text) {
    if (announcer_ == nullptr || window_ == nullptr || !IsWindowVisible(window_) || text.empty()) return;
    SetWindowTextW(announcer_, toWide(text).c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, announcer_, OBJID_CLIENT, CHILDID_SELF);
}

void Win32Platform::beep() { bell_(); }

// The memory is filled before the clipboard is opened, so that it is held
// only for the moment of emptying and setting it. Nothing on it is read:
// reading another program's delayed format would make that program render it.
bool Win32Platform::copyText(std::u16string_view text) {
    const std::wstring wide = toWide(text);
    HGLOBAL memory = allocate_((wide.size() + 1) * sizeof(wchar_t));
    if (memory == nullptr) return false;
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    if (target == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::copy_n(wide.c_str(), wide.size() + 1, target);
    GlobalUnlock(memory);
    if (!openClipboard(window_)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool copied = setData_(CF_UNICODETEXT, memory) != nullptr;
    if (!copied) GlobalFree(memory);  // the clipboard owns it only once it is set
    CloseClipboard();
    return copied;
}
AppInfo Win32Platform::appInfo() const { return versionInformation(); }

}  // namespace velbarino::win32
