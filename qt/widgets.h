// The controls that need more than stock Qt widgets: the entry field, whose
// typed and composed characters pass the window's key filter before it
// applies them; a label that reports double-clicks; and the announcer that
// hands a screen reader what the window wants said.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <cstdint>
#include <functional>

namespace velbarino::qt {

class EntryField : public QLineEdit {
    Q_OBJECT
public:
    using KeyFilter = std::function<void(std::int16_t& code)>;
    /// Types committed text through the filter, calling back for each
    /// character to insert (Frm_Ean::typeCommitted).
    using CommitTyper = std::function<void(std::u16string_view text, const std::function<void(char16_t)>& insert)>;

    explicit EntryField(QWidget* parent = nullptr);
    void setKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }
    void setCommitTyper(CommitTyper typer) { commitTyper_ = std::move(typer); }

signals:
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    KeyFilter keyFilter_;
    CommitTyper commitTyper_;
};

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

/// An invisible, zero-sized widget with the accessible role "notification":
/// screen readers speak such an object, by name, as soon as it is shown.
class Announcer : public QLabel {
public:
    explicit Announcer(QWidget* parent);
    /// Shows @p text anew, so that it is spoken even when it did not change.
    void announce(const QString& text);
};

}  // namespace velbarino::qt
