#include "desktop_session.h"
#include "screen_reader.h"
#include "support/program_setting.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {

const QString mainWindow = QStringLiteral("Skarvel - Tobrin");
const QString keywordGrabber = QStringLiteral("搜索建议词抓取器 - Tobrin");
const QString toolList = QStringLiteral("请点击下拉框选择");

// The web panel's page: a link, a link that opens a new window and a text field
// at fixed places, and plain page beside them.
const QByteArray panelPage =
    "<html><body style=\"margin:0\">"
    "<a href=\"/next.html\" style=\"position:absolute;left:0;top:0;width:120px;height:30px\">"
    "next</a>"
    "<a href=\"/other.html\" target=\"_blank\" "
    "style=\"position:absolute;left:0;top:40px;width:120px;height:30px\">other</a>"
    "<input style=\"position:absolute;left:0;top:80px;width:120px;height:30px\">"
    "<img src=\"/shown.png\"></body></html>";

bool hasChinese(const QString &text)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return text.contains(han);
}

} // namespace

class TestE2eDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rightClickMenusAreInChinese_data();
    void rightClickMenusAreInChinese();
    void newWindowLinkOfThePanelOpensInTheDesktopsBrowser();
    void closingAToolWindowWhileTheMainWindowIsInTheTrayKeepsTheProgram();

private:
    ProgramSetting setting{SKARVEL_PROGRAM};
    DesktopSession desktop;
    ScreenReader reader;
    // The desktop's web browser, played by a script that notes each address it is
    // given.
    QTemporaryDir desktopBrowser;
    QProcess *program = nullptr;
};

void TestE2eDesktop::initTestCase()
{
    QVERIFY(setting.ready());
    QVERIFY2(desktop.isRunning(), "no virtual display");
    QVERIFY2(desktop.startWindowManager(), "no window manager with a tray");
    QVERIFY2(reader.isRunning(), "no accessibility bus");
    setting.web.route("/panel.html", QString::fromUtf8(panelPage));
    QVERIFY(TempFolders::writeFile(desktopBrowser.filePath("xdg-open"),
                                   "#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/opened\"\n"));
    QVERIFY(QFile::setPermissions(desktopBrowser.filePath("xdg-open"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QProcessEnvironment environment = reader.environment();
    environment.insert("PATH", desktopBrowser.path() + ":" + qEnvironmentVariable("PATH"));
    program = desktop.start(setting, environment);
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));
    // The page asks for its picture once it has been read; give it a moment more to
    // be laid out.
    QVERIFY(setting.web.firstRequestFor("/shown.png", 60000));
    QThread::msleep(1000);
}

void TestE2eDesktop::rightClickMenusAreInChinese_data()
{
    QTest::addColumn<QString>("role");
    // Where to click, from the control's top left corner.
    QTest::addColumn<QPoint>("offset");
    // Entries the menu must hold.
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("text box") << "text" << QPoint(10, 10)
                              << QStringList{"撤消(U)\tCtrl+Z", "重做(R)\tCtrl+Shift+Z",
                                             "剪切(T)\tCtrl+X", "复制(C)\tCtrl+C",
                                             "粘贴(P)\tCtrl+V", "删除",
                                             "全选\tCtrl+A"};
}

void TestE2eDesktop::rightClickMenusAreInChinese()
{
    QFETCH(QString, role);
    QFETCH(QPoint, offset);
    QFETCH(QStringList, entries);

    const std::optional<QRect> control = reader.find(mainWindow, role, {}, 10000);
    QVERIFY(control);
    const QString main = desktop.window(mainWindow, 10000);
    QVERIFY(!main.isEmpty());
    reader.clearMenus();
    QVERIFY(desktop.click(control->topLeft() + offset, 3));
    const std::optional<QStringList> menu = reader.openedMenu(10000);
    QVERIFY(desktop.pressKey(main, "Escape"));
    QVERIFY(menu);
    QVERIFY(!menu->isEmpty());
    for (const QString &entry : *menu)
        QVERIFY2(hasChinese(entry), qPrintable(entry));
    for (const QString &entry : entries)
        QVERIFY2(menu->contains(entry), qPrintable(menu->join(' ')));
}

void TestE2eDesktop::newWindowLinkOfThePanelOpensInTheDesktopsBrowser()
{
    const std::optional<QRect> page = reader.find(mainWindow, "web document", {}, 10000);
    QVERIFY(page);
    QVERIFY(desktop.click(page->topLeft() + QPoint(20, 55), 1));
    const QString opened = desktopBrowser.filePath("opened");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(opened), 10000);
    QThread::msleep(1000);
    QCOMPARE(TempFolders::readFile(opened), (setting.web.baseUrl() + "/other.html\n").toUtf8());
    // The panel stays on its page, and the address is not loaded in the program.
    QVERIFY(!setting.web.firstRequestFor("/other.html", 0));
}

void TestE2eDesktop::closingAToolWindowWhileTheMainWindowIsInTheTrayKeepsTheProgram()
{
    const std::optional<QRect> tools = reader.find(mainWindow, "combo box", toolList, 10000);
    QVERIFY(tools);
    const QString main = desktop.window(mainWindow, 10000);
    QVERIFY(!main.isEmpty());
    QVERIFY(desktop.click(tools->center(), 1));
    QVERIFY(desktop.pressKey(main, "Down"));
    QVERIFY(desktop.pressKey(main, "Return"));
    const QString grabber = desktop.window(keywordGrabber, 30000);
    QVERIFY(!grabber.isEmpty());

    QVERIFY(desktop.isOnTaskBar(main));
    QVERIFY(desktop.minimizeWindow(main));
    QTRY_VERIFY_WITH_TIMEOUT(!desktop.isOnTaskBar(main), 10000);

    QVERIFY(desktop.closeWindow(grabber));
    QTRY_VERIFY_WITH_TIMEOUT(desktop.windows(keywordGrabber).isEmpty(), 10000);
    QThread::msleep(2000);
    QCOMPARE(program->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TestE2eDesktop)
#include "tst_e2e_desktop.moc"
