#include "program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app_info.h"

namespace velbarino {

AppInfo applicationInfo() {
    return AppInfo{kAppTitle, kVersionMajor, kVersionMinor, kVersionRevision, kAppComments, kAppLegalCopyright};
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) icon.addFile(QStringLiteral(":/icons/velbarino-%1.png").arg(size), QSize(size, size));
    return icon;
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

Program::Program(qt::QtPlatform::EndProcess endProcess, qt::QtPlatform::Bell bell)
    : platform_(applicationInfo(), std::move(endProcess), std::move(bell)) {
    platform_.attach(&window_, window_.controls(), window_.announcer());
    window_.setWindowIcon(applicationIcon());
}

void Program::start() {
    form_.Form_Load();
    window_.showCentred();
}

}  // namespace velbarino
