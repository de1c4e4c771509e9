#include "worldfirst/form5.h"

#include "net/endpoints.h"
#include "net/fetch.h"
#include "net/network_probe.h"
#include "platform/box_number.h"
#include "platform/box_writes.h"
#include "platform/inet.h"
#include "platform/numeric_key_filter.h"
#include "platform/offline_notice.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "worldfirst/rate_float.h"
#include "worldfirst/rate_pages.h"
#include "worldfirst/settlement.h"
#include "worldfirst/transfer_fee.h"

namespace {

constexpr BankCurrency bankCurrencies[] = {BankGbp, BankUsd, BankEur};

} // namespace

Form5::Form5(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
    setCaption(QStringLiteral("Worldfirst外汇账户转款费用计算器 - Tobrin"));
    setClientSizeTwips(10290, 8100);
    setDesignState();
    layOut();
    wireHandlers();
}

void Form5::wireHandlers()
{
    for (TextBox *box :
         {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9, &Text10, &Text11,
          &Text12, &Text13, &Text14, &Text15, &Text16, &Text17, &Text18})
        box->setChangeOnEqualText(true);
    for (TextBox *box : {&Text1, &Text4, &Text8, &Text9, &Text10, &Text11, &Text12, &Text13,
                         &Text14, &Text15, &Text16, &Text17, &Text18})
        box->KeyPress = NumericKeyFilter;

    Combo1.Click = [this] { RecalcFeeAndReceived(); };
    Text1.Change = [this] { RecalcFeeAndReceived(); };
    Text17.Change = [this] { RecalcFeeAndReceived(); };
    Combo2.Click = [this] { RecalcReceived(); };
    for (TextBox *box : {&Text8, &Text9, &Text10, &Text11, &Text12, &Text13})
        box->Change = [this] { RecalcReceived(); };
    Text3.Change = [this] { RefillFeeCurrencies(); };
    Combo3.Click = [this] { RecalcSettlement(); };
    for (TextBox *box : {&Text4, &Text14, &Text15, &Text16})
        box->Change = [this] { RecalcSettlement(); };
    Text5.Change = [this] { RecalcLoss(); };
    Text18.Change = [this] { ApplyRateFloat(); };
    Combo4.Click = [this] { LoadBankRates(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Label31.Click = [this] { Label31_Click(); };
    Label32.Click = [this] { Label32_Click(); };
    Label33.Click = [this] { Label33_Click(); };
}

void Form5::Form_Load()
{
    Combo1.setText(QStringLiteral("USD"));
    Combo2.setText(QStringLiteral("GBP"));
    Combo3.setText(QStringLiteral("GBP"));
    // The bank rates are still all zero here; the defaults follow below.
    Combo4.setText(QStringLiteral("中行"));
    for (TextBox *box : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7})
        box->setText(QStringLiteral("0"));
    const BankRatesOfOneBank firstBank = defaultBankRates()[0];
    for (BankCurrency currency : bankCurrencies)
        bankRateBox(currency).setText(*plainNumberText(firstBank[currency]));
    wfRawRates = defaultWfRawRates();
    bankRates = defaultBankRates();
    Text17.setFocus();
}

TextBox &Form5::rateBox(WfRate rate)
{
    TextBox *boxes[] = {&Text8, &Text9, &Text10, &Text11, &Text12, &Text13};
    return *boxes[rate];
}

TextBox &Form5::bankRateBox(BankCurrency currency)
{
    TextBox *boxes[] = {&Text14, &Text15, &Text16};
    return *boxes[currency];
}

void Form5::RecalcFeeAndReceived()
{
    Combo2.clear();
    const QString account = Combo1.text();
    if (const std::optional<ReceivingCurrencies> receiving = receivingCurrencies(account)) {
        for (const QString &item : receiving->items)
            Combo2.AddItem(item);
        // Runs the received amount with the fee shown so far; the one below supersedes it.
        Combo2.setText(receiving->preselected);
        Label35.setCaption(account);
        Label4.setCaption(account);
        BoxReads read;
        const double total = read(Text1) + read(Text17);
        if (!read.failed())
            Text2.setText(*transferFeeText(account, total));
        writeReceivedAmount();
    }
    reformat(Text3);
}

void Form5::RecalcReceived()
{
    writeReceivedAmount();
    reformat(Text3);
}

void Form5::writeReceivedAmount()
{
    const std::optional<Conversion> conversion = conversionBetween(Combo1.text(), Combo2.text());
    if (!conversion)
        return;
    BoxReads read;
    const double net = read(Text1) + read(Text17) - read(Text2);
    writePlain(Text3, read, receivedAmount(net, read(rateBox(conversion->rate)), *conversion));
}

void Form5::RefillFeeCurrencies()
{
    Combo3.clear();
    const QString receiving = Combo2.text();
    if (const std::optional<QStringList> items = otherFeeCurrencies(receiving)) {
        for (const QString &item : *items)
            Combo3.AddItem(item);
        Combo3.setText(receiving);
        BoxReads read;
        const double bankRate = read(bankRateBox(*bankCurrencyOf(receiving)));
        writePlain(Text5, read, settledAmount(read(Text3), read(Text4), bankRate, false));
    }
    reformat(Text5);
}

void Form5::RecalcSettlement()
{
    const QString receiving = Combo2.text();
    const QString feeCurrency = Combo3.text();
    const std::optional<BankCurrency> currency = bankCurrencyOf(receiving);
    const bool feeInRmb = feeCurrency == QLatin1String("RMB");
    if (currency && (feeCurrency == receiving || feeInRmb)) {
        BoxReads read;
        const double bankRate = read(bankRateBox(*currency));
        writePlain(Text5, read, settledAmount(read(Text3), read(Text4), bankRate, feeInRmb));
    }
    reformat(Text5);
}

void Form5::RecalcLoss()
{
    // Measured against the whole total settled at the bank's rate for the account currency,
    // whatever currency the card receives.
    if (const std::optional<BankCurrency> account = bankCurrencyOf(Combo1.text())) {
        BoxReads read;
        const double direct =
            directSettlement(read(Text1), read(Text17), read(bankRateBox(*account)));
        writePlain(Text6, read, direct - read(Text5));

        BoxReads readAgain;
        const double directAgain =
            directSettlement(readAgain(Text1), readAgain(Text17), readAgain(bankRateBox(*account)));
        writePlain(Text7, readAgain, lossPercent(readAgain(Text6), directAgain));
    }
    reformat(Text6);
    reformat(Text7);
}

void Form5::ApplyRateFloat()
{
    // From the stored raw rates, so a rate typed into a box gives way to the float.
    for (int rate = SellGbpEur; rate <= BuyEurUsd; ++rate)
        writeFloatedRate(rateBox(WfRate(rate)), wfRawRates[rate], WfRate(rate));
}

void Form5::writeFloatedRate(TextBox &box, double rawRate, WfRate rate)
{
    const RateSide side = rate <= SellEurUsd ? RateSide::Sell : RateSide::Buy;
    BoxReads read;
    writePlain(box, read, floatedRate(rawRate, read(Text18), side));
    reformat(box);
}

void Form5::LoadBankRates()
{
    const std::optional<int> bank = bankIndex(Combo4.text());
    if (!bank)
        return;
    for (BankCurrency currency : bankCurrencies) {
        if (const std::optional<QString> text = plainNumberText(bankRates[*bank][currency]))
            bankRateBox(currency).setText(*text);
    }
}

QString Form5::worldFirstTableAddress() const
{
    return services.endpoints->base(QStringLiteral("worldfirst")) +
           QStringLiteral("/up_to_date_table.php");
}

QString Form5::forexListAddress() const
{
    return services.endpoints->base(QStringLiteral("forex")) +
           QStringLiteral("/center/forexlist.html");
}

void Form5::Command1_Click()
{
    const QString address = worldFirstTableAddress();
    // Nothing the user does may act while the window waits: the rates fetched must meet
    // the pairs and the float they were asked for, and a second click no fetch of its own.
    const InetEventsPaused paused(*services.inet);
    const QString page = GetBody(*services.http, address, QStringLiteral("utf-8"));
    if (!NetworkProbe(*services.inet, address)) {
        showRateOffline(*services.dialogs);
        return;
    }
    // A pair is taken over only when its row gives both rates, and the float always works
    // on the fetched rate, so repeated fetches never compound the float.
    for (const WfPair &pair : wfPairs) {
        const std::optional<WfPairCells> cells = cutWfPairCells(page, pair.rowLabel);
        if (!cells)
            continue;
        rateBox(pair.sell).setText(cells->sellText);
        wfRawRates[pair.sell] = cells->sell;
        writeFloatedRate(rateBox(pair.sell), cells->sell, pair.sell);
        rateBox(pair.buy).setText(cells->buyText);
        wfRawRates[pair.buy] = cells->buy;
        writeFloatedRate(rateBox(pair.buy), cells->buy, pair.buy);
    }
}

void Form5::Command2_Click()
{
    const std::optional<int> bank = bankIndex(Combo4.text());
    if (!bank)
        return;
    const QString address = forexListAddress();
    // The bank list takes no other choice while the window waits, so the rates fetched are
    // shown and stored beside the bank they were fetched for.
    const InetEventsPaused paused(*services.inet);
    const QString page = services.inet->openUrl(address).value_or(QString());
    if (!NetworkProbe(*services.inet, address)) {
        showRateOffline(*services.dialogs);
        return;
    }
    // A currency whose quote is not on the page keeps its box and its stored rate.
    for (BankCurrency currency : bankCurrencies) {
        const std::optional<BankQuote> quote = cutBankQuote(page, *bank, currency);
        if (!quote)
            continue;
        TextBox &box = bankRateBox(currency);
        box.setText(quote->cutText);
        box.setText(*plainNumberText(quote->rmbPerUnit));
        bankRates[*bank][currency] = readLenient(box.text());
    }
}

void Form5::Label31_Click()
{
    services.shell->openAddress(services.endpoints->base(QStringLiteral("worldfirst")) +
                                QStringLiteral("/ecommerce/rest-of-world/china/fees/"));
}

void Form5::Label32_Click()
{
    services.shell->openAddress(services.endpoints->base(QStringLiteral("worldfirst")) +
                                QStringLiteral("/liveratestable/"));
}

void Form5::Label33_Click()
{
    services.shell->openAddress(forexListAddress());
}
