#include "fba/form3.h"

#include "fba/factor_pages.h"
#include "fba/fee_rules.h"
#include "net/endpoints.h"
#include "net/fetch.h"
#include "net/network_probe.h"
#include "platform/box_number.h"
#include "platform/box_writes.h"
#include "platform/inet.h"
#include "platform/numeric_key_filter.h"
#include "platform/offline_notice.h"
#include "platform/services.h"

namespace {

const QString sideOrderMessage = QStringLiteral("尺寸顺序错误");

// A strict read as the figures make it. A box the user types into counts 0 when it holds
// no number (emptied, or 1.2.3), so that no figure keeps a value computed from an earlier
// input; a computed box that holds no number (the side order message) fails the statement.
double strictRead(BoxReads &read, const TextBox &box)
{
    if (box.isLocked())
        return read.strict(box);
    return readStrict(box.text()).value_or(0);
}

void writeNumber(TextBox &box, double value)
{
    writePlain(box, BoxReads{}, value);
}

void setTextColour(TextBox &box, const QColor &colour)
{
    QPalette palette = box.widget()->palette();
    palette.setColor(QPalette::Text, colour);
    box.widget()->setPalette(palette);
}

} // namespace

Form3::Form3(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
    setCaption(QStringLiteral("亚马逊FBA发货费用计算器 - Tobrin"));
    setClientSizeTwips(14670, 6735);
    setDesignState();
    layOut();
    wireHandlers();
}

QList<TextBox *> Form3::textBoxes()
{
    return {&Text1,  &Text2,  &Text3,  &Text4,  &Text5,  &Text6,  &Text7,
            &Text8,  &Text9,  &Text10, &Text11, &Text12, &Text13, &Text14,
            &Text15, &Text16, &Text17, &Text18, &Text19, &Text20, &Text21,
            &Text22, &Text23, &Text24, &Text25, &Text26, &Text27, &Text28};
}

void Form3::wireHandlers()
{
    for (TextBox *box : textBoxes())
        box->setChangeOnEqualText(true);
    for (TextBox *box :
         {&Text1, &Text3, &Text4, &Text6, &Text7, &Text8, &Text20, &Text24, &Text25, &Text26})
        box->KeyPress = NumericKeyFilter;

    Text1.Change = [this] { Text1_Change(); };
    Text3.Change = [this] { Text3_Change(); };
    Text4.Change = [this] { Text4_Change(); };
    Text5.Change = [this] { Text5_Change(); };
    Text6.Change = [this] { Side_Change(Text6, Text9); };
    Text7.Change = [this] { Side_Change(Text7, Text10); };
    Text8.Change = [this] { Side_Change(Text8, Text11); };
    for (TextBox *inches : {&Text9, &Text10, &Text11})
        inches->Change = [this] { InchSide_Change(); };
    Text12.Change = [this] { Text12_Change(); };
    Text13.Change = [this] { Text13_Change(); };
    Text14.Change = [this] { Text14_Change(); };
    Text16.Change = [this] { Fee_Change(Text16, Text17); };
    Text18.Change = [this] { Fee_Change(Text18, Text19); };
    Text20.Change = [this] { Fee_Change(Text20, Text21); };
    Text22.Change = [this] { Text22_Change(); };
    Text24.Change = [this] { Text24_Change(); };
    Text25.Change = [this] { Text25_Change(); };
    Text26.Change = [this] { Text26_Change(); };
    Text27.Change = [this] { Text27_Change(); };
    Command1.Click = [this] { Command1_Click(); };
}

void Form3::Form_Load()
{
    Combo1.setText(QStringLiteral("非媒介类产品"));
    // The button holds the first place of the tab order.
    Command1.setFocus();
}

// Size tier and shipping weight.

std::optional<SizeTier> Form3::ClassifySizeTier()
{
    BoxReads read;
    const SizeTier tier = classifySizeTier(read.strict(Text5), read.strict(Text9),
                                           read.strict(Text10), read.strict(Text11));
    if (read.failed())
        return std::nullopt;
    return tier;
}

bool Form3::ApplyTierFees(SizeTier tier)
{
    const TierFees &fees = tierFees(tier);
    writeNumber(Text12, fees.packagingWeight);
    writeNumber(Text14, fees.orderHandlingFee);
    BoxReads read;
    return writePlain(Text16, read, read(Text3) * fees.pickAndPackFee);
}

bool Form3::ComputeShippingWeight()
{
    return writeShippingWeight(true);
}

bool Form3::writeShippingWeight(bool withDimensionalTest)
{
    bool dimensional = false;
    if (withDimensionalTest) {
        BoxReads test;
        const bool holds = billsDimensionalWeight(test(Text27), test.strict(Text5), test(Text28));
        // A test that cannot be made goes on as if it held.
        dimensional = holds || test.failed();
    }
    BoxReads read;
    const double billingWeight = dimensional ? read(Text28) : read(Text5);
    return writePlain(Text13, read, shippingWeight(billingWeight, read(Text12), read(Text3)));
}

void Form3::Text5_Change()
{
    // A tier test that cannot be made goes on as the standard tier.
    ApplyTierFees(ClassifySizeTier().value_or(SizeTier::Standard));
    ComputeShippingWeight();
}

void Form3::InchSide_Change()
{
    // This handler stops at its first failing statement. The shipping weight is computed
    // before the volume is written, so it sees the volume of the sides as they were.
    const std::optional<SizeTier> tier = ClassifySizeTier();
    if (!tier || !ApplyTierFees(*tier) || !ComputeShippingWeight())
        return;
    BoxReads read;
    if (writePlain(Text27, read, (read(Text9) * read(Text10)) * read(Text11)))
        reformat(Text27);
}

void Form3::Text12_Change()
{
    ComputeShippingWeight();
    reformat(Text13);
}

void Form3::Text27_Change()
{
    BoxReads read;
    if (writePlain(Text28, read, dimensionalWeight(read(Text27))))
        reformat(Text28);
}

// Fees, price exemption and totals.

void Form3::ComputeWeightHandlingFee()
{
    BoxReads read;
    writePlain(Text18, read, weightHandlingFee(strictRead(read, Text13)));
    reformat(Text18);
}

void Form3::ComputeFbaTotal()
{
    // While the sides are out of order the total box keeps the message that says so.
    if (!sidesEnteredInOrder())
        return;
    BoxReads read;
    writePlain(Text22, read, fbaTotal(read(Text14), read(Text16), read(Text18), read(Text20)));
    reformat(Text22);
}

void Form3::ConvertToRmb(TextBox &usd, TextBox &rmb)
{
    BoxReads read;
    writePlain(rmb, read, strictRead(read, usd) * strictRead(read, Text26));
    reformat(rmb);
}

void Form3::ApplyPriceExemption()
{
    BoxReads read;
    const bool exempt = isPriceExempt(read(Text1));
    // A price beyond the range of a double cannot be tested and counts as exempt.
    if (!exempt && !read.failed())
        return;
    for (TextBox *fee : {&Text14, &Text16, &Text18})
        fee->setText(QStringLiteral("0"));
}

void Form3::Text1_Change()
{
    const SizeTier tier = ClassifySizeTier().value_or(SizeTier::Standard);
    const TierFees &fees = tierFees(tier);
    ConvertToRmb(Text1, Text2);
    writeNumber(Text14, fees.orderHandlingFee);
    reformat(Text14);
    BoxReads read;
    const double quantity = tier == SizeTier::Standard ? strictRead(read, Text3) : read(Text3);
    writePlain(Text16, read, quantity * fees.pickAndPackFee);
    reformat(Text16);
    ComputeWeightHandlingFee();
    ApplyPriceExemption();
}

void Form3::Text3_Change()
{
    const SizeTier tier = ClassifySizeTier().value_or(SizeTier::Standard);
    BoxReads read;
    writePlain(Text16, read, strictRead(read, Text3) * tierFees(tier).pickAndPackFee);
    reformat(Text16);
    // A standard package cannot be large enough for its dimensional weight to count.
    writeShippingWeight(tier == SizeTier::Oversize);
    ApplyPriceExemption();
}

void Form3::Text13_Change()
{
    ComputeWeightHandlingFee();
    ApplyPriceExemption();
}

void Form3::Text14_Change()
{
    // The order handling fee changes only together with a fee that re-totals after it.
    ConvertToRmb(Text14, Text15);
}

void Form3::Fee_Change(TextBox &usd, TextBox &rmb)
{
    ConvertToRmb(usd, rmb);
    ComputeFbaTotal();
}

void Form3::Text22_Change()
{
    ConvertToRmb(Text22, Text23);
}

void Form3::Text26_Change()
{
    const std::pair<TextBox *, TextBox *> pairs[] = {{&Text1, &Text2},   {&Text14, &Text15},
                                                     {&Text16, &Text17}, {&Text18, &Text19},
                                                     {&Text20, &Text21}, {&Text22, &Text23}};
    for (const auto &[usd, rmb] : pairs)
        ConvertToRmb(*usd, *rmb);
}

// Unit conversions, side order and the factor fetch.

void Form3::ConvertWeightToPounds()
{
    BoxReads read;
    writePlain(Text5, read, convertByFactor(strictRead(read, Text4), readStrict(Text24.text())));
    reformat(Text5);
}

void Form3::ConvertSideToInches(TextBox &centimetres, TextBox &inches)
{
    BoxReads read;
    writePlain(inches, read,
               convertByFactor(strictRead(read, centimetres), readStrict(Text25.text())));
    reformat(inches);
}

bool Form3::sidesEnteredInOrder()
{
    BoxReads read;
    const bool inOrder = sidesLongestFirst(read(Text6), read(Text7), read(Text8));
    // A test that cannot be made goes on as if it held.
    return inOrder || read.failed();
}

void Form3::CheckSideOrder()
{
    const bool inOrder = sidesEnteredInOrder();
    for (TextBox *side : {&Text6, &Text7, &Text8})
        setTextColour(*side, inOrder ? Qt::black : Qt::red);
    if (inOrder)
        ComputeWeightHandlingFee();
    else
        Text22.setText(sideOrderMessage);
}

void Form3::Text4_Change()
{
    ConvertWeightToPounds();
    ApplyPriceExemption();
}

void Form3::Text24_Change()
{
    ConvertWeightToPounds();
}

void Form3::Text25_Change()
{
    ConvertSideToInches(Text6, Text9);
    ConvertSideToInches(Text7, Text10);
    ConvertSideToInches(Text8, Text11);
}

void Form3::Side_Change(TextBox &centimetres, TextBox &inches)
{
    CheckSideOrder();
    ConvertSideToInches(centimetres, inches);
    ApplyPriceExemption();
}

void Form3::FetchFactor(const FactorSource &source, TextBox &target)
{
    const QString address =
        services.endpoints->base(QStringLiteral("websearch")) + source.pathAndQuery;
    // The window waits for both requests; no click may start a fetch inside this one.
    const InetEventsPaused paused(*services.inet);
    const QString page = GetBody(*services.http, address, QStringLiteral("utf-8"));
    const bool reachable = NetworkProbe(*services.inet, address);

    const std::optional<QString> factor =
        reachable ? factorOnPage(page, source) : std::optional<QString>();
    // A page without a usable factor is reported like no page at all: the box keeps its
    // factor.
    if (factor)
        target.setText(*factor);
    else
        showRateOffline(*services.dialogs);
}

void Form3::Command1_Click()
{
    FetchFactor(gramsPerPoundSource, Text24);
    FetchFactor(centimetresPerInchSource, Text25);
    FetchFactor(rmbPerUsdSource, Text26);
}
