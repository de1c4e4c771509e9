#include "keywords/engines/taobao_engine.h"

#include "keywords/network_message.h"
#include "platform/text_rules.h"

namespace {

const QString opening = QStringLiteral("[[\"");
const QString separator = QStringLiteral("\"], [\"");
const QString compactSeparator = QStringLiteral("\"],[\"");
const QString closing = QStringLiteral("\"]]");
const QString fieldSeparator = QStringLiteral("\", \"");
const QString compactFieldSeparator = QStringLiteral("\",\"");

} // namespace

const EngineRow &taobaoEngine()
{
    static const EngineRow row{
        .engineItem = u"淘宝"_qs,
        .language = u"中文"_qs,
        .endpoint = "suggest.taobao",
        .query = "/sug?code=utf-8&q=",
        .twinTail = "%20",
        .probePrompt = networkPrompt,
        .cleanUp = cleanUpTaobaoReply,
        .cut = cutTaobaoReply,
    };
    return row;
}

QString cleanUpTaobaoReply(const QString &reply)
{
    return Replace(Replace(reply, compactFieldSeparator, fieldSeparator), compactSeparator,
                   separator);
}

SuggestionItems cutTaobaoReply(const QString &reply)
{
    if (!reply.contains(closing))
        return {};
    const QStringList pieces = Split(reply, opening);
    if (pieces.size() < 2)
        return {QString()};
    const QStringList bounded = Split(pieces[1], closing);
    if (bounded.isEmpty())
        return {QString()};
    const QStringList entries = Split(bounded[0], separator);
    if (entries.isEmpty())
        return {QString()};
    SuggestionItems items;
    for (const QString &entry : entries.mid(0, 10)) {
        const QStringList fields = Split(entry, fieldSeparator);
        items.append(fields.isEmpty() ? QString() : fields[0]);
    }
    return items;
}
