#include "worldfirst/rate_pages.h"

#include "platform/box_number.h"
#include "platform/text_rules.h"

const WfPair wfPairs[3] = {
    {"GBPEUR", SellGbpEur, BuyGbpEur},
    {"GBPUSD", SellGbpUsd, BuyGbpUsd},
    {"EURUSD", SellEurUsd, BuyEurUsd},
};

namespace {

const QString cellBoundary = QStringLiteral("</td><td>");
const QString cellEnd = QStringLiteral("</td>");
const QString spanEnd = QStringLiteral("</span>");

// The text after the first occurrence of the marker, up to its next occurrence or the end.
// No value when the marker is missing or nothing follows it.
std::optional<QString> pieceAfter(const QString &text, const QString &marker)
{
    const QStringList pieces = Split(text, marker);
    if (pieces.size() < 2 || pieces[1].isEmpty())
        return std::nullopt;
    return pieces[1];
}

// The text before the closing marker; no value when the text is not closed.
std::optional<QString> before(const QString &text, const QString &close)
{
    const qsizetype end = text.indexOf(close);
    if (end < 0)
        return std::nullopt;
    return text.left(end);
}

// A cell or quote is a number with any white space around it: a page laid out over
// several lines puts line breaks (or no-break spaces) before and after the figure.
std::optional<double> numberIn(const QString &cellText)
{
    return readStrict(cellText.trimmed());
}

std::optional<QString> closedCellAfter(const QString &page, const QString &marker)
{
    const std::optional<QString> rest = pieceAfter(page, marker);
    if (!rest)
        return std::nullopt;
    return before(*rest, cellEnd);
}

struct BankLayout
{
    const char *sectionId;
    const char *names[3]; // the currency's cell text before its unit cell
    const char *unit;
    double divisor;
};

// 建行 and 交行 share their section's id on the page; their currency cells tell them apart.
const BankLayout bankLayouts[3] = {
    {"yhpjboc", {"英镑", "美元", "欧元"}, "100", 100},
    {"Div3", {"英镑", "美元", "欧元"}, "1", 1},
    {"Div3", {"英镑(GBP/CNY)", "美元(USD/CNY)", "欧元(EUR/CNY)"}, "100", 100},
};

QString sectionMarker(const BankLayout &layout)
{
    return QStringLiteral("<div id=\"%1\">").arg(QString::fromUtf8(layout.sectionId));
}

// The currency's name cell, its unit cell, and the opening of the first quote's span.
QString currencyMarker(const BankLayout &layout, BankCurrency currency)
{
    return QString::fromUtf8(layout.names[currency]) +
           QStringLiteral("</td><td><span class=\"digi\">") + QString::fromUtf8(layout.unit) +
           QStringLiteral("</span></td><td><span class=\"digi\">");
}

} // namespace

std::optional<WfPairCells> cutWfPairCells(const QString &page, const QString &rowLabel)
{
    const QString rowStart = rowLabel + cellBoundary;
    const std::optional<QString> sellText = closedCellAfter(page, rowStart);
    if (!sellText)
        return std::nullopt;
    const std::optional<QString> buyText =
        closedCellAfter(page, rowStart + *sellText + cellBoundary);
    if (!buyText)
        return std::nullopt;
    const std::optional<double> sell = numberIn(*sellText);
    const std::optional<double> buy = numberIn(*buyText);
    if (!sell || !buy)
        return std::nullopt;
    return WfPairCells{*sellText, *sell, *buyText, *buy};
}

std::optional<BankQuote> cutBankQuote(const QString &page, int bank, BankCurrency currency)
{
    if (bank < 0 || bank >= 3)
        return std::nullopt;
    const BankLayout &layout = bankLayouts[bank];
    const std::optional<QString> section = pieceAfter(page, sectionMarker(layout));
    if (!section)
        return std::nullopt;
    const std::optional<QString> cut = pieceAfter(*section, currencyMarker(layout, currency));
    if (!cut)
        return std::nullopt;
    const std::optional<QString> quoteText = before(*cut, spanEnd);
    if (!quoteText)
        return std::nullopt;
    const std::optional<double> quote = numberIn(*quoteText);
    if (!quote)
        return std::nullopt;
    return BankQuote{*cut, *quote / layout.divisor};
}
