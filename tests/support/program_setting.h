#pragma once

#include "support/fake_web.h"
#include "support/temp_folders.h"

#include <QProcessEnvironment>
#include <QString>

// The real program copied into a program folder of its own, with the maker's site
// played by a local server that announces the program's own version (so no update
// question comes), and every outside service pointed at that server.
class ProgramSetting
{
public:
    explicit ProgramSetting(const QString &program);

    bool ready() const;
    QString program() const;
    // The environment to start the program in on `display`: the endpoint file, and the
    // profile, home and temporary folders of the test's own.
    QProcessEnvironment environment(const QString &display) const;

    FakeWeb web;
    TempFolders folders;
};
