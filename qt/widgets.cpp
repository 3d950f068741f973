#include "widgets.h"

#include <QKeyEvent>

#include "key_codes.h"

namespace velbarino::qt {

EntryField::EntryField(QWidget* parent) : QLineEdit(parent) {
    // Composed input would reach the text without a key code to filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void EntryField::keyPressEvent(QKeyEvent* event) {
    if (const auto code = characterCode(*event); code && keyFilter_) {
        std::int16_t filtered = *code;
        keyFilter_(filtered);
        if (filtered == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void EntryField::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);  // the field's own word selection first, then the handler
    emit doubleClicked();
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

}  // namespace velbarino::qt
