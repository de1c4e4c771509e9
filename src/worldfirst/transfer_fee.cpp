#include "worldfirst/transfer_fee.h"

namespace {

struct FeeRule
{
    const char *currency;
    double threshold;
    const char *feeBelowThreshold;
};

constexpr FeeRule feeRules[] = {
    {"USD", 20000.0, "30"},
    {"GBP", 5000.0, "15"},
    {"EUR", 5000.0, "22"},
};

struct ConversionRow
{
    const char *account;
    const char *receiving;
    Conversion conversion;
};

constexpr ConversionRow conversions[] = {
    {"USD", "GBP", {BuyGbpUsd, true}},   {"USD", "EUR", {BuyEurUsd, true}},
    {"GBP", "USD", {SellGbpUsd, false}}, {"GBP", "EUR", {SellGbpEur, false}},
    {"EUR", "USD", {SellEurUsd, false}}, {"EUR", "GBP", {BuyGbpEur, true}},
};

} // namespace

std::optional<QString> transferFeeText(const QString &accountCurrency, double total)
{
    for (const FeeRule &rule : feeRules) {
        if (accountCurrency == QLatin1String(rule.currency))
            return QString::fromLatin1(total < rule.threshold ? rule.feeBelowThreshold : "0");
    }
    return std::nullopt;
}

std::optional<ReceivingCurrencies> receivingCurrencies(const QString &accountCurrency)
{
    if (accountCurrency == QLatin1String("USD"))
        return ReceivingCurrencies{{"GBP", "EUR"}, "GBP"};
    if (accountCurrency == QLatin1String("GBP"))
        return ReceivingCurrencies{{"USD", "EUR"}, "USD"};
    if (accountCurrency == QLatin1String("EUR"))
        return ReceivingCurrencies{{"GBP", "USD"}, "USD"};
    return std::nullopt;
}

std::optional<Conversion> conversionBetween(const QString &accountCurrency,
                                            const QString &receivingCurrency)
{
    for (const ConversionRow &row : conversions) {
        if (accountCurrency == QLatin1String(row.account) &&
            receivingCurrency == QLatin1String(row.receiving))
            return row.conversion;
    }
    return std::nullopt;
}

double receivedAmount(double netAmount, double rate, Conversion conversion)
{
    if (!conversion.divides)
        return netAmount * rate;
    if (rate == 0)
        return 0;
    return netAmount / rate;
}
