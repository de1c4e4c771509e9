#include "upc/code_spreadsheet.h"

#include "platform/file_list.h"
#include "platform/workbook.h"

QStringList artworkCodes(const QString &folder, const QString &pattern)
{
    QStringList codes;
    for (const QString &name : listFiles(folder, pattern).value_or(QStringList()))
        codes.append(name.section('.', 0, 0));
    return codes;
}

bool writeCodeSpreadsheet(const QString &folder, const QString &pattern, const QString &fullName)
{
    Workbook book;
    const QStringList codes = artworkCodes(folder, pattern);
    for (int row = 1; row <= codes.size(); ++row)
        book.setCell(row, 1, codes.at(row - 1));
    return book.SaveAs(fullName);
}
