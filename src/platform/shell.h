#pragma once

#include <QString>

// Starting other programs: the browser for web addresses, the file manager for
// folders, the desktop calculator. A failure is ignored, never fatal.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void openAddress(const QString &address) = 0;
    virtual void openFolder(const QString &path) = 0;
    virtual void startCalculator() = 0;
};

class DesktopShell : public Shell
{
public:
    void openAddress(const QString &address) override;
    void openFolder(const QString &path) override;
    void startCalculator() override;
};
