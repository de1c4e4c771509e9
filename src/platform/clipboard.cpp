#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

QString SystemClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

void SystemClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}
