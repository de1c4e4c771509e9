#pragma once

#include <QList>
#include <QObject>
#include <QString>

class InstanceLock;
class QWebEngineProfile;

// The web profile every embedded browser of the program runs on. The Windows browser
// control keeps its cookies and cache in the user's own profile, so a login made in
// it is still there at the next start while other users of the computer cannot read
// it; this one keeps them on disk in `folder`, which only its owner may open. As
// there, cookies with an expiry survive a restart and cookies of the session end
// with the program. Like the control on the users' Chinese desktops, it asks for
// pages in Simplified Chinese and shows its own pages (an unreachable site) in
// Chinese.
//
// Two engines never write one folder: a copy of the program that finds another copy
// running (or still ending) when it first browses runs its browsers on a stand-in
// that keeps nothing, with the logins the folder's cookie mirror holds, and writes
// neither. Once this copy holds the instance lock after all (the other one has
// ended), the browsers move onto the folder, with the login the other copy left.
class WebProfile : public QObject
{
    Q_OBJECT
public:
    // `instanceLock` is the program's own; without one, the profile always keeps
    // what it holds in `folder`.
    explicit WebProfile(const QString &folder, InstanceLock *instanceLock = nullptr);
    ~WebProfile() override;
    WebProfile(const WebProfile &) = delete;
    WebProfile &operator=(const WebProfile &) = delete;

    QString folder() const { return storageFolder; }

    // The engine's profile, made on first use: that starts the web engine, so a
    // program that never browses never starts it. The folder is made, or
    // tightened, private to its owner then.
    QWebEngineProfile *engineProfile();
    // False while the browsers run on the stand-in, which writes nothing of theirs.
    bool keepsWhatItHolds() const { return !onStandIn; }

    // Ends every page on the profile and then the profile, and waits until the web
    // engine has written what the profile held (the cookies above all, and the
    // cookie mirror its last changes) and let go of its folder; a profile never made
    // has nothing to write. For the end of the program, and before the folder is
    // removed: no browser on the profile may be used afterwards.
    void close();

signals:
    // The browsers are to move onto engineProfile(), which has replaced the stand-in.
    void engineProfileReplaced();

private:
    void leaveTheStandIn();

    QString storageFolder;
    InstanceLock *instanceLock;
    QWebEngineProfile *profile = nullptr;
    bool onStandIn = false;
    // A stand-in left behind ends with the program, after the pages still on it.
    QList<QWebEngineProfile *> leftBehind;
};
