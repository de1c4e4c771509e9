#include "support/input_during_wait.h"

#include <QStringEncoder>

FakeWeb::Reply slowPage(const QString &page, const char *charset)
{
    FakeWeb::Reply reply;
    reply.body = QStringEncoder(charset)(page);
    reply.contentType = QByteArray("text/html; charset=") + charset;
    reply.delayMs = slowReplyMs;
    return reply;
}

InputDuringTheWait::InputDuringTheWait(std::function<bool()> due, std::function<void()> input)
{
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &poll, [this, due, input] {
        if (!due())
            return;
        poll.stop();
        made = true;
        input();
    });
    poll.start();
}
