#include "platform/popup_browser.h"

#include "platform/browser.h"

#include <QVBoxLayout>
#include <QWebEngineView>
#include <QWidget>

Browser *openPopupBrowser(Services &services)
{
    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(800, 600);
    auto *browser = new Browser(window, "PopupBrowser", services);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser->widget());
    browser->NewWindow2 = [&services] { return openPopupBrowser(services); };
    QObject::connect(browser->view(), &QWebEngineView::titleChanged, window,
                     &QWidget::setWindowTitle);
    window->show();
    return browser;
}
