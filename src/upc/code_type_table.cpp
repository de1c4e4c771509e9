#include "upc/code_type_table.h"

#include <array>

namespace {

const std::array<CodeType, 4> &codeTypes()
{
    static const std::array<CodeType, 4> table{{
        {QStringLiteral("UPC-8位"), 8, 3, 3, false},
        {QStringLiteral("UPC-12位"), 12, 5, 5, true},
        {QStringLiteral("UPC-13位"), 13, 6, 5, false},
        {QStringLiteral("UPC-14位"), 14, 6, 6, false},
    }};
    return table;
}

} // namespace

const CodeType *findCodeType(const QString &name)
{
    for (const CodeType &type : codeTypes()) {
        if (type.name == name)
            return &type;
    }
    return nullptr;
}

QStringList codeTypeNames()
{
    QStringList names;
    for (const CodeType &type : codeTypes())
        names.append(type.name);
    return names;
}
