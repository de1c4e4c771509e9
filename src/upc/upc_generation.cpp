#include "upc/upc_generation.h"

#include "platform/box_number.h"
#include "upc/code_type_table.h"

#include <cmath>

int digitOf(double value, int k)
{
    const double magnitude = std::fabs(value);
    const double scaled =
        k == 0 ? roundHalfEven(magnitude) : std::trunc(magnitude / std::pow(10.0, k));
    return int(std::fmod(scaled, 10.0));
}

int gs1CheckDigit(const QString &dataDigits)
{
    int sum = 0;
    int weight = 3;
    for (qsizetype i = dataDigits.size() - 1; i >= 0; --i) {
        sum += weight * dataDigits.at(i).digitValue();
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

namespace {

void appendDigits(QString &code, double value, int width)
{
    for (int k = width - 1; k >= 0; --k)
        code.append(QChar('0' + digitOf(value, k)));
}

} // namespace

QString upcCode(const CodeType &type, double flag, double manufacturer, double product)
{
    QString code;
    code.reserve(type.codeWidth);
    appendDigits(code, flag, 1);
    appendDigits(code, manufacturer, type.manufacturerWidth);
    appendDigits(code, product, type.productWidth);
    code.append(QChar('0' + gs1CheckDigit(code)));
    return code;
}

QString generateRun(const CodeType &type, const RunRequest &request)
{
    QString list;
    // An infinite or undefined value has no digits, so no code is made of one; a product
    // that grows past every finite number ends the run.
    if (!std::isfinite(request.flag) || !std::isfinite(request.manufacturer))
        return list;
    double product = request.product;
    int made = 0;
    // The count alone would bound the run only while it is typed: a pasted or saved "9E99"
    // never runs down, since 9E99 minus 1 is 9E99 again.
    for (double left = request.count; left > 0 && made < maxRunCodes && std::isfinite(product);
         left -= 1) {
        if (!list.isEmpty())
            list.append(QStringLiteral("\r\n"));
        list.append(upcCode(type, request.flag, request.manufacturer, product));
        product += request.interval;
        ++made;
    }
    return list;
}
