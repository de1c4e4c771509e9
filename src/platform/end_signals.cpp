#include "platform/end_signals.h"

#include "platform/services.h"

#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int endingSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Where the handler notes a signal; only async-signal-safe calls may touch it.
volatile sig_atomic_t writeEnd = -1;

void noteSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a note that the program is to end.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

EndSignals::EndSignals(Services &services)
    : services(services)
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    writeEnd = pipeEnds[1];
    notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &EndSignals::signalled);

    struct sigaction action
    {
    };
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    // A synchronous request the signal lands in goes on as if nothing came.
    action.sa_flags = SA_RESTART;
    for (const int signal : endingSignals) {
        struct sigaction old
        {
        };
        if (::sigaction(signal, &action, &old) == 0)
            previous.emplace_back(signal, old);
    }
}

EndSignals::~EndSignals()
{
    for (const auto &[signal, old] : previous)
        ::sigaction(signal, &old, nullptr);
    writeEnd = -1;
    delete notifier;
    for (const int end : pipeEnds) {
        if (end >= 0)
            ::close(end);
    }
}

void EndSignals::signalled()
{
    char notes[64];
    while (::read(pipeEnds[0], notes, sizeof notes) > 0) {
    }
    if (!services.programEnded())
        services.endProgram();
}
