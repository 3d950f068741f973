// The platform operations in a browser: the page's own modal dialog, awaited
// (the handler waits at a message box, as on the desktop), focus, a live
// region for screen readers, a short tone for the bell, the camera's view
// (awaited alike), and the end of the
// program, which a page cannot bring about by ending a process.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "dom.h"
#include "platform.h"

namespace velbarino::web {

class WebPlatform final : public Platform {
public:
    using EndProcess = std::function<void()>;

    /// @p endProcess ends the program: the page's window goes, and no
    /// handler runs afterwards.
    WebPlatform(AppInfo info, EndProcess endProcess);

    /// The controls by name, once they exist.
    void attach(std::map<ControlId, std::string> controlIds) { controlIds_ = std::move(controlIds); }

    void messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) override;
    void setFocus(ControlId control) override;
    void refresh(ControlId) override {}  // the page repaints before a dialog is awaited
    void endProcess() override { endProcess_(); }
    void announce(std::u16string_view text) override;
    void beep() override;
    bool copyText(std::u16string_view text) override;
    AppInfo appInfo() const override { return info_; }
    void openScanner() override;
    ScanEvent nextScanEvent() override;
    void closeScanner(bool read) override;

private:
    AppInfo info_;
    EndProcess endProcess_;
    std::map<ControlId, std::string> controlIds_;
};

}  // namespace velbarino::web
