#include "fba/factor_pages.h"

#include "net/cut_between.h"
#include "platform/box_number.h"

// The queries are kept byte for byte: the first asks with the key "word", the others
// with "wd".
const FactorSource gramsPerPoundSource{"/s?word=%B0%F5+%BF%CB", "1磅=", "克"};
const FactorSource centimetresPerInchSource{"/s?wd=%D3%A2%B4%E7+%C0%E5%C3%D7", "1英寸=", "厘米"};
const FactorSource rmbPerUsdSource{"/s?wd=%C3%C0%D4%AA+%C8%CB%C3%F1%B1%D2", "1美元=", "人民币"};

std::optional<QString> factorOnPage(const QString &page, const FactorSource &source)
{
    const std::optional<QString> cut = CutBetween(page, QString::fromUtf8(source.openingMarker),
                                                  QString::fromUtf8(source.closingMarker));
    if (!cut)
        return std::nullopt;
    const std::optional<double> factor = readStrict(*cut);
    if (!factor || !(*factor > 0))
        return std::nullopt;
    return cut;
}
