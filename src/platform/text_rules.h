#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The Windows text functions the windows are written against, where they differ
// from Qt's own. Every comparison is exact: case-sensitive, no trimming. An
// argument Windows refuses (a start before the first character, a negative
// length) is a failing step: no value.

// The pieces of a text between every occurrence of the delimiter, empty pieces
// included. An empty text has no pieces at all; a text without the delimiter,
// or an empty delimiter, is one piece.
QStringList Split(const QString &text, const QString &delimiter);

// The 1-based position of the first occurrence of `find` at or after `start`,
// 0 when there is none. In an empty text nothing is found; an empty `find` is
// found at `start` itself while that lies within the text or just after it.
std::optional<int> InStr(int start, const QString &text, const QString &find);
int InStr(const QString &text, const QString &find);

// The characters from the 1-based position `start`, to the end or `length` of
// them; empty when `start` lies beyond the text.
std::optional<QString> Mid(const QString &text, int start);
std::optional<QString> Mid(const QString &text, int start, int length);

// Every occurrence of `find`, searched left to right without overlap, replaced.
// An empty `find` leaves the text as it is.
QString Replace(const QString &text, const QString &find, const QString &with);

// The text without leading and trailing spaces; tabs and other blanks stay.
QString Trim(const QString &text);

// The length of a text in bytes of the ANSI code page: 2 for each Chinese
// character, 1 for a character the code page lacks (it is written as "?").
qsizetype ansiByteLength(const QString &text);
