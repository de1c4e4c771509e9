#include "platform/text_rules.h"

#include "platform/code_page.h"

QStringList Split(const QString &text, const QString &delimiter)
{
    if (text.isEmpty())
        return {};
    if (delimiter.isEmpty())
        return {text};
    return text.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

std::optional<int> InStr(int start, const QString &text, const QString &find)
{
    if (start < 1)
        return std::nullopt;
    if (text.isEmpty())
        return 0;
    if (find.isEmpty())
        return start <= text.size() + 1 ? start : 0;
    if (start > text.size())
        return 0;
    return int(text.indexOf(find, start - 1, Qt::CaseSensitive)) + 1;
}

int InStr(const QString &text, const QString &find)
{
    return *InStr(1, text, find);
}

std::optional<QString> Mid(const QString &text, int start)
{
    if (start < 1)
        return std::nullopt;
    return text.mid(start - 1);
}

std::optional<QString> Mid(const QString &text, int start, int length)
{
    if (start < 1 || length < 0)
        return std::nullopt;
    return text.mid(start - 1, length);
}

QString Replace(const QString &text, const QString &find, const QString &with)
{
    if (find.isEmpty())
        return text;
    return QString(text).replace(find, with, Qt::CaseSensitive);
}

QString Trim(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

qsizetype ansiByteLength(const QString &text)
{
    return encodeAnsi(text).size();
}
