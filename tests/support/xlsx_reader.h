#pragma once

#include <QMap>
#include <QPair>
#include <QString>
#include <optional>

// Reads back the text cells of the first sheet of a spreadsheet file, keyed by
// (row, column) counted from 1. No value when the file is no spreadsheet.
std::optional<QMap<QPair<int, int>, QString>> readSpreadsheetCells(const QString &path);
