// Answers the modal message boxes that a test provokes: records what each one
// showed, then presses its OK button, as a user would.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <vector>

namespace velbarino {

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;  // and with its one OK button
    QString behind;      // what @p behind read while the box was open
};

class MessageBoxes {
public:
    /// @p behind reads the window behind each box while it is open.
    explicit MessageBoxes(std::function<QString()> behind = {}) : behind_(std::move(behind)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(5);
    }

    std::vector<SeenBox> seen;

private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        seen.push_back({box->text(), box->windowTitle(), box->icon(), box->isModal() && box->buttons().size() == 1,
                        behind_ ? behind_() : QString()});
        if (ok != nullptr) ok->click();
    }

    std::function<QString()> behind_;

    QTimer timer_;
};

}  // namespace velbarino
