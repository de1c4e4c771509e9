#include "upc/form7.h"

#include "net/endpoints.h"
#include "platform/services.h"
#include "platform/shell.h"

#include <QLabel>

namespace {

PackagerVariant gs1Variant()
{
    const QString upc = QStringLiteral("UPC-A (USA & Canada)");
    const QString ean = QStringLiteral("EAN-13 (Europe and Other Countries)");
    PackagerVariant variant;
    variant.caption = QStringLiteral("GS1授权UPC码打包器");
    variant.keys = PackagerSettings::gs1Keys;
    variant.sides = {
        {upc + QStringLiteral("/Artwork"), upc, QStringLiteral("UPC - Spreadsheet - Excel.xls")},
        {ean + QStringLiteral("/Artwork"), ean, QStringLiteral("EAN - Spreadsheet - Excel.xls")}};
    variant.filesPerCode = 3;
    variant.spreadsheetPattern = QStringLiteral("*.jpg");
    variant.nameWord = QStringLiteral("GS1授权UPC码");
    variant.text5 = QStringLiteral("正在加载");
    variant.refreshNotice = QStringLiteral("UPC码和EAN码剩余数量刷新成功！");
    variant.doneQuestion = QStringLiteral("UPC码和EAN码打包完毕！文件夹保存在");
    return variant;
}

} // namespace

Form7::Form7(Services &services, QWidget *parent)
    : PackagerWindow(services, gs1Variant(), parent)
{
    Label67.setGeometryTwips(4560, 4500, 2280, 360);
    QLabel *link = Label67.widget();
    QFont font = packagerFont(10.5, false);
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    link->setPalette(palette);
    link->setCursor(Qt::PointingHandCursor);
    Label67.Click = [this] { Label67_Click(); };
}

void Form7::Label67_Click()
{
    services.shell->openAddress(services.endpoints->base(QStringLiteral("vendor")) + '/');
}
