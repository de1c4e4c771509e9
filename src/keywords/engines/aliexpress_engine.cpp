#include "keywords/engines/aliexpress_engine.h"

#include "keywords/network_message.h"
#include "platform/text_rules.h"

namespace {

const QString opening = QStringLiteral("keywords: '");
const QString closing = QStringLiteral("', catId");

} // namespace

const EngineRow &aliExpressEngine()
{
    static const EngineRow row{
        .engineItem = u"速卖通"_qs,
        .language = u"英语"_qs,
        .endpoint = "suggest.aliexpress",
        .query = "/lenoIframeJson.htm?__number=1&keyword=",
        .plainTail = "&__number=1",
        .twinTail = "%20&__number=1",
        .probePrompt = networkPrompt,
        .cut = cutAliExpressReply,
    };
    return row;
}

SuggestionItems cutAliExpressReply(const QString &reply)
{
    if (!reply.contains(closing))
        return {};
    // The text before the first entry is never a suggestion.
    const QStringList pieces = Split(reply, opening).mid(1, 10);
    if (pieces.isEmpty())
        return {QString()};
    SuggestionItems items;
    for (const QString &piece : pieces) {
        const QStringList cut = Split(piece, closing);
        items.append(cut.isEmpty() ? QString() : cut[0]);
    }
    return items;
}
