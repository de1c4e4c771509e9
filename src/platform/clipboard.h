#pragma once

#include <QString>

class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
};

// The desktop's clipboard.
class SystemClipboard : public Clipboard
{
public:
    QString text() const override;
    void setText(const QString &text) override;
};
