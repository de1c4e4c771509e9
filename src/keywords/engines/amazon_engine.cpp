#include "keywords/engines/amazon_engine.h"

#include "keywords/engines/list_cut.h"
#include "keywords/network_message.h"

namespace {

EngineRow amazonRow(const QString &engineItem, const QString &endpoint, int marketplace)
{
    EngineRow row;
    row.engineItem = engineItem;
    row.language = QStringLiteral("英语");
    row.endpoint = endpoint;
    row.query = QStringLiteral("/search/complete?method=completion&search-alias=aps&mkt=%1&q=")
                    .arg(marketplace);
    row.twinTail = QStringLiteral("%20");
    row.probePrompt = networkPrompt;
    row.cut = cutAmazonReply;
    return row;
}

} // namespace

const EngineRow &amazonUsEngine()
{
    static const EngineRow row = amazonRow(QStringLiteral("美国亚马逊"), "suggest.amazon_us", 1);
    return row;
}

SuggestionItems cutAmazonReply(const QString &reply)
{
    static const ListMarkers markers{"\",[\"", "\"],", "\",\"", "\",\""};
    return cutSuggestionList(reply, markers);
}
