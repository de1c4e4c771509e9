#include "platform/web_engine_user_agent.h"

#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#include <cstring>
#include <sys/utsname.h>

namespace {

// "Linux x86_64": the system and the machine as the kernel names them, with the
// engine's special case of a 32-bit program on a 64-bit kernel.
QByteArray operatingSystemAndCpu()
{
    utsname system{};
    if (::uname(&system) != 0)
        return "Linux";
    const bool bits32OnX8664 = sizeof(void *) == 4 && std::strcmp(system.machine, "x86_64") == 0;
    return QByteArray(system.sysname) + ' ' + (bits32OnX8664 ? "i686 (x86_64)" : system.machine);
}

} // namespace

QByteArray webEngineUserAgent()
{
    static const QByteArray userAgent = "Mozilla/5.0 (X11; " + operatingSystemAndCpu() +
                                        ") AppleWebKit/537.36 (KHTML, like Gecko) QtWebEngine/" +
                                        qWebEngineVersion() + " Chrome/" +
                                        qWebEngineChromiumVersion() + " Safari/537.36";
    return userAgent;
}
