#include "platform/offline_notice.h"

#include "platform/dialogs.h"

void showRateOffline(Dialogs &dialogs)
{
    dialogs.msgBox(
        QStringLiteral("亲，是不是断网了啊？无法联网获取汇率，要么找网管，要么手动填哦亲！"),
        MsgStyle::Information, QStringLiteral("亲，网络异常，你懂得！"));
}
