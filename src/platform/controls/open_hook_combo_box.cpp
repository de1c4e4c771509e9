#include "platform/controls/open_hook_combo_box.h"

#include <QAbstractItemView>

void OpenHookComboBox::showPopup()
{
    QComboBox::showPopup();
    // An empty list does not open.
    if (opened && view()->isVisible())
        opened();
}
