#include "worldfirst/stored_rates.h"

WfRates defaultWfRawRates()
{
    return {1.2523, 1.5922, 1.2702, 1.2543, 1.5942, 1.2722};
}

QStringList bankNames()
{
    return {QStringLiteral("中行"), QStringLiteral("建行"), QStringLiteral("交行")};
}

std::optional<int> bankIndex(const QString &bank)
{
    const qsizetype index = bankNames().indexOf(bank);
    if (index < 0)
        return std::nullopt;
    return int(index);
}

BankRates defaultBankRates()
{
    return {{
        {9.8797, 6.2265, 7.8977},
        {9.8631, 6.2126, 7.8929},
        {9.8632, 6.2134, 7.8925},
    }};
}

std::optional<BankCurrency> bankCurrencyOf(const QString &currency)
{
    if (currency == QLatin1String("GBP"))
        return BankGbp;
    if (currency == QLatin1String("USD"))
        return BankUsd;
    if (currency == QLatin1String("EUR"))
        return BankEur;
    return std::nullopt;
}
