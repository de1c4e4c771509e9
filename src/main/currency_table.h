#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the calculator knows of each marketplace currency it can switch to.
struct Currency
{
    QString name;          // the item of the currency list, "美元"
    QString destination;   // its home country, put into the destination box
    QString fetchCaption;  // the caption of the online rate button
    QString defaultRate;   // the rate text written on a pick and after a zero rate
    QString rateQuery;     // the query of the rate search, GB2312 percent-encoded
    QString openingMarker; // the text the rate follows on the search page
    // The captions naming the currency, in the order a pick writes them: the
    // cost, domestic freight, unit price, standard charge, sales and fee,
    // expedited charge, sales and fee, the units of the two freights, and the
    // headings of the standard and expedited profits.
    QStringList captions;
};

// The currency a text names, compared exactly with the four names in list
// order; none for any other text.
const Currency *currencyNamed(const QString &text);

// The names of the currency list, in list order.
QStringList currencyNames();

// The default rate text of the currency a text names; none for any other text.
std::optional<QString> DefaultRates(const QString &currencyText);

// The text that follows the rate on the search page.
inline const QString rateClosingMarker = QStringLiteral("人民币");
