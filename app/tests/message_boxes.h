// Answers the modal message boxes that a test provokes: records what each one
// showed, then presses its OK button, as a user would.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <vector>

namespace velbarino {

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;  // and with its one OK button
};

class MessageBoxes {
public:
    MessageBoxes() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(5);
    }

    std::vector<SeenBox> seen;

private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        seen.push_back({box->text(), box->windowTitle(), box->icon(), box->isModal() && box->buttons().size() == 1});
        if (ok != nullptr) ok->click();
    }

    QTimer timer_;
};

}  // namespace velbarino
