#pragma once

#include "platform/controls/control.h"

class QTreeWidget;

// A list view in report style: column headers, and rows whose first cell is the
// row's text and whose further cells are its sub-items. Rows and columns count from 0.
class ListView : public Control
{
    Q_OBJECT
public:
    ListView(QWidget *parent, const QString &name);

    QTreeWidget *widget() const;

    void addColumn(const QString &text, int widthTwips);
    int columnCount() const { return columns; }

    int addRow(const QString &text); // the new row's index
    // Sets a sub-item (column 1 or later); false for a row or column that does not exist.
    bool setSubItem(int row, int column, const QString &text);
    QString cellText(int row, int column) const; // empty out of range
    int rowCount() const;
    void clear(); // rows only; the columns stay

    int selectedRow() const;      // -1 for none
    void setSelectedRow(int row); // -1 removes the selection

private:
    int columns = 0;
};
