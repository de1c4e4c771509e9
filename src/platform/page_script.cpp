#include "platform/page_script.h"

#include "platform/browser.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QThread>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

std::optional<QVariant> runPageScript(Browser &browser, const QString &functionBody,
                                      const QJsonObject &data, std::chrono::milliseconds timeout)
{
    const QString script = "(function (data) {\n" + functionBody + "\n})(" +
                           QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Compact)) +
                           ");";

    // The answer may come after the wait gave up, so what it writes outlives the call.
    auto answer = std::make_shared<std::optional<QVariant>>();

    Browser::CompletionHold hold(browser);
    browser.view()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                          [answer](const QVariant &result) { *answer = result; });
    // Not a nested QEventLoop: inside a handler that a posted event ran, the GLib
    // event loop would not hand it the posted events that bring the answer.
    const QDeadlineTimer deadline(timeout);
    while (!answer->has_value() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QCoreApplication::sendPostedEvents();
        if (!answer->has_value())
            QThread::msleep(1);
    }
    if (!answer->has_value() || !answer->value().isValid())
        return std::nullopt;
    return *answer;
}
