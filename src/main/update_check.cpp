#include "main/update_check.h"

bool asksForUpdate(const QString &latest, const QString &own)
{
    return latest != versionPending && latest != versionUnreachable && latest != own;
}

QString updatePrompt(const QString &latest)
{
    return QStringLiteral("软件有新版本") + latest +
           QStringLiteral(
               "，请删除旧版本，下载并安装最新版本！按“确定”下载最新版本，按“取消”退出程序！");
}
