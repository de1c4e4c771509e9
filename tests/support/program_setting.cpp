#include "support/program_setting.h"

#include "net/endpoints.h"

#include <QDir>
#include <QFile>

ProgramSetting::ProgramSetting(const QString &program)
{
    web.route(
        "/announcement.html",
        QStringLiteral("最新版本：V3.90(2014.3.12更新)版本信息结束最新公告：你好公告信息结束"),
        "gb2312");
    web.route("/panel.html", QStringLiteral("<html><body>Skarvel</body></html>"));

    QString hosts = "[hosts]\n";
    for (const QString &name : Endpoints::names())
        hosts += name + "=" + web.baseUrl() + "\n";
    TempFolders::writeFile(folders.temp("endpoints.ini"), hosts.toUtf8());
    QFile::copy(program, this->program());
}

bool ProgramSetting::ready() const
{
    return QFile::exists(program()) && QFile::exists(folders.temp("endpoints.ini"));
}

QString ProgramSetting::program() const
{
    return folders.program("skarvel");
}

QProcessEnvironment ProgramSetting::environment(const QString &display) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("SKARVEL_ENDPOINTS", folders.temp("endpoints.ini"));
    environment.insert("USERPROFILE", folders.profile());
    environment.insert("HOME", folders.drive());
    environment.insert("TMPDIR", folders.temp());
    environment.insert("XDG_RUNTIME_DIR", folders.temp());
    return environment;
}

void ProgramSetting::serveLoggingInPanel(const QByteArray &then)
{
    FakeWeb::Reply panel;
    const QByteArray script =
        "<script>for (var i = 0; i < " + QByteArray::number(scriptedCookies) +
        "; ++i) document.cookie = 'c' + i + '=v' + i + '; Max-Age=86400; Path=/';"
        "var picture = new Image(); picture.src = '/logged-in.png';"
        "document.body.appendChild(picture);" +
        then + "</script>";
    panel.body = "<html><body style='height: 100%'>Skarvel" + script + "</body></html>";
    panel.headers = {{"Set-Cookie", "skey=kept; Path=/; Max-Age=86400; HttpOnly"},
                     {"Cache-Control", "no-store"}};
    web.route("/panel.html", panel);
}

QList<QByteArray> ProgramSetting::cookiesInTheMirror() const
{
    QFile mirror(QDir(folders.paths().webProfileDir()).filePath("MirroredCookies"));
    QList<QByteArray> kept;
    if (mirror.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : mirror.readAll().split('\n')) {
            if (!line.isEmpty())
                kept.append(line.left(line.indexOf(';')));
        }
    }
    return kept;
}
