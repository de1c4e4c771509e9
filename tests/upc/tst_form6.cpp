#include "support/fake_services.h"
#include "support/fake_web.h"
#include "support/test_main.h"
#include "upc/form6.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

const QString searchPath = QStringLiteral("/s/ref=nb_sb_noss");
const QByteArray searchQuery = "url=search-alias%3Daps&field-keywords=";

QList<Form6 *> openWindows()
{
    QList<Form6 *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Form6 *>(widget); window && window->isVisible())
            windows.append(window);
    }
    return windows;
}

int searchesFor(const FakeWeb &web, const QString &code)
{
    int count = 0;
    for (const FakeWeb::Request &request : web.requests()) {
        if (request.path == searchPath.toUtf8() && request.query == searchQuery + code.toUtf8())
            ++count;
    }
    return count;
}

bool loaded(Form6 *window, const QString &address)
{
    return window && window->WebBrowser1.ReadyState() == Browser::Complete &&
           window->WebBrowser1.LocationURL() == address;
}

} // namespace

class TestForm6 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheHelpText();
    void browsesTheSearchOnLoad();
    void anOpenWindowIsOnlyRaised();
    void aClosedWindowLoadsAfresh();
    void aNewWindowRequestOpensALookupWindowOver();
    void closingTheDefaultLeavesTheOthers();

private:
    QString search(const QString &code) const
    {
        return web->baseUrl() + searchPath + '?' + QString::fromUtf8(searchQuery) + code;
    }
    void openDefault(const QString &code) { Form6::showDefault(fake->services, search(code)); }

    std::unique_ptr<FakeWeb> web;
    std::unique_ptr<FakeServices> fake;
};

void TestForm6::init()
{
    web = std::make_unique<FakeWeb>();
    fake = std::make_unique<FakeServices>(web->baseUrl());
    web->route(searchPath, QStringLiteral("<html><body><a id='link' href='/target' "
                                          "target='_blank'>result</a></body></html>"));
    web->route("/target", QStringLiteral("<html><body>target</body></html>"));
}

void TestForm6::cleanup()
{
    for (Form6 *window : openWindows())
        window->close();
    QTRY_VERIFY(openWindows().isEmpty() && !Form6::defaultWindow());
}

void TestForm6::showsTheHelpText()
{
    Form6 form(fake->services);
    QCOMPARE(form.Caption(), QStringLiteral("UPC码查询专用浏览器"));
    QCOMPARE(form.Text1.text(),
             QStringLiteral("1.如果页面显示“Showing 1 "
                            "Result”，则说明该UPC码已经被用过，请更换其他UPC码上传产品！\r\n"
                            "2.如果页面显示“Your search xxxxxxxxxxxx did not match any "
                            "products.”，则说明该UPC码没有被用过，可以用于上传产品！\r\n"));
    QCOMPARE(form.Text1.textEdit()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void TestForm6::browsesTheSearchOnLoad()
{
    openDefault("036000291452");
    Form6 *window = Form6::defaultWindow();
    QVERIFY(window && window->isVisible());
    QTRY_VERIFY(loaded(window, search("036000291452")));
    // "%3D" reaches the marketplace as written.
    QCOMPARE(searchesFor(*web, "036000291452"), 1);
}

void TestForm6::anOpenWindowIsOnlyRaised()
{
    openDefault("036000291452");
    Form6 *window = Form6::defaultWindow();
    QTRY_VERIFY(loaded(window, search("036000291452")));

    openDefault("036000291469");
    QCOMPARE(Form6::defaultWindow(), window);
    QCOMPARE(openWindows().size(), 1);
    QTest::qWait(200);
    QCOMPARE(window->WebBrowser1.LocationURL(), search("036000291452"));
    QCOMPARE(searchesFor(*web, "036000291469"), 0);
}

void TestForm6::aClosedWindowLoadsAfresh()
{
    openDefault("036000291452");
    QTRY_VERIFY(loaded(Form6::defaultWindow(), search("036000291452")));
    openDefault("036000291469");
    QVERIFY(Form6::defaultWindow()->close());
    QTRY_VERIFY(!Form6::defaultWindow());

    openDefault("036000291469");
    QTRY_VERIFY(loaded(Form6::defaultWindow(), search("036000291469")));
    QCOMPARE(openWindows().size(), 1);
}

void TestForm6::aNewWindowRequestOpensALookupWindowOver()
{
    openDefault("036000291452");
    Form6 *first = Form6::defaultWindow();
    first->move(120, 80);
    QTRY_VERIFY(loaded(first, search("036000291452")));

    first->WebBrowser1.view()->page()->runJavaScript("document.getElementById('link').click()");
    QTRY_COMPARE(openWindows().size(), 2);
    Form6 *second = openWindows().at(0) == first ? openWindows().at(1) : openWindows().at(0);
    QTRY_VERIFY(loaded(second, web->baseUrl() + "/target"));
    QCOMPARE(second->pos(), first->pos());
    QCOMPARE(second->size(), first->size());
    QCOMPARE(Form6::defaultWindow(), first);

    QVERIFY(second->close());
    QTRY_COMPARE(openWindows(), QList<Form6 *>({first}));
    QVERIFY(first->isVisible());
    QCOMPARE(first->WebBrowser1.LocationURL(), search("036000291452"));
}

void TestForm6::closingTheDefaultLeavesTheOthers()
{
    openDefault("036000291452");
    Form6 *first = Form6::defaultWindow();
    QTRY_VERIFY(loaded(first, search("036000291452")));
    first->WebBrowser1.view()->page()->runJavaScript("document.getElementById('link').click()");
    QTRY_COMPARE(openWindows().size(), 2);

    QVERIFY(first->close());
    QTRY_VERIFY(!Form6::defaultWindow());
    QCOMPARE(openWindows().size(), 1);
    QTRY_VERIFY(loaded(openWindows().at(0), web->baseUrl() + "/target"));
}

SKARVEL_TEST_MAIN(TestForm6)
#include "tst_form6.moc"
