#include "platform/controls/open_list_keys.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>

namespace {

bool movesTheHighlight(const QKeyEvent &key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

bool isEnter(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

OpenListKeys::OpenListKeys(QComboBox *box, std::function<void()> picked)
    : box(box)
    , picked(std::move(picked))
{
    box->view()->installEventFilter(this);
}

void OpenListKeys::startAt(int row, bool isPicked)
{
    box->view()->setCurrentIndex(box->model()->index(row, box->modelColumn()));
    pickedRow = isPicked ? row : -1;
}

bool OpenListKeys::eventFilter(QObject *, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (forwarding || (type != QEvent::KeyPress && type != QEvent::ShortcutOverride))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    // Qt's list takes Enter as a pick when it is offered as a shortcut, before the press.
    if (isEnter(*key)) {
        const int row = box->view()->currentIndex().row();
        if (row >= 0 && row != pickedRow)
            return false;
        // Qt would report the picked item as picked once more, and with no item
        // highlighted it would keep the list open.
        box->hidePopup();
        return true;
    }
    if (type == QEvent::KeyPress && movesTheHighlight(*key))
        return moveAndPick(key);
    return false;
}

bool OpenListKeys::moveAndPick(QKeyEvent *key)
{
    QAbstractItemView *view = box->view();
    const int before = view->currentIndex().row();
    // The list moves its highlight as Qt's list does; only the pick is added.
    forwarding = true;
    QCoreApplication::sendEvent(view, key);
    forwarding = false;
    const int row = view->currentIndex().row();
    if (row >= 0 && row != before) {
        box->setCurrentIndex(row);
        pickedRow = row;
        picked();
    }
    return true;
}
