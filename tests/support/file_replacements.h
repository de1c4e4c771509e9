#pragma once

#include <QString>

// Counts the times a file is replaced by a rename into its folder, as every safe
// write replaces it, from the moment the object is made; the folder must exist.
class FileReplacements
{
public:
    explicit FileReplacements(const QString &path);
    ~FileReplacements();
    FileReplacements(const FileReplacements &) = delete;
    FileReplacements &operator=(const FileReplacements &) = delete;

    // The replacements so far; -1 when the folder cannot be watched.
    int count();

private:
    QString name;
    int watcher = -1;
    int seen = 0;
};
