// The toolkit's floor for the start-up benchmark: a bare Qt 6 window with the
// same controls at the same places and nothing behind them.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("Fine Programma"));
    window.menuBar()->addMenu(QStringLiteral("&?"))->addAction(QStringLiteral("Informazioni su..."));
    auto* client = new QWidget(&window);
    client->setFixedSize(202, 197);
    window.setCentralWidget(client);
    (new QLabel(QStringLiteral("Azione"), client))->setGeometry(16, 16, 169, 17);
    auto* list = new QComboBox(client);
    list->setGeometry(16, 32, 169, 21);
    list->addItems({QStringLiteral("EAN-13: calcolo checksum"), QStringLiteral("EAN-13: verifica di validita"),
                    QStringLiteral("EAN-8: calcolo checksum"), QStringLiteral("EAN-8: verifica di validita")});
    (new QLabel(QStringLiteral("Codice (12 caratteri)"), client))->setGeometry(16, 72, 169, 17);
    (new QLineEdit(client))->setGeometry(16, 88, 129, 19);
    (new QPushButton(QStringLiteral("..."), client))->setGeometry(152, 88, 33, 19);
    for (QRect r : {QRect(16, 128, 73, 17), QRect(96, 128, 89, 17), QRect(16, 144, 81, 19), QRect(96, 144, 89, 19)}) {
        auto* label = new QLabel(client);
        label->setGeometry(r);
        label->hide();
    }
    window.show();
    return QApplication::exec();
}
