#include "platform/browser.h"

#include "platform/controls/form.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

// Hands a page's request for a new window to the browser's NewWindow2 handler.
class BrowserPage : public QWebEnginePage
{
public:
    BrowserPage(Browser *owner, QWebEngineProfile *profile, QObject *parent)
        : QWebEnginePage(profile, parent)
        , owner(owner)
    {
    }

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

private:
    Browser *owner;
};

} // namespace

Browser::Browser(QWidget *parent, const QString &name, QWebEngineProfile *profile)
    : QObject(parent)
    , container(new QWidget(parent))
    , profile(profile)
{
    setObjectName(name);
    container->setObjectName(name);
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
}

QWebEngineView *Browser::view()
{
    if (page)
        return page;
    page = new QWebEngineView(container);
    page->setPage(new BrowserPage(this, profile ? profile : QWebEngineProfile::defaultProfile(), page));
    container->layout()->addWidget(page);
    connect(page, &QWebEngineView::loadStarted, this, [this] { state = Loading; });
    connect(page, &QWebEngineView::loadFinished, this, [this](bool) {
        state = Complete;
        if (DocumentComplete)
            DocumentComplete(LocationURL());
    });
    return page;
}

void Browser::setGeometryTwips(int left, int top, int width, int height)
{
    container->setGeometry(Form::twips(left), Form::twips(top), Form::twips(width),
                           Form::twips(height));
}

void Browser::Navigate(const QString &url)
{
    state = Loading;
    view()->setUrl(QUrl::fromEncoded(url.toUtf8(), QUrl::TolerantMode));
}

void Browser::Refresh()
{
    if (page) {
        state = Loading;
        page->reload();
    }
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
