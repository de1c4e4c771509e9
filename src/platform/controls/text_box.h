#pragma once

#include "platform/controls/control.h"
#include "platform/controls/typed_key_filter.h"

#include <QBasicTimer>
#include <QPalette>

class QLineEdit;
class QPlainTextEdit;

// A text box as the windows expect it: it holds its text itself, line breaks as
// CR LF; setting the text in code runs Change, nested inside the write; the maximum
// length limits typing only; selection positions count a line break as two
// characters; every typed character passes KeyPress, which may swallow it.
//
// A multi-line box lays its whole text out again on every write, so it brings its
// widget up to date only once someone can see or touch it: when the window's events
// run next, when the user acts on the box, when the box's selection or widget is
// asked for. Writes in between (a status text written and written back) cost next
// to nothing, and what the box shows whenever it can be seen is the last text.
class TextBox : public Control
{
    Q_OBJECT
public:
    enum Kind { SingleLine, MultiLine };

    TextBox(QWidget *parent, const QString &name, Kind kind = SingleLine);

    QWidget *widget() const;
    QLineEdit *lineEdit() const { return line; } // null for a multi-line box
    QPlainTextEdit *textEdit() const;            // null for a single-line box

    QString text() const { return held; }
    // Runs Change when the text really changes, or always after setChangeOnEqualText(true).
    void setText(const QString &text);
    void setChangeOnEqualText(bool on) { changeOnEqualText = on; }

    int MaxLength() const { return maxLength; }
    void setMaxLength(int length) { maxLength = length; } // 0: no limit

    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    // Replaces the selection and runs Change, as setText does.
    void setSelText(const QString &text);

    bool isLocked() const { return locked; }
    // Read-only for the user, on the grey background; the program still writes it.
    void setLocked(bool locked);

    std::function<void()> Change;
    // The typed character code; set it to 0 to swallow the key.
    std::function<void(int &keyAscii)> KeyPress;
    std::function<void(int keyCode, int shift)> KeyUp;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void()> DblClick;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    static QWidget *createWidget(QWidget *parent, Kind kind);

    void replaceText(const QString &text, int caret);
    void userEdited();
    QString shownText() const;
    void display(const QString &text, int caret);
    void showHeldText(int caret);
    void catchUpDocument() const;
    bool showsAsWritten(const QString &text, int caret) const;
    void writeDocument(const QString &text, int caret) const;
    void select(int start, int length); // multi-line box only

    QLineEdit *line = nullptr;
    QPlainTextEdit *document = nullptr;
    TypedKeyFilter keys;
    QString held;
    // The multi-line widget's text, in held form, and whether `held` (with the caret
    // at `caretToShow`) still waits to be written into it.
    mutable QString documentText;
    mutable bool documentBehind = false;
    mutable QBasicTimer catchUpTimer;
    int caretToShow = 0;
    int maxLength = 0;
    bool changeOnEqualText = false;
    mutable bool writingWidget = false;
    bool locked = false;
    bool hasFocus = false;
    bool forwardingDblClick = false;
    QPalette unlockedPalette;
};
