#include "main/tool_window.h"
#include "platform/clock.h"
#include "platform/controls/form.h"
#include "support/test_main.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace {

class ToolForm : public Form
{
public:
    int loads = 0;
    bool keepOpen = false;

protected:
    void Form_Load() override { ++loads; }
    void Form_QueryUnload(bool &cancel) override { cancel = keepOpen; }
};

// Lets the program's one event loop run until it waits for input again.
void runEventLoop()
{
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

ToolForm *shown(const ToolWindow &tool)
{
    return static_cast<ToolForm *>(tool.window());
}

} // namespace

class TestToolWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstOpeningMakesAndLoadsTheWindow();
    void openingAgainShowsTheSameWindow();
    void closedWindowIsDeletedAndLoadsAfresh();
    void cancelledCloseKeepsTheWindow();
    void closedWhileItsHandlerWaits();
};

void TestToolWindow::firstOpeningMakesAndLoadsTheWindow()
{
    ToolWindow tool([] { return new ToolForm; });
    QVERIFY(!tool.window());

    tool.show();

    ToolForm *window = shown(tool);
    QVERIFY(window);
    QCOMPARE(window->loads, 1);
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QVERIFY(!window->parentWidget());
}

void TestToolWindow::openingAgainShowsTheSameWindow()
{
    int made = 0;
    ToolWindow tool([&made] {
        ++made;
        return new ToolForm;
    });
    tool.show();
    ToolForm *first = shown(tool);
    first->showMinimized();
    runEventLoop();

    tool.show();

    QCOMPARE(shown(tool), first);
    QCOMPARE(made, 1);
    QCOMPARE(first->loads, 1);
}

void TestToolWindow::closedWindowIsDeletedAndLoadsAfresh()
{
    int made = 0;
    ToolWindow tool([&made] {
        ++made;
        return new ToolForm;
    });
    tool.show();
    QPointer<ToolForm> first = shown(tool);

    first->close();
    QVERIFY(!tool.window());
    runEventLoop();
    QVERIFY(first.isNull());

    tool.show();
    QCOMPARE(made, 2);
    QCOMPARE(shown(tool)->loads, 1);
}

void TestToolWindow::cancelledCloseKeepsTheWindow()
{
    ToolWindow tool([] { return new ToolForm; });
    tool.show();
    QPointer<ToolForm> window = shown(tool);
    window->keepOpen = true;

    window->close();
    runEventLoop();

    QVERIFY(!window.isNull());
    QCOMPARE(tool.window(), window.data());
    QVERIFY(window->isVisible());
}

// The user closes a window while one of its handlers waits, letting events run (a
// pause, a message box); the handler must come back to a living window, and the
// window goes once that handler has ended. Reopened meanwhile, a new window is made.
void TestToolWindow::closedWhileItsHandlerWaits()
{
    ToolWindow tool([] { return new ToolForm; });
    tool.show();
    QPointer<ToolForm> window = shown(tool);
    bool aliveAfterWaits = false;
    ToolForm *reopened = nullptr;

    QEventLoop mainLoop;
    QTimer::singleShot(0, window, [&] {
        QTimer::singleShot(0, window, [&] { window->close(); });
        Sleep(Clock(), 30);
        QEventLoop messageBox;
        QTimer::singleShot(30, &messageBox, &QEventLoop::quit);
        messageBox.exec();
        aliveAfterWaits = !window.isNull() && window->isHidden();
        tool.show();
        reopened = shown(tool);
        mainLoop.quit();
    });
    mainLoop.exec();

    QVERIFY(aliveAfterWaits);
    QVERIFY(reopened && reopened != window.data());
    runEventLoop();
    QVERIFY(window.isNull());
    QCOMPARE(shown(tool), reopened);
}

SKARVEL_TEST_MAIN(TestToolWindow)
#include "tst_tool_window.moc"
