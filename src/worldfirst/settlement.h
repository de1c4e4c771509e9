#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The currencies the other fees can be given in: the receiving currency, then RMB. No value
// for a text that is no receiving currency.
std::optional<QStringList> otherFeeCurrencies(const QString &receivingCurrency);

// The RMB the bank settles for the received amount at its rate for the receiving currency.
// An other fee in the receiving currency comes off before the bank converts, one in RMB
// after it.
double settledAmount(double received, double otherFee, double bankRate, bool otherFeeInRmb);

// The whole total (payout plus balance) settled directly at the bank's rate for the
// account currency: what the transfer is measured against.
double directSettlement(double payout, double balance, double accountCurrencyRate);

// The loss in percent of the direct settlement; 0 when there is no direct settlement to
// measure against, so an old percentage never stands beside a new loss.
double lossPercent(double loss, double directSettled);
