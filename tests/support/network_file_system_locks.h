#pragma once

// Makes every flock of the process, and of the processes it forks, behave as on
// a network file system whose client emulates flock with byte-range locks, as
// the NFS client does (flock(2)): an exclusive lock is refused, with EBADF, on a
// descriptor open only for reading, a folder's among them. For as long as the
// object lives; off, flock is the local disk's.
class NetworkFileSystemLocks
{
public:
    explicit NetworkFileSystemLocks(bool on = true);
    ~NetworkFileSystemLocks();
    NetworkFileSystemLocks(const NetworkFileSystemLocks &) = delete;
    NetworkFileSystemLocks &operator=(const NetworkFileSystemLocks &) = delete;

private:
    bool wasOn;
};
