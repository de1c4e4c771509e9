#include "support/active_window.h"

#include <QApplication>
#include <QTest>

bool showActive(QWidget &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}
