#include "platform/controls/combo_box.h"

#include "platform/controls/edit_selection.h"
#include "platform/controls/open_hook_combo_box.h"

#include <QComboBox>
#include <QLineEdit>

ComboBox::ComboBox(QWidget *parent, const QString &name, Style style)
    : Control(new OpenHookComboBox(parent), name)
    , keys([this](int &code) { run(KeyPress, code); },
           [this](int keyCode, int shift) { run(KeyUp, keyCode, shift); })
    , openListKeys(widget(), [this] { run(Click); })
{
    QComboBox *box = widget();
    static_cast<OpenHookComboBox *>(box)->opened = [this] { listOpened(); };
    if (style == Editable) {
        box->setEditable(true);
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
        connect(box->lineEdit(), &QLineEdit::textEdited, this, [this] { run(Change); });
        // Qt selects the item equal to the text when the box is left or Enter is
        // pressed, and reports that as a pick; the Windows box picks only from its list.
        disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
        keys.watch(box->lineEdit());
    }
    keys.watch(box);
    keys.setPassedHook([this](int code) { return keyPassed(code); });
    connect(box, &QComboBox::activated, this, [this] { run(Click); });
}

QComboBox *ComboBox::widget() const
{
    return static_cast<QComboBox *>(baseWidget());
}

void ComboBox::AddItem(const QString &item)
{
    QComboBox *box = widget();
    const int selected = box->currentIndex();
    const QString shown = box->currentText();
    box->addItem(item);
    // Qt selects the first item put into an empty list; the Windows list does not.
    if (box->currentIndex() != selected)
        box->setCurrentIndex(selected);
    if (box->isEditable() && box->currentText() != shown)
        box->lineEdit()->setText(shown);
}

void ComboBox::clear()
{
    widget()->clear();
    if (widget()->isEditable())
        widget()->lineEdit()->clear();
}

int ComboBox::ListCount() const
{
    return widget()->count();
}

QString ComboBox::List(int index) const
{
    return widget()->itemText(index);
}

int ComboBox::ListIndex() const
{
    const int index = widget()->currentIndex();
    if (widget()->isEditable() && widget()->itemText(index) != widget()->currentText())
        return -1;
    return index;
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= widget()->count())
        return;
    widget()->setCurrentIndex(index);
    if (index >= 0)
        run(Click);
}

QString ComboBox::text() const
{
    return widget()->currentText();
}

void ComboBox::setText(const QString &text)
{
    QComboBox *box = widget();
    if (box->isEditable()) {
        if (text == box->currentText())
            return;
        box->lineEdit()->setText(text);
        // Like the Windows box, a written text puts the caret at its start.
        box->lineEdit()->setCursorPosition(0);
        run(Change);
        return;
    }
    const int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    box->setCurrentIndex(index);
    if (index >= 0)
        run(Click);
}

int ComboBox::SelStart() const
{
    const QLineEdit *edit = widget()->lineEdit();
    return edit ? EditSelection::start(*edit) : 0;
}

void ComboBox::setSelStart(int start)
{
    if (QLineEdit *edit = widget()->lineEdit())
        EditSelection::setStart(*edit, start);
}

int ComboBox::SelLength() const
{
    const QLineEdit *edit = widget()->lineEdit();
    return edit ? EditSelection::length(*edit) : 0;
}

void ComboBox::setSelLength(int length)
{
    if (QLineEdit *edit = widget()->lineEdit())
        EditSelection::setLength(*edit, length);
}

void ComboBox::listOpened()
{
    QComboBox *box = widget();
    if (!box->isEditable()) {
        // The drop-down list highlights its selected item, its pick already; with no
        // selection, none (Qt would highlight the first item).
        openListKeys.startAt(box->currentIndex(), true);
        return;
    }
    // The Windows box, as it drops down, highlights the first item that begins with its
    // text, case-insensitive (LB_FINDSTRING), and none for an empty text; the text stays
    // as typed and that item is no pick until Enter or a click picks it.
    const QString shown = box->currentText();
    const int row = shown.isEmpty() ? -1 : box->findText(shown, Qt::MatchStartsWith);
    openListKeys.startAt(row, false);
}

bool ComboBox::keyPassed(int code)
{
    if (widget()->isEditable())
        return false;
    selectByInitial(code);
    return true;
}

void ComboBox::selectByInitial(int code)
{
    QComboBox *box = widget();
    const char32_t character = char32_t(code);
    const QString initial = QString::fromUcs4(&character, 1);
    const int count = box->count();
    const int from = box->currentIndex();
    for (int step = 1; step <= count; ++step) {
        const int index = (from + step) % count;
        if (!box->itemText(index).startsWith(initial, Qt::CaseInsensitive))
            continue;
        if (index != from) {
            box->setCurrentIndex(index);
            run(Click);
        }
        return;
    }
}
