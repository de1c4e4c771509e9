#pragma once

#include "support/fake_services.h"
#include "upc/code_list.h"
#include "upc/generator_panel.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <memory>

// The codes of a generated list, one a line; none for an empty list.
inline QStringList codesIn(const QString &list)
{
    return list.isEmpty() ? QStringList() : list.split(QStringLiteral("\r\n"));
}

// The 12-digit list holds `codes` codes, each of twelve digits.
inline void verifyRun(const QString &list, int codes)
{
    const QStringList made = codesIn(list);
    QCOMPARE(made.size(), codes);
    for (const QString &code : made)
        QVERIFY2(code.size() == 12 && isDigitCode(code), qPrintable(code));
}

// Count, start product and interval box texts that typing never gives (a paste or
// an edited settings file does), with the codes a 12-digit run makes from them: at
// most the four-digit count, and none from a value that is not a finite number.
inline void addValuesBeyondTypingRows()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("interval");
    QTest::addColumn<int>("codes");

    const auto row = [](const char *name, const char *count, const char *product,
                        const char *interval, int codes) {
        QTest::newRow(name) << QString(count) << QString(product) << QString(interval) << codes;
    };
    row("count 9E99", "9E99", "29145", "1", 9999);
    row("count 1e308", "1e308", "29145", "1", 9999);
    row("count -1e308", "-1e308", "29145", "1", 0);
    row("count inf", "inf", "29145", "1", 0);
    row("count nan", "nan", "29145", "1", 0);
    row("product 9E99", "3", "9E99", "1", 3);
    row("product 1e308, interval 1e308", "3", "1e308", "1e308", 1);
    row("product -1e308, interval -1e308", "3", "-1e308", "-1e308", 1);
    row("product inf", "3", "inf", "1", 3);
    row("product nan", "3", "nan", "1", 3);
    row("interval 9E99", "3", "29145", "9E99", 3);
    row("interval inf", "3", "29145", "inf", 3);
    row("interval nan", "3", "29145", "nan", 3);
    row("all beyond typing", "9E99", "1e308", "1e308", 1);
}

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
