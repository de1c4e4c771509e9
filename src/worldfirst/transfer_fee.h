#pragma once

#include "worldfirst/stored_rates.h"

#include <QString>
#include <QStringList>
#include <optional>

// WorldFirst's transfer fee in the account currency, as the fee box shows it ("30", "15",
// "22" or "0"): charged while payout plus balance stays strictly below the currency's
// threshold. No value for a currency that is not an account currency.
std::optional<QString> transferFeeText(const QString &accountCurrency, double total);

// The receiving currencies a domestic card can take from an account currency, in list
// order, and the one chosen by default.
struct ReceivingCurrencies
{
    QStringList items;
    QString preselected;
};
std::optional<ReceivingCurrencies> receivingCurrencies(const QString &accountCurrency);

// How money moves from the account currency into the receiving currency: leaving a pair's
// first currency multiplies by its Sell rate, leaving its second currency divides by its
// Buy rate.
struct Conversion
{
    WfRate rate;
    bool divides;
};
std::optional<Conversion> conversionBetween(const QString &accountCurrency,
                                            const QString &receivingCurrency);

// The amount received for the net amount (total less fee) at the given rate. A dividing
// rate of 0 receives nothing rather than failing, so the received amount never keeps a
// figure that stems from older inputs.
double receivedAmount(double netAmount, double rate, Conversion conversion);
