#include "platform/services.h"

#include "platform/instance_lock.h"
#include "platform/tray_icon.h"

void Services::endProgram()
{
    ended = true;
    if (tray)
        tray->remove();
    // The process ends without unwinding, so nothing else would remove the lock file.
    if (instanceLock)
        instanceLock->release();
    if (terminate)
        terminate();
}
