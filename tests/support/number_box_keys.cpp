#include "support/number_box_keys.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

void typeKeysToSift(QLineEdit *edit)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "1-2,a 3.4.");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("１元5"));
    QApplication::sendEvent(edit, &commit);
}

void pasteByShortcut(QLineEdit *edit)
{
    QApplication::clipboard()->setText(QStringLiteral("77"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}
