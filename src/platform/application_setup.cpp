#include "platform/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void prepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

bool setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Skarvel"));
    QApplication::setQuitOnLastWindowClosed(false);
    auto *translator = new QTranslator(qApp);
    if (!translator->load(QStringLiteral("qt_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
