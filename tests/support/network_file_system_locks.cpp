#include "support/network_file_system_locks.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

bool emulated = false;

} // namespace

// The test program's own flock stands in for the C library's, so the code under
// test calls it without knowing.
extern "C" int flock(int descriptor, int operation) noexcept
{
    if (emulated && (operation & LOCK_EX)) {
        const int flags = ::fcntl(descriptor, F_GETFL);
        if (flags >= 0 && (flags & O_ACCMODE) == O_RDONLY) {
            errno = EBADF;
            return -1;
        }
    }
    return int(::syscall(SYS_flock, descriptor, operation));
}

NetworkFileSystemLocks::NetworkFileSystemLocks(bool on)
    : wasOn(emulated)
{
    emulated = on;
}

NetworkFileSystemLocks::~NetworkFileSystemLocks()
{
    emulated = wasOn;
}
