// The platform operations on Qt: modal QMessageBox, focus and repaint of the
// rendered widgets, the end of the process and the compiled-in version data.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "platform.h"

namespace velbarino::qt {

class QtPlatform final : public Platform {
public:
    using EndProcess = std::function<void()>;

    /// @p endProcess replaces the real end of the process (tests keep running).
    explicit QtPlatform(EndProcess endProcess = {});

    /// The window and its controls, once they exist.
    void attach(QWidget* window, std::map<ControlId, QWidget*> controls);

    void messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) override;
    void setFocus(ControlId control) override;
    void refresh(ControlId control) override;
    void endProcess() override;
    AppInfo appInfo() const override;

private:
    QWidget* widget(ControlId control) const;

    EndProcess endProcess_;
    QPointer<QWidget> window_;
    std::map<ControlId, QPointer<QWidget>> controls_;
};

}  // namespace velbarino::qt
