#pragma once

#include <QString>

// What the latest-version label shows while no version has been announced.
inline const QString versionPending = QStringLiteral("正在获取最新版本信息");
// What it shows when the announcement page could not be reached.
inline const QString versionUnreachable = QStringLiteral("网络异常！");

// Whether the announced version (the latest-version label's caption) calls for the
// update question. Versions are compared as exact text, never parsed.
bool asksForUpdate(const QString &latest, const QString &own);

// The update question for the announced version.
QString updatePrompt(const QString &latest);
