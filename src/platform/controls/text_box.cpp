#include "platform/controls/text_box.h"

#include "platform/controls/edit_selection.h"
#include "platform/controls/line_breaks.h"
#include "platform/controls/typing_limit.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimerEvent>

#include <algorithm>

namespace {

// Focus that leaves for another window or a pop-up comes back to the box; the
// Windows box reports no focus change for it.
bool isWindowFocusChange(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// Events through which the user reads or changes the text: they must meet the text
// the program wrote last.
bool reachesText(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::InputMethod:
    case QEvent::InputMethodQuery:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return event->isInputEvent();
    }
}

} // namespace

TextBox::TextBox(QWidget *parent, const QString &name, Kind kind)
    : Control(createWidget(parent, kind), name)
    , keys([this](int &code) { run(KeyPress, code); },
           [this](int keyCode, int shift) { run(KeyUp, keyCode, shift); })
{
    line = qobject_cast<QLineEdit *>(baseWidget());
    document = qobject_cast<QPlainTextEdit *>(baseWidget());
    keys.watch(baseWidget());
    baseWidget()->installEventFilter(this);
    if (line) {
        connect(line, &QLineEdit::textEdited, this, &TextBox::userEdited);
    } else {
        // The Windows box moves the focus on Tab instead of typing it.
        document->setTabChangesFocus(true);
        document->viewport()->installEventFilter(this);
        connect(document, &QPlainTextEdit::textChanged, this, &TextBox::userEdited);
    }
}

QWidget *TextBox::createWidget(QWidget *parent, Kind kind)
{
    if (kind == MultiLine)
        return new QPlainTextEdit(parent);
    return new QLineEdit(parent);
}

void TextBox::setText(const QString &text)
{
    // Like the Windows box, a written text puts the caret at its start.
    replaceText(text, 0);
}

void TextBox::replaceText(const QString &text, int caret)
{
    if (text == held && !changeOnEqualText)
        return;
    held = text;
    showHeldText(caret);
    run(Change);
}

void TextBox::userEdited()
{
    if (writingWidget)
        return;
    QString edited = shownText();
    if (document)
        documentText = edited;
    if (maxLength > 0) {
        const LimitedEdit limited = limitTyping(held, edited, maxLength);
        if (limited.text != edited) {
            edited = limited.text;
            display(edited, limited.caret);
        }
    }
    if (edited == held)
        return;
    held = edited;
    run(Change);
}

QString TextBox::shownText() const
{
    if (line)
        return line->text();
    return LineBreaks::heldText(document->document()->toRawText());
}

void TextBox::display(const QString &text, int caret)
{
    if (document) {
        writeDocument(text, caret);
        return;
    }
    writingWidget = true;
    line->setText(text);
    line->setCursorPosition(caret);
    writingWidget = false;
}

void TextBox::showHeldText(int caret)
{
    if (line) {
        display(held, caret);
        return;
    }
    caretToShow = caret;
    if (documentBehind)
        return;
    documentBehind = true;
    // A timer of no interval fires when the window's events run next; unlike a
    // posted call it need not wake the event loop up.
    catchUpTimer.start(0, this);
}

void TextBox::catchUpDocument() const
{
    if (!documentBehind || !baseWidget())
        return;
    documentBehind = false;
    catchUpTimer.stop();
    writeDocument(held, caretToShow);
}

void TextBox::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == catchUpTimer.timerId())
        catchUpDocument();
    else
        Control::timerEvent(event);
}

// A text written at its start into a box that shows that text unchanged since it
// was written needs no work: a crawl writes its two status texts in turn for every
// keyword, and setting the caret lays the document out again.
bool TextBox::showsAsWritten(const QString &text, int caret) const
{
    if (text != documentText || caret != 0)
        return false;
    const QTextDocument *shown = document->document();
    const QTextCursor cursor = document->textCursor();
    return cursor.position() == 0 && !cursor.hasSelection() && !shown->isModified() &&
           !shown->isUndoAvailable() && !shown->isRedoAvailable() &&
           document->verticalScrollBar()->value() == 0 &&
           document->horizontalScrollBar()->value() == 0;
}

void TextBox::writeDocument(const QString &text, int caret) const
{
    if (showsAsWritten(text, caret))
        return;
    writingWidget = true;
    if (text != documentText) {
        document->setPlainText(text);
        documentText = text;
    } else {
        // The text shown is the one written: only what a fresh document would not
        // keep goes, the undo history and the modified mark.
        document->document()->clearUndoRedoStacks();
        document->document()->setModified(false);
        document->verticalScrollBar()->setValue(0);
        document->horizontalScrollBar()->setValue(0);
    }
    QTextCursor cursor = document->textCursor();
    cursor.setPosition(LineBreaks::documentPosition(text, caret));
    document->setTextCursor(cursor);
    writingWidget = false;
}

QWidget *TextBox::widget() const
{
    catchUpDocument();
    return baseWidget();
}

QPlainTextEdit *TextBox::textEdit() const
{
    catchUpDocument();
    return document;
}

int TextBox::SelStart() const
{
    if (line)
        return EditSelection::start(*line);
    catchUpDocument();
    return LineBreaks::heldPosition(held, document->textCursor().selectionStart());
}

int TextBox::SelLength() const
{
    if (line)
        return EditSelection::length(*line);
    catchUpDocument();
    const QTextCursor cursor = document->textCursor();
    return LineBreaks::heldPosition(held, cursor.selectionEnd()) -
           LineBreaks::heldPosition(held, cursor.selectionStart());
}

QString TextBox::SelText() const
{
    return held.mid(SelStart(), SelLength());
}

void TextBox::setSelStart(int start)
{
    if (line)
        EditSelection::setStart(*line, start);
    else
        select(std::clamp(start, 0, int(held.size())), 0);
}

void TextBox::setSelLength(int length)
{
    if (line) {
        EditSelection::setLength(*line, length);
        return;
    }
    const int start = SelStart();
    select(start, std::clamp(length, 0, int(held.size()) - start));
}

void TextBox::setSelText(const QString &text)
{
    const int start = SelStart();
    replaceText(held.left(start) + text + held.mid(start + SelLength()), start + int(text.size()));
}

void TextBox::select(int start, int length)
{
    catchUpDocument();
    QTextCursor cursor = document->textCursor();
    cursor.setPosition(LineBreaks::documentPosition(held, start));
    cursor.setPosition(LineBreaks::documentPosition(held, start + length), QTextCursor::KeepAnchor);
    document->setTextCursor(cursor);
}

void TextBox::setLocked(bool on)
{
    if (on == locked)
        return;
    locked = on;
    if (line) {
        line->setReadOnly(on);
    } else {
        document->setReadOnly(on);
        // Read-only documents drop the keyboard caret; a locked box keeps it.
        if (on)
            document->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                              Qt::TextSelectableByKeyboard);
    }
    if (on) {
        unlockedPalette = baseWidget()->palette();
        QPalette grey = unlockedPalette;
        grey.setColor(QPalette::Base, grey.color(QPalette::Window));
        baseWidget()->setPalette(grey);
    } else {
        baseWidget()->setPalette(unlockedPalette);
    }
}

bool TextBox::eventFilter(QObject *watched, QEvent *event)
{
    if (document && reachesText(event))
        catchUpDocument();
    switch (event->type()) {
    case QEvent::FocusIn:
        // Coming back from another window is no new focus; the first focus of a
        // window that opens is.
        if (watched == baseWidget() && !hasFocus) {
            hasFocus = true;
            run(GotFocus);
        }
        break;
    case QEvent::FocusOut:
        if (watched == baseWidget() && hasFocus && !isWindowFocusChange(event)) {
            hasFocus = false;
            run(LostFocus);
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == (document ? document->viewport() : baseWidget()) && !forwardingDblClick) {
            // Windows selects the word under the pointer before the box reports the
            // double-click, so the handler reads that word as the selection.
            forwardingDblClick = true;
            QCoreApplication::sendEvent(watched, event);
            forwardingDblClick = false;
            run(DblClick);
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}
