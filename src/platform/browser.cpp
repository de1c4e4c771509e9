#include "platform/browser.h"

#include "platform/browser_cookies.h"
#include "platform/controls/form.h"
#include "platform/web_profile.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <utility>

namespace {

// How long Navigate and Refresh wait for their load to start before they take it
// that none will.
constexpr int noStartFallbackMs = 2000;

// Hands a page's request for a new window to the browser's NewWindow2 handler.
class BrowserPage : public QWebEnginePage
{
public:
    BrowserPage(Browser *owner, QWebEngineProfile *profile, QObject *parent)
        : QWebEnginePage(profile, parent)
        , owner(owner)
    {}

protected:
    QWebEnginePage *createWindow(WebWindowType) override
    {
        Browser *target = owner->NewWindow2 ? owner->NewWindow2() : nullptr;
        return target ? target->view()->page() : nullptr;
    }

    void javaScriptAlert(const QUrl &origin, const QString &message) override
    {
        if (!owner->Silent())
            QWebEnginePage::javaScriptAlert(origin, message);
    }

    bool javaScriptConfirm(const QUrl &origin, const QString &message) override
    {
        return owner->Silent() || QWebEnginePage::javaScriptConfirm(origin, message);
    }

    bool javaScriptPrompt(const QUrl &origin, const QString &message, const QString &defaultValue,
                          QString *result) override
    {
        if (owner->Silent())
            return false;
        return QWebEnginePage::javaScriptPrompt(origin, message, defaultValue, result);
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int line, const QString &source) override
    {
        if (!owner->Silent())
            QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }

private:
    Browser *owner;
};

} // namespace

Browser::Browser(QWidget *parent, const QString &name, WebProfile &profile)
    : QObject(parent)
    , container(new QWidget(parent))
    , profile(profile)
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
    // The program's own requests carry the cookies of the browsers' profile.
    BrowserCookies::of(profile);
    page = new QWebEngineView(container);
    page->setPage(new BrowserPage(this, profile.engineProfile(), page));
    container->layout()->addWidget(page);
    connect(page->page(), &QWebEnginePage::loadingChanged, this, &Browser::loadingChanged);
    return page;
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
