#include "upc/form8.h"

namespace {

PackagerVariant generatorVariant()
{
    PackagerVariant variant;
    variant.caption = QStringLiteral("生成器UPC码打包器");
    variant.keys = PackagerSettings::generatorKeys;
    variant.sides = {{QStringLiteral("Artwork"), QStringLiteral("UPC-A"),
                      QStringLiteral("UPC - Spreadsheet - Excel.xls")}};
    variant.spreadsheetPattern = QStringLiteral("*.gif");
    variant.nameWord = QStringLiteral("生成器UPC码");
    variant.text5 = QStringLiteral("生成器UPC");
    variant.refreshNotice = QStringLiteral("UPC码剩余数量刷新成功！");
    variant.doneQuestion = QStringLiteral("UPC码打包完毕！文件夹保存在");
    variant.forcedSource = QStringLiteral("orvoupc");
    return variant;
}

} // namespace

Form8::Form8(Services &services, QWidget *parent)
    : PackagerWindow(services, generatorVariant(), parent)
{}
