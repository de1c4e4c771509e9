#pragma once

#include <QMap>
#include <QPair>
#include <QString>

// A spreadsheet filled cell by cell and saved under a full file name. Every cell
// is text, so codes keep their leading zeros. The content is the current
// spreadsheet format, whatever ending the name carries.
class Workbook
{
public:
    // Rows and columns count from 1, as the spreadsheet program numbers them.
    void setCell(int row, int column, const QString &text);

    // Written to a new file beside the target and renamed into place, so a failed
    // save leaves no half-written spreadsheet. False when the save failed.
    bool SaveAs(const QString &fullName) const;

private:
    QMap<QPair<int, int>, QString> cells;
};
