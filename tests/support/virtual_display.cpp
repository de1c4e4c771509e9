#include "support/virtual_display.h"

#include "support/child_process.h"

#include <QElapsedTimer>

VirtualDisplay::VirtualDisplay()
{
    // Xvfb picks a free display itself and names it on the given descriptor once it
    // accepts connections.
    // Without -noreset the server starts afresh, refusing connections for a moment,
    // whenever its last client leaves.
    tieToThisThread(server);
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                          "-noreset"});
    if (!server.waitForStarted(10000))
        return;
    QByteArray announced;
    QElapsedTimer waited;
    waited.start();
    while (!announced.contains('\n') && waited.elapsed() < 20000) {
        server.waitForReadyRead(500);
        announced += server.readAllStandardOutput();
    }
    const QByteArray number = announced.trimmed();
    if (!number.isEmpty())
        display = ":" + QString::fromLatin1(number);
}

VirtualDisplay::~VirtualDisplay()
{
    endChild(server, 5000);
}
