#include "worldfirst/settlement.h"

#include "worldfirst/stored_rates.h"

std::optional<QStringList> otherFeeCurrencies(const QString &receivingCurrency)
{
    // The receiving currencies are those the banks quote.
    if (!bankCurrencyOf(receivingCurrency))
        return std::nullopt;
    return QStringList{receivingCurrency, "RMB"};
}

double settledAmount(double received, double otherFee, double bankRate, bool otherFeeInRmb)
{
    if (otherFeeInRmb)
        return received * bankRate - otherFee;
    return (received - otherFee) * bankRate;
}

double directSettlement(double payout, double balance, double accountCurrencyRate)
{
    return (payout + balance) * accountCurrencyRate;
}

double lossPercent(double loss, double directSettled)
{
    if (directSettled == 0)
        return 0;
    return loss / directSettled * 100;
}
