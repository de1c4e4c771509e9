#include "main/profit_rules.h"

#include "platform/box_number.h"

double netProfit(double sales, double rate, double cost, double domesticFreight, double fee,
                 double freight)
{
    return sales * rate - cost - domesticFreight - rate * fee - freight;
}

double transactionFee(double sales, double feePercent)
{
    return sales * feePercent * 0.01;
}

std::optional<double> rmbToCurrency(double rmb, double rate)
{
    if (rate == 0)
        return std::nullopt;
    return rmb / rate;
}

QString profitWord(double rmbProfit)
{
    return rmbProfit > 0 ? QStringLiteral("盈利") : QStringLiteral("亏本");
}

std::optional<QString> acceptedRate(const QString &cut)
{
    const QString trimmed = cut.trimmed();
    const std::optional<double> rate = readStrict(trimmed);
    if (!rate || !(*rate > 0))
        return std::nullopt;
    return trimmed;
}
