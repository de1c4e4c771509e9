#include "qqgroups/list_export.h"

#include "platform/atomic_file.h"
#include "platform/code_page.h"
#include "platform/controls/list_view.h"
#include "platform/text_rules.h"

namespace {

constexpr int cellBufferBytes = 1024; // with its terminating zero
constexpr int firstCellWidth = 8;
const QString cellSeparator = QStringLiteral("   ");

// The longest start of GBK bytes that fits `limit` bytes without splitting a
// double-byte character.
QByteArray cutWholeCharacters(const QByteArray &bytes, qsizetype limit)
{
    qsizetype end = 0;
    while (end < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[end]);
        const qsizetype width = byte >= 0x81 && byte <= 0xFE ? 2 : 1;
        if (end + width > limit)
            break;
        end += width;
    }
    return bytes.left(end);
}

} // namespace

QString SetStringFixedLength(const QString &strIn, int lngFixStrLen)
{
    const QString trimmed = Trim(strIn);
    const qsizetype length = ansiByteLength(trimmed);
    if (length > 0 && lngFixStrLen > 0 && lngFixStrLen - length >= 1)
        return trimmed + QString(lngFixStrLen - length, ' ');
    return trimmed;
}

QString ansiCellText(const ListView &listView, int row, int column)
{
    const QByteArray bytes = encodeAnsi(listView.cellText(row, column));
    return decodeAnsi(cutWholeCharacters(bytes, cellBufferBytes - 1));
}

ExportResult ExportListViewContent(const ListView &objListView, const QString &strFilePath)
{
    if (objListView.rowCount() == 0)
        return ExportResult::EmptyList;
    QString content;
    for (int row = 0; row < objListView.rowCount(); ++row) {
        const int columns = objListView.columnCount();
        for (int column = 0; column < columns; ++column) {
            const QString cell = ansiCellText(objListView, row, column);
            content += column == 0 ? SetStringFixedLength(cell, firstCellWidth) : cell;
            if (column < columns - 1)
                content += cellSeparator;
        }
        content += "\r\n";
    }
    return writeFileAtomically(strFilePath, encodeAnsi(content)) ? ExportResult::Written
                                                                 : ExportResult::WriteFailed;
}
