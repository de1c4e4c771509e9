#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Keeps a second copy of the program from running: a lock file named after the
// application title in the temporary folder. A lock left by a process that died
// is taken over, so a crash never blocks the next start.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &folder);
    ~InstanceLock();

    // True when this process now holds the lock named `name`.
    bool claim(const QString &name);

private:
    QString folder;
    std::unique_ptr<QLockFile> lock;
};
