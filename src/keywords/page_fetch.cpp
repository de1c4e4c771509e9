#include "keywords/page_fetch.h"

#include "keywords/network_message.h"
#include "net/fetch.h"
#include "platform/dialogs.h"
#include "platform/http_client.h"

QString getHTTPPage(const HttpClient &http, Dialogs &dialogs, const QString &URL,
                    const QString &Cset)
{
    HttpFailure failure = HttpFailure::Other;
    const std::optional<HttpReply> reply = http.get(URL, {}, &failure);
    if (!reply) {
        if (failure == HttpFailure::Unreachable)
            dialogs.msgBox(networkPrompt, MsgStyle::Information, networkTitle);
        return {};
    }
    return BytesToBstr(reply->body, Cset).value_or(QString());
}
