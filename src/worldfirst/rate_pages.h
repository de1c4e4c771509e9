#pragma once

#include "worldfirst/stored_rates.h"

#include <QString>
#include <optional>

// The rows of WorldFirst's rate table page, in the order they are read.
struct WfPair
{
    const char *rowLabel; // "GBPEUR"
    WfRate sell;
    WfRate buy;
};
extern const WfPair wfPairs[3];

// The Sell and Buy cells of a pair's row: the label cell, then the Sell cell, then the Buy
// cell. Both cells must be found, closed and numbers (with white space of any kind around
// the number), or the row has no value, so a missing or broken row can never lend another
// row's figures.
struct WfPairCells
{
    QString sellText;
    double sell;
    QString buyText;
    double buy;
};
std::optional<WfPairCells> cutWfPairCells(const QString &page, const QString &rowLabel);

// A bank's quote for one currency on the forex list page: the text after the currency's
// marker in the bank's section, and the quote it begins with turned into RMB per unit (the
// page quotes per 100 units at some banks). No value when the section or the marker is
// missing or the quote is no number (white space of any kind may surround it).
struct BankQuote
{
    QString cutText;
    double rmbPerUnit;
};
std::optional<BankQuote> cutBankQuote(const QString &page, int bank, BankCurrency currency);
