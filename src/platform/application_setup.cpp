#include "platform/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

bool installQtTranslation(const QString &catalogue)
{
    auto *translator = new QTranslator(qApp);
    if (!translator->load(catalogue, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

void prepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

bool setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Skarvel"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own catalogue holds only the widgets' texts; the web engine's (the pages'
    // right-click menus and script dialogs) come in a catalogue of their own.
    const bool widgets = installQtTranslation(QStringLiteral("qt_zh_CN"));
    const bool webEngine = installQtTranslation(QStringLiteral("qtwebengine_zh_CN"));
    return widgets && webEngine;
}
