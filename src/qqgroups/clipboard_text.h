#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Where the member lines hold the QQ number cell's closing tab, three blanks and the
// group number cell's opening tab.
inline const QString memberCellMarker = QStringLiteral("\t   \t");

// The clipboard text read back from a cache file (ANSI code page): every line, as
// Windows reads text lines (ended by CR LF or CR alone), followed by CR LF. With a
// replacement, every marker in the whole text read so far is replaced after each
// line, left to right, so a marker that a replacement forms anew is replaced by a
// later line's pass.
QString clipboardText(const QByteArray &cacheFile, const std::optional<QString> &markerReplacement);
