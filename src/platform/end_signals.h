#pragma once

#include <QObject>
#include <csignal>
#include <vector>

class QSocketNotifier;
class Services;

// The desktop ends a session's programs with SIGTERM at log-out and shut-down, a
// terminal sends SIGHUP when it closes and SIGINT on Ctrl+C. While one of these
// lives, each of those signals ends the program the way its own end does
// (Services::endProgram): the browsers' profile written, the tray icon removed, the
// instance lock let go, and no closing question, which nobody is there to answer.
//
// The signal is only noted where it lands; the end runs from the event loop, so a
// window that waits on a synchronous request ends once that wait lets events run
// again, or once it is over at the latest. One at a time per process.
class EndSignals : public QObject
{
    Q_OBJECT
public:
    explicit EndSignals(Services &services);
    ~EndSignals() override;
    EndSignals(const EndSignals &) = delete;
    EndSignals &operator=(const EndSignals &) = delete;

private:
    void signalled();

    Services &services;
    int pipeEnds[2] = {-1, -1};
    QSocketNotifier *notifier = nullptr;
    std::vector<std::pair<int, struct sigaction>> previous;
};
