#include "fba/fee_rules.h"

#include <QTest>

Q_DECLARE_METATYPE(SizeTier)

class TstFeeRules : public QObject
{
    Q_OBJECT
private slots:
    void sizeTier_data();
    void sizeTier();
    void tierFeesPerTier_data();
    void tierFeesPerTier();
    void wholePoundsPerUnit_data();
    void wholePoundsPerUnit();
    void shippingWeightTimesQuantity_data();
    void shippingWeightTimesQuantity();
    void dimensionalWeightBilled_data();
    void dimensionalWeightBilled();
    void weightHandling_data();
    void weightHandling();
    void totalOfTheFourFees();
    void exemption_data();
    void exemption();
    void sideOrder_data();
    void sideOrder();
    void conversionByFactor_data();
    void conversionByFactor();
};

void TstFeeRules::sizeTier_data()
{
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("longest");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("shortest");
    QTest::addColumn<SizeTier>("tier");

    const SizeTier standard = SizeTier::Standard;
    const SizeTier oversize = SizeTier::Oversize;
    QTest::newRow("every limit exactly") << 20.0 << 18.0 << 14.0 << 8.0 << standard;
    QTest::newRow("weight just under") << 19.9999 << 18.0 << 14.0 << 8.0 << standard;
    QTest::newRow("weight just over") << 20.0001 << 18.0 << 14.0 << 8.0 << oversize;
    QTest::newRow("longest just under") << 20.0 << 17.9999 << 14.0 << 8.0 << standard;
    QTest::newRow("longest just over") << 20.0 << 18.0001 << 14.0 << 8.0 << oversize;
    QTest::newRow("second just under") << 20.0 << 18.0 << 13.9999 << 8.0 << standard;
    QTest::newRow("second just over") << 20.0 << 18.0 << 14.0001 << 8.0 << oversize;
    QTest::newRow("shortest just under") << 20.0 << 18.0 << 14.0 << 7.9999 << standard;
    QTest::newRow("shortest just over") << 20.0 << 18.0 << 14.0 << 8.0001 << oversize;
    QTest::newRow("nothing") << 0.0 << 0.0 << 0.0 << 0.0 << standard;
    // Each side is held against the limit of its own place.
    QTest::newRow("sides entered shortest first") << 1.0 << 8.0 << 14.0 << 18.0 << oversize;
}

void TstFeeRules::sizeTier()
{
    QFETCH(double, weight);
    QFETCH(double, longest);
    QFETCH(double, second);
    QFETCH(double, shortest);
    QFETCH(SizeTier, tier);

    QCOMPARE(classifySizeTier(weight, longest, second, shortest), tier);
}

void TstFeeRules::tierFeesPerTier_data()
{
    QTest::addColumn<SizeTier>("tier");
    QTest::addColumn<double>("packaging");
    QTest::addColumn<double>("orderHandling");
    QTest::addColumn<double>("pickAndPack");

    QTest::newRow("standard") << SizeTier::Standard << 0.25 << 1.0 << 1.0;
    QTest::newRow("oversize") << SizeTier::Oversize << 1.0 << 0.0 << 6.0;
}

void TstFeeRules::tierFeesPerTier()
{
    QFETCH(SizeTier, tier);
    QFETCH(double, packaging);
    QFETCH(double, orderHandling);
    QFETCH(double, pickAndPack);

    const TierFees &fees = tierFees(tier);
    QCOMPARE(fees.packagingWeight, packaging);
    QCOMPARE(fees.orderHandlingFee, orderHandling);
    QCOMPARE(fees.pickAndPackFee, pickAndPack);
}

void TstFeeRules::wholePoundsPerUnit_data()
{
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("whole");

    QTest::newRow("packaging alone") << 0.25 << 1.0;
    QTest::newRow("one pound exactly") << 1.0 << 1.0;
    QTest::newRow("0.75 with 0.25 packaging") << 0.75 + 0.25 << 1.0;
    QTest::newRow("2.2") << 2.2 << 3.0;
    QTest::newRow("just above a whole pound") << 11.0001 << 12.0;
    QTest::newRow("nothing") << 0.0 << 0.0;
}

void TstFeeRules::wholePoundsPerUnit()
{
    QFETCH(double, weight);
    QFETCH(double, whole);

    QCOMPARE(wholePounds(weight), whole);
}

void TstFeeRules::shippingWeightTimesQuantity_data()
{
    QTest::addColumn<double>("billing");
    QTest::addColumn<double>("packaging");
    QTest::addColumn<double>("quantity");
    QTest::addColumn<double>("shipping");

    QTest::newRow("standard, weight 0, quantity 3") << 0.0 << 0.25 << 3.0 << 3.0;
    QTest::newRow("standard 1.1023, quantity 2") << 1.1023 << 0.25 << 2.0 << 4.0;
    QTest::newRow("standard 0.4409, quantity 3") << 0.4409 << 0.25 << 3.0 << 3.0;
    // Rounded up per unit, then multiplied: 3 × 2, not the whole pounds of 4.4.
    QTest::newRow("oversize 1.2, quantity 2") << 1.2 << 1.0 << 2.0 << 6.0;
    QTest::newRow("dimensional 36.1446, quantity 2") << 36.1446 << 1.0 << 2.0 << 76.0;
    QTest::newRow("oversize 10, quantity 2") << 10.0 << 1.0 << 2.0 << 22.0;
    QTest::newRow("dimensional 40, quantity 2") << 40.0 << 1.0 << 2.0 << 82.0;
    QTest::newRow("no quantity") << 5.0 << 1.0 << 0.0 << 0.0;
}

void TstFeeRules::shippingWeightTimesQuantity()
{
    QFETCH(double, billing);
    QFETCH(double, packaging);
    QFETCH(double, quantity);
    QFETCH(double, shipping);

    QCOMPARE(shippingWeight(billing, packaging, quantity), shipping);
}

void TstFeeRules::dimensionalWeightBilled_data()
{
    QTest::addColumn<double>("volume");
    QTest::addColumn<double>("weight");
    QTest::addColumn<bool>("billed");

    QTest::newRow("volume 6000, weight 10") << 6000.0 << 10.0 << true;
    QTest::newRow("volume exactly 5184") << 5184.0 << 10.0 << false;
    QTest::newRow("volume just above 5184") << 5184.0001 << 10.0 << true;
    QTest::newRow("volume 6640, weight 10") << 6640.0 << 10.0 << true;
    QTest::newRow("weight equal to the dimensional weight") << 6640.0 << 40.0 << false;
    QTest::newRow("heavier than the dimensional weight") << 6640.0 << 41.0 << false;
}

void TstFeeRules::dimensionalWeightBilled()
{
    QFETCH(double, volume);
    QFETCH(double, weight);
    QFETCH(bool, billed);

    QCOMPARE(billsDimensionalWeight(volume, weight, dimensionalWeight(volume)), billed);
}

void TstFeeRules::weightHandling_data()
{
    QTest::addColumn<double>("shipping");
    QTest::addColumn<double>("fee");

    QTest::newRow("1 lb") << 1.0 << 0.37;
    QTest::newRow("2 lb") << 2.0 << 0.74;
    QTest::newRow("3 lb") << 3.0 << 1.11;
}

void TstFeeRules::weightHandling()
{
    QFETCH(double, shipping);
    QFETCH(double, fee);

    QCOMPARE(weightHandlingFee(shipping), fee);
}

void TstFeeRules::totalOfTheFourFees()
{
    QCOMPARE(fbaTotal(1, 1, 0.37, 0), 2.37);
    QCOMPARE(fbaTotal(0, 0, 0, 2), 2.0);
}

void TstFeeRules::exemption_data()
{
    QTest::addColumn<double>("price");
    QTest::addColumn<bool>("exempt");

    QTest::newRow("299.99") << 299.99 << false;
    QTest::newRow("300") << 300.0 << true;
    QTest::newRow("300.01") << 300.01 << true;
    QTest::newRow("30") << 30.0 << false;
}

void TstFeeRules::exemption()
{
    QFETCH(double, price);
    QFETCH(bool, exempt);

    QCOMPARE(isPriceExempt(price), exempt);
}

void TstFeeRules::sideOrder_data()
{
    QTest::addColumn<double>("longest");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("shortest");
    QTest::addColumn<bool>("inOrder");

    QTest::newRow("30, 20, 10") << 30.0 << 20.0 << 10.0 << true;
    QTest::newRow("equal sides") << 30.0 << 30.0 << 30.0 << true;
    QTest::newRow("nothing entered") << 0.0 << 0.0 << 0.0 << true;
    QTest::newRow("second longer than the longest") << 20.0 << 30.0 << 10.0 << false;
    QTest::newRow("shortest longer than the second") << 30.0 << 10.0 << 20.0 << false;
    QTest::newRow("shortest emptied") << 30.0 << 20.0 << 0.0 << true;
}

void TstFeeRules::sideOrder()
{
    QFETCH(double, longest);
    QFETCH(double, second);
    QFETCH(double, shortest);
    QFETCH(bool, inOrder);

    QCOMPARE(sidesLongestFirst(longest, second, shortest), inOrder);
}

void TstFeeRules::conversionByFactor_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<std::optional<double>>("factor");
    QTest::addColumn<double>("converted");

    QTest::newRow("1000 g") << 1000.0 << std::optional<double>(453.59237) << 2.2046226218487757;
    QTest::newRow("30 cm") << 30.0 << std::optional<double>(2.54) << 11.811023622047244;
    QTest::newRow("factor 0") << 30.0 << std::optional<double>(0) << 0.0;
    QTest::newRow("factor no number") << 30.0 << std::optional<double>() << 0.0;
}

void TstFeeRules::conversionByFactor()
{
    QFETCH(double, amount);
    QFETCH(std::optional<double>, factor);
    QFETCH(double, converted);

    QCOMPARE(convertByFactor(amount, factor), converted);
}

QTEST_APPLESS_MAIN(TstFeeRules)
#include "tst_fee_rules.moc"
