#pragma once

#include <QObject>

#include <functional>

class QComboBox;
class QKeyEvent;

// Keys in the open list of a combo box, as the Windows list takes them: an arrow,
// page, Home or End key that moves the highlight to another item picks that item at
// once (the box shows it and the pick hook runs) and leaves the list open; Enter on
// the item already picked only closes the list.
class OpenListKeys : public QObject
{
    Q_OBJECT
public:
    OpenListKeys(QComboBox *box, std::function<void()> picked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool moveAndPick(QKeyEvent *key);
    bool highlightIsPicked() const;

    QComboBox *box;
    std::function<void()> picked;
    bool forwarding = false;
};
