#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWebEngineProfile;
class QWebEngineView;
class QWidget;

// An embedded web browser. The page view is made on the first navigation, so a
// window that never browses never starts the web engine.
class Browser : public QObject
{
    Q_OBJECT
public:
    enum State { Uninitialized = 0, Loading = 1, Complete = 4 };

    Browser(QWidget *parent, const QString &name, QWebEngineProfile *profile = nullptr);

    QWidget *widget() const { return container; }
    // The page view; made on first use.
    QWebEngineView *view();
    void setGeometryTwips(int left, int top, int width, int height);

    void Navigate(const QString &url);
    void Refresh();
    void Stop();
    int ReadyState() const { return state; }
    QString LocationURL() const;
    // A silent browser shows no script dialogs of its pages.
    void setSilent(bool silent) { silent_ = silent; }
    bool Silent() const { return silent_; }

    // Runs when a page has finished loading, with the page's address.
    std::function<void(const QString &url)> DocumentComplete;
    // Runs when a page asks for a new window; returns the browser that shows it,
    // or null to refuse the window.
    std::function<Browser *()> NewWindow2;

private:
    QWidget *container;
    QWebEngineView *page = nullptr;
    QWebEngineProfile *profile;
    int state = Uninitialized;
    bool silent_ = false;
};
