#include "keywords/engines/baidu_engine.h"

#include "keywords/engines/list_cut.h"

const EngineRow &baiduEngine()
{
    static const EngineRow row = [] {
        EngineRow row;
        row.engineItem = QStringLiteral("百度");
        row.endpoint = "suggest.baidu";
        row.query = "/su?wd=";
        row.twinTail = "%20";
        row.fetch = ReplyFetch::TransferControl;
        row.probePrompt = QStringLiteral("亲，是不是断网了啊？检查一下吧！");
        row.cut = cutBaiduReply;
        return row;
    }();
    return row;
}

SuggestionItems cutBaiduReply(const QString &reply)
{
    static const ListMarkers markers{"s:[\"", "\"]", "\",\"", "\",\""};
    return cutSuggestionList(reply, markers);
}
