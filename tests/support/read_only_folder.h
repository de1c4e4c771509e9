#pragma once

#include <QString>

// Makes a folder refuse new files for as long as the object lives: its write
// permissions are taken away and, where that is not enough (a test running as
// root), it is marked immutable. `isReadOnly()` tells whether either worked.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool isReadOnly() const { return readOnly; }

private:
    bool setImmutable(bool on) const;
    bool refusesNewFiles() const;

    QString path;
    bool immutable = false;
    bool readOnly = false;
};
