// The platform operations on Win32: MessageBoxW, focus and repaint of the
// controls, ExitProcess, the bell, a live region for screen readers, and the
// application information read from the running program's own version
// resource.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <map>

#include "platform.h"

namespace velbarino::win32 {

class Win32Platform final : public Platform {
public:
    using EndProcess = std::function<void()>;
    /// What sets an accessibility property of a window: by default
    /// IAccPropServices::SetHwndProp; a test's stand-in records the call.
    using SetHwndProp = std::function<HRESULT(HWND, DWORD object, DWORD child, const GUID& property, const VARIANT& value)>;

    using Bell = std::function<void()>;
    /// What allocates the clipboard's memory: GlobalAlloc, or a test's refusal.
    using Allocate = std::function<HGLOBAL(SIZE_T bytes)>;
    /// What hands the copy to the opened clipboard: SetClipboardData, or a test's refusal.
    using SetData = std::function<HANDLE(UINT format, HANDLE memory)>;

    /// @p endProcess replaces the real end of the process (tests keep
    /// running); @p bell, MessageBeep; @p setHwndProp, the property services;
    /// @p allocate, GlobalAlloc; @p setData, SetClipboardData.
    explicit Win32Platform(EndProcess endProcess = {}, SetHwndProp setHwndProp = {}, Bell bell = {}, Allocate allocate = {},
                           SetData setData = {});
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    /// The window, its controls and its live region, once they exist. Called
    /// on the window's thread: it initialises COM there, then marks the live
    /// region (assertive).
    void attach(HWND window, std::map<ControlId, HWND> controls, HWND announcer);
    /// How marking the live region went: S_OK, or the failure, which is also
    /// written to the debugger's output. Under Wine it is E_NOTIMPL, as Wine
    /// does not implement the property services.
    HRESULT liveRegionResult() const { return liveRegionResult_; }

    void messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) override;
    void setFocus(ControlId control) override;
    void refresh(ControlId control) override;
    void endProcess() override;
    void announce(std::u16string_view text) override;
    void beep() override;
    bool copyText(std::u16string_view text) override;
    AppInfo appInfo() const override;

private:
    HWND control(ControlId id) const;

    EndProcess endProcess_;
    SetHwndProp setHwndProp_;
    Bell bell_;
    Allocate allocate_;
    SetData setData_;
    bool comInitialised_ = false;
    HRESULT liveRegionResult_ = E_PENDING;  // not attached yet
    HWND window_ = nullptr;
    HWND announcer_ = nullptr;
    std::map<ControlId, HWND> controls_;
};

/// Title, version, comments and copyright of the program file @p module
/// (nullptr: the running one), from its version resource.
AppInfo versionInformation(HMODULE module = nullptr);

}  // namespace velbarino::win32
