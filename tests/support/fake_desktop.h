#pragma once

#include "platform/clipboard.h"
#include "platform/shell.h"
#include "platform/tray_icon.h"

#include <QStringList>

// Records what the program asked of the desktop instead of doing it.
class FakeShell : public Shell
{
public:
    void openAddress(const QString &address) override { addresses.append(address); }
    void openFolder(const QString &path) override { folders.append(path); }
    void startCalculator() override { ++calculatorStarts; }

    QStringList addresses;
    QStringList folders;
    int calculatorStarts = 0;
};

// A clipboard in memory; `failWrites` makes every write be lost, as when another
// program holds the clipboard.
class MemoryClipboard : public Clipboard
{
public:
    QString text() const override { return content; }
    void setText(const QString &text) override
    {
        if (!failWrites)
            content = text;
    }

    QString content;
    bool failWrites = false;
};

// A notification area the test controls; the test emits doubleClicked() and
// menuRequested() as the user's clicks.
class FakeTrayIcon : public TrayIcon
{
    Q_OBJECT
public:
    bool isAvailable() const override { return available; }
    void add(const QString &toolTip) override
    {
        if (!shown)
            ++adds;
        shown = true;
        tip = toolTip;
    }
    void remove() override { shown = false; }
    bool isShown() const override { return shown; }

    bool available = true;
    bool shown = false;
    int adds = 0;
    QString tip;
};
