#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "support/test_main.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

class TstControlsLists : public QObject
{
    Q_OBJECT
private slots:
    void listBoxHoldsAtMost32767Rows_data();
    void listBoxHoldsAtMost32767Rows();
    void listBoxContainsFollowsTheRows_data();
    void listBoxContainsFollowsTheRows();
    void listBoxSelection_data();
    void listBoxSelection();
    void listViewCells_data();
    void listViewCells();
    void listViewClearKeepsColumns();
    void listViewSelection_data();
    void listViewSelection();
};

void TstControlsLists::listBoxHoldsAtMost32767Rows_data()
{
    QTest::addColumn<int>("rowsBefore");
    QTest::addColumn<bool>("added");
    QTest::addColumn<int>("rowsAfter");

    QTest::newRow("one below the limit") << 32766 << true << 32767;
    QTest::newRow("full list refuses") << 32767 << false << 32767;
}

void TstControlsLists::listBoxHoldsAtMost32767Rows()
{
    QFETCH(int, rowsBefore);
    QFETCH(bool, added);
    QFETCH(int, rowsAfter);

    QWidget window;
    ListBox list(&window, "List1");
    for (int i = 0; i < rowsBefore; ++i)
        QVERIFY(list.AddItem(QString::number(i)));

    QCOMPARE(list.AddItem("last"), added);

    QCOMPARE(list.ListCount(), rowsAfter);
    QCOMPARE(list.widget()->count(), rowsAfter);
    QCOMPARE(list.contains("last"), added);
    QCOMPARE(list.List(rowsAfter - 1), added ? QString("last") : QString::number(rowsAfter - 1));
    // A removal makes room again.
    QVERIFY(list.RemoveItem(0));
    QVERIFY(list.AddItem("again"));
    QCOMPARE(list.List(0), QString("1"));
}

void TstControlsLists::listBoxContainsFollowsTheRows_data()
{
    QTest::addColumn<QStringList>("steps"); // "+text" adds, "-n" removes row n, "clear"
    QTest::addColumn<QList<bool>>("results");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("notListed");

    QTest::newRow("added") << QStringList{"+phone case", "+phone"} << QList<bool>{true, true}
                           << QStringList{"phone case", "phone"} << QStringList{"case", ""};
    QTest::newRow("removed") << QStringList{"+a", "+b", "-0"} << QList<bool>{true, true, true}
                             << QStringList{"b"} << QStringList{"a"};
    QTest::newRow("duplicate listed until its last row goes")
        << QStringList{"+a", "+a", "-0"} << QList<bool>{true, true, true} << QStringList{"a"}
        << QStringList{};
    QTest::newRow("both duplicates removed")
        << QStringList{"+a", "+b", "+a", "-2", "-0"} << QList<bool>{true, true, true, true, true}
        << QStringList{"b"} << QStringList{"a"};
    QTest::newRow("cleared") << QStringList{"+a", "+b", "clear"} << QList<bool>{true, true, true}
                             << QStringList{} << QStringList{"a", "b"};
    QTest::newRow("exact and case-sensitive")
        << QStringList{"+Shoes"} << QList<bool>{true} << QStringList{"Shoes"}
        << QStringList{"shoes", "Shoes ", "Shoe"};
    QTest::newRow("removal out of range fails")
        << QStringList{"+a", "-1", "--1"} << QList<bool>{true, false, false} << QStringList{"a"}
        << QStringList{};
}

void TstControlsLists::listBoxContainsFollowsTheRows()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<bool>, results);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, notListed);

    QWidget window;
    ListBox list(&window, "List2");
    QList<bool> seen;
    for (const QString &step : steps) {
        if (step == "clear") {
            list.clear();
            seen << true;
        } else if (step.startsWith('+')) {
            seen << list.AddItem(step.mid(1));
        } else {
            seen << list.RemoveItem(step.mid(1).toInt());
        }
    }

    QCOMPARE(seen, results);
    for (const QString &text : listed)
        QVERIFY2(list.contains(text), qPrintable(text));
    for (const QString &text : notListed)
        QVERIFY2(!list.contains(text), qPrintable(text));
    QCOMPARE(list.ListCount(), list.widget()->count());
}

void TstControlsLists::listBoxSelection_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<int>("clicks");

    QTest::newRow("row selected") << 2 << 2 << 1;
    QTest::newRow("selection removed") << -1 << -1 << 0;
    QTest::newRow("out of range changes nothing") << 3 << 0 << 0;
}

void TstControlsLists::listBoxSelection()
{
    QFETCH(int, index);
    QFETCH(int, listIndex);
    QFETCH(int, clicks);

    QWidget window;
    ListBox list(&window, "List1");
    for (const QString &text : {"a", "b", "c"})
        list.AddItem(text);
    QCOMPARE(list.ListIndex(), -1);
    list.setListIndex(0);
    int clicked = 0;
    list.Click = [&] { ++clicked; };

    list.setListIndex(index);

    QCOMPARE(list.ListIndex(), listIndex);
    QCOMPARE(clicked, clicks);
    QCOMPARE(list.List(3), QString());
    QCOMPARE(list.List(-1), QString());
}

void TstControlsLists::listViewCells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");

    QTest::newRow("row text") << 1 << 0 << "小明";
    QTest::newRow("sub-item") << 1 << 1 << "10002";
    QTest::newRow("last column") << 0 << 4 << "1";
    QTest::newRow("sub-item never set") << 1 << 3 << "";
    QTest::newRow("row past the end") << 2 << 0 << "";
    QTest::newRow("column past the end") << 0 << 5 << "";
    QTest::newRow("negative row") << -1 << 0 << "";
}

void TstControlsLists::listViewCells()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);

    QWidget window;
    ListView view(&window, "ListView2");
    const QStringList columns{"群昵称", "QQ号码", "群号码", "群名称", "序号"};
    for (const QString &title : columns)
        view.addColumn(title, 1500);
    QCOMPARE(view.addRow("小红"), 0);
    QCOMPARE(view.addRow("小明"), 1);
    QVERIFY(view.setSubItem(0, 1, "10001"));
    QVERIFY(view.setSubItem(0, 4, "1"));
    QVERIFY(view.setSubItem(1, 1, "10002"));
    QVERIFY(!view.setSubItem(1, 5, "no such column"));
    QVERIFY(!view.setSubItem(2, 1, "no such row"));
    QVERIFY(!view.setSubItem(1, 0, "the row text is no sub-item"));

    QCOMPARE(view.cellText(row, column), text);
    QCOMPARE(view.columnCount(), 5);
    QCOMPARE(view.rowCount(), 2);
    QCOMPARE(view.widget()->headerItem()->text(3), QString("群名称"));
    QCOMPARE(view.widget()->header()->sectionSize(0), 100);
}

void TstControlsLists::listViewClearKeepsColumns()
{
    QWidget window;
    ListView view(&window, "ListView1");
    view.addColumn("群名称", 1500);
    view.addColumn("群号码", 1500);
    view.addRow("group");
    view.setSubItem(0, 1, "\t123");

    view.clear();

    QCOMPARE(view.rowCount(), 0);
    QCOMPARE(view.cellText(0, 0), QString());
    QCOMPARE(view.columnCount(), 2);
    QCOMPARE(view.widget()->headerItem()->text(1), QString("群号码"));
    QCOMPARE(view.addRow("next"), 0);
}

void TstControlsLists::listViewSelection_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("selectedRow");

    QTest::newRow("nothing selected") << -2 << -1;
    QTest::newRow("row selected") << 1 << 1;
    QTest::newRow("selection removed") << -1 << -1;
    QTest::newRow("row past the end") << 5 << -1;
}

void TstControlsLists::listViewSelection()
{
    QFETCH(int, selected);
    QFETCH(int, selectedRow);

    QWidget window;
    ListView view(&window, "ListView1");
    view.addColumn("群名称", 1500);
    view.addRow("a");
    view.addRow("b");
    if (selected == -1)
        view.setSelectedRow(0);
    if (selected != -2)
        view.setSelectedRow(selected);

    QCOMPARE(view.selectedRow(), selectedRow);
}

SKARVEL_TEST_MAIN(TstControlsLists)
#include "tst_controls_lists.moc"
