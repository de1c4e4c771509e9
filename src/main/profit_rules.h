#pragma once

#include <QString>
#include <optional>

// The arithmetic of the profit calculator. Sales and fees are in the
// marketplace currency, everything else in RMB; the rate is the RMB price of
// one unit of the currency.

// Net profit in RMB, computed in this order: sales × rate − cost − domestic
// freight − rate × fee − freight.
double netProfit(double sales, double rate, double cost, double domesticFreight, double fee,
                 double freight);

// The transaction fee on a sales amount at a rate in percent, multiplied in
// this order: sales × rate × 0.01.
double transactionFee(double sales, double feePercent);

// An RMB amount in the currency. A rate of 0 never divides: no value.
std::optional<double> rmbToCurrency(double rmb, double rate);

// The word beside a net profit: "盈利" above 0, "亏本" otherwise.
QString profitWord(double rmbProfit);

// The rate cut out of a search page, when it is one number above 0 with
// nothing but blanks around it; the number's text without the blanks.
std::optional<QString> acceptedRate(const QString &cut);
