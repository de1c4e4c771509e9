#pragma once

#include "main/profit_panel.h"
#include "support/fake_services.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <map>
#include <memory>

// Every text the calculator shows: boxes (the combo boxes' by their box's name),
// labels and buttons, each as name=text.
inline QStringList shownTexts(const QWidget &calculator)
{
    QStringList texts;
    for (const QLineEdit *edit : calculator.findChildren<QLineEdit *>()) {
        const QObject *named = edit->objectName().isEmpty() ? edit->parent() : edit;
        texts << named->objectName() + "=" + edit->text();
    }
    for (const QLabel *label : calculator.findChildren<QLabel *>())
        texts << label->objectName() + "=" + label->text();
    for (const QPushButton *button : calculator.findChildren<QPushButton *>())
        texts << button->objectName() + "=" + button->text();
    texts.sort();
    return texts;
}

// A calculator panel on fake services, with its boxes and labels reachable by
// name so that test tables can list them.
class ProfitFixture
{
public:
    explicit ProfitFixture(const QString &webBase = {})
        : fake(std::make_unique<FakeServices>(webBase))
        , panel(std::make_unique<ProfitPanel>(fake->services))
    {}

    ScriptedDialogs &dialogs() { return fake->dialogs; }

    // An unknown name throws, which ends the test program with its name.
    TextBox &box(const QString &name) { return *boxes().at(name); }

    QString text(const QString &name) { return box(name).text(); }

    QString caption(const QString &name)
    {
        auto *label = panel->findChild<QLabel *>(name, Qt::FindDirectChildrenOnly);
        return label ? label->text() : QStringLiteral("<no label %1>").arg(name);
    }

    // The names of every box whose text is exactly the given one.
    QStringList boxesShowing(const QString &shown)
    {
        QStringList names;
        for (const auto &[name, box] : boxes()) {
            if (box->text() == shown)
                names << name;
        }
        names.sort();
        return names;
    }

    QStringList allBoxTexts()
    {
        QStringList texts;
        for (const auto &[name, box] : boxes())
            texts << name + "=" + box->text();
        return texts;
    }

    // The inputs of the worked example: rate 6.5, cost 35, domestic freight 5,
    // unit price 20, charges 0 and 10, fee rate 15, custom freight 30, EMS 80.
    void enterExample()
    {
        box("Text118").setText("6.5");
        box("Text117").setText("15");
        box("Text101").setText("35");
        box("Text103").setText("5");
        box("Text105").setText("20");
        box("Text106").setText("0");
        box("Text107").setText("10");
        box("Text113").setText("30");
        box("Text115").setText("80");
    }

    QLineEdit *destinationEdit() { return panel->Combo1.widget()->lineEdit(); }
    QLineEdit *currencyEdit() { return panel->Combo2.widget()->lineEdit(); }

    std::unique_ptr<FakeServices> fake;
    std::unique_ptr<ProfitPanel> panel;

private:
    const std::map<QString, TextBox *> &boxes()
    {
        if (byName.empty()) {
            ProfitPanel &p = *panel;
            for (TextBox *box :
                 {&p.Text101, &p.Text102, &p.Text103, &p.Text104, &p.Text105, &p.Text106,
                  &p.Text107, &p.Text108, &p.Text109, &p.Text110, &p.Text111, &p.Text112,
                  &p.Text113, &p.Text114, &p.Text115, &p.Text116, &p.Text117, &p.Text118,
                  &p.Text119, &p.Text120, &p.Text121, &p.Text122, &p.Text7,   &p.Text8,
                  &p.Text9,   &p.Text10})
                byName[box->objectName()] = box;
        }
        return byName;
    }

    std::map<QString, TextBox *> byName;
};
