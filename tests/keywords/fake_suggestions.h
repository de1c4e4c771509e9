#pragma once

#include "platform/code_page.h"
#include "support/fake_web.h"

#include <QHash>
#include <QStringList>
#include <QUrlQuery>

// Suggestion services played by a FakeWeb: the reply shapes of each service, and
// a service that answers from a graph of keywords.
namespace FakeSuggestions {

// The value of a query key as the service reads it, percent-decoding undone.
inline QString queryValue(const FakeWeb::Request &request, const QString &key)
{
    return QUrlQuery(QString::fromLatin1(request.query)).queryItemValue(key, QUrl::FullyDecoded);
}

inline QString quoted(const QStringList &suggestions)
{
    QStringList quoted;
    for (const QString &suggestion : suggestions)
        quoted << '"' + suggestion + '"';
    return quoted.join(',');
}

inline QByteArray amazonReply(const QString &keyword, const QStringList &suggestions)
{
    return ("[\"" + keyword + "\",[" + quoted(suggestions) + "],[{\"nodes\":[]}],[]]").toUtf8();
}

// In the ANSI code page, as the service answers.
inline QByteArray baiduReply(const QString &keyword, const QStringList &suggestions)
{
    return encodeAnsi("window.baidu.sug({q:\"" + keyword + "\",p:false,s:[" + quoted(suggestions) +
                      "]});");
}

// Compact, without blanks after the commas.
inline QByteArray taobaoReply(const QString &, const QStringList &suggestions)
{
    QStringList entries;
    for (int i = 0; i < suggestions.size(); ++i)
        entries << QStringLiteral("[\"%1\",\"%2\"]").arg(suggestions[i]).arg(1000 - i);
    return ("{\"result\":[" + entries.join(',') + "]}").toUtf8();
}

inline QByteArray aliExpressReply(const QString &keyword, const QStringList &suggestions)
{
    QStringList entries;
    for (const QString &suggestion : suggestions)
        entries << "{keywords: '" + suggestion + "', catId: '100003109'}";
    return ("{keyWord: '" + keyword + "', items: [" + entries.join(',') + "]}").toUtf8();
}

// The typed part set in escaped bold tags, as the service writes it.
inline QByteArray googleReply(const QString &keyword, const QStringList &suggestions)
{
    QStringList entries;
    for (const QString &suggestion : suggestions) {
        QString shown = suggestion;
        if (!keyword.isEmpty() && shown.startsWith(keyword))
            shown = "\\u003cb\\u003e" + keyword + "\\u003c\\/b\\u003e" + shown.mid(keyword.size());
        entries << "[\"" + shown + "\",\"\",0]";
    }
    return ("window.google.ac.h([\"" + keyword + "\",[" + entries.join(',') + "],{\"q\":\"x\"}])")
        .toUtf8();
}

using Graph = QHash<QString, QStringList>;
using ReplyShape = QByteArray (*)(const QString &keyword, const QStringList &suggestions);

// Answers every request at `path` with the suggestions that `graph` holds for the
// keyword in the query key `key`; a space twin's keyword ends in a blank.
inline void serveGraph(FakeWeb &web, const QString &path, const QString &key, ReplyShape shape,
                       const Graph &graph)
{
    web.route(path, [=](const FakeWeb::Request &request) {
        const QString keyword = queryValue(request, key);
        FakeWeb::Reply reply;
        reply.body = shape(keyword, graph.value(keyword));
        reply.contentType = "text/javascript";
        return reply;
    });
}

} // namespace FakeSuggestions
