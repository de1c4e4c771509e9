#include "keywords/engines/google_engine.h"

#include "keywords/network_message.h"
#include "platform/text_rules.h"

namespace {

const QString listOpening = QStringLiteral("[[\"");
const QString itemSeparator = QStringLiteral("\",0],[\"");
const QString fieldSeparator = QStringLiteral("\",\"");

EngineRow googleRow(const QString &language, const QString &endpoint, const QString &code)
{
    return {
        .engineItem = "Google",
        .language = language,
        .endpoint = endpoint,
        .query = "/s?gs_ri=hp&hl=" + code + "&q=",
        .twinTail = "%20",
        .probePrompt = networkPrompt,
        .cleanUp = cleanUpGoogleReply,
        .cut = cutGoogleReply,
        .order = RecordingOrder::ResultsFirst,
    };
}

} // namespace

const EngineRow &googleComEngine()
{
    static const EngineRow row = googleRow(u"英语"_qs, "suggest.google_com", "en");
    return row;
}

const EngineRow &googleJpEngine()
{
    static const EngineRow row = googleRow(u"日语"_qs, "suggest.google_co_jp", "ja");
    return row;
}

const EngineRow &googleRuEngine()
{
    static const EngineRow row = googleRow(u"俄语"_qs, "suggest.google_ru", "ru");
    return row;
}

const EngineRow &googleHkEngine()
{
    static const EngineRow row = googleRow(u"中文"_qs, "suggest.google_com_hk", "zh-CN");
    return row;
}

const EngineRow &googleDeEngine()
{
    static const EngineRow row = googleRow(u"德语"_qs, "suggest.google_de", "de");
    return row;
}

QString cleanUpGoogleReply(const QString &reply)
{
    return Replace(Replace(reply, QStringLiteral("\\u003cb\\u003e"), QString()),
                   QStringLiteral("\\u003c\\/b\\u003e"), QString());
}

SuggestionItems cutGoogleReply(const QString &reply)
{
    if (!reply.contains(itemSeparator))
        return {};
    const QStringList lists = Split(reply, listOpening);
    const QStringList pieces = lists.size() < 2 ? QStringList() : Split(lists[1], itemSeparator);
    if (pieces.isEmpty())
        return {QString()};
    SuggestionItems items;
    for (const QString &piece : pieces.mid(0, 10)) {
        const QStringList fields = Split(piece, fieldSeparator);
        items.append(fields.isEmpty() ? QString() : fields[0]);
    }
    return items;
}
