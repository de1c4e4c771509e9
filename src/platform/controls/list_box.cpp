#include "platform/controls/list_box.h"

#include <QListWidget>

ListBox::ListBox(QWidget *parent, const QString &name)
    : Control(new QListWidget(parent), name)
{
    QListWidget *list = widget();
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    connect(list, &QListWidget::itemSelectionChanged, this, [this] {
        if (!filling && ListIndex() >= 0)
            run(Click);
    });
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { run(DblClick); });
}

QListWidget *ListBox::widget() const
{
    return static_cast<QListWidget *>(baseWidget());
}

bool ListBox::AddItem(const QString &item)
{
    if (ListCount() >= maxRows)
        return false;
    filling = true;
    widget()->addItem(item);
    filling = false;
    ++rowsWithText[item];
    return true;
}

bool ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return false;
    filling = true;
    QListWidgetItem *row = widget()->takeItem(index);
    filling = false;
    const auto found = rowsWithText.find(row->text());
    if (--found.value() == 0)
        rowsWithText.erase(found);
    delete row;
    return true;
}

void ListBox::clear()
{
    filling = true;
    widget()->clear();
    filling = false;
    rowsWithText.clear();
}

int ListBox::ListCount() const
{
    return widget()->count();
}

QString ListBox::List(int index) const
{
    const QListWidgetItem *row = widget()->item(index);
    return row ? row->text() : QString();
}

bool ListBox::contains(const QString &item) const
{
    return rowsWithText.contains(item);
}

int ListBox::ListIndex() const
{
    const QModelIndexList selected = widget()->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        return;
    if (index == -1)
        widget()->clearSelection();
    else
        widget()->setCurrentRow(index);
}
