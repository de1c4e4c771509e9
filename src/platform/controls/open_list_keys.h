#pragma once

#include <QObject>

#include <functional>

class QComboBox;
class QKeyEvent;

// Keys in the open list of a combo box, as the Windows list takes them: an arrow,
// page, Home or End key that moves the highlight to another item picks that item at
// once (the box shows it and the pick hook runs) and leaves the list open. Enter picks
// the highlighted item, only closes the list when that item is picked already, and with
// no item highlighted closes it and leaves the box's text as it is.
class OpenListKeys : public QObject
{
    Q_OBJECT
public:
    OpenListKeys(QComboBox *box, std::function<void()> picked);

    // Starts the just opened list with the row highlighted (-1 for none); `isPicked`
    // tells whether that row is the box's pick already.
    void startAt(int row, bool isPicked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool moveAndPick(QKeyEvent *key);

    QComboBox *box;
    std::function<void()> picked;
    int pickedRow = -1;
    bool forwarding = false;
};
