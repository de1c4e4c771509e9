#include "qqgroups/clipboard_text.h"

#include "platform/code_page.h"

#include <QStringList>

namespace {

QStringList textLines(const QString &text)
{
    QStringList lines;
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype end = text.indexOf('\r', position);
        if (end < 0) {
            lines.append(text.mid(position));
            break;
        }
        lines.append(text.mid(position, end - position));
        position = end + 1;
        if (position < text.size() && text[position] == '\n')
            ++position;
    }
    return lines;
}

} // namespace

QString clipboardText(const QByteArray &cacheFile, const std::optional<QString> &markerReplacement)
{
    QString text;
    // No marker starts before this position, so a pass over the whole text may begin
    // here and give the same text: the passes stay linear in the text's length.
    qsizetype clean = 0;
    for (const QString &line : textLines(decodeAnsi(cacheFile))) {
        text += line + "\r\n";
        if (!markerReplacement)
            continue;
        qsizetype from = clean;
        const qsizetype first = text.indexOf(memberCellMarker, clean);
        if (first >= 0) {
            QString rest = text.mid(first);
            text.truncate(first);
            text += rest.replace(memberCellMarker, *markerReplacement);
            // A replacement may complete a marker that began just before it.
            from = qMax<qsizetype>(0, first - (memberCellMarker.size() - 1));
        }
        const qsizetype left = text.indexOf(memberCellMarker, from);
        clean = left < 0 ? text.size() : left;
    }
    return text;
}
