#include "platform/browser.h"

#include "platform/controls/form.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

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
    if (profile)
        page->setPage(new QWebEnginePage(profile, page));
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

QString Browser::LocationURL() const
{
    return page ? page->url().toString(QUrl::FullyEncoded) : QString();
}
