#include "net/cut_between.h"

std::optional<QString> CutBetween(const QString &text, const QString &open, const QString &close)
{
    if (open.isEmpty())
        return std::nullopt;
    const qsizetype found = text.indexOf(open);
    if (found < 0)
        return std::nullopt;
    const qsizetype start = found + open.size();
    const qsizetype nextOpen = text.indexOf(open, start);
    const QString piece = text.mid(start, nextOpen < 0 ? -1 : nextOpen - start);
    if (piece.isEmpty())
        return std::nullopt;
    if (close.isEmpty())
        return piece;
    const qsizetype end = piece.indexOf(close);
    return end < 0 ? piece : piece.left(end);
}
