#include "keywords/dispatch_table.h"
#include "keywords/engines/aliexpress_engine.h"
#include "keywords/engines/amazon_engine.h"
#include "keywords/engines/baidu_engine.h"
#include "keywords/engines/google_engine.h"
#include "keywords/engines/taobao_engine.h"

#include <QTest>

Q_DECLARE_METATYPE(const EngineRow *)

class TestDispatchTable : public QObject
{
    Q_OBJECT

private slots:
    void dispatch_data();
    void dispatch();
};

void TestDispatchTable::dispatch_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("language");
    QTest::addColumn<const EngineRow *>("row");

    const EngineRow *none = nullptr;
    QTest::newRow("baidu with chinese") << u"百度"_qs << u"中文"_qs << &baiduEngine();
    QTest::newRow("baidu with any language") << u"百度"_qs << u"日语"_qs << &baiduEngine();
    QTest::newRow("baidu with no language") << u"百度"_qs << "" << &baiduEngine();
    QTest::newRow("google english") << "Google" << u"英语"_qs << &googleComEngine();
    QTest::newRow("google japanese") << "Google" << u"日语"_qs << &googleJpEngine();
    QTest::newRow("google russian") << "Google" << u"俄语"_qs << &googleRuEngine();
    QTest::newRow("google chinese") << "Google" << u"中文"_qs << &googleHkEngine();
    QTest::newRow("google german") << "Google" << u"德语"_qs << &googleDeEngine();
    QTest::newRow("google with another language") << "Google"
                                                  << "fr" << none;
    QTest::newRow("google in small letters") << "google" << u"英语"_qs << none;
    QTest::newRow("taobao") << u"淘宝"_qs << u"中文"_qs << &taobaoEngine();
    QTest::newRow("taobao with english") << u"淘宝"_qs << u"英语"_qs << none;
    QTest::newRow("amazon us") << u"美国亚马逊"_qs << u"英语"_qs << &amazonUsEngine();
    QTest::newRow("amazon us with japanese") << u"美国亚马逊"_qs << u"日语"_qs << none;
    QTest::newRow("aliexpress") << u"速卖通"_qs << u"英语"_qs << &aliExpressEngine();
    QTest::newRow("aliexpress with chinese") << u"速卖通"_qs << u"中文"_qs << none;
    QTest::newRow("amazon uk") << u"英国亚马逊"_qs << u"英语"_qs << &amazonUkEngine();
    QTest::newRow("amazon uk with german") << u"英国亚马逊"_qs << u"德语"_qs << none;
    QTest::newRow("engine text with a blank") << u"百度 "_qs << u"中文"_qs << none;
    QTest::newRow("empty engine") << "" << u"英语"_qs << none;
}

void TestDispatchTable::dispatch()
{
    QFETCH(QString, engine);
    QFETCH(QString, language);
    QFETCH(const EngineRow *, row);
    QCOMPARE(dispatchEngine(engine, language), row);
}

QTEST_APPLESS_MAIN(TestDispatchTable)
#include "tst_dispatch_table.moc"
