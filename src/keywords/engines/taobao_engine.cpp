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
    static const EngineRow row = [] {
        EngineRow row;
        row.engineItem = QStringLiteral("淘宝");
        row.language = QStringLiteral("中文");
        row.endpoint = "suggest.taobao";
        row.query = "/sug?code=utf-8&q=";
        row.twinTail = "%20";
        row.probePrompt = networkPrompt;
        row.cleanUp = cleanUpTaobaoReply;
        row.cut = cutTaobaoReply;
        return row;
    }();
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
