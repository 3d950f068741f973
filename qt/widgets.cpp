#include "widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

#include "frm_ean.h"
#include "key_ascii.h"
#include "key_codes.h"

namespace velbarino::qt {
namespace {

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<QLabel*>(widget())->text() : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* announcerFactory(const QString&, QObject* object) {
    auto* announcer = dynamic_cast<Announcer*>(object);
    return announcer != nullptr ? new AnnouncerAccessible(announcer) : nullptr;
}

}  // namespace

EntryField::EntryField(QWidget* parent) : QLineEdit(parent) {
    // Input methods stay off; composed text still arrives, as inputMethodEvent.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void EntryField::keyPressEvent(QKeyEvent* event) {
    if (const auto code = characterCode(*event); code && keyFilter_) {
        std::int16_t filtered = *code;
        keyFilter_(filtered);
        // A refused key goes no further, and Enter has run the action: the
        // field would only announce it again (returnPressed, editingFinished).
        if (filtered == keys::Dropped || filtered == keys::Enter) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

// Dead keys and Compose sequences commit their text here, never through
// keyPressEvent: each character passes the same filter as a typed one, and
// the length the filter sees grows with each character let in.
void EntryField::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commitTyper_) {
        commitTyper_({reinterpret_cast<const char16_t*>(commit.utf16()), static_cast<std::size_t>(commit.size())},
                     [this](char16_t character) {
                         QInputMethodEvent one;
                         one.setCommitString(QString(QChar(character)));
                         QLineEdit::inputMethodEvent(&one);
                     });
    }
    event->accept();  // no preedit text: nothing shows that the filter has not seen
}

// Qt's own menu, without the shortcuts that the key filter refuses (Ctrl+C,
// Ctrl+X, Ctrl+Z, Ctrl+A...): the menu must not advertise dead keys. The
// entries themselves stay.
void EntryField::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto actions = menu->actions();
    for (QAction* action : actions) {
        const QString text = action->text();
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab < 0) continue;
        const QKeySequence shortcut = QKeySequence::fromString(text.mid(tab + 1), QKeySequence::NativeText);
        if (shortcut.isEmpty()) continue;
        const QKeyCombination key = shortcut[0];
        const auto code = characterCode(key.key(), key.keyboardModifiers(), QString());
        if (code && *code < keys::FirstPrintable && !Frm_Ean::passesControlKey(*code)) action->setText(text.left(tab));
    }
    menu->popup(event->globalPos());
}

void EntryField::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);  // the field's own word selection first, then the handler
    emit doubleClicked();
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

Announcer::Announcer(QWidget* parent) : QLabel(parent) {
    // After QApplication's own widget factory, so that this one is asked first.
    static const bool installed = (QAccessible::installFactory(announcerFactory), true);
    (void)installed;
    setObjectName(QStringLiteral("Announcer"));
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::announce(const QString& text) {
    hide();
    setText(text);
    show();  // raises "showing": the screen reader speaks the new name
}

}  // namespace velbarino::qt
