#pragma once

#include <QString>
#include <QStringList>

// The codes of a package's artwork: for each file of `folder` matching `pattern`, in
// name order, its name up to the first "." ("0123.gif" gives "0123").
QStringList artworkCodes(const QString &folder, const QString &pattern);

// Saves a spreadsheet under `fullName` listing those codes in column A from row 1,
// each as a text cell so that leading zeros stay. A folder without matching files
// gives a spreadsheet without rows. False when the file could not be written.
bool writeCodeSpreadsheet(const QString &folder, const QString &pattern, const QString &fullName);
