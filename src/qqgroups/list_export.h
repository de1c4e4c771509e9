#pragma once

#include <QString>

class ListView;

// The cache files through which the exporter's lists reach the clipboard: one line
// per row, in the ANSI code page (GBK), cells joined by three blanks, the first cell
// padded to 8 bytes.

// `strIn` without leading and trailing spaces, padded with spaces to `lngFixStrLen`
// bytes of the ANSI code page (a Chinese character counts 2). An empty text, or one
// of that width or more, is not padded, and never cut.
QString SetStringFixedLength(const QString &strIn, int lngFixStrLen);

// A cell of a list view as the Windows list view hands it to an ANSI program: in the
// ANSI code page, cut to the 1023 bytes its buffer holds.
QString ansiCellText(const ListView &listView, int row, int column);

enum class ExportResult { Written, EmptyList, WriteFailed };

// Writes the list to the file, all of it or, when that fails, nothing: the file
// keeps what it held. An empty list writes nothing.
ExportResult ExportListViewContent(const ListView &objListView, const QString &strFilePath);
