#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

MsgResult Dialogs::msgBox(const QString &prompt, int style, const QString &title)
{
    return show(prompt, style, title.isEmpty() ? QCoreApplication::applicationName() : title);
}

MsgResult MessageBoxDialogs::show(const QString &prompt, int style, const QString &title)
{
    QMessageBox box;
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    switch (style & 0x70) {
    case MsgStyle::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgStyle::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgStyle::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgStyle::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    QPushButton *ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    if ((style & 0x0f) == MsgStyle::OkCancel)
        cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel ? static_cast<QAbstractButton *>(cancel) : ok);
    box.exec();
    return box.clickedButton() == ok ? MsgResult::Ok : MsgResult::Cancel;
}
