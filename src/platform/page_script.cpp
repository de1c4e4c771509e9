#include "platform/page_script.h"

#include "platform/browser.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QPointer>
#include <QTimer>
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
    struct Answer
    {
        std::optional<QVariant> value;
        QPointer<QEventLoop> loop;
    };
    auto answer = std::make_shared<Answer>();

    Browser::CompletionHold hold(browser);
    QEventLoop loop;
    answer->loop = &loop;
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    browser.view()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                          [answer](const QVariant &result) {
                                              answer->value = result;
                                              if (answer->loop)
                                                  answer->loop->quit();
                                          });
    if (!answer->value)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    answer->loop = nullptr;
    if (!answer->value || !answer->value->isValid())
        return std::nullopt;
    return answer->value;
}
