#include "platform/workbook.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <xlsxwriter.h>

void Workbook::setCell(int row, int column, const QString &text)
{
    if (row >= 1 && column >= 1)
        cells.insert({row, column}, text);
}

bool Workbook::SaveAs(const QString &fullName) const
{
    const QFileInfo target(fullName);
    QString temporary;
    {
        QTemporaryFile reserve(target.absolutePath() + "/.workbook-XXXXXX");
        reserve.setAutoRemove(false);
        if (!reserve.open())
            return false;
        temporary = reserve.fileName();
    }
    const QByteArray name = QFile::encodeName(temporary);
    lxw_workbook *book = workbook_new(name.constData());
    if (!book) {
        QFile::remove(temporary);
        return false;
    }
    lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
    bool written = sheet != nullptr;
    for (auto it = cells.cbegin(); written && it != cells.cend(); ++it) {
        const QByteArray text = it.value().toUtf8();
        written = worksheet_write_string(sheet, it.key().first - 1,
                                         static_cast<lxw_col_t>(it.key().second - 1),
                                         text.constData(), nullptr) == LXW_NO_ERROR;
    }
    const bool closed = workbook_close(book) == LXW_NO_ERROR;
    if (!written || !closed) {
        QFile::remove(temporary);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporary).constData(),
                            QFile::encodeName(fullName).constData(), error);
    if (error)
        QFile::remove(temporary);
    return !error;
}
