#include "main/destination_list.h"
#include "main/freight_tables.h"
#include "platform/box_number.h"

#include <QSet>
#include <QTest>

class TestFreightTables : public QObject
{
    Q_OBJECT

private slots:
    void emsPriceByZoneAndWeight_data();
    void emsPriceByZoneAndWeight();
    void customFreightByGroupAndWeight_data();
    void customFreightByGroupAndWeight();
    void destinationsOutsideTheTables_data();
    void destinationsOutsideTheTables();
    void everyListItemHasExactlyOneEmsZone();
    void customOnlyNamesAreNoListItems();
    void hugeWeightStaysADouble();
    void completion_data();
    void completion();
};

void TestFreightTables::emsPriceByZoneAndWeight_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("zone");
    QTest::addColumn<double>("grams");
    QTest::addColumn<QString>("price");

    struct Row
    {
        const char *destination;
        int zone;
        const char *at499, *at500, *at1000, *at1500;
    };
    const Row rows[] = {
        {"美国", 1, "85", "145.75", "179.5", "213.25"},
        {"香港", 2, "40.5", "76", "89.5", "103"},
        {"日本", 3, "55.75", "103", "121", "139"},
        {"新加坡", 4, "62.5", "109.75", "130", "150.25"},
        {"澳大利亚", 5, "76", "123.25", "148", "172.75"},
        {"英国", 6, "103", "163.75", "197.5", "231.25"},
        {"印度", 7, "112", "175", "211", "247"},
        {"俄罗斯", 8, "121", "199.75", "244.75", "289.75"},
        {"刚果-金", 9, "170.5", "258.25", "312.25", "366.25"},
        {"乍得", 10, "170.5", "258.25", "312.25", "366.25"},
    };
    for (const Row &row : rows) {
        const QByteArray name = QByteArray("zone ") + QByteArray::number(row.zone);
        QTest::newRow(name + " 499 g") << row.destination << row.zone << 499.0 << row.at499;
        QTest::newRow(name + " 500 g") << row.destination << row.zone << 500.0 << row.at500;
        QTest::newRow(name + " 1000 g") << row.destination << row.zone << 1000.0 << row.at1000;
        QTest::newRow(name + " 1500 g") << row.destination << row.zone << 1500.0 << row.at1500;
    }
    QTest::newRow("1 g is under 500 g") << "美国" << 1 << 1.0 << "85";
    QTest::newRow("499.99 g is under 500 g") << "美国" << 1 << 499.99 << "85";
    QTest::newRow("999 g costs what 500 g costs") << "美国" << 1 << 999.0 << "145.75";
    QTest::newRow("1499.9 g costs what 1000 g costs") << "美国" << 1 << 1499.9 << "179.5";
    QTest::newRow("2000 g") << "美国" << 1 << 2000.0 << "247";
    QTest::newRow("100000 g") << "美国" << 1 << 100000.0 << "6862";
    QTest::newRow("刚果-布 is zone 9") << "刚果-布" << 9 << 1000.0 << "312.25";
    QTest::newRow("布基纳 is zone 9") << "布基纳" << 9 << 300.0 << "170.5";
    QTest::newRow("法索 is zone 9") << "法索" << 9 << 300.0 << "170.5";
}

void TestFreightTables::emsPriceByZoneAndWeight()
{
    QFETCH(QString, destination);
    QFETCH(int, zone);
    QFETCH(double, grams);
    QFETCH(QString, price);

    const EmsZone *found = emsZoneOf(destination);
    QVERIFY(found);
    QCOMPARE(found->zone, zone);
    QCOMPARE(plainNumberText(emsPrice(*found, grams)), price);
}

void TestFreightTables::customFreightByGroupAndWeight_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("group");
    QTest::addColumn<double>("grams");
    QTest::addColumn<QString>("price");

    QTest::newRow("美国 50 g: below 100 g only fee and surcharge") << "美国" << 1 << 50.0 << "26.5";
    QTest::newRow("美国 100 g") << "美国" << 1 << 100.0 << "39.5";
    QTest::newRow("美国 300 g") << "美国" << 1 << 300.0 << "65.5";
    QTest::newRow("美国 1234 g: complete 100 g only") << "美国" << 1 << 1234.0 << "182.5";
    QTest::newRow("英国 300 g") << "英国" << 2 << 300.0 << "65";
    QTest::newRow("澳大利亚 300 g") << "澳大利亚" << 3 << 300.0 << "92.5";
    QTest::newRow("德国 300 g") << "德国" << 4 << 300.0 << "73";
    QTest::newRow("法国 300 g") << "法国" << 5 << 300.0 << "113";
    QTest::newRow("荷兰 300 g") << "荷兰" << 5 << 300.0 << "113";
    QTest::newRow("意大利 300 g") << "意大利" << 6 << 300.0 << "114";
    QTest::newRow("瑞士 300 g") << "瑞士" << 7 << 300.0 << "116.5";
    QTest::newRow("冰岛 300 g") << "冰岛" << 7 << 300.0 << "116.5";
    QTest::newRow("波兰 300 g") << "波兰" << 8 << 300.0 << "122.5";
    QTest::newRow("斯洛伐克共和国 300 g") << "斯洛伐克共和国" << 8 << 300.0 << "122.5";
}

void TestFreightTables::customFreightByGroupAndWeight()
{
    QFETCH(QString, destination);
    QFETCH(int, group);
    QFETCH(double, grams);
    QFETCH(QString, price);

    const CustomFreightGroup *found = customFreightGroupOf(destination);
    QVERIFY(found);
    QCOMPARE(found->group, group);
    QCOMPARE(plainNumberText(customFreightPrice(*found, grams)), price);
}

void TestFreightTables::destinationsOutsideTheTables_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<bool>("hasEmsZone");
    QTest::addColumn<bool>("hasCustomGroup");

    QTest::newRow("加拿大: EMS only") << "加拿大" << true << false;
    QTest::newRow("荷兰: custom only") << "荷兰" << false << true;
    QTest::newRow("blank before the name") << " 美国" << false << false;
    QTest::newRow("blank behind the name") << "美国 " << false << false;
    QTest::newRow("a prefix is no name") << "美" << false << false;
    QTest::newRow("布基纳 and 法索 joined") << "布基纳法索" << false << false;
    QTest::newRow("empty text") << "" << false << false;
}

void TestFreightTables::destinationsOutsideTheTables()
{
    QFETCH(QString, destination);
    QFETCH(bool, hasEmsZone);
    QFETCH(bool, hasCustomGroup);
    QCOMPARE(emsZoneOf(destination) != nullptr, hasEmsZone);
    QCOMPARE(customFreightGroupOf(destination) != nullptr, hasCustomGroup);
}

void TestFreightTables::everyListItemHasExactlyOneEmsZone()
{
    QStringList zoned;
    for (const EmsZone &zone : EmsZoneTable())
        zoned += zone.destinations;
    QStringList sortedZoned = zoned;
    QStringList sortedList = destinationList();
    sortedZoned.sort();
    sortedList.sort();
    QCOMPARE(sortedZoned, sortedList);
    QCOMPARE(QSet<QString>(zoned.begin(), zoned.end()).size(), zoned.size());
}

void TestFreightTables::customOnlyNamesAreNoListItems()
{
    QStringList notListed;
    for (const CustomFreightGroup &group : CustomFreightTable()) {
        for (const QString &name : group.destinations) {
            if (!destinationList().contains(name))
                notListed << name;
        }
    }
    notListed.sort();
    QStringList expected = {"荷兰", "冰岛", "斯洛文尼亚", "斯洛伐克共和国", "立陶宛"};
    expected.sort();
    QCOMPARE(notListed, expected);
    for (const QString &name : expected)
        QVERIFY(!emsZoneOf(name));
}

void TestFreightTables::hugeWeightStaysADouble()
{
    const double grams = 1e20;
    QCOMPARE(plainNumberText(emsPrice(*emsZoneOf("美国"), grams)), QString("6.75E+18"));
    QCOMPARE(plainNumberText(customFreightPrice(*customFreightGroupOf("美国"), grams)),
             QString("1.3E+19"));
}

void TestFreightTables::completion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("completed");

    QTest::newRow("印 gives 印度, not 印度尼西亚") << "印"
                                                   << "印度";
    QTest::newRow("美 gives 美国") << "美"
                                   << "美国";
    QTest::newRow("澳 gives 澳大利亚, the first in list order") << "澳"
                                                                << "澳大利亚";
    QTest::newRow("a full name completes to itself") << "美国"
                                                     << "美国";
    QTest::newRow("刚果 gives 刚果-布") << "刚果"
                                        << "刚果-布";
    QTest::newRow("empty text completes nothing") << ""
                                                  << "";
    QTest::newRow("a name no item begins with") << "荷"
                                                << "";
    QTest::newRow("longer than every item") << "美国人"
                                            << "";
}

void TestFreightTables::completion()
{
    QFETCH(QString, typed);
    QFETCH(QString, completed);
    QCOMPARE(firstItemStartingWith(destinationList(), typed).value_or(QString()), completed);
}

QTEST_GUILESS_MAIN(TestFreightTables)
#include "tst_freight_tables.moc"
