#include "exporter_session.h"
#include "platform/page_links.h"
#include "support/input_during_wait.h"
#include "support/test_main.h"

#include <QApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QWebEngineView>
#include <functional>

namespace {

const QString groupsGotText =
    QStringLiteral("获取群号成功，选中群名称点击“获取群成员”即可批量获取！（PS：如果群名称乱码，请"
                   "在右侧浏览器中：单击"
                   "右键-选择编码-选择Unicode(UTF-8)-重新点击“获取群号”）");
const QString loginFirstText = QStringLiteral("请登陆QQ后再点<获取群号>按钮！");
const QString groupsFailedText =
    QStringLiteral("获取群号失败，请检查网络连接后重新点击“获取群号”！");
const QString designStatusText =
    QStringLiteral("首先请在右侧浏览器中登陆您的QQ！然后单击右下角“获取群号”\r\n");

QStringList rows(const ListView &list)
{
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list.columnCount(); ++column)
            cells.append(list.cellText(row, column));
        texts.append(cells.join('|'));
    }
    return texts;
}

using Groups = QList<QPair<QString, QString>>;

// Lets the service list `groups` and clicks "获取群号" with the tests' delay.
void getGroups(ExporterSession &session, const Groups &groups, bool loggedIn = true)
{
    session.web.setGroups(groups);
    if (loggedIn)
        session.logIn();
    session.form().Combo1.setText(ExporterSession::delay);
    session.form().Command1.click();
}

// A press of a button by the user.
using Press = std::function<void(QPushButton *)>;

} // namespace

class TstForm4Groups : public QObject
{
    Q_OBJECT
private slots:
    void designState();
    void firstCompletionRefreshesTheLoginPageOnce();
    void groupsListedWithTheirCount();
    void notLoggedInAsksForTheLogin();
    void serviceWithoutGroupsOrAnswer_data();
    void serviceWithoutGroupsOrAnswer();
    void groupsFoundKeepTheSuccessWhateverTheProbe_data();
    void groupsFoundKeepTheSuccessWhateverTheProbe();
    void inputDuringTheLoginCheckWaitsForItsEnd_data();
    void inputDuringTheLoginCheckWaitsForItsEnd();
    void secondClickDuringTheLoginCheckStartsNone();
    void pagesOpenedByHandAddTheirGroups();
    void command8AloneNeitherCountsNorProbes();
    void clearEmptiesTheGroupList();
    void switchAccountOpensTheHomePage();
    void reopeningLoadsTheDesignStateAgain();
    void aPageAskingForANewWindowGetsOne_data();
    void aPageAskingForANewWindowGetsOne();
};

void TstForm4Groups::designState()
{
    ExporterSession session;
    Form4 &form = session.form();

    QCOMPARE(form.Caption(), QString("QQ群成员导出器 - Tobrin"));
    QCOMPARE(form.size(), QSize(858, 581));
    QCOMPARE(form.Text1.text(), designStatusText);
    QCOMPARE(form.Text2.text(), QString("0"));
    QCOMPARE(form.Text3.text(), QString("0"));
    QCOMPARE(form.Combo1.text(), QString("1.5"));
    QCOMPARE(form.Combo1.ListCount(), 19);
    QCOMPARE(form.Combo1.List(0), QString("0.5"));
    QCOMPARE(form.Combo1.List(18), QString("9"));
    QCOMPARE(form.Text1.textEdit()->palette().color(QPalette::Text), QColor(0, 0, 192));

    const QStringList groupHeaders{"群名称", "群号码", "状态"};
    const QList<int> groupWidths{2500, 1500, 1000};
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(form.ListView1.widget()->headerItem()->text(column), groupHeaders[column]);
        QCOMPARE(form.ListView1.widget()->columnWidth(column), groupWidths[column] / 15);
    }
    const QStringList memberHeaders{"群昵称", "QQ号码", "群号码", "群名称", "序号"};
    QCOMPARE(form.ListView2.columnCount(), 5);
    for (int column = 0; column < 5; ++column)
        QCOMPARE(form.ListView2.widget()->headerItem()->text(column), memberHeaders[column]);
    QCOMPARE(form.ListView1.rowCount(), 0);
    QCOMPARE(form.ListView2.rowCount(), 0);

    QCOMPARE(form.WebBrowser1.LocationURL(), session.web.loginBase() + "/");
    QVERIFY(form.WebBrowser1.Silent());
    QVERIFY(form.WebBrowser2.Silent());

    // The worker button lies out of sight, yet stays a button the keyboard reaches.
    QPushButton *command8 = form.Command8.widget();
    QVERIFY(command8->geometry().top() >= form.height());
    QVERIFY(form.Command8.isEnabled());
    QCOMPARE(command8->focusPolicy(), Qt::StrongFocus);
    QVERIFY(form.WebBrowser2.widget()->geometry().top() >= form.height());
    QCOMPARE(form.Command1.widget()->geometry(), QRect(408, 432, 129, 33));
    QCOMPARE(form.Command5.Caption(), QString("复制网名+邮箱"));
}

void TstForm4Groups::firstCompletionRefreshesTheLoginPageOnce()
{
    ExporterSession session;
    QTest::qWait(500);
    // The load and one refresh; the refresh's own load runs no further round.
    QCOMPARE(session.web.loginPageRequests(), 2);
    QCOMPARE(session.form().ListView1.rowCount(), 0);
}

void TstForm4Groups::groupsListedWithTheirCount()
{
    ExporterSession session;
    Form4 &form = session.form();

    getGroups(session, {{"  卖家交流群 ", "111"},
                        {"亚马逊运营", "222"},
                        {"亚马逊运营", "333"},
                        {"Tobrin", "444"}});

    QCOMPARE(rows(form.ListView1),
             QStringList({"  卖家交流群 |\t111|", "亚马逊运营|\t222|", "Tobrin|\t444|"}));
    QCOMPARE(form.Text3.text(), QString("3"));
    QCOMPARE(form.Text1.text(), groupsGotText);
    // The probe, the last request for the page, carried the browser's login. It
    // names the browser's engine as the browser does, but asks for any type where
    // a browser asks for a page.
    const QList<FakeWeb::Request> pageRequests = session.web.requestsFor("/air/index/mygroup");
    QVERIFY(!pageRequests.isEmpty());
    QVERIFY(pageRequests.last().header("Cookie").contains("skey=fake-session"));
    QVERIFY(!pageRequests.last().header("Accept").contains("text/html"));

    // The group links now hold their numbers; scanning the page again adds nothing.
    const QList<PageLink> links = *readPageLinks(form.WebBrowser1);
    int shortened = 0;
    for (const PageLink &link : links)
        shortened += link.href == session.web.base() + "/air/index/111" ||
                     link.href == session.web.base() + "/air/index/444";
    QCOMPARE(shortened, 2);
}

void TstForm4Groups::notLoggedInAsksForTheLogin()
{
    ExporterSession session;
    Form4 &form = session.form();

    getGroups(session, {{"卖家交流群", "111"}}, false);

    QCOMPARE(form.ListView1.rowCount(), 0);
    QCOMPARE(form.Text3.text(), QString("0"));
    QCOMPARE(form.Text1.text(), loginFirstText);
}

void TstForm4Groups::serviceWithoutGroupsOrAnswer_data()
{
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("statusText");

    QTest::newRow("service down") << false << 0 << QByteArray() << groupsFailedText;
    QTest::newRow("empty error page") << true << 503 << QByteArray() << groupsFailedText;
    QTest::newRow("empty page") << true << 200 << QByteArray() << groupsFailedText;
    // The probe was answered: the text stays what the answer makes it.
    QTest::newRow("error page with text")
        << true << 500 << QByteArray("<html><body>服务器繁忙</body></html>") << groupsGotText;
}

void TstForm4Groups::serviceWithoutGroupsOrAnswer()
{
    QFETCH(bool, reachable);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    ExporterSession session(reachable);
    session.web.service.route("/air/index/mygroup", FakeWeb::Reply{status, body});
    Form4 &form = session.form();
    form.Combo1.setText(ExporterSession::delay);

    form.Command1.click();

    QCOMPARE(form.ListView1.rowCount(), 0);
    QCOMPARE(form.Text3.text(), QString("0"));
    QTEST(form.Text1.text(), "statusText");
}

void TstForm4Groups::groupsFoundKeepTheSuccessWhateverTheProbe_data()
{
    QTest::addColumn<int>("status");

    QTest::newRow("empty reply") << 200;
    QTest::newRow("empty error page") << 503;
}

void TstForm4Groups::groupsFoundKeepTheSuccessWhateverTheProbe()
{
    QFETCH(int, status);
    ExporterSession session;
    Form4 &form = session.form();
    session.web.answerProbesWith(FakeWeb::Reply{status, {}});

    getGroups(session, {{"卖家交流群", "111"}, {"亚马逊运营", "222"}});

    QCOMPARE(form.ListView1.rowCount(), 2);
    QCOMPARE(form.Text3.text(), QString("2"));
    QCOMPARE(form.Text1.text(), groupsGotText);
    QCOMPARE(session.web.probeRequests(), 1);
}

void TstForm4Groups::inputDuringTheLoginCheckWaitsForItsEnd_data()
{
    QTest::addColumn<Press>("press");

    QTest::newRow("mouse click") << Press(
        [](QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); });
    QTest::newRow("Space key") << Press(
        [](QPushButton *button) { QTest::keyClick(button, Qt::Key_Space); });
}

void TstForm4Groups::inputDuringTheLoginCheckWaitsForItsEnd()
{
    QFETCH(Press, press);
    ExporterSession session;
    Form4 &form = session.form();
    // An empty answer counts as a failure only for a list without groups.
    session.web.answerProbesWith(slowPage({}));
    QPushButton *clear = form.Command3.widget();
    const InputDuringTheWait during([&] { return session.web.probeRequests() > 0; },
                                    [&] { press(clear); });

    getGroups(session, {{"卖家交流群", "111"}});

    // The check ends on the groups it found.
    QCOMPARE(form.Text1.text(), groupsGotText);
    QCOMPARE(form.ListView1.rowCount(), 1);
    QCOMPARE(form.Text3.text(), QString("1"));
    // Then the list is cleared, and the report of success stays.
    QTRY_VERIFY(during.came());
    QCOMPARE(form.ListView1.rowCount(), 0);
    QCOMPARE(form.Text3.text(), QString("0"));
    QCOMPARE(form.Text1.text(), groupsGotText);
}

void TstForm4Groups::secondClickDuringTheLoginCheckStartsNone()
{
    ExporterSession session;
    Form4 &form = session.form();
    session.web.answerProbesWith(slowPage("<html><body>我的QQ群</body></html>"));
    InputDuringTheWait secondClick([&] { return session.web.probeRequests() > 0; },
                                   [&form] { form.Command1.click(); });

    getGroups(session, {{"卖家交流群", "111"}});
    secondClick.withdraw();

    QCOMPARE(session.web.probeRequests(), 1);
    QCOMPARE(form.ListView1.rowCount(), 1);
    QCOMPARE(form.Text3.text(), QString("1"));
    QCOMPARE(form.Text1.text(), groupsGotText);
}

void TstForm4Groups::pagesOpenedByHandAddTheirGroups()
{
    ExporterSession session;
    Form4 &form = session.form();
    getGroups(session, {{"卖家交流群", "111"}});
    QCOMPARE(form.ListView1.rowCount(), 1);

    // The user opens the page again, now with one group more: no button, yet the
    // new group is listed and the known one is not listed twice.
    session.web.setGroups({{"卖家交流群", "111"}, {"新群", "555"}});
    form.WebBrowser1.Navigate(session.web.base() + "/air/index/mygroup?w=n");
    QVERIFY(waitFor([&] { return form.ListView1.rowCount() == 2; }));
    QCOMPARE(form.ListView1.cellText(1, 0), QString("新群"));
    QCOMPARE(form.ListView1.cellText(1, 1), QString("\t555"));
    QTest::qWait(1500);
    QCOMPARE(form.ListView1.rowCount(), 2);
    QCOMPARE(form.Text3.text(), QString("1")); // counted only by the button
}

void TstForm4Groups::command8AloneNeitherCountsNorProbes()
{
    ExporterSession session;
    session.web.setGroups({{"卖家交流群", "111"}});
    Form4 &form = session.form();
    form.Combo1.setText(ExporterSession::delay);

    form.Command8.click();

    QCOMPARE(form.Text1.text(), groupsGotText); // no probe to find the missing login
    QCOMPARE(form.Text3.text(), QString("0"));
}

void TstForm4Groups::clearEmptiesTheGroupList()
{
    ExporterSession session;
    Form4 &form = session.form();
    getGroups(session, {{"卖家交流群", "111"}});
    QCOMPARE(form.Text3.text(), QString("1"));
    session.listGroup("会员", "777");
    form.ListView2.addRow("成员");

    form.Command3.click();

    QCOMPARE(form.ListView1.rowCount(), 0);
    QCOMPARE(form.Text3.text(), QString("0"));
    QCOMPARE(form.ListView2.rowCount(), 1);
}

void TstForm4Groups::switchAccountOpensTheHomePage()
{
    ExporterSession session;
    Form4 &form = session.form();

    form.Command7.click();

    QVERIFY(waitFor([&] { return !session.web.requestsFor("/").isEmpty(); }));
    QVERIFY(waitFor([&] { return form.WebBrowser1.ReadyState() == Browser::Complete; }));
    QCOMPARE(form.WebBrowser1.LocationURL(), session.web.base() + "/");
}

void TstForm4Groups::reopeningLoadsTheDesignStateAgain()
{
    ExporterSession session;
    Form4 &form = session.form();
    getGroups(session, {{"卖家交流群", "111"}});
    form.Combo1.setText("3");
    form.ListView2.addRow("成员");
    session.web.login.clearRequests();

    form.close();
    QVERIFY(!form.isVisible());
    form.show();

    QCOMPARE(form.Text1.text(), designStatusText);
    QCOMPARE(form.Text3.text(), QString("0"));
    QCOMPARE(form.Combo1.text(), QString("1.5"));
    QCOMPARE(form.ListView1.rowCount(), 0);
    QCOMPARE(form.ListView2.rowCount(), 0);
    QCOMPARE(form.ListView1.columnCount(), 3);
    // The scan phase kept its value, so the login page is scanned without a refresh.
    QVERIFY(waitFor([&] { return session.web.loginPageRequests() == 1; }));
    QTest::qWait(1000);
    QCOMPARE(session.web.loginPageRequests(), 1);
}

void TstForm4Groups::aPageAskingForANewWindowGetsOne_data()
{
    QTest::addColumn<QString>("browser");

    QTest::newRow("visible browser") << "WebBrowser1";
    QTest::newRow("member browser") << "WebBrowser2";
}

void TstForm4Groups::aPageAskingForANewWindowGetsOne()
{
    QFETCH(QString, browser);
    ExporterSession session;
    session.logIn();
    Form4 &form = session.form();
    Browser &asking = browser == "WebBrowser1" ? form.WebBrowser1 : form.WebBrowser2;
    session.web.service.route("/popup", QString("<html><body style=\"margin:0\">"
                                                "<a target=\"_blank\" href=\"/dologin\" "
                                                "style=\"display:block;width:300px;height:300px\">"
                                                "登录</a></body></html>"));
    asking.Navigate(session.web.base() + "/popup");
    QVERIFY(waitFor([&] { return asking.ReadyState() == Browser::Complete; }));
    QTest::qWait(300);
    const QList<QWidget *> before = QApplication::topLevelWidgets();
    session.web.service.clearRequests();

    QWidget *page = asking.view()->focusProxy();
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(50, 50));

    QVERIFY(waitFor([&] { return !session.web.requestsFor("/dologin").isEmpty(); }));
    // Shown in a window of its own, on the same login, while the browser that asked
    // keeps its page; the desktop's browser is not asked.
    QVERIFY(session.web.requestsFor("/dologin").first().header("Cookie").contains("skey="));
    QWidget *popup = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!before.contains(window) && window->isVisible())
            popup = window;
    }
    QVERIFY(popup);
    QCOMPARE(asking.LocationURL(), session.web.base() + "/popup");
    QCOMPARE(session.fake.shell.addresses, QStringList());
    popup->close();
}

SKARVEL_TEST_MAIN(TstForm4Groups)
#include "tst_form4_groups.moc"
