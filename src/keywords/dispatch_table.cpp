#include "keywords/dispatch_table.h"

#include "keywords/engines/aliexpress_engine.h"
#include "keywords/engines/amazon_engine.h"
#include "keywords/engines/baidu_engine.h"
#include "keywords/engines/google_engine.h"
#include "keywords/engines/taobao_engine.h"

const EngineRow *dispatchEngine(const QString &engine, const QString &language)
{
    // In the order the rows are tested.
    static const QList<const EngineRow *> table{
        &baiduEngine(),      &googleComEngine(), &googleJpEngine(), &googleRuEngine(),
        &googleHkEngine(),   &googleDeEngine(),  &taobaoEngine(),   &amazonUsEngine(),
        &aliExpressEngine(), &amazonUkEngine()};
    for (const EngineRow *row : table) {
        if (row->engineItem == engine && (!row->language || *row->language == language))
            return row;
    }
    return nullptr;
}
