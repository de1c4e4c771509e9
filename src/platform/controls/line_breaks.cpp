#include "platform/controls/line_breaks.h"

namespace LineBreaks {

namespace {

// The length in the held text of the character starting at i.
int heldLength(const QString &held, int i)
{
    return (held.at(i) == u'\r' && i + 1 < held.size() && held.at(i + 1) == u'\n') ? 2 : 1;
}

} // namespace

QString heldText(const QString &documentText)
{
    QString held;
    held.reserve(documentText.size());
    for (const QChar c : documentText) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n')
            held += QStringLiteral("\r\n");
        else
            held += c;
    }
    return held;
}

int documentPosition(const QString &held, int heldPosition)
{
    int position = 0;
    for (int i = 0; i < held.size();) {
        const int length = heldLength(held, i);
        if (i + length > heldPosition)
            break;
        i += length;
        ++position;
    }
    return position;
}

int heldPosition(const QString &held, int documentPosition)
{
    int i = 0;
    for (int position = 0; position < documentPosition && i < held.size(); ++position)
        i += heldLength(held, i);
    return i;
}

} // namespace LineBreaks
