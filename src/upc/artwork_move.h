#pragma once

#include <QString>

// Moves one file into `targetFolder` under its own name, replacing a file of that
// name there. The source is deleted only once its copy stands complete in the
// target folder with the same size; a failed copy leaves the source where it was
// (and an older file of that name in the target untouched). False when the file
// was not moved.
bool moveFileSafely(const QString &source, const QString &targetFolder);

// Moves the files at the 1-based positions `first` to `last` of the folder's
// name-ordered file list from `from` into `to`, ending early at the list's end.
// The list is taken once, before anything moves; a file that cannot be moved is
// left and the next one is taken.
void moveFiles(const QString &from, const QString &to, int first, int last);
