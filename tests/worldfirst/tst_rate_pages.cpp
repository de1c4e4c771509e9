#include "worldfirst/rate_pages.h"

#include "line_break_rows.h"

#include <QTest>

class TestRatePages : public QObject
{
    Q_OBJECT

private slots:
    void wfRow_data();
    void wfRow();
    void wfCellsOverSeveralLines_data();
    void wfCellsOverSeveralLines();
    void wfRowRefused_data();
    void wfRowRefused();
    void bankQuote_data();
    void bankQuote();
    void bankQuoteOverSeveralLines_data();
    void bankQuoteOverSeveralLines();
    void bankQuoteRefused_data();
    void bankQuoteRefused();
};

namespace {

QString wfTable()
{
    return QStringLiteral("<table><tr><td>GBPEUR</td><td>1.1900</td><td>1.2000</td></tr>"
                          "<tr><td>GBPUSD</td><td>1.5000</td><td>1.6000</td></tr>"
                          "<tr><td>EURUSD</td><td> 1.2700 </td><td>1.3</td></tr></table>");
}

QString bankRow(const QString &name, const QString &unit, const QString &quote)
{
    return name + QStringLiteral("</td><td><span class=\"digi\">") + unit +
           QStringLiteral("</span></td><td><span class=\"digi\">") + quote +
           QStringLiteral("</span></td><td><span class=\"digi\">1.0</span></td></tr><tr><td>");
}

// The bank of China's section, then the section 建行 and 交行 share.
QString forexPage()
{
    return QStringLiteral("<html><div id=\"yhpjboc\"><table><tr><td>") +
           bankRow("英镑", "100", "983.22") + bankRow("美元", "100", "622.65") +
           bankRow("欧元", "100", "789.77") + QStringLiteral("</table></div><div id=\"Div3\">") +
           bankRow("英镑", "1", "9.8631") + bankRow("美元", "1", "6.2126") +
           bankRow("欧元", "1", "7.8929") + bankRow("英镑(GBP/CNY)", "100", "986.32") +
           bankRow("美元(USD/CNY)", "100", "621.34") + bankRow("欧元(EUR/CNY)", "100", "789.25") +
           QStringLiteral("</div></html>");
}

} // namespace

void TestRatePages::wfRow_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("sellText");
    QTest::addColumn<double>("sell");
    QTest::addColumn<QString>("buyText");
    QTest::addColumn<double>("buy");

    QTest::newRow("GBPEUR") << "GBPEUR"
                            << "1.1900" << 1.19 << "1.2000" << 1.2;
    QTest::newRow("GBPUSD") << "GBPUSD"
                            << "1.5000" << 1.5 << "1.6000" << 1.6;
    QTest::newRow("blanks around a cell") << "EURUSD"
                                          << " 1.2700 " << 1.27 << "1.3" << 1.3;
}

void TestRatePages::wfRow()
{
    QFETCH(QString, label);
    QFETCH(QString, sellText);
    QFETCH(double, sell);
    QFETCH(QString, buyText);
    QFETCH(double, buy);

    const auto cells = cutWfPairCells(wfTable(), label);
    QVERIFY(cells);
    QCOMPARE(cells->sellText, sellText);
    QCOMPARE(cells->sell, sell);
    QCOMPARE(cells->buyText, buyText);
    QCOMPARE(cells->buy, buy);
}

void TestRatePages::wfCellsOverSeveralLines_data()
{
    addLineBreakRows();
    QTest::newRow("no-break spaces") << QStringLiteral("\u00a0") << QStringLiteral("\u00a0\r\n");
}

void TestRatePages::wfCellsOverSeveralLines()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    const QString sellText = before + "1.3000" + after;
    const QString buyText = before + "1.3100" + after;
    const QString page =
        "<tr><td>EURUSD</td><td>" + sellText + "</td><td>" + buyText + "</td></tr>";

    const auto cells = cutWfPairCells(page, "EURUSD");
    QVERIFY(cells);
    QCOMPARE(cells->sellText, sellText);
    QCOMPARE(cells->sell, 1.3);
    QCOMPARE(cells->buyText, buyText);
    QCOMPARE(cells->buy, 1.31);
}

void TestRatePages::wfRowRefused_data()
{
    QTest::addColumn<QString>("page");

    QTest::newRow("empty page") << "";
    QTest::newRow("row label missing") << "<td>GBPUSD</td><td>1.5</td><td>1.6</td>";
    QTest::newRow("label only in other case") << "<td>gbpeur</td><td>1.5</td><td>1.6</td>";
    QTest::newRow("nothing after the label") << "<td>GBPEUR</td><td>";
    QTest::newRow("Sell cell never closed") << "<td>GBPEUR</td><td>1.1900";
    QTest::newRow("Buy cell not right after Sell")
        << "<td>GBPEUR</td><td>1.19</td><td class=x>1.2</td>";
    QTest::newRow("Buy cell never closed") << "<td>GBPEUR</td><td>1.19</td><td>1.2";
    QTest::newRow("Sell cell not a number") << "<td>GBPEUR</td><td>n/a</td><td>1.2</td>";
    QTest::newRow("Buy cell not a number") << "<td>GBPEUR</td><td>1.19</td><td>1.2x</td>";
    QTest::newRow("empty Sell cell") << "<td>GBPEUR</td><td></td><td>1.2</td>";
    QTest::newRow("Sell cell only white space") << "<td>GBPEUR</td><td>\r\n</td><td>1.2</td>";
    QTest::newRow("line break inside the number") << "<td>GBPEUR</td><td>1.\r\n19</td><td>1.2</td>";
}

void TestRatePages::wfRowRefused()
{
    QFETCH(QString, page);

    QVERIFY(!cutWfPairCells(page, "GBPEUR"));
}

void TestRatePages::bankQuote_data()
{
    QTest::addColumn<int>("bank");
    QTest::addColumn<int>("currency");
    QTest::addColumn<QString>("pageQuote");
    QTest::addColumn<double>("rmbPerUnit");

    QTest::newRow("中行 GBP per 100") << 0 << int(BankGbp) << "983.22" << 9.8322;
    QTest::newRow("中行 USD per 100") << 0 << int(BankUsd) << "622.65" << 6.2265;
    QTest::newRow("中行 EUR per 100") << 0 << int(BankEur) << "789.77" << 7.8977;
    QTest::newRow("建行 GBP per 1") << 1 << int(BankGbp) << "9.8631" << 9.8631;
    QTest::newRow("建行 EUR per 1") << 1 << int(BankEur) << "7.8929" << 7.8929;
    QTest::newRow("交行 GBP per 100") << 2 << int(BankGbp) << "986.32" << 9.8632;
    QTest::newRow("交行 USD per 100") << 2 << int(BankUsd) << "621.34" << 6.2134;
}

void TestRatePages::bankQuote()
{
    QFETCH(int, bank);
    QFETCH(int, currency);
    QFETCH(QString, pageQuote);
    QFETCH(double, rmbPerUnit);

    const auto quote = cutBankQuote(forexPage(), bank, BankCurrency(currency));
    QVERIFY(quote);
    QCOMPARE(quote->rmbPerUnit, rmbPerUnit);
    // The box shows the cut, which begins with the page's quote, before it is divided.
    QVERIFY(quote->cutText.startsWith(pageQuote + "</span></td>"));
}

void TestRatePages::bankQuoteOverSeveralLines_data()
{
    addLineBreakRows();
    QTest::newRow("no-break spaces") << QStringLiteral("\u00a0") << QStringLiteral("\u00a0\r\n");
}

void TestRatePages::bankQuoteOverSeveralLines()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    const QString page = forexPage().replace("983.22", before + "983.22" + after);

    const auto quote = cutBankQuote(page, 0, BankGbp);
    QVERIFY(quote);
    QCOMPARE(quote->rmbPerUnit, 9.8322);
}

void TestRatePages::bankQuoteRefused_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("bank");

    QTest::newRow("empty page") << "" << 0;
    QTest::newRow("section missing") << forexPage().replace("yhpjboc", "other") << 0;
    QTest::newRow("currency marker missing") << forexPage().replace("英镑", "英镑x") << 0;
    QTest::newRow("quote not a number") << forexPage().replace("983.22", "--") << 0;
    QTest::newRow("quote only white space") << forexPage().replace("983.22", "\r\n") << 0;
    QTest::newRow("quote span never closed")
        << QStringLiteral("<div id=\"yhpjboc\">英镑</td><td><span class=\"digi\">100</span>"
                          "</td><td><span class=\"digi\">983.22")
        << 0;
    QTest::newRow("建行 unit cell of 100 is not 建行's")
        << forexPage().replace(">1<", ">100<") << 1;
}

void TestRatePages::bankQuoteRefused()
{
    QFETCH(QString, page);
    QFETCH(int, bank);

    QVERIFY(!cutBankQuote(page, bank, BankGbp));
}

QTEST_GUILESS_MAIN(TestRatePages)
#include "tst_rate_pages.moc"
