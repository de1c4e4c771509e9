#pragma once

#include "keywords/engines/engine_row.h"

#include <QSet>

class Label;
class ListBox;
class Services;

// What the running crawl tells its engines.
struct CrawlMemory
{
    // Every keyword queued in the crawl, its seed included: a keyword is expanded
    // at most once, even when it comes back after it left the queue.
    QSet<QString> queued;
    // Stop was pressed: what the engine calls under way find is still recorded
    // in the result list, but nothing more is queued.
    bool stopping = false;
};

// The steps every suggestion engine runs, on the grabber window's crawl queue,
// result list and count label; each row of the engine table supplies what
// differs between the engines.
class EngineFamily
{
public:
    EngineFamily(Services &services, ListBox &queue, ListBox &results, Label &count,
                 CrawlMemory &crawl);

    // Asks the row's service for the suggestions of the keyword in `U` and
    // records them. `U` holds the request URL on return.
    void run(const EngineRow &row, EngineMember member, QString &U) const;

private:
    QString fetchReply(const EngineRow &row, const QString &url) const;
    void record(const QString &suggestion, RecordingOrder order) const;
    void addToQueue(const QString &suggestion) const;
    void addToResults(const QString &suggestion) const;
    void refreshCount() const;

    Services &services;
    ListBox &queue;
    ListBox &results;
    Label &count;
    CrawlMemory &crawl;
};
