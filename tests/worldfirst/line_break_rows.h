#pragma once

#include <QString>
#include <QTest>

// The white space a page laid out over several lines puts before and after a figure,
// as columns "before" and "after".
inline void addLineBreakRows()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("LF after") << QString() << QString("\n");
    QTest::newRow("CR LF after") << QString() << QString("\r\n");
    QTest::newRow("CR LF and indent before, CR LF after")
        << QString("\r\n        ") << QString("\r\n");
    QTest::newRow("LF and tabs before, LF and tab after") << QString("\n\t\t") << QString("\n\t");
    QTest::newRow("CR alone") << QString("\r") << QString("\r");
}
