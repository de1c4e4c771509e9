#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// WorldFirst's six cross rates, in the order of the rate boxes: the three Sell rates of
// GBP·EUR, GBP·USD and EUR·USD, then the three Buy rates of the same pairs. A rate is the
// number of units of the pair's second currency for one unit of its first.
enum WfRate { SellGbpEur, SellGbpUsd, SellEurUsd, BuyGbpEur, BuyGbpUsd, BuyEurUsd };
using WfRates = std::array<double, 6>;

// The rates before the user's float, as the window starts with them.
WfRates defaultWfRawRates();

// The currencies a bank quotes, in the order of the bank rate boxes (1GBP=, 1USD=, 1EUR=).
enum BankCurrency { BankGbp, BankUsd, BankEur };
using BankRatesOfOneBank = std::array<double, 3>;
using BankRates = std::array<BankRatesOfOneBank, 3>;

// The banks of the bank list, in its order.
QStringList bankNames();
std::optional<int> bankIndex(const QString &bank);

// RMB for one unit of each currency, per bank in the order of the bank list.
BankRates defaultBankRates();

// The bank rate box of a foreign currency ("GBP", "USD", "EUR"); RMB has none.
std::optional<BankCurrency> bankCurrencyOf(const QString &currency);
