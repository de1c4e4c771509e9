#include "support/child_process.h"

#include <QProcess>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

void tieToThisThread(QProcess &child)
{
    const pid_t parent = getpid();
    child.setChildProcessModifier([parent] {
        // The kernel sends the signal when the thread that started the child ends; if
        // the parent ended before the request was made, no signal would ever come.
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent)
            _exit(127);
    });
}

void endChild(QProcess &child, int graceMs)
{
    if (child.state() == QProcess::NotRunning)
        return;
    if (graceMs > 0) {
        child.terminate();
        if (child.waitForFinished(graceMs))
            return;
    }
    child.kill();
    child.waitForFinished(-1);
}
