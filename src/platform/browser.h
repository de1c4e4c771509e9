#pragma once

#include "platform/services.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class QPoint;
class QWebEngineLoadingInfo;
class QWebEngineView;
class QWidget;

// An embedded web browser. The page view is made on the first navigation, so a
// window that never browses never starts the web engine.
//
// Completion follows the Windows browser control: DocumentComplete runs once for
// every document that finished loading, also for an error page, but not for a load
// that was stopped or replaced by a newer navigation, and not for a load that
// Refresh started (the control reports none for a refresh). It runs from the event
// loop, never inside the call that caused it. Qt reports one load per top-level
// document, so unlike the control there is no completion per frame.
//
// A page's right-click menu offers only what works here: nothing is saved or
// downloaded, and there is no page source or inspector. A page's script dialogs
// (alert, confirm, prompt and the question before it is left) go through the
// program's dialogs, titled as the Windows control titles them.
class Browser : public QObject
{
    Q_OBJECT
public:
    enum State { Uninitialized = 0, Loading = 1, Complete = 4 };

    // Every browser of the program runs on the program's one profile
    // (`services.web`), so a login made in one is seen by all.
    Browser(QWidget *parent, const QString &name, Services &services);

    QWidget *widget() const { return container; }
    // The page view; made on first use.
    QWebEngineView *view();
    WebProfile &webProfile() const { return *services.web; }
    void setGeometryTwips(int left, int top, int width, int height);

    void Navigate(const QString &url);
    void Refresh();
    void Stop();
    // Drops below Complete at once in Navigate and Refresh, and is Complete again
    // when that load ends, however it ends.
    int ReadyState() const { return state; }
    QString LocationURL() const;
    // A silent browser shows no script dialogs of its pages.
    void setSilent(bool silent) { silent_ = silent; }
    bool Silent() const { return silent_; }

    // Runs when a page has finished loading, with the page's address.
    std::function<void(const QString &url)> DocumentComplete;
    // Runs when a page asks for a new window; returns the browser that shows it,
    // or null to refuse the window. Without a handler, the address goes to the
    // desktop's web browser, once a request, as the Windows control opens the
    // system's browser, and the page stays where it was. However the window is
    // asked for (a click, a script, the menu), a web page's link to a local file
    // opens nothing, as a click on it does.
    std::function<Browser *()> NewWindow2;

    // While a hold lasts, completions are kept back; they are reported once the
    // last hold ends. Work that reads a page holds them, so the page's handler
    // never runs in the middle of that work.
    class CompletionHold
    {
    public:
        explicit CompletionHold(Browser &browser);
        ~CompletionHold();
        CompletionHold(const CompletionHold &) = delete;
        CompletionHold &operator=(const CompletionHold &) = delete;

    private:
        Browser &browser;
    };

private:
    // Gives the view its page on the program's profile, with the page's signals
    // connected: the one place a browser's page is made.
    void makePage();
    // Moves the page the user sees onto the profile that replaced its own.
    void followTheProfile();
    void loadingChanged(const QWebEngineLoadingInfo &info);
    void showContextMenu(const QPoint &at);
    void startOwnLoad(bool refresh);
    void reportCompletion(const QString &url);

    QWidget *container;
    // Ends with the profile at the end of the program.
    QPointer<QWebEngineView> page;
    Services &services;
    int state = Uninitialized;
    bool silent_ = false;
    // The next load to start is the one Navigate or Refresh asked for; a load
    // started otherwise (a link, a page script) is the page's own.
    bool awaitingOwnStart = false;
    bool refreshLoad = false;
    // A navigation that starts no load (a jump within the page) leaves the state
    // Loading; this puts it back.
    QTimer noStartFallback;
    int holds = 0;
    QList<QString> heldCompletions;
};
