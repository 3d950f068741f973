#include "program.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "app_info.h"

// The icons live in this static library: register them before first use.
static void registerIcons() { Q_INIT_RESOURCE(icons); }

namespace velbarino::qt {
namespace {

bool displayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

QIcon applicationIcon() {
    registerIcons();
    QIcon icon;
    for (int size : {16, 32, 64}) icon.addFile(QStringLiteral(":/icons/velbarino-%1.png").arg(size), QSize(size, size));
    return icon;
}

Program::Program(QtPlatform::EndProcess endProcess) : platform_(std::move(endProcess)) {
    platform_.attach(&window_, window_.controls());
    window_.setWindowIcon(applicationIcon());
}

void Program::start() {
    form_.Form_Load();
    window_.adjustSize();
    window_.setFixedSize(window_.sizeHint());
    if (const QScreen* screen = window_.screen()) {
        QRect frame = window_.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window_.move(frame.topLeft());
    }
    window_.show();
    if (QWidget* first = window_.firstFocusControl()) first->setFocus(Qt::ActiveWindowFocusReason);
}

void useItalian() {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    auto* translator = new QTranslator(qApp);
    if (translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

int run(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "Velbarino: nessuno schermo disponibile (DISPLAY non impostato).\n"
                     "Velbarino needs a graphical display: start it from a desktop session, or set DISPLAY.\n");
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppName));
    QApplication::setApplicationVersion(QString::fromLatin1(kAppVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velbarino.Velbarino"));
    QApplication::setWindowIcon(applicationIcon());
    useItalian();

    Program program;
    program.start();
    return QApplication::exec();
}

}  // namespace velbarino::qt
