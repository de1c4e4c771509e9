#include "keywords/engines/engine_family.h"

#include "keywords/keyword_encoding.h"
#include "keywords/network_message.h"
#include "keywords/page_fetch.h"
#include "net/endpoints.h"
#include "net/network_probe.h"
#include "platform/controls/label.h"
#include "platform/controls/list_box.h"
#include "platform/dialogs.h"
#include "platform/inet.h"
#include "platform/services.h"

EngineFamily::EngineFamily(Services &services, ListBox &queue, ListBox &results, Label &count,
                           CrawlMemory &crawl)
    : services(services)
    , queue(queue)
    , results(results)
    , count(count)
    , crawl(crawl)
{}

void EngineFamily::run(const EngineRow &row, EngineMember member, QString &U) const
{
    U = services.endpoints->base(row.endpoint) + row.query + GBtoUTF8(escapeQueryCharacters(U)) +
        (member == EngineMember::Plain ? row.plainTail : row.twinTail);
    QString reply = fetchReply(row, U);
    if (row.cleanUp)
        reply = row.cleanUp(reply);
    // Window events run during the probe: the lists are read afresh after it.
    if (!NetworkProbe(*services.inet, U)) {
        services.dialogs->msgBox(row.probePrompt, MsgStyle::Information, networkTitle);
        return;
    }
    for (const QString &suggestion : row.cut(reply))
        record(suggestion, row.order);
}

QString EngineFamily::fetchReply(const EngineRow &row, const QString &url) const
{
    if (row.fetch == ReplyFetch::TransferControl)
        return services.inet->openUrl(url).value_or(QString());
    return getHTTPPage(*services.http, *services.dialogs, url, "UTF-8");
}

void EngineFamily::record(const QString &suggestion, RecordingOrder order) const
{
    // An empty suggestion would stand as a blank result line and end the crawl
    // when it reached the head of the queue.
    if (suggestion.isEmpty()) {
        refreshCount();
        return;
    }
    if (order == RecordingOrder::QueueFirst) {
        addToQueue(suggestion);
        addToResults(suggestion);
        refreshCount();
    } else {
        addToResults(suggestion);
        refreshCount();
        addToQueue(suggestion);
    }
}

void EngineFamily::addToQueue(const QString &suggestion) const
{
    if (crawl.stopping || crawl.queued.contains(suggestion))
        return;
    if (queue.AddItem(suggestion))
        crawl.queued.insert(suggestion);
}

void EngineFamily::addToResults(const QString &suggestion) const
{
    if (!results.contains(suggestion))
        results.AddItem(suggestion);
}

void EngineFamily::refreshCount() const
{
    // The count shows the lines of the result text, the seed's among them; one
    // past the most rows a list holds it no longer changes.
    const int rows = results.ListCount();
    if (rows > 0 && rows < ListBox::maxRows)
        count.setCaption(QString::number(rows + 1));
}
