#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLockFile;

// Keeps a second copy of the program from running for the same user, as the
// Windows check per logged-in user does: a lock file named after the application
// title in the user's own runtime folder. Another user's copy, with a folder of
// its own, never counts. A lock left by a process that died is taken over, so a
// crash never blocks the next start.
class InstanceLock : public QObject
{
    Q_OBJECT
public:
    // `folder` is the user's runtime folder; it is made, private, when missing.
    explicit InstanceLock(const QString &folder);
    ~InstanceLock() override;

    // True when this process now holds the lock named `name`. False too when the
    // folder is not the user's own (another user's, or open to others' writes):
    // a lock there could be taken or held by someone else.
    bool claim(const QString &name);
    // Lets go of a lock this process holds, so the next start finds none left.
    void release();

signals:
    // This process has just taken the lock, which it did not hold before.
    void claimed();

private:
    QString folder;
    std::unique_ptr<QLockFile> lock;
};
