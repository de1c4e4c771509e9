#include "upc/code_list.h"

#include "platform/box_number.h"
#include "platform/text_rules.h"
#include "upc/code_type_table.h"

#include <QStringList>
#include <algorithm>

namespace {

const QString lineBreak = QStringLiteral("\r\n");

} // namespace

int previousCodeStart(int currentStart, const CodeType &type)
{
    return std::max(currentStart - type.stride(), 0);
}

int nextCodeStart(int currentStart, const CodeType &type, double count, const QString &list)
{
    const double lastByCount = (count - 1) * type.stride();
    const double last = std::min(lastByCount, double(lastCodeStart(list)));
    const double position = std::max(std::min(double(currentStart + type.stride()), last), 0.0);
    // The position is a whole number of characters, as when a fraction is stored
    // in a whole-number variable.
    return int(roundHalfEven(position));
}

int lastCodeStart(const QString &list)
{
    QString text = list;
    while (text.endsWith(lineBreak))
        text.chop(lineBreak.size());
    const qsizetype lastBreak = text.lastIndexOf(lineBreak);
    return lastBreak < 0 ? 0 : int(lastBreak + lineBreak.size());
}

QString continuedProductCode(const CodeType &type, const QString &currentCode)
{
    const QString digits =
        Mid(currentCode, type.productFirst(), type.productWidth).value_or(QString());
    const QString next = plainNumberText(readLenient(digits) + 1).value_or(QString());
    return reformatZeroPadded(next, type.productWidth);
}

bool isDigitCode(const QString &code)
{
    return !code.isEmpty() &&
           std::all_of(code.begin(), code.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

QString howToText()
{
    return QStringList{
        QStringLiteral("【新手必读】"),
        QStringLiteral("1.首先填写旗码，厂商代码，商品代码，生成数量，其他设置默认即可"),
        QStringLiteral("2.点击“立即生成”按钮即可批量生成UPC码"),
        QStringLiteral("3.点击“复制全部”按钮可将全部UPC码复制到剪贴板中，可以粘贴在TXT,"
                       "Excel等文档中"),
        QStringLiteral("4.点击“导出条码”按钮可批量导出UPC码对应的条码图片，条码图片可直接打印出来"
                       "用于产品库存管理等用途"),
        QStringLiteral("5.点击“打开目录”按钮可自动打开条码图片导出目录"),
        QStringLiteral("6.再次生成UPC码为了避免重复，请双击上一次生成的UPC码的最后一行，然后点击“"
                       "提取商品代码”再继续生成"),
        QStringLiteral("7.“清空数据”按钮可一键清除UPC码生成目录和条码图片导出目录全部数据"),
        QStringLiteral("9.软件支持8,12,13,14位UPC码批量生成，用户可自由切换"),
    }
        .join(lineBreak);
}
