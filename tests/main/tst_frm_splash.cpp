#include "main/frm_splash.h"
#include "support/fake_services.h"
#include "support/test_main.h"

#include <QLabel>
#include <QtTest>

class TestFrmSplash : public QObject
{
    Q_OBJECT

private slots:
    void showsTheProductAndItsFunctions();
    void eachPictureOpensItsOwnPage();
};

void TestFrmSplash::showsTheProductAndItsFunctions()
{
    FakeServices fake;
    frmSplash splash(fake.services);

    const QList<QPair<const Label *, QString>> captions = {
        {&splash.lblProductName, "Skarvel"},
        {&splash.Label7, "Skarvel2014 PRO版 - 亚马逊卖家必备利器"},
        {&splash.Label2, "软件名称: Skarvel"},
        {&splash.Label1, "功能一：Amazon利润计算器"},
        {&splash.Label5, "功能二：FBA发货费用计算器(官方版)"},
        {&splash.Label3, "功能三：UPC码生成器(8,12,13,14位)"},
        {&splash.Label4, "功能四：搜索建议关键词抓取器"},
        {&splash.Label8, "功能五：Worldfirst收款计算器"},
    };
    for (const auto &[label, caption] : captions)
        QCOMPARE(label->Caption(), caption);
    for (const Image *picture :
         {&splash.imgLogo, &splash.Image11, &splash.Image13, &splash.Image14, &splash.Image15})
        QVERIFY(picture->hasPicture());
}

void TestFrmSplash::eachPictureOpensItsOwnPage()
{
    FakeServices fake;
    fake.pointAt("maker", "http://maker.example");
    frmSplash splash(fake.services);
    splash.show();

    for (Image *picture : {&splash.Image11, &splash.Image13, &splash.Image14, &splash.Image15})
        QTest::mouseClick(picture->widget(), Qt::LeftButton);

    const QStringList opened = fake.shell.addresses;
    QCOMPARE(opened.size(), 4);
    QCOMPARE(QSet<QString>(opened.begin(), opened.end()).size(), 4);
    for (const QString &address : opened)
        QVERIFY2(address.startsWith("http://maker.example/"), qPrintable(address));
}

SKARVEL_TEST_MAIN(TestFrmSplash)
#include "tst_frm_splash.moc"
