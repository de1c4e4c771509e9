#include "keywords/engines/amazon_engine.h"

#include "keywords/engines/list_cut.h"
#include "keywords/network_message.h"

namespace {

EngineRow amazonRow(const QString &engineItem, const QString &endpoint, int marketplace)
{
    return {
        .engineItem = engineItem,
        .language = u"英语"_qs,
        .endpoint = endpoint,
        .query = QStringLiteral("/search/complete?method=completion&search-alias=aps&mkt=%1&q=")
                     .arg(marketplace),
        .twinTail = "%20",
        .probePrompt = networkPrompt,
        .cut = cutAmazonReply,
    };
}

} // namespace

const EngineRow &amazonUsEngine()
{
    static const EngineRow row = amazonRow(u"美国亚马逊"_qs, "suggest.amazon_us", 1);
    return row;
}

const EngineRow &amazonUkEngine()
{
    static const EngineRow row = amazonRow(u"英国亚马逊"_qs, "suggest.amazon_uk", 3);
    return row;
}

SuggestionItems cutAmazonReply(const QString &reply)
{
    static const ListMarkers markers{"\",[\"", "\"],", "\",\"", "\",\""};
    return cutSuggestionList(reply, markers);
}
