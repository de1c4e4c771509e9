#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "support/temp_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

class TestInstanceLock : public QObject
{
    Q_OBJECT

private slots:
    void locksOfTwoUsersAreApart();
    void makesAPrivateFolderWhenMissing();
    void refusesAFolderNotTheUsersOwn_data();
    void refusesAFolderNotTheUsersOwn();
    void runtimeFolderOfTheUser_data();
    void runtimeFolderOfTheUser();
};

// Each user's copy locks in that user's runtime folder, so one running copy
// never keeps another user's from starting.
void TestInstanceLock::locksOfTwoUsersAreApart()
{
    TempFolders folders;
    QVERIFY(QDir().mkdir(folders.temp("first"),
                         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(QDir().mkdir(folders.temp("second"),
                         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    InstanceLock first(folders.temp("first"));
    InstanceLock second(folders.temp("second"));
    QVERIFY(first.claim("Skarvel"));
    QVERIFY(second.claim("Skarvel"));
    InstanceLock again(folders.temp("first"));
    QVERIFY(!again.claim("Skarvel"));
}

void TestInstanceLock::makesAPrivateFolderWhenMissing()
{
    TempFolders folders;
    const QString folder = folders.temp(QStringLiteral("skarvel-%1").arg(geteuid()));
    InstanceLock lock(folder);
    QVERIFY(lock.claim("Skarvel"));
    QVERIFY(QFile::exists(QDir(folder).filePath("Skarvel.lock")));
    struct stat info
    {
    };
    QCOMPARE(::stat(QFile::encodeName(folder).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0700));
}

void TestInstanceLock::refusesAFolderNotTheUsersOwn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("mode");
    QTest::newRow("another user's folder") << "other owner" << 0700;
    QTest::newRow("a folder anyone may write into") << "open" << 01777;
    QTest::newRow("a folder the group may write into") << "open" << 0770;
    QTest::newRow("a link to a folder") << "link" << 0700;
}

// A lock in a folder that someone else controls could be removed or held by them.
void TestInstanceLock::refusesAFolderNotTheUsersOwn()
{
    QFETCH(QString, kind);
    QFETCH(int, mode);
    TempFolders folders;
    const QString folder = folders.temp("runtime");
    const QByteArray name = QFile::encodeName(folder);
    if (kind == "link") {
        QVERIFY(QDir().mkdir(folders.temp("real")));
        QVERIFY(QFile::link(folders.temp("real"), folder));
    } else {
        QVERIFY(QDir().mkdir(folder));
        if (kind == "open")
            QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);
        else if (::geteuid() != 0 || ::chown(name.constData(), 65534, 65534) != 0)
            QSKIP("only root can give a folder to another user");
    }
    InstanceLock lock(folder);
    QVERIFY(!lock.claim("Skarvel"));
    QVERIFY(!QFile::exists(QDir(folder).filePath("Skarvel.lock")));
}

void TestInstanceLock::runtimeFolderOfTheUser_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QByteArray>("runtime");
    QTest::newRow("the session's runtime folder") << true << QByteArray("/run/user/1000");
    QTest::newRow("no runtime folder") << false << QByteArray();
    QTest::newRow("an empty runtime folder") << true << QByteArray();
}

// Without a runtime folder of the session's, the user's own folder is under the
// temporary folder that all users share.
void TestInstanceLock::runtimeFolderOfTheUser()
{
    QFETCH(bool, set);
    QFETCH(QByteArray, runtime);
    TempFolders folders;
    const QString expected = runtime.isEmpty() ? QFileInfo(folders.temp()).canonicalFilePath() +
                                                     QStringLiteral("/skarvel-%1").arg(geteuid())
                                               : QString::fromUtf8(runtime);

    const std::optional<QByteArray> savedRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")
                                                       ? std::optional(qgetenv("XDG_RUNTIME_DIR"))
                                                       : std::nullopt;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(folders.temp()));
    if (set)
        qputenv("XDG_RUNTIME_DIR", runtime);
    else
        qunsetenv("XDG_RUNTIME_DIR");
    const QString folder = Paths::fromEnvironment().runtimeDir;
    qputenv("TMPDIR", savedTemp);
    if (savedRuntime)
        qputenv("XDG_RUNTIME_DIR", *savedRuntime);
    else
        qunsetenv("XDG_RUNTIME_DIR");

    QCOMPARE(folder, expected);
}

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instance_lock.moc"
