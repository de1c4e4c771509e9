#pragma once

#include "platform/controls/control.h"

#include <QHash>

class QListWidget;

// A list box of text rows. Counts and positions are 16-bit signed numbers, as on
// Windows: a list holds at most 32767 rows, and adding to a full list fails and adds
// nothing. Beside the rows it keeps an index of their texts, so a window can ask
// whether a text is listed without walking tens of thousands of rows.
class ListBox : public Control
{
    Q_OBJECT
public:
    static constexpr int maxRows = 32767;

    ListBox(QWidget *parent, const QString &name);

    QListWidget *widget() const;

    bool AddItem(const QString &item); // false when the list is full
    bool RemoveItem(int index);        // false out of range
    void clear();
    int ListCount() const;
    QString List(int index) const;            // empty out of range
    bool contains(const QString &item) const; // exact, case-sensitive
    int ListIndex() const;                    // the selected row, -1 for none
    void setListIndex(int index);             // -1 removes the selection

    std::function<void()> Click;
    std::function<void()> DblClick;

private:
    QHash<QString, int> rowsWithText;
    bool filling = false;
};
