#include "main/form1.h"
#include "platform/controls/form.h"
#include "platform/dialogs.h"
#include "support/fake_services.h"
#include "support/fake_web.h"
#include "support/test_main.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace {

const QString prompt = QStringLiteral("请点击下拉框选择");

// The main window after its start-up, as the first timer tick leaves it.
struct Running
{
    Running()
        : fake(web.baseUrl())
    {
        form.load();
        form.show();
        form.move(100, 120);
    }

    void minimise()
    {
        form.showMinimized();
        QCoreApplication::processEvents();
    }

    FakeWeb web;
    FakeServices fake;
    Form1 form{fake.services};
};

// The open tool windows of one class.
QList<Form *> openWindows(const char *className)
{
    QList<Form *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *form = qobject_cast<Form *>(widget);
        if (form && !form->isHidden() && qstrcmp(form->metaObject()->className(), className) == 0)
            windows.append(form);
    }
    return windows;
}

void runEventLoop()
{
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class TestForm1Shell : public QObject
{
    Q_OBJECT

private slots:
    void toolListOpensItsWindow_data();
    void toolListOpensItsWindow();
    void toolListOpensTheRevenueCalculator();
    void choosingThePromptDoesNothing();

    void minimisingHidesBehindOneTrayIcon();
    void minimisingWithoutATrayKeepsTheWindowOnTheTaskBar();
    void doubleClickOnTheIconRestoresTheWindow();
    void rightButtonOpensTheMenu();
    void menuOpensTheMainWindow();
    void menuOpensTheMakersPages_data();
    void menuOpensTheMakersPages();
    void menuExitEndsWithoutAsking();

    void closingAsks_data();
    void closingAsks();
};

void TestForm1Shell::toolListOpensItsWindow_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QByteArray>("window");

    QTest::newRow("keyword grabber") << QStringLiteral("关键词抓取器") << QByteArray("Form2");
    QTest::newRow("WorldFirst calculator")
        << QStringLiteral("WF卡收款计算器") << QByteArray("Form5");
    QTest::newRow("GS1 packager") << QStringLiteral("GS1授权UPC码打包器") << QByteArray("Form7");
    QTest::newRow("generator packager")
        << QStringLiteral("生成器UPC码打包器") << QByteArray("Form8");
}

// Each item shows its window beside the main window, one window however often it is
// chosen, and a new one once the old one was closed.
void TestForm1Shell::toolListOpensItsWindow()
{
    QFETCH(QString, item);
    QFETCH(QByteArray, window);
    Running running;

    running.form.Combo5.setText(item);

    QList<Form *> windows = openWindows(window);
    QCOMPARE(windows.size(), 1);
    QPointer<Form> first = windows.first();
    QVERIFY(first->isLoaded());
    QVERIFY(!first->parentWidget());
    QCOMPARE(running.form.Combo5.text(), prompt);
    QCOMPARE(running.form.Combo5.ListIndex(), 0);

    running.form.Combo5.setText(item);
    QCOMPARE(openWindows(window), QList<Form *>{first.data()});

    first->close();
    runEventLoop();
    QVERIFY(first.isNull());

    running.form.Combo5.setText(item);
    windows = openWindows(window);
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.first()->isLoaded());
    QVERIFY(running.form.isVisible());
}

void TestForm1Shell::toolListOpensTheRevenueCalculator()
{
    Running running;
    running.fake.pointAt("sellercentral", "https://seller.example");

    running.form.Combo5.setText(QStringLiteral("FBA发货计算器"));

    QCOMPARE(running.fake.shell.addresses,
             QStringList{"https://seller.example/gp/fba/revenue-calculator/index.html"});
    QCOMPARE(running.form.Combo5.text(), prompt);
}

void TestForm1Shell::choosingThePromptDoesNothing()
{
    Running running;
    const int windowsBefore = QApplication::topLevelWidgets().size();

    running.form.Combo5.setListIndex(0);

    QCOMPARE(running.form.Combo5.text(), prompt);
    QVERIFY(running.fake.shell.addresses.isEmpty());
    QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
}

void TestForm1Shell::minimisingHidesBehindOneTrayIcon()
{
    Running running;

    running.minimise();

    QVERIFY(running.fake.tray.isShown());
    QCOMPARE(running.fake.tray.tip, QStringLiteral("Skarvel - 亚马逊卖家必备"));
    QVERIFY(running.form.isHidden());

    emit running.fake.tray.doubleClicked();
    running.minimise();

    QCOMPARE(running.fake.tray.adds, 1);
    QVERIFY(running.form.isHidden());
}

void TestForm1Shell::minimisingWithoutATrayKeepsTheWindowOnTheTaskBar()
{
    Running running;
    running.fake.tray.available = false;

    running.minimise();

    QVERIFY(!running.fake.tray.isShown());
    QVERIFY(running.form.isVisible());
    QVERIFY(running.form.isMinimized());
}

void TestForm1Shell::doubleClickOnTheIconRestoresTheWindow()
{
    Running running;
    running.minimise();

    emit running.fake.tray.doubleClicked();

    QVERIFY(running.form.isVisible());
    QVERIFY(!running.form.isMinimized());
    QCOMPARE(running.form.pos(), QPoint(100, 120));
    // Restoring leaves the icon in the tray.
    QVERIFY(running.fake.tray.isShown());
}

void TestForm1Shell::rightButtonOpensTheMenu()
{
    Running running;
    running.minimise();

    emit running.fake.tray.menuRequested();

    QVERIFY(running.form.F00.isVisible());
    QList<QString> items;
    for (QAction *action : running.form.F00.actions())
        items.append(action->text());
    QCOMPARE(items, QList<QString>({"进入官网", "下载最新版", "打开Skarvel", "退出"}));
    running.form.F00.hide();
    QVERIFY(running.form.isHidden());
}

void TestForm1Shell::menuOpensTheMainWindow()
{
    Running running;
    running.minimise();

    running.form.F01.trigger();

    QVERIFY(running.form.isVisible());
    QVERIFY(!running.form.isMinimized());
    QCOMPARE(running.form.pos(), QPoint(100, 120));
    QVERIFY(running.fake.tray.isShown());
    QVERIFY(!running.fake.services.programEnded());
}

void TestForm1Shell::menuOpensTheMakersPages_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("path");

    QTest::newRow("home page") << QStringLiteral("进入官网") << QStringLiteral("/");
    QTest::newRow("download page")
        << QStringLiteral("下载最新版") << QStringLiteral("/thread-28-1-1.html");
}

void TestForm1Shell::menuOpensTheMakersPages()
{
    QFETCH(QString, item);
    QFETCH(QString, path);
    Running running;
    running.minimise();

    for (QAction *action : running.form.F00.actions())
        if (action->text() == item)
            action->trigger();

    QCOMPARE(running.fake.shell.addresses, QStringList{running.web.baseUrl() + path});
    QVERIFY(running.form.isHidden());
    QVERIFY(!running.fake.services.programEnded());
}

void TestForm1Shell::menuExitEndsWithoutAsking()
{
    Running running;
    running.minimise();

    running.form.F02.trigger();

    QVERIFY(running.fake.services.programEnded());
    QVERIFY(!running.fake.tray.isShown());
    QVERIFY(running.fake.dialogs.shown().isEmpty());
}

void TestForm1Shell::closingAsks_data()
{
    QTest::addColumn<MsgResult>("answer");
    QTest::addColumn<bool>("ends");

    QTest::newRow("OK") << MsgResult::Ok << true;
    QTest::newRow("Cancel") << MsgResult::Cancel << false;
}

void TestForm1Shell::closingAsks()
{
    QFETCH(MsgResult, answer);
    QFETCH(bool, ends);
    Running running;
    running.minimise();
    emit running.fake.tray.doubleClicked();
    running.fake.dialogs.queueAnswer(answer);

    running.form.close();

    QCOMPARE(running.fake.dialogs.shown().size(), 1);
    const ScriptedDialogs::Shown box = running.fake.dialogs.shown().first();
    QCOMPARE(box.prompt, QStringLiteral("确认退出软件吗？"));
    QCOMPARE(box.title, QStringLiteral("Skarvel提醒您"));
    QCOMPARE(box.style, 33);
    QCOMPARE(running.fake.services.programEnded(), ends);
    QCOMPARE(running.fake.tray.isShown(), !ends);
    if (!ends)
        QVERIFY(running.form.isVisible());
}

SKARVEL_TEST_MAIN(TestForm1Shell)
#include "tst_form1_shell.moc"
