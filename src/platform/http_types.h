#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <chrono>

// Request headers as name and value, sent in this order.
using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

// How long a request may wait before it is given up. Like the Windows HTTP stack
// these stand in for, a connection is given up after 60 s, a reply that sends
// nothing for 60 s, and any request after 120 s in all, however slowly its reply
// still trickles in, so a dead or trickling server never freezes a window for
// good. A request given up counts as failed like any other.
struct HttpTimeouts
{
    std::chrono::milliseconds connect = std::chrono::seconds(60);
    std::chrono::milliseconds stall = std::chrono::seconds(60);
    std::chrono::milliseconds total = std::chrono::seconds(120);
};

struct HttpReply
{
    int status = 0;
    QByteArray body;
};
