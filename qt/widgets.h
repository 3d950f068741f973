// The two controls that need more than stock Qt widgets: the entry field, whose
// typed characters pass the window's key filter before it applies them, and a
// label that reports double-clicks.
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

    explicit EntryField(QWidget* parent = nullptr);
    void setKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }

signals:
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    KeyFilter keyFilter_;
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

}  // namespace velbarino::qt
