#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The Windows programs this toolbox replaces read and wrote text in the Chinese
// ANSI code page (936). Files and replies that peers rely on keep that encoding.

// Decodes bytes in a named charset. "gb2312" decodes as GBK, which is what
// Windows really does with that name; "utf-8" drops a leading byte order mark.
// An unknown charset name is a failure.
std::optional<QString> decodeBytes(const QByteArray &bytes, const QString &charset);

// Text in the ANSI code page (GBK). Each character GBK lacks, visible or not, is
// written as one "?" (a surrogate pair is one character).
QByteArray encodeAnsi(const QString &text);
QString decodeAnsi(const QByteArray &bytes);
