#pragma once

#include <sys/resource.h>

// Limits the size of every file the process writes for as long as the object
// lives, so a write fails as on a full disk, whatever the rights the tests run
// with. The signal such a write raises is ignored; the write reports the error.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved{};
};
