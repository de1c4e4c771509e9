#include "platform/target_lock.h"

#include "platform/beside_target.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

TargetLock::TargetLock(const QString &target)
    : name(
          QFile::encodeName(hiddenNameBeside(followLinks(target), QStringLiteral(".skarvel-lock"))))
{
    // The writer before removes the file before it lets go, so a waiter may wake
    // holding a file that is gone; it then tries again with the file now there.
    for (;;) {
        const int opened =
            ::open(name.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (opened < 0)
            return;
        int locked = 0;
        do
            locked = flock(opened, LOCK_EX);
        while (locked != 0 && errno == EINTR);
        if (locked == 0 && stillNamed(opened, name)) {
            // The program folder is shared by every user of the computer: another
            // user must be able to open a lock file we leave when killed, whatever
            // our umask. Reading is all a lock needs.
            fchmod(opened, 0644);
            descriptor = opened;
            return;
        }
        ::close(opened);
        if (locked != 0)
            return;
    }
}

TargetLock::~TargetLock()
{
    if (descriptor < 0)
        return;
    ::unlink(name.constData());
    ::close(descriptor);
}
