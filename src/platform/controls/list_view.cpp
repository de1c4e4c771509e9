#include "platform/controls/list_view.h"

#include "platform/controls/form.h"

#include <QHeaderView>
#include <QTreeWidget>

ListView::ListView(QWidget *parent, const QString &name)
    : Control(new QTreeWidget(parent), name)
{
    QTreeWidget *tree = widget();
    tree->setRootIsDecorated(false);
    tree->setItemsExpandable(false);
    tree->setUniformRowHeights(true);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->header()->setStretchLastSection(false);
    tree->setHeaderLabels({QString()});
}

QTreeWidget *ListView::widget() const
{
    return static_cast<QTreeWidget *>(baseWidget());
}

void ListView::addColumn(const QString &text, int widthTwips)
{
    QTreeWidget *tree = widget();
    ++columns;
    tree->setColumnCount(columns);
    tree->headerItem()->setText(columns - 1, text);
    tree->setColumnWidth(columns - 1, Form::twips(widthTwips));
}

int ListView::addRow(const QString &text)
{
    new QTreeWidgetItem(widget(), QStringList{text});
    return rowCount() - 1;
}

bool ListView::setSubItem(int row, int column, const QString &text)
{
    QTreeWidgetItem *item = widget()->topLevelItem(row);
    if (!item || column < 1 || column >= columns)
        return false;
    item->setText(column, text);
    return true;
}

QString ListView::cellText(int row, int column) const
{
    const QTreeWidgetItem *item = widget()->topLevelItem(row);
    if (!item || column < 0 || (column > 0 && column >= columns))
        return QString();
    return item->text(column);
}

int ListView::rowCount() const
{
    return widget()->topLevelItemCount();
}

void ListView::clear()
{
    widget()->clear();
}

int ListView::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = widget()->selectedItems();
    return selected.isEmpty() ? -1 : widget()->indexOfTopLevelItem(selected.first());
}

void ListView::setSelectedRow(int row)
{
    QTreeWidget *tree = widget();
    if (row == -1) {
        tree->clearSelection();
        return;
    }
    if (QTreeWidgetItem *item = tree->topLevelItem(row))
        tree->setCurrentItem(item);
}
