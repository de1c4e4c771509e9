#include "keywords/engines/baidu_engine.h"

#include "keywords/engines/list_cut.h"

const EngineRow &baiduEngine()
{
    static const EngineRow row{
        .engineItem = u"百度"_qs,
        .endpoint = "suggest.baidu",
        .query = "/su?wd=",
        .twinTail = "%20",
        .fetch = ReplyFetch::TransferControl,
        .probePrompt = u"亲，是不是断网了啊？检查一下吧！"_qs,
        .cut = cutBaiduReply,
    };
    return row;
}

SuggestionItems cutBaiduReply(const QString &reply)
{
    static const ListMarkers markers{"s:[\"", "\"]", "\",\"", "\",\""};
    return cutSuggestionList(reply, markers);
}
