#include "platform/services.h"

#include "platform/instance_lock.h"
#include "platform/leave_screen.h"
#include "platform/tray_icon.h"
#include "platform/web_profile.h"

void Services::endProgram()
{
    ended = true;
    // The user sees the program gone at once; what it still writes takes a moment.
    if (tray)
        tray->remove();
    takeEveryWindowOffTheScreen();
    // A login made just before the end is there at the next start.
    if (web)
        web->close();
    // Only now may another copy start on the profile's folder. The process ends
    // without unwinding, so nothing else would remove the lock file.
    if (instanceLock)
        instanceLock->release();
    if (terminate)
        terminate();
}
