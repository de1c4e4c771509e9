#pragma once

#include <QString>

// A settings file in the Windows profile format: "[section]" lines and
// "key=value" lines, stored in the ANSI code page with CR LF line ends. Sections
// and keys match without regard to case. Values come back as through a 255-byte
// buffer: at most 254 bytes, never ending in half a character.
class ProfileIni
{
public:
    explicit ProfileIni(const QString &path);

    QString path() const { return filePath; }

    // The value, or `fallback` when the file, the section or the key is missing.
    // Section and key count up to their first line break, as when written.
    QString read(const QString &section, const QString &key, const QString &fallback) const;

    // Replaces the key's value in place, or adds the key (and the section) when
    // missing. Section, key and value are each written up to their first line
    // break (CR or LF), so no text ever adds a line of its own to the file. The file is written
    // whole to a new file and renamed into place, so a failed write leaves the old file as it was.
    // The read, the change and the rename are done under one lock of the file, so
    // writers in other processes never lose each other's keys. False when the write failed,
    // also when another writer kept the lock longer than the current user action may still wait
    // in all (a second or two, however many keys it writes).
    bool write(const QString &section, const QString &key, const QString &value) const;

private:
    QString filePath;
};
