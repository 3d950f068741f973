// The platform operations on Win32: MessageBoxW, focus and repaint of the
// controls, ExitProcess, the bell, a live region for screen readers, and the
// application information read from the running program's own version
// resource.
#pragma once

#include <windows.h>

#include <functional>
#include <map>

#include "platform.h"

namespace velbarino::win32 {

class Win32Platform final : public Platform {
public:
    using EndProcess = std::function<void()>;

    /// @p endProcess replaces the real end of the process (tests keep running).
    explicit Win32Platform(EndProcess endProcess = {});

    /// The window, its controls and its live region, once they exist.
    void attach(HWND window, std::map<ControlId, HWND> controls, HWND announcer);

    void messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) override;
    void setFocus(ControlId control) override;
    void refresh(ControlId control) override;
    void endProcess() override;
    void announce(std::u16string_view text) override;
    void beep() override;
    AppInfo appInfo() const override;

private:
    HWND control(ControlId id) const;

    EndProcess endProcess_;
    HWND window_ = nullptr;
    HWND announcer_ = nullptr;
    std::map<ControlId, HWND> controls_;
};

/// Title, version, comments and copyright of the program file @p module
/// (nullptr: the running one), from its version resource.
AppInfo versionInformation(HMODULE module = nullptr);

}  // namespace velbarino::win32
