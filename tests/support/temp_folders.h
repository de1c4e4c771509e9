#pragma once

#include "platform/paths.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A program folder, a profile folder, a drive root and a temporary folder of the
// test's own, removed when the test ends.
class TempFolders
{
public:
    TempFolders();

    Paths paths() const;
    QString program(const QString &relative = {}) const;
    QString profile(const QString &relative = {}) const;
    QString drive(const QString &relative = {}) const;
    QString temp(const QString &relative = {}) const;

    static bool writeFile(const QString &path, const QByteArray &bytes);
    static QByteArray readFile(const QString &path);
    // The permission bits of a file or folder; -1 when there is none.
    static int modeOf(const QString &path);

private:
    QTemporaryDir root;
};
