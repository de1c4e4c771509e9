#include "main/form1.h"
#include "platform/dialogs.h"
#include "platform/instance_lock.h"
#include "support/fake_services.h"
#include "support/fake_web.h"
#include "support/test_main.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QtTest>

namespace {

const QString ownVersion = QStringLiteral("V3.90(2014.3.12更新)");
const QString versionDesign = QStringLiteral("正在获取最新版本信息");
const QString noticeDesign = QStringLiteral("正在获取最新公告信息...\r\n");
const QString announcementPath = QStringLiteral("/announcement.html");

QString updatePromptFor(const QString &version)
{
    return QStringLiteral("软件有新版本") + version +
           QStringLiteral(
               "，请删除旧版本，下载并安装最新版本！按“确定”下载最新版本，按“取消”退出程序！");
}

// The program's start-up against a maker's site played by a local server.
struct Startup
{
    explicit Startup(const QString &webBase = {})
        : fake(webBase)
    {}

    QString settingsCopy(const QString &folder) const
    {
        return folder.isEmpty() ? fake.folders.program("orvo_upc.ini")
                                : fake.folders.profile(folder + "/orvo_upc.ini");
    }

    FakeServices fake;
    Form1 form{fake.services};
};

} // namespace

class TestForm1Startup : public QObject
{
    Q_OBJECT

private slots:
    void announcement_data();
    void announcement();
    void updateQuestion_data();
    void updateQuestion();
    void unreachablePageAsksNothing();
    void probeDecidesWhetherThePageIsUsed();
    void fetchesThePageThenProbesIt();
    void settingsCopies_data();
    void settingsCopies();
    void createsTheFolders();
    void aFolderThatCannotBeMadeIsSkipped();
    void preparesTheToolList();
    void webPanelLoadsTheMakersPage();
    void mainWindowAppearsAtTheFirstTick();
    void secondInstanceReportsAndEnds();
    void latestVersionLabelOpensTheUpdatePackage();
};

void TestForm1Startup::announcement_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("notice");

    QTest::newRow("version and notice")
        << QStringLiteral("<p>最新版本：V3.90(2014.3.12更新)版本信息结束</p>"
                          "<p>最新公告：新年快乐！\r\n欢迎使用公告信息结束</p>")
        << ownVersion << QStringLiteral("新年快乐！\r\n欢迎使用");
    QTest::newRow("no markers") << QStringLiteral("<html>维护中</html>") << versionDesign
                                << noticeDesign;
    QTest::newRow("notice only") << QStringLiteral("最新公告：停机公告信息结束") << versionDesign
                                 << QStringLiteral("停机");
    QTest::newRow("notice without closing marker")
        << QStringLiteral("最新版本：V3.90(2014.3.12更新)版本信息结束最新公告：末尾的公告")
        << ownVersion << QStringLiteral("末尾的公告");
    QTest::newRow("empty notice")
        << QStringLiteral("最新版本：V3.90(2014.3.12更新)版本信息结束最新公告：公告信息结束")
        << ownVersion << QString();
    QTest::newRow("opening marker ends the page")
        << QStringLiteral("最新版本：V3.90(2014.3.12更新)版本信息结束最新公告：") << ownVersion
        << noticeDesign;
}

// Pages that announce no other version: the labels are filled and nothing is asked.
void TestForm1Startup::announcement()
{
    QFETCH(QString, page);
    QFETCH(QString, version);
    QFETCH(QString, notice);
    FakeWeb web;
    web.route(announcementPath, page, "gb2312");
    Startup startup(web.baseUrl());

    startup.form.load();

    QCOMPARE(startup.form.Label67.Caption(), version);
    QCOMPARE(startup.form.Text12.text(), notice);
    QVERIFY(startup.fake.dialogs.shown().isEmpty());
    QVERIFY(!startup.fake.services.programEnded());
    QCOMPARE(startup.form.Timer1.Interval(), 3000);
}

void TestForm1Startup::updateQuestion_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("version");
    QTest::addColumn<MsgResult>("answer");

    QTest::newRow("new version, OK") << QStringLiteral("最新版本：V4.00(2014.6.1更新)版本信息结束")
                                     << QStringLiteral("V4.00(2014.6.1更新)") << MsgResult::Ok;
    QTest::newRow("new version, Cancel")
        << QStringLiteral("最新版本：V4.00(2014.6.1更新)版本信息结束")
        << QStringLiteral("V4.00(2014.6.1更新)") << MsgResult::Cancel;
    QTest::newRow("blank before the parenthesis")
        << QStringLiteral("最新版本：V3.90 (2014.3.12更新)版本信息结束")
        << QStringLiteral("V3.90 (2014.3.12更新)") << MsgResult::Cancel;
    QTest::newRow("closing marker missing")
        << QStringLiteral("最新版本：V4.00 请尽快更新") << QStringLiteral("V4.00 请尽快更新")
        << MsgResult::Cancel;
    QTest::newRow("empty version")
        << QStringLiteral("最新版本：版本信息结束") << QString() << MsgResult::Ok;
    QTest::newRow("markup stays text") << QStringLiteral("最新版本：<b>V4</b>版本信息结束")
                                       << QStringLiteral("<b>V4</b>") << MsgResult::Cancel;
}

// Another announced version asks; OK opens the package, and either answer ends.
void TestForm1Startup::updateQuestion()
{
    QFETCH(QString, page);
    QFETCH(QString, version);
    QFETCH(MsgResult, answer);
    FakeWeb web;
    web.route(announcementPath, page, "gb2312");
    Startup startup(web.baseUrl());
    startup.fake.dialogs.queueAnswer(answer);

    startup.form.load();

    QCOMPARE(startup.form.Label67.Caption(), version);
    QCOMPARE(startup.form.Label67.widget()->textFormat(), Qt::PlainText);
    QCOMPARE(startup.fake.dialogs.shown().size(), 1);
    const ScriptedDialogs::Shown box = startup.fake.dialogs.shown().first();
    QCOMPARE(box.prompt, updatePromptFor(version));
    QCOMPARE(box.title, QStringLiteral("Skarvel提醒您"));
    QCOMPARE(box.style, 33);
    const QStringList opened =
        answer == MsgResult::Ok ? QStringList{web.baseUrl() + "/Skarvel.rar"} : QStringList{};
    QCOMPARE(startup.fake.shell.addresses, opened);
    QVERIFY(startup.fake.services.programEnded());
    // Nothing after the question runs: the timer is never armed.
    QCOMPARE(startup.form.Timer1.Interval(), 0);
    // The steps before the question have run.
    QVERIFY(QFileInfo(startup.fake.folders.program("orvoupc/Artwork")).isDir());
}

void TestForm1Startup::unreachablePageAsksNothing()
{
    Startup startup; // every connection refused

    startup.form.load();

    QCOMPARE(startup.form.Label67.Caption(), QStringLiteral("网络异常！"));
    QCOMPARE(startup.form.Text12.text(), noticeDesign);
    QVERIFY(startup.fake.dialogs.shown().isEmpty());
    QVERIFY(!startup.fake.services.programEnded());
    QCOMPARE(startup.form.Timer1.Interval(), 3000);
}

// The page came back, but the second request got nothing: the page is not used.
void TestForm1Startup::probeDecidesWhetherThePageIsUsed()
{
    FakeWeb web;
    const QString page = QStringLiteral("最新版本：V4.00版本信息结束最新公告：你好公告信息结束");
    web.route(announcementPath, [page](const FakeWeb::Request &request) {
        FakeWeb::Reply reply;
        if (request.hasHeader("If-Modified-Since"))
            reply.body = page.toUtf8();
        return reply;
    });
    Startup startup(web.baseUrl());

    startup.form.load();

    QCOMPARE(startup.form.Label67.Caption(), QStringLiteral("网络异常！"));
    QCOMPARE(startup.form.Text12.text(), noticeDesign);
    QVERIFY(startup.fake.dialogs.shown().isEmpty());
}

void TestForm1Startup::fetchesThePageThenProbesIt()
{
    FakeWeb web;
    web.route(announcementPath, QStringLiteral("最新版本：V3.90(2014.3.12更新)版本信息结束"),
              "gb2312");
    Startup startup(web.baseUrl());

    startup.form.load();

    QList<FakeWeb::Request> announcementRequests;
    for (const FakeWeb::Request &request : web.requests())
        if (request.path == announcementPath.toUtf8())
            announcementRequests.append(request);
    QCOMPARE(announcementRequests.size(), 2);
    QCOMPARE(announcementRequests[0].header("If-Modified-Since"), QByteArray("0"));
    QVERIFY(!announcementRequests[1].hasHeader("If-Modified-Since"));
}

void TestForm1Startup::settingsCopies_data()
{
    // Which copies exist before the start: the program folder's, "My Documents"'s and
    // "Documents"'s, each with its own content; and what each holds afterwards
    // (empty: still missing).
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QByteArray>("myDocuments");
    QTest::addColumn<QByteArray>("documents");
    QTest::addColumn<QByteArray>("programAfter");
    QTest::addColumn<QByteArray>("myDocumentsAfter");
    QTest::addColumn<QByteArray>("documentsAfter");

    QTest::newRow("none") << QByteArray() << QByteArray() << QByteArray() << QByteArray()
                          << QByteArray() << QByteArray();
    QTest::newRow("program only") << QByteArray("P") << QByteArray() << QByteArray()
                                  << QByteArray("P") << QByteArray("P") << QByteArray("P");
    QTest::newRow("My Documents only") << QByteArray() << QByteArray("M") << QByteArray()
                                       << QByteArray("M") << QByteArray("M") << QByteArray();
    QTest::newRow("Documents only") << QByteArray() << QByteArray() << QByteArray("D")
                                    << QByteArray("D") << QByteArray() << QByteArray("D");
    QTest::newRow("program and My Documents")
        << QByteArray("P") << QByteArray("M") << QByteArray() << QByteArray("P") << QByteArray("M")
        << QByteArray("P");
    QTest::newRow("program and Documents") << QByteArray("P") << QByteArray() << QByteArray("D")
                                           << QByteArray("P") << QByteArray("P") << QByteArray("D");
    QTest::newRow("both profile copies") << QByteArray() << QByteArray("M") << QByteArray("D")
                                         << QByteArray("M") << QByteArray("M") << QByteArray("D");
    QTest::newRow("all three") << QByteArray("P") << QByteArray("M") << QByteArray("D")
                               << QByteArray("P") << QByteArray("M") << QByteArray("D");
}

void TestForm1Startup::settingsCopies()
{
    QFETCH(QByteArray, program);
    QFETCH(QByteArray, myDocuments);
    QFETCH(QByteArray, documents);
    QFETCH(QByteArray, programAfter);
    QFETCH(QByteArray, myDocumentsAfter);
    QFETCH(QByteArray, documentsAfter);
    Startup startup;
    const QList<QPair<QString, QByteArray>> before = {
        {QString(), program}, {"My Documents", myDocuments}, {"Documents", documents}};
    for (const auto &[folder, content] : before)
        if (!content.isEmpty())
            QVERIFY(TempFolders::writeFile(startup.settingsCopy(folder), content));

    startup.form.load();

    const QList<QPair<QString, QByteArray>> after = {{QString(), programAfter},
                                                     {"My Documents", myDocumentsAfter},
                                                     {"Documents", documentsAfter}};
    for (const auto &[folder, content] : after) {
        const QString path = startup.settingsCopy(folder);
        QCOMPARE(QFileInfo(path).isFile(), !content.isEmpty());
        QCOMPARE(TempFolders::readFile(path), content);
    }
}

void TestForm1Startup::createsTheFolders()
{
    Startup startup;

    startup.form.load();

    for (const QString &folder : {"My Documents", "Documents"})
        QVERIFY(QFileInfo(startup.fake.folders.profile(folder)).isDir());
    for (const QString &folder : {"orvoupc", "orvoupc/Artwork"})
        QVERIFY(QFileInfo(startup.fake.folders.program(folder)).isDir());
}

// A file where the "Documents" folder should be: that folder and its copy are
// skipped, and every other step still runs.
void TestForm1Startup::aFolderThatCannotBeMadeIsSkipped()
{
    Startup startup;
    QVERIFY(TempFolders::writeFile(startup.fake.folders.profile("Documents"), "not a folder"));
    QVERIFY(TempFolders::writeFile(startup.settingsCopy(QString()), "P"));

    startup.form.load();

    QCOMPARE(TempFolders::readFile(startup.settingsCopy("My Documents")), QByteArray("P"));
    QVERIFY(QFileInfo(startup.fake.folders.profile("Documents")).isFile());
    QVERIFY(QFileInfo(startup.fake.folders.program("orvoupc/Artwork")).isDir());
    QCOMPARE(startup.form.Timer1.Interval(), 3000);
}

void TestForm1Startup::preparesTheToolList()
{
    Startup startup;
    QCOMPARE(startup.form.Combo5.ListIndex(), -1);

    startup.form.load();

    QStringList items;
    for (int i = 0; i < startup.form.Combo5.ListCount(); ++i)
        items.append(startup.form.Combo5.List(i));
    QCOMPARE(items, QStringList({"请点击下拉框选择", "关键词抓取器", "FBA发货计算器",
                                 "WF卡收款计算器", "GS1授权UPC码打包器", "生成器UPC码打包器"}));
    QCOMPARE(startup.form.Combo5.ListIndex(), 0);
    QCOMPARE(startup.form.Combo5.text(), QStringLiteral("请点击下拉框选择"));
    QVERIFY(startup.fake.shell.addresses.isEmpty());
}

void TestForm1Startup::webPanelLoadsTheMakersPage()
{
    FakeWeb web;
    web.route("/panel.html", QStringLiteral("<html><body>面板</body></html>"));
    Startup startup(web.baseUrl());

    startup.form.load();

    const auto panelRequested = [&web] {
        for (const FakeWeb::Request &request : web.requests())
            if (request.path == "/panel.html")
                return true;
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(panelRequested(), 30000);
}

void TestForm1Startup::mainWindowAppearsAtTheFirstTick()
{
    Startup startup;

    startup.form.load();
    QElapsedTimer sinceLoad;
    sinceLoad.start();

    QVERIFY(startup.form.splash.isVisible());
    QVERIFY(!startup.form.isVisible());
    QCOMPARE(startup.form.Timer1.Interval(), 3000);
    QVERIFY(startup.form.Timer1.Enabled());

    QTRY_VERIFY_WITH_TIMEOUT(startup.form.isVisible(), 10000);
    QVERIFY2(sinceLoad.elapsed() >= 3000, qPrintable(QString::number(sinceLoad.elapsed())));
    QVERIFY(!startup.form.splash.isVisible());
    QVERIFY(!startup.form.Timer1.Enabled());
    QVERIFY(startup.fake.dialogs.shown().isEmpty());
    QVERIFY(!startup.fake.services.programEnded());

    // The first instance holds the lock from now on.
    InstanceLock other(startup.fake.folders.temp());
    QVERIFY(!other.claim(QStringLiteral("Skarvel")));
}

void TestForm1Startup::secondInstanceReportsAndEnds()
{
    Startup startup;
    InstanceLock running(startup.fake.folders.temp());
    QVERIFY(running.claim(QStringLiteral("Skarvel")));
    startup.form.load();

    QTRY_VERIFY_WITH_TIMEOUT(startup.fake.services.programEnded(), 10000);

    QCOMPARE(startup.fake.dialogs.shown().size(), 1);
    const ScriptedDialogs::Shown box = startup.fake.dialogs.shown().first();
    QCOMPARE(box.prompt, QStringLiteral("您好，程序已在运行，请查看任务栏或系统托盘！"));
    QCOMPARE(box.title, QStringLiteral("错误，程序已启动，请勿重复运行！"));
    QCOMPARE(box.style, 64);
    QVERIFY(!startup.form.Timer1.Enabled());
}

void TestForm1Startup::latestVersionLabelOpensTheUpdatePackage()
{
    FakeWeb web;
    Startup startup(web.baseUrl());
    startup.form.load();
    startup.form.show();

    QTest::mouseClick(startup.form.Label67.widget(), Qt::LeftButton);

    QCOMPARE(startup.fake.shell.addresses, QStringList{web.baseUrl() + "/Skarvel.rar"});
    QVERIFY(!startup.fake.services.programEnded());
}

SKARVEL_TEST_MAIN(TestForm1Startup)
#include "tst_form1_startup.moc"
