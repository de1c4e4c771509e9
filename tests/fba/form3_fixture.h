#pragma once

#include "fba/form3.h"
#include "support/fake_services.h"

#include <QStringList>

// A freshly opened calculator.
struct OpenedWindow
{
    OpenedWindow() { form.load(); }

    FakeServices fake;
    Form3 form{fake.services};
};

// Types a text over the box's whole text, one keystroke at a time: the box's Change
// handler runs on every keystroke, as it does when the user types.
inline void enter(TextBox &box, const QString &text)
{
    for (qsizetype length = 1; length <= text.size(); ++length)
        box.setText(text.left(length));
}

inline QList<TextBox *> allBoxes(Form3 &form)
{
    return {&form.Text1,  &form.Text2,  &form.Text3,  &form.Text4,  &form.Text5,  &form.Text6,
            &form.Text7,  &form.Text8,  &form.Text9,  &form.Text10, &form.Text11, &form.Text12,
            &form.Text13, &form.Text14, &form.Text15, &form.Text16, &form.Text17, &form.Text18,
            &form.Text19, &form.Text20, &form.Text21, &form.Text22, &form.Text23, &form.Text24,
            &form.Text25, &form.Text26, &form.Text27, &form.Text28};
}

// The box of that name ("Text12").
inline TextBox &boxNamed(Form3 &form, const QString &name)
{
    for (TextBox *box : allBoxes(form)) {
        if (box->objectName() == name)
            return *box;
    }
    qFatal("no box %s", qPrintable(name));
}

inline QStringList texts(const QList<TextBox *> &boxes)
{
    QStringList texts;
    for (const TextBox *box : boxes)
        texts << box->text();
    return texts;
}
