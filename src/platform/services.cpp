#include "platform/services.h"

#include "platform/tray_icon.h"

void Services::endProgram()
{
    ended = true;
    if (tray)
        tray->remove();
    if (terminate)
        terminate();
}
