#pragma once

#include <QString>

class QWebEngineProfile;

// The web profile every embedded browser of the program runs on. The Windows browser
// control keeps its cookies and cache in the user's own profile, so a login made in
// it is still there at the next start while other users of the computer cannot read
// it; this one keeps them on disk in `folder`, which only its owner may open. As
// there, cookies with an expiry survive a restart and cookies of the session end
// with the program. Like the control on the users' Chinese desktops, it asks for
// pages in Simplified Chinese and shows its own pages (an unreachable site) in
// Chinese.
class WebProfile
{
public:
    explicit WebProfile(const QString &folder);
    ~WebProfile();
    WebProfile(const WebProfile &) = delete;
    WebProfile &operator=(const WebProfile &) = delete;

    QString folder() const { return storageFolder; }

    // The engine's profile, made on first use: that starts the web engine, so a
    // program that never browses never starts it. The folder is made, or
    // tightened, private to its owner then.
    QWebEngineProfile *engineProfile();

    // Ends every page on the profile and then the profile, and waits until the web
    // engine has written what the profile held (the cookies above all, and the
    // cookie mirror its last changes) and let go of its folder; a profile never made
    // has nothing to write. For the end of the program, and before the folder is
    // removed: no browser on the profile may be used afterwards.
    void close();

private:
    QString storageFolder;
    QWebEngineProfile *profile = nullptr;
};
