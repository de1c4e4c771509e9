#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A box without a title of its own shows the application's title.
QString titleShown(const QString &title)
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

} // namespace

MsgResult Dialogs::msgBox(const QString &prompt, int style, const QString &title)
{
    return show(prompt, style, titleShown(title));
}

std::optional<QString> Dialogs::inputBox(const QString &prompt, const QString &title,
                                         const QString &defaultText)
{
    return ask(prompt, titleShown(title), defaultText);
}

MsgResult MessageBoxDialogs::show(const QString &prompt, int style, const QString &title)
{
    QMessageBox box; // no parent widget: see the class
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

std::optional<QString> MessageBoxDialogs::ask(const QString &prompt, const QString &title,
                                              const QString &defaultText)
{
    QInputDialog box; // no parent widget: see the class
    box.setWindowTitle(title);
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(prompt);
    // Shown as written, like the message boxes, never read as markup.
    if (auto *label = box.findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    box.setTextValue(defaultText);
    box.setOkButtonText(QStringLiteral("确定"));
    box.setCancelButtonText(QStringLiteral("取消"));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}
