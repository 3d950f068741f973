// The platform operations on Qt: modal QMessageBox, focus and repaint of the
// rendered widgets, the end of the process, and the application information
// that the program hands in.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "platform.h"

namespace velbarino::qt {

class Announcer;

class QtPlatform final : public Platform {
public:
    using EndProcess = std::function<void()>;
    using Bell = std::function<void()>;

    /// @p endProcess ends the process at once; the program supplies it, since
    /// it owns the application object (tests keep running). @p bell rings
    /// the bell: QApplication::beep unless given (tests count the rings).
    QtPlatform(AppInfo info, EndProcess endProcess, Bell bell = {});

    /// The window, its controls and its announcer, once they exist.
    void attach(QWidget* window, std::map<ControlId, QWidget*> controls, Announcer* announcer);

    void messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) override;
    void setFocus(ControlId control) override;
    void refresh(ControlId control) override;
    void endProcess() override;
    void announce(std::u16string_view text) override;
    void beep() override;
    bool copyText(std::u16string_view text) override;
    AppInfo appInfo() const override;

private:
    QWidget* widget(ControlId control) const;

    AppInfo info_;
    EndProcess endProcess_;
    Bell bell_;
    QPointer<QWidget> window_;
    std::map<ControlId, QPointer<QWidget>> controls_;
    QPointer<Announcer> announcer_;
};

}  // namespace velbarino::qt
