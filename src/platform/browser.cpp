#include "platform/browser.h"

#include "platform/browser_cookies.h"
#include "platform/controls/form.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/web_profile.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <utility>

namespace {

// How long Navigate and Refresh wait for their load to start before they take it
// that none will.
constexpr int noStartFallbackMs = 2000;
// How often a page waiting to move onto a new profile looks again whether it may.
constexpr int profileMoveRetryMs = 100;

// The entries of the engine's menu that would save or download (which no window
// of the program has a place for, and which made the download folder in the home
// folder) or open a tool the program does not show.
constexpr QWebEnginePage::WebAction leftOutOfTheMenu[] = {
    QWebEnginePage::SavePage,
    QWebEnginePage::DownloadLinkToDisk,
    QWebEnginePage::DownloadImageToDisk,
    QWebEnginePage::DownloadMediaToDisk,
    QWebEnginePage::ViewSource,
    QWebEnginePage::InspectElement,
};

void leaveOutWhatDoesNothing(QMenu &menu, QWebEnginePage &page)
{
    for (const QWebEnginePage::WebAction action : leftOutOfTheMenu)
        menu.removeAction(page.action(action));
    // The separators that stood between the entries left out and the rest.
    QAction *lastKept = nullptr;
    for (QAction *entry : menu.actions()) {
        if (entry->isSeparator() && (!lastKept || lastKept->isSeparator()))
            menu.removeAction(entry);
        else
            lastKept = entry;
    }
    if (lastKept && lastKept->isSeparator())
        menu.removeAction(lastKept);
}

// The title the Windows browser control gives its pages' script dialogs on a Chinese
// system; never the page's address, which made a long lookup address a wide box.
const QString pageDialogTitle = QStringLiteral("来自网页的消息");

// How long a window asked for in a browser without a NewWindow2 handler waits to be
// given an address before it ends: long enough for a page that opens an empty
// window and then sends it to an address it fetched, short enough that a page
// opening empty windows over and over holds only a few.
constexpr int addresslessWindowLifeMs = 5000;

// The rule a click on a link follows, whichever way a page's link is opened: a web
// page never reaches a local file.
bool reachesALocalFile(const QUrl &address, const QUrl &from)
{
    return address.isLocalFile() && !from.isLocalFile();
}

bool opensALink(QWebEnginePage::WebAction action)
{
    return action == QWebEnginePage::OpenLinkInThisWindow ||
           action == QWebEnginePage::OpenLinkInNewWindow ||
           action == QWebEnginePage::OpenLinkInNewTab ||
           action == QWebEnginePage::OpenLinkInNewBackgroundTab;
}

// The window a page asks for in a browser without a NewWindow2 handler: the Windows
// control opens such a page in the system's web browser. The engine names the
// address only once the new window navigates (the menu's "open in new window" asks
// for the window first and then loads it), so this page, never shown, waits for
// that navigation, hands its address to the desktop and ends. A window that is
// never given an address ends soon too, and at once with its opener, so no hidden
// page is left behind.
class DesktopWindowPage : public QWebEnginePage
{
public:
    DesktopWindowPage(QWebEnginePage *opener, Shell &shell)
        : QWebEnginePage(opener->profile(), opener)
        , opener(opener)
        , shell(shell)
    {
        QTimer::singleShot(addresslessWindowLifeMs, this, &QObject::deleteLater);
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        // about:blank is the empty window itself, no address yet.
        if (handedOver || !isMainFrame || url.isEmpty() || url.scheme() == u"about")
            return false;
        handedOver = true;
        if (!reachesALocalFile(url, opener->url()))
            shell.openAddress(url.toString(QUrl::FullyEncoded));
        deleteLater();
        return false;
    }

private:
    QWebEnginePage *opener;
    Shell &shell;
    bool handedOver = false;
};

// Hands a page's request for a new window to the browser's NewWindow2 handler, or
// without one to the desktop, and shows the page's script dialogs through the
// program's dialogs.
class BrowserPage : public QWebEnginePage
{
public:
    BrowserPage(Browser *owner, QWebEngineProfile *profile, Services &services, QObject *parent)
        : QWebEnginePage(profile, parent)
        , owner(owner)
        , services(services)
    {}

    void triggerAction(WebAction action, bool checked) override
    {
        if (opensALink(action)) {
            const QWebEngineContextMenuRequest *menu = owner->view()->lastContextMenuRequest();
            if (menu && reachesALocalFile(menu->linkUrl(), url()))
                return;
        }
        QWebEnginePage::triggerAction(action, checked);
    }

protected:
    QWebEnginePage *createWindow(WebWindowType) override
    {
        if (!owner->NewWindow2)
            return new DesktopWindowPage(this, *services.shell);
        Browser *target = owner->NewWindow2();
        return target ? target->view()->page() : nullptr;
    }

    // The page (and its view) may be gone once a box returns, so nothing of it is
    // touched after one.
    void javaScriptAlert(const QUrl &, const QString &message) override
    {
        if (!owner->Silent())
            services.dialogs->msgBox(message, MsgStyle::OkOnly | MsgStyle::Exclamation,
                                     pageDialogTitle);
    }

    // Also the question before a page is left.
    bool javaScriptConfirm(const QUrl &, const QString &message) override
    {
        if (owner->Silent())
            return true;
        return services.dialogs->msgBox(message, MsgStyle::OkCancel | MsgStyle::Question,
                                        pageDialogTitle) == MsgResult::Ok;
    }

    bool javaScriptPrompt(const QUrl &, const QString &message, const QString &defaultValue,
                          QString *result) override
    {
        if (owner->Silent())
            return false;
        const std::optional<QString> typed =
            services.dialogs->inputBox(message, pageDialogTitle, defaultValue);
        if (!typed)
            return false;
        *result = *typed;
        return true;
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int line, const QString &source) override
    {
        if (!owner->Silent())
            QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }

private:
    Browser *owner;
    Services &services;
};

} // namespace

Browser::Browser(QWidget *parent, const QString &name, Services &services)
    : QObject(parent)
    , container(new QWidget(parent))
    , services(services)
{
    setObjectName(name);
    container->setObjectName(name);
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    noStartFallback.setSingleShot(true);
    noStartFallback.setInterval(noStartFallbackMs);
    connect(&noStartFallback, &QTimer::timeout, this, [this] {
        awaitingOwnStart = false;
        refreshLoad = false;
        state = Complete;
    });
}

QWebEngineView *Browser::view()
{
    if (page)
        return page;
    page = new QWebEngineView(container);
    makePage();
    page->setContextMenuPolicy(Qt::CustomContextMenu);
    container->layout()->addWidget(page);
    connect(page, &QWidget::customContextMenuRequested, this, &Browser::showContextMenu);
    connect(services.web, &WebProfile::engineProfileReplaced, this, &Browser::followTheProfile,
            Qt::UniqueConnection);
    return page;
}

void Browser::makePage()
{
    // The program's own requests carry the cookies of the browsers' profile.
    BrowserCookies::of(*services.web);
    auto *made = new BrowserPage(this, services.web->engineProfile(), services, page);
    connect(made, &QWebEnginePage::loadingChanged, this, &Browser::loadingChanged);
    page->setPage(made);
}

void Browser::followTheProfile()
{
    // A page never ends under its own script dialog, nor under work that reads it:
    // the move waits for them.
    if (QApplication::activeModalWidget() || holds > 0) {
        QTimer::singleShot(profileMoveRetryMs, this, &Browser::followTheProfile);
        return;
    }
    if (!page || page->page()->profile() == services.web->engineProfile())
        return;
    QWebEnginePage *left = page->page();
    const QUrl shown = left->url();
    makePage();
    delete left;
    // A page the user saw comes again as a refresh would, with no completion; one
    // still loading for the window completes once, as it would have.
    if (!shown.isEmpty()) {
        startOwnLoad(refreshLoad || state == Complete);
        page->setUrl(shown);
    }
}

void Browser::showContextMenu(const QPoint &at)
{
    QMenu *menu = page->createStandardContextMenu();
    leaveOutWhatDoesNothing(*menu, *page->page());
    if (menu->isEmpty())
        delete menu;
    else
        menu->popup(page->mapToGlobal(at));
}

void Browser::setGeometryTwips(int left, int top, int width, int height)
{
    container->setGeometry(Form::twips(left), Form::twips(top), Form::twips(width),
                           Form::twips(height));
}

void Browser::Navigate(const QString &url)
{
    QWebEngineView *shown = view();
    startOwnLoad(false);
    shown->setUrl(QUrl::fromEncoded(url.toUtf8(), QUrl::TolerantMode));
}

void Browser::Refresh()
{
    if (!page)
        return;
    startOwnLoad(true);
    page->reload();
}

void Browser::Stop()
{
    if (page)
        page->stop();
}

QString Browser::LocationURL() const
{
    return page ? page->url().toString(QUrl::FullyEncoded) : QString();
}

void Browser::startOwnLoad(bool refresh)
{
    state = Loading;
    awaitingOwnStart = true;
    refreshLoad = refresh;
    noStartFallback.start();
}

void Browser::loadingChanged(const QWebEngineLoadingInfo &info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        state = Loading;
        noStartFallback.stop();
        if (awaitingOwnStart)
            awaitingOwnStart = false;
        else
            refreshLoad = false; // the page went elsewhere: this load is no refresh
        return;
    }
    // A load replaced by a newer navigation ends with no status of its own: the
    // status that comes is the newer load's.
    state = Complete;
    noStartFallback.stop();
    awaitingOwnStart = false;
    const bool reported = info.status() != QWebEngineLoadingInfo::LoadStoppedStatus && !refreshLoad;
    refreshLoad = false;
    if (reported)
        reportCompletion(LocationURL());
}

void Browser::reportCompletion(const QString &url)
{
    if (holds > 0) {
        heldCompletions.append(url);
        return;
    }
    // Posted, so the handler, which may wait and let events run, never runs inside
    // the web engine's own notification.
    QMetaObject::invokeMethod(
        this,
        [this, url] {
            if (DocumentComplete)
                DocumentComplete(url);
        },
        Qt::QueuedConnection);
}

Browser::CompletionHold::CompletionHold(Browser &browser)
    : browser(browser)
{
    ++browser.holds;
}

Browser::CompletionHold::~CompletionHold()
{
    if (--browser.holds > 0)
        return;
    const QList<QString> held = std::exchange(browser.heldCompletions, {});
    for (const QString &url : held)
        browser.reportCompletion(url);
}
