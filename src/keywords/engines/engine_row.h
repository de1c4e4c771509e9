#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The suggestions an engine takes from one reply, in reply order, at most ten.
// An empty text stands for an item that has no suggestion to record (its piece
// of the reply is missing or empty): it only refreshes the count label. No items
// at all means the reply failed its test, and the call records nothing.
using SuggestionItems = QStringList;

// How an engine obtains its reply.
enum class ReplyFetch {
    PageFetch,       // getHTTPPage, read as UTF-8; blocks the window
    TransferControl, // the transfer control, read in the ANSI code page; window events run
};

// The order of the work per suggestion.
enum class RecordingOrder {
    QueueFirst,   // crawl queue, result list, count label
    ResultsFirst, // result list, count label, crawl queue
};

// One row of the engine table: everything in which one engine pair differs from
// the others. The plain engine asks for the keyword, its space twin for the
// keyword followed by a blank.
struct EngineRow
{
    QString engineItem = {};              // the engine list's text that selects the pair
    std::optional<QString> language = {}; // the language list's text with it; none: any
    QString endpoint = {};                // the service's name in the endpoint table
    QString query = {};                   // path and query up to the keyword
    QString plainTail = {};               // what follows the encoded keyword
    QString twinTail = {};                // the same in the space twin
    ReplyFetch fetch = ReplyFetch::PageFetch;
    QString probePrompt = {}; // the network message after a failed probe
    QString (*cleanUp)(const QString &reply) = nullptr;
    SuggestionItems (*cut)(const QString &reply) = nullptr; // reply test, cutting, taking
    RecordingOrder order = RecordingOrder::QueueFirst;
};

enum class EngineMember { Plain, SpaceTwin };
