#pragma once

#include <QString>

// The grabber's notice for a failed or refused request. Its title and icon are
// the same everywhere; the Baidu engines have a prompt of their own.
inline const QString networkPrompt = QStringLiteral(
    "亲，是不是断网了啊？或者你的IP已经被搜索引擎限制，请按住Enter键不放跳过这些对话框！");
inline const QString networkTitle = QStringLiteral("亲，网络异常，你懂的！");
