#include "platform/workbook.h"

#include "platform/atomic_file.h"

#include <QFile>
#include <xlsxwriter.h>

void Workbook::setCell(int row, int column, const QString &text)
{
    if (row >= 1 && column >= 1)
        cells.insert({row, column}, text);
}

bool Workbook::SaveAs(const QString &fullName) const
{
    AtomicFile file(fullName);
    if (!file.open())
        return false;
    const QByteArray name = QFile::encodeName(file.temporaryPath());
    lxw_workbook *book = workbook_new(name.constData());
    if (!book)
        return false;
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    bool written = sheet != nullptr;
    for (auto it = cells.cbegin(); written && it != cells.cend(); ++it) {
        const QByteArray text = it.value().toUtf8();
        written = worksheet_write_string(sheet, it.key().first - 1,
                                         static_cast<lxw_col_t>(it.key().second - 1),
                                         text.constData(), nullptr) == LXW_NO_ERROR;
    }
    const bool closed = workbook_close(book) == LXW_NO_ERROR;
    return written && closed && file.commitWrittenByName();
}
