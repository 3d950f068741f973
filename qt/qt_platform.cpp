#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

#include "text_conversion.h"
#include "widgets.h"

namespace velbarino::qt {
namespace {

QMessageBox::Icon iconFor(std::int32_t style) {
    switch (messageIcon(style)) {
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtPlatform::QtPlatform(AppInfo info, EndProcess endProcess, Bell bell)
    : info_(std::move(info)), endProcess_(std::move(endProcess)), bell_(bell ? std::move(bell) : Bell(QApplication::beep)) {}

void QtPlatform::attach(QWidget* window, std::map<ControlId, QWidget*> controls, Announcer* announcer) {
    window_ = window;
    announcer_ = announcer;
    controls_.clear();
    for (auto [id, widget] : controls) controls_[id] = widget;
}

QWidget* QtPlatform::widget(ControlId control) const {
    if (control == ControlId::Frm_Ean) return window_;
    const auto found = controls_.find(control);
    return found == controls_.end() ? nullptr : found->second.data();
}

void QtPlatform::messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) {
    QMessageBox box(iconFor(style), toQString(title), toQString(text), QMessageBox::Ok, window_);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowModality(Qt::ApplicationModal);
    if (wantsForeground(style)) {
        box.show();
        box.raise();
        box.activateWindow();
    }
    box.exec();
}

void QtPlatform::setFocus(ControlId control) {
    // Focus cannot go to a window that is not on screen yet.
    if (window_ == nullptr || !window_->isVisible()) return;
    if (QWidget* target = widget(control)) target->setFocus(Qt::OtherFocusReason);
}

void QtPlatform::refresh(ControlId control) {
    QWidget* target = widget(control);
    if (target != nullptr && target->isVisible()) target->repaint();
}

void QtPlatform::endProcess() { endProcess_(); }

void QtPlatform::announce(std::u16string_view text) {
    if (announcer_ != nullptr && window_ != nullptr && window_->isVisible() && !text.empty()) {
        announcer_->announce(toQString(text));
    }
}

void QtPlatform::beep() { bell_(); }

// Read back: a platform without a clipboard (Wayland without focus, a
// sandbox) takes the text and keeps nothing.
bool QtPlatform::copyText(std::u16string_view text) {
    const QString copied = toQString(text);
    QGuiApplication::clipboard()->setText(copied);
    return QGuiApplication::clipboard()->text() == copied;
}

AppInfo QtPlatform::appInfo() const { return info_; }

}  // namespace velbarino::qt
