// Velbarino: check digits of EAN-13 and EAN-8 barcode numbers.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app_info.h"
#include "program.h"
#include "texts.h"

namespace {

// Qt aborts without a display; a clear message and status 1 serve a user better.
bool displayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs(velbarino::texts::kNoDisplay, stderr);
        return EXIT_FAILURE;
    }
    auto application = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velbarino"));
    QApplication::setApplicationVersion(QString::fromLatin1(velbarino::kAppVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velbarino.Velbarino"));
    QApplication::setWindowIcon(velbarino::applicationIcon());
    velbarino::useItalian();

    // The program ends at once, yet Qt's own shutdown comes first: on X11 it
    // hands what the user copied to the desktop's clipboard manager, which
    // ending the process alone would lose. Only Qt runs in between, never a
    // handler of ours, and nothing returns into the event loop.
    velbarino::Program program([&application] {
        application.reset();
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    });
    program.start();
    return QApplication::exec();
}
