#pragma once

#include "support/fake_web.h"
#include "support/temp_folders.h"

#include <QByteArray>
#include <QList>
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

    // How many cookies the logging-in panel's script sets, besides its login cookie.
    static constexpr int scriptedCookies = 60;
    // Makes the web panel's page log in with a cookie that has an expiry
    // ("skey=kept") and set scriptedCookies more at once ("c0=v0", ...) from its
    // script, which then asks for "/logged-in.png" with all of them and runs `then`.
    void serveLoggingInPanel(const QByteArray &then = {});
    // The cookies ("name=value") in the copy that the program's own requests take
    // theirs from, as its profile folder holds it now.
    QList<QByteArray> cookiesInTheMirror() const;

    FakeWeb web;
    TempFolders folders;
};
