#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void DesktopShell::openAddress(const QString &address)
{
    // The address is sent as written: its escapes are the service's, not ours.
    QDesktopServices::openUrl(QUrl::fromEncoded(address.toUtf8(), QUrl::TolerantMode));
}

void DesktopShell::openFolder(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopShell::startCalculator()
{
    const char *calculators[] = {"gnome-calculator", "kcalc",         "galculator",
                                 "mate-calc",        "qalculate-gtk", "xcalc"};
    for (const char *name : calculators) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty()) {
            QProcess::startDetached(program, {});
            return;
        }
    }
}
