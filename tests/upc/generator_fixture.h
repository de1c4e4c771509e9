#pragma once

#include "support/fake_services.h"
#include "upc/generator_panel.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <memory>

// A generator panel on fake services, started as the main window starts it: the
// flag digits of an empty announcement page, the fields of the settings file.
class GeneratorFixture
{
public:
    explicit GeneratorFixture(const QString &webBase = {}, const QString &announcement = {})
        : fake(std::make_unique<FakeServices>(webBase))
        , panel(std::make_unique<GeneratorPanel>(fake->services))
    {
        panel->enableCountAndInterval();
        panel->runStartupSteps(announcement);
    }

    ScriptedDialogs &dialogs() { return fake->dialogs; }
    const Paths &paths() const { return fake->services.paths; }

    // Fills the panel's fields in the order the user would and generates.
    void generate(const QString &type, const QString &flag, const QString &manufacturer,
                  const QString &product, const QString &count, const QString &interval = "1")
    {
        panel->Combo4.setText(type);
        panel->Combo3.setText(flag);
        panel->Text2.setText(manufacturer);
        panel->Text5.setText(product);
        panel->Text3.setText(count);
        panel->Text4.setText(interval);
        panel->Command6.click();
    }

    void generate12(const QString &count)
    {
        generate(QStringLiteral("UPC-12位"), "0", "36000", "29145", count);
    }

    // Double-clicks the code on a line of the code list, as the user would.
    void doubleClickLine(int line)
    {
        QPlainTextEdit *edit = panel->Text1.textEdit();
        QTextCursor cursor(edit->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
        const QPoint inside = edit->cursorRect(cursor).center();
        QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, inside);
    }

    std::unique_ptr<FakeServices> fake;
    std::unique_ptr<GeneratorPanel> panel;
};
