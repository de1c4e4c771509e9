#include "platform/lock_wait_budget.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

namespace LockWaitBudget {

namespace {

Clock::duration remaining = limit;
bool renewedByTheEventLoop = false;

bool onTheMainThread()
{
    const QCoreApplication *application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

// Made once the main thread first waits for a lock, so a program that never
// writes settings adds nothing to its event loop.
void renewWhenTheEventLoopWaits()
{
    if (renewedByTheEventLoop)
        return;
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance()) {
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &renew);
        renewedByTheEventLoop = true;
    }
}

} // namespace

Clock::duration left()
{
    if (!onTheMainThread())
        return limit;
    renewWhenTheEventLoopWaits();
    return remaining;
}

void spend(Clock::duration waited, bool lockHad)
{
    if (!onTheMainThread())
        return;
    remaining =
        lockHad ? std::max(Clock::duration::zero(), remaining - waited) : Clock::duration::zero();
}

void renew()
{
    remaining = limit;
}

} // namespace LockWaitBudget
