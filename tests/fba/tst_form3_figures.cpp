#include "form3_fixture.h"
#include "support/test_main.h"

#include <QTest>

namespace {

const QString sideOrderMessage = QStringLiteral("尺寸顺序错误");

// Enters the three sides in centimetres, longest first.
void enterSides(Form3 &form, const QString &longest, const QString &second, const QString &shortest)
{
    enter(form.Text6, longest);
    enter(form.Text7, second);
    enter(form.Text8, shortest);
}

struct Package
{
    QString quantity;
    QString grams;
    QString longest, second, shortest; // cm
};

// Enters a package as the user would: the quantity, the sides, then the weight.
void enterPackage(Form3 &form, const Package &package)
{
    enter(form.Text3, package.quantity);
    enterSides(form, package.longest, package.second, package.shortest);
    enter(form.Text4, package.grams);
}

// Records the texts written into a box, then runs its own Change handler.
void recordWrites(TextBox &box, QStringList &log)
{
    const std::function<void()> own = box.Change;
    box.Change = [&box, &log, own] {
        log << box.text();
        if (own)
            own();
    };
}

bool isRed(const TextBox &box)
{
    return box.widget()->palette().color(QPalette::Text) == QColor(Qt::red);
}

bool isBlack(const TextBox &box)
{
    return box.widget()->palette().color(QPalette::Text) == QColor(Qt::black);
}

QList<TextBox *> handlingFees(Form3 &form)
{
    return {&form.Text14, &form.Text16, &form.Text18};
}

QList<TextBox *> rmbBoxes(Form3 &form)
{
    return {&form.Text2, &form.Text15, &form.Text17, &form.Text19, &form.Text21, &form.Text23};
}

} // namespace

class TstForm3Figures : public QObject
{
    Q_OBJECT
private slots:
    void tierAndShippingWeight_data();
    void tierAndShippingWeight();
    void tierDecidedOnTheShownWeight_data();
    void tierDecidedOnTheShownWeight();
    void sidesAtTheirLimits_data();
    void sidesAtTheirLimits();
    void volumeAndDimensionalWeight();
    void shippingWeightShowsItsPlainText();
    void priceEdit_data();
    void priceEdit();
    void priceEditInTheOversizeTier();
    void exemption_data();
    void exemption();
    void exemptionDigitByDigit();
    void exemptionAfterWeightOrSideEdits_data();
    void exemptionAfterWeightOrSideEdits();
    void exemptPriceWithTrailingText();
    void quantityEdit_data();
    void quantityEdit();
    void emptiedInputsCountZero_data();
    void emptiedInputsCountZero();
    void severalPointsInTheQuantity();
    void rmbConversions_data();
    void rmbConversions();
    void emptiedRateZeroesEveryRmbBox();
    void conversionWritesPlainThenFormatted_data();
    void conversionWritesPlainThenFormatted();
    void zeroOrMissingFactor_data();
    void zeroOrMissingFactor();
    void newFactorsConvertAgain();
    void sideOrder_data();
    void sideOrder();
    void sideOrderWhileTyping();
    void sidesOutOfOrderKeepTheMessage();
    void sidesBackInOrderBringTheTotalBack();
};

void TstForm3Figures::tierAndShippingWeight_data()
{
    QTest::addColumn<Package>("package");
    QTest::addColumn<QString>("pounds");
    QTest::addColumn<QString>("volume");
    QTest::addColumn<QString>("dimensional");
    QTest::addColumn<QStringList>("tierFees"); // Text12, Text14, Text16
    QTest::addColumn<QString>("shipping");

    QTest::newRow("standard 1.1023 lb, 10×8×6 in")
        << Package{"2", "500", "25.4", "20.32", "15.24"} << "1.1023"
        << "480.0000"
        << "2.8916" << QStringList{"0.25", "1", "2"} << "4";
    QTest::newRow("oversize, dimensional weight billed")
        << Package{"2", "4535.9237", "76.2", "50.8", "25.4"} << "10.0000"
        << "6000.0000"
        << "36.1446" << QStringList{"1", "0", "12"} << "76";
    QTest::newRow("oversize, volume exactly 5184")
        << Package{"2", "4535.9237", "91.44", "30.48", "30.48"} << "10.0000"
        << "5184.0000"
        << "31.2289" << QStringList{"1", "0", "12"} << "22";
    QTest::newRow("standard, weight 0, quantity 3")
        << Package{"3", "0", "10", "10", "10"} << "0.0000"
        << "61.0234"
        << "0.3676" << QStringList{"0.25", "1", "3"} << "3";
}

void TstForm3Figures::tierAndShippingWeight()
{
    QFETCH(Package, package);
    QFETCH(QString, pounds);
    QFETCH(QString, volume);
    QFETCH(QString, dimensional);
    QFETCH(QStringList, tierFees);
    QFETCH(QString, shipping);

    OpenedWindow window;
    Form3 &form = window.form;
    enterPackage(form, package);

    QCOMPARE(form.Text5.text(), pounds);
    QCOMPARE(form.Text27.text(), volume);
    QCOMPARE(form.Text28.text(), dimensional);
    QCOMPARE((texts({&form.Text12, &form.Text14, &form.Text16})), tierFees);
    QCOMPARE(form.Text13.text(), shipping);
}

void TstForm3Figures::tierDecidedOnTheShownWeight_data()
{
    QTest::addColumn<QString>("grams");
    QTest::addColumn<QString>("pounds");
    QTest::addColumn<QString>("packaging");

    QTest::newRow("exactly 20 lb") << "9071.8474"
                                   << "20.0000"
                                   << "0.25";
    // 20.0000057 lb shows as 20.0000, and the tier follows what the box shows.
    QTest::newRow("just over 20 lb, shown as 20") << "9071.85"
                                                  << "20.0000"
                                                  << "0.25";
    QTest::newRow("just under 20 lb") << "9071.8"
                                      << "19.9999"
                                      << "0.25";
    QTest::newRow("over 20 lb") << "9072"
                                << "20.0003"
                                << "1";
}

void TstForm3Figures::tierDecidedOnTheShownWeight()
{
    QFETCH(QString, grams);
    QFETCH(QString, pounds);
    QFETCH(QString, packaging);

    OpenedWindow window;
    window.form.Text4.setText(grams);

    QCOMPARE(window.form.Text5.text(), pounds);
    QCOMPARE(window.form.Text12.text(), packaging);
}

void TstForm3Figures::sidesAtTheirLimits_data()
{
    QTest::addColumn<QString>("longest");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("shortest");
    QTest::addColumn<QString>("packaging");

    QTest::newRow("18, 14, 8 in") << "45.72"
                                  << "35.56"
                                  << "20.32"
                                  << "0.25";
    QTest::newRow("longest over") << "45.73"
                                  << "35.56"
                                  << "20.32"
                                  << "1";
    QTest::newRow("second over") << "45.72"
                                 << "35.57"
                                 << "20.32"
                                 << "1";
    QTest::newRow("shortest over") << "45.72"
                                   << "35.56"
                                   << "20.33"
                                   << "1";
    // The same package entered shortest first.
    QTest::newRow("8, 14, 18 in") << "20.32"
                                  << "35.56"
                                  << "45.72"
                                  << "1";
}

void TstForm3Figures::sidesAtTheirLimits()
{
    QFETCH(QString, longest);
    QFETCH(QString, second);
    QFETCH(QString, shortest);
    QFETCH(QString, packaging);

    OpenedWindow window;
    Form3 &form = window.form;
    enterSides(form, longest, second, shortest);

    QCOMPARE(form.Text12.text(), packaging);
}

void TstForm3Figures::volumeAndDimensionalWeight()
{
    OpenedWindow window;
    Form3 &form = window.form;
    form.Text9.setText("10");
    form.Text10.setText("8");
    form.Text11.setText("6");

    QCOMPARE(form.Text27.text(), "480.0000");
    QCOMPARE(form.Text28.text(), "2.8916");
}

void TstForm3Figures::shippingWeightShowsItsPlainText()
{
    OpenedWindow window;
    Form3 &form = window.form;
    QStringList writes;
    recordWrites(form.Text13, writes);

    form.Text3.setText("3");
    writes.clear();
    form.Text4.setText("0");

    // The packaging weight's handler reformats the shipping weight in between; the later
    // plain write is what stays.
    QVERIFY(writes.contains("3.0000"));
    QCOMPARE(writes.last(), "3");
    QCOMPARE(form.Text13.text(), "3");
}

void TstForm3Figures::priceEdit_data()
{
    QTest::addColumn<QString>("additional");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QStringList>("usd");       // Text14, Text16, Text18, Text22
    QTest::addColumn<QStringList>("rmb");       // Text2, Text15, Text17, Text19, Text23
    QTest::addColumn<QString>("additionalRmb"); // Text21

    QTest::newRow("price 10") << "0"
                              << "10" << QStringList{"1.0000", "1.0000", "0.3700", "2.3700"}
                              << QStringList{"63.6720", "6.3672", "6.3672", "2.3559", "15.0903"}
                              << "0";
    QTest::newRow("price 300 with additional fees 2")
        << "2"
        << "300" << QStringList{"0", "0", "0", "2.0000"}
        << QStringList{"1910.1600", "0.0000", "0.0000", "0.0000", "12.7344"} << "12.7344";
}

void TstForm3Figures::priceEdit()
{
    QFETCH(QString, additional);
    QFETCH(QString, price);
    QFETCH(QStringList, usd);
    QFETCH(QStringList, rmb);
    QFETCH(QString, additionalRmb);

    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100"); // a shipping weight of 1 lb
    if (additional != "0")
        enter(form.Text20, additional);
    QCOMPARE(form.Text13.text(), "1");

    enter(form.Text1, price);

    QCOMPARE((texts({&form.Text14, &form.Text16, &form.Text18, &form.Text22})), usd);
    QCOMPARE((texts({&form.Text2, &form.Text15, &form.Text17, &form.Text19, &form.Text23})), rmb);
    QCOMPARE(form.Text21.text(), additionalRmb);
}

void TstForm3Figures::priceEditInTheOversizeTier()
{
    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text3, "2");
    enter(form.Text4, "10000"); // 22.0462 lb

    enter(form.Text1, "5");

    QCOMPARE(form.Text14.text(), "0.0000");
    QCOMPARE(form.Text16.text(), "12.0000");
}

void TstForm3Figures::exemption_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QStringList>("fees"); // Text14, Text16, Text18
    QTest::addColumn<QString>("total");

    QTest::newRow("299.99") << "299.99" << QStringList{"1.0000", "1.0000", "0.3700"} << "2.3700";
    QTest::newRow("300") << "300" << QStringList{"0", "0", "0"} << "0.0000";
    QTest::newRow("300.01") << "300.01" << QStringList{"0", "0", "0"} << "0.0000";
}

void TstForm3Figures::exemption()
{
    QFETCH(QString, price);
    QFETCH(QStringList, fees);
    QFETCH(QString, total);

    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100");

    enter(form.Text1, price);

    QCOMPARE(texts(handlingFees(form)), fees);
    QCOMPARE(form.Text22.text(), total);
    const bool exempt = fees[0] == "0";
    QCOMPARE((texts({&form.Text15, &form.Text17, &form.Text19})),
             (exempt ? QStringList(3, "0.0000") : QStringList{"6.3672", "6.3672", "2.3559"}));
}

void TstForm3Figures::exemptionDigitByDigit()
{
    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100");

    form.Text1.setText("3");
    form.Text1.setText("30");
    QCOMPARE(texts(handlingFees(form)), QStringList({"1.0000", "1.0000", "0.3700"}));
    form.Text1.setText("300");
    QCOMPARE(texts(handlingFees(form)), QStringList({"0", "0", "0"}));
    form.Text1.setText("30");
    QCOMPARE(texts(handlingFees(form)), QStringList({"1.0000", "1.0000", "0.3700"}));
    QCOMPARE(form.Text22.text(), "2.3700");
}

void TstForm3Figures::exemptionAfterWeightOrSideEdits_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");

    QTest::newRow("weight") << "Text4"
                            << "800";
    QTest::newRow("longest side") << "Text6"
                                  << "30";
    QTest::newRow("second side") << "Text7"
                                 << "0";
    QTest::newRow("shortest side") << "Text8"
                                   << "0";
    QTest::newRow("quantity") << "Text3"
                              << "4";
    QTest::newRow("grams per pound") << "Text24"
                                     << "400";
    QTest::newRow("centimetres per inch") << "Text25"
                                          << "2";
}

void TstForm3Figures::exemptionAfterWeightOrSideEdits()
{
    QFETCH(QString, box);
    QFETCH(QString, text);

    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100");
    enter(form.Text1, "350");

    enter(boxNamed(form, box), text);

    QCOMPARE(texts(handlingFees(form)), QStringList({"0", "0", "0"}));
    QCOMPARE(form.Text22.text(), "0.0000");
}

void TstForm3Figures::exemptPriceWithTrailingText()
{
    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text1, "20");

    form.Text1.setText("300abc"); // pasted, so not filtered

    QCOMPARE(texts(handlingFees(form)), QStringList({"0", "0", "0"}));
    // Not a price as a whole: it counts 0 in RMB rather than leaving the old price's RMB.
    QCOMPARE(form.Text2.text(), "0.0000");
}

void TstForm3Figures::quantityEdit_data()
{
    QTest::addColumn<QString>("grams");
    QTest::addColumn<QString>("longest"); // cm; the other sides follow from it
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("pickAndPack");
    QTest::addColumn<QString>("shipping");
    QTest::addColumn<QString>("weightHandling");

    QTest::newRow("standard 0.4409 lb, quantity 3") << "200"
                                                    << "0"
                                                    << "3"
                                                    << "3.0000"
                                                    << "3"
                                                    << "1.1100";
    QTest::newRow("oversize, dimensional weight, quantity 2") << "4535.9237"
                                                              << "76.2"
                                                              << "2"
                                                              << "12.0000"
                                                              << "76"
                                                              << "28.1200";
}

void TstForm3Figures::quantityEdit()
{
    QFETCH(QString, grams);
    QFETCH(QString, longest);
    QFETCH(QString, quantity);
    QFETCH(QString, pickAndPack);
    QFETCH(QString, shipping);
    QFETCH(QString, weightHandling);

    OpenedWindow window;
    Form3 &form = window.form;
    if (longest != "0") {
        enterSides(form, longest, "50.8", "25.4"); // 30 × 20 × 10 in
    }
    enter(form.Text4, grams);

    enter(form.Text3, quantity);

    QCOMPARE(form.Text16.text(), pickAndPack);
    QCOMPARE(form.Text13.text(), shipping);
    QCOMPARE(form.Text18.text(), weightHandling);
}

void TstForm3Figures::emptiedInputsCountZero_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("watched");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("price") << "Text1" << QStringList{"Text2", "Text14", "Text22"}
                           << QStringList{"63.6720", "1.0000", "4.3700"}
                           << QStringList{"0.0000", "1.0000", "4.3700"};
    QTest::newRow("quantity") << "Text3" << QStringList{"Text16", "Text13", "Text18", "Text22"}
                              << QStringList{"1.0000", "1", "0.3700", "4.3700"}
                              << QStringList{"0.0000", "0", "0.0000", "3.0000"};
    QTest::newRow("additional fees") << "Text20" << QStringList{"Text21", "Text22", "Text23"}
                                     << QStringList{"12.7344", "4.3700", "27.8247"}
                                     << QStringList{"0.0000", "2.3700", "15.0903"};
    QTest::newRow("weight") << "Text4" << QStringList{"Text5", "Text13"}
                            << QStringList{"0.2205", "1"} << QStringList{"0.0000", "1"};
    QTest::newRow("side") << "Text6" << QStringList{"Text9", "Text27"}
                          << QStringList{"11.8110", "0.0000"} << QStringList{"0.0000", "0.0000"};
}

void TstForm3Figures::emptiedInputsCountZero()
{
    QFETCH(QString, box);
    QFETCH(QStringList, watched);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);

    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100");
    enter(form.Text6, "30");
    enter(form.Text1, "10");
    enter(form.Text20, "2");
    QList<TextBox *> boxes;
    for (const QString &name : watched)
        boxes << &boxNamed(form, name);
    QCOMPARE(texts(boxes), before);

    boxNamed(form, box).setText("");

    QCOMPARE(texts(boxes), after);
}

void TstForm3Figures::severalPointsInTheQuantity()
{
    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "0");

    enter(form.Text3, "1.2.3");

    // No quantity as a whole for the fee; its leading 1.2 for the shipping weight.
    QCOMPARE(form.Text16.text(), "0.0000");
    QCOMPARE(form.Text13.text(), "1.2");
}

void TstForm3Figures::rmbConversions_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QStringList>("rmb"); // Text2, Text15, Text17, Text19, Text21, Text23

    QTest::newRow("design rate") << "6.3672" << QStringList{"63.6720", "6.3672",  "6.3672",
                                                            "2.3559",  "12.7344", "27.8247"};
    QTest::newRow("rate 7") << "7" << QStringList{"70.0000", "7.0000",  "7.0000",
                                                  "2.5900",  "14.0000", "30.5900"};
    QTest::newRow("rate 0") << "0" << QStringList(6, "0.0000");
}

void TstForm3Figures::rmbConversions()
{
    QFETCH(QString, rate);
    QFETCH(QStringList, rmb);

    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100");
    enter(form.Text1, "10");
    enter(form.Text20, "2");

    enter(form.Text26, rate);

    QCOMPARE(texts(rmbBoxes(form)), rmb);
}

void TstForm3Figures::emptiedRateZeroesEveryRmbBox()
{
    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100");
    enter(form.Text1, "10");

    form.Text26.setText("");

    QCOMPARE(texts(rmbBoxes(form)), QStringList(6, "0.0000"));
    // The next fee edit converts at 0 too, rather than stopping at the order handling fee.
    enter(form.Text1, "20");
    QCOMPARE(texts(rmbBoxes(form)), QStringList(6, "0.0000"));
    QCOMPARE(form.Text22.text(), "2.3700");
}

void TstForm3Figures::conversionWritesPlainThenFormatted_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("converted");
    QTest::addColumn<QStringList>("writes");

    QTest::newRow("1000 g") << "Text4"
                            << "1000"
                            << "Text5" << QStringList{"2.20462262184878", "2.2046"};
    QTest::newRow("30 cm") << "Text6"
                           << "30"
                           << "Text9" << QStringList{"11.8110236220472", "11.8110"};
    QTest::newRow("25.4 cm") << "Text7"
                             << "25.4"
                             << "Text10" << QStringList{"10", "10.0000"};
}

void TstForm3Figures::conversionWritesPlainThenFormatted()
{
    QFETCH(QString, input);
    QFETCH(QString, text);
    QFETCH(QString, converted);
    QFETCH(QStringList, writes);

    OpenedWindow window;
    QStringList log;
    recordWrites(boxNamed(window.form, converted), log);

    boxNamed(window.form, input).setText(text);

    QCOMPARE(log, writes);
}

void TstForm3Figures::zeroOrMissingFactor_data()
{
    QTest::addColumn<QString>("factorBox");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QStringList>("converted");
    QTest::addColumn<QString>("shipping");

    // No weight left: the packaging alone, up to a whole pound.
    QTest::newRow("0 grams per pound") << "Text24"
                                       << "0" << QStringList{"0.0000"} << "1";
    QTest::newRow("no grams per pound") << "Text24"
                                        << "" << QStringList{"0.0000"} << "1";
    // 2.2046 lb and its packaging.
    QTest::newRow("0 centimetres per inch") << "Text25"
                                            << "0" << QStringList(3, "0.0000") << "3";
    QTest::newRow("1.2.3 centimetres per inch") << "Text25"
                                                << "1.2.3" << QStringList(3, "0.0000") << "3";
}

void TstForm3Figures::zeroOrMissingFactor()
{
    QFETCH(QString, factorBox);
    QFETCH(QString, factor);
    QFETCH(QStringList, converted);
    QFETCH(QString, shipping);

    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "1000");
    enterSides(form, "30", "20", "10");

    boxNamed(form, factorBox).setText(factor);

    if (factorBox == "Text24") {
        QCOMPARE((texts({&form.Text5})), converted);
    } else {
        QCOMPARE((texts({&form.Text9, &form.Text10, &form.Text11})), converted);
        QCOMPARE(form.Text27.text(), "0.0000");
    }
    // The tier and the weights follow the zero.
    QCOMPARE(form.Text12.text(), "0.25");
    QCOMPARE(form.Text13.text(), shipping);
}

void TstForm3Figures::newFactorsConvertAgain()
{
    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "1000");
    enterSides(form, "30", "20", "10");

    enter(form.Text24, "500");
    enter(form.Text25, "2");

    QCOMPARE(form.Text5.text(), "2.0000");
    QCOMPARE((texts({&form.Text9, &form.Text10, &form.Text11})),
             QStringList({"15.0000", "10.0000", "5.0000"}));
    QCOMPARE(form.Text27.text(), "750.0000");
    QCOMPARE(form.Text13.text(), "3"); // 2 + 0.25 up to whole pounds
}

void TstForm3Figures::sideOrder_data()
{
    QTest::addColumn<QStringList>("sides");
    QTest::addColumn<bool>("inOrder");
    QTest::addColumn<QString>("total");

    QTest::newRow("30, 20, 10") << QStringList{"30", "20", "10"} << true << "2.3700";
    // 11.8110 in for the shortest side makes the package oversize.
    QTest::newRow("30, 30, 30") << QStringList{"30", "30", "30"} << true << "6.7400";
    QTest::newRow("20, 30, 10") << QStringList{"20", "30", "10"} << false << "尺寸顺序错误";
    QTest::newRow("30, 10, 20") << QStringList{"30", "10", "20"} << false << "尺寸顺序错误";
}

void TstForm3Figures::sideOrder()
{
    QFETCH(QStringList, sides);
    QFETCH(bool, inOrder);
    QFETCH(QString, total);

    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100");
    enterSides(form, sides[0], sides[1], sides[2]);

    for (TextBox *side : {&form.Text6, &form.Text7, &form.Text8})
        QVERIFY(inOrder ? isBlack(*side) : isRed(*side));
    QCOMPARE(form.Text22.text(), total);
}

void TstForm3Figures::sideOrderWhileTyping()
{
    OpenedWindow window;
    Form3 &form = window.form;
    for (TextBox *side : {&form.Text6, &form.Text7, &form.Text8})
        QVERIFY(isBlack(*side));
    enterSides(form, "30", "20", "10");

    form.Text6.setText("");
    QVERIFY(isRed(form.Text6));
    form.Text6.setText("3");
    QVERIFY(isRed(form.Text7));
    form.Text6.setText("30");
    QVERIFY(isBlack(form.Text8));
    form.Text8.setText("");
    QVERIFY(isBlack(form.Text6));
}

void TstForm3Figures::sidesOutOfOrderKeepTheMessage()
{
    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100");
    enter(form.Text1, "10");
    QCOMPARE(form.Text23.text(), "15.0903");

    enter(form.Text6, "20");
    enter(form.Text7, "30");
    QCOMPARE(form.Text22.text(), sideOrderMessage);
    enter(form.Text8, "10");
    enter(form.Text1, "20");
    enter(form.Text3, "2");
    enter(form.Text20, "5");
    enter(form.Text4, "200");

    QCOMPARE(form.Text22.text(), sideOrderMessage);
    // The RMB total cannot convert the message and keeps what it showed.
    QCOMPARE(form.Text23.text(), "15.0903");
    enter(form.Text26, "7");
    QCOMPARE(form.Text23.text(), "15.0903");
    QCOMPARE(form.Text2.text(), "140.0000");
}

void TstForm3Figures::sidesBackInOrderBringTheTotalBack()
{
    OpenedWindow window;
    Form3 &form = window.form;
    enter(form.Text4, "100");
    enter(form.Text1, "10");
    enterSides(form, "20", "30", "10");
    QCOMPARE(form.Text22.text(), sideOrderMessage);

    enter(form.Text6, "40");

    for (TextBox *side : {&form.Text6, &form.Text7, &form.Text8})
        QVERIFY(isBlack(*side));
    QCOMPARE(form.Text22.text(), "2.3700");
    QCOMPARE(form.Text23.text(), "15.0903");
}

SKARVEL_TEST_MAIN(TstForm3Figures)
#include "tst_form3_figures.moc"
