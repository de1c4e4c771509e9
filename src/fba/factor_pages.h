#pragma once

#include <QString>
#include <optional>

// Where the calculator's conversion factors are read: a web search results page that
// shows the factor between two captions, as the window shows it beside its box.
struct FactorSource
{
    const char *pathAndQuery; // on the web search host; the terms are GBK percent-encoded
    const char *openingMarker;
    const char *closingMarker;
};

extern const FactorSource gramsPerPoundSource;
extern const FactorSource centimetresPerInchSource;
extern const FactorSource rmbPerUsdSource;

// The factor on a results page: the text after the first opening marker, up to the
// closing marker (or the next opening marker, or the end), when it is a number above 0.
// No value otherwise, so a page without the factor never puts other text or a factor
// that no conversion can use into the box.
std::optional<QString> factorOnPage(const QString &page, const FactorSource &source);
