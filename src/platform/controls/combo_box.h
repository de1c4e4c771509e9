#pragma once

#include "platform/controls/control.h"
#include "platform/controls/open_list_keys.h"
#include "platform/controls/typed_key_filter.h"

class QComboBox;

// A combo box as the windows expect it, in one of the two Windows styles.
//
// DropDownList: the user only picks. Setting the text selects the first item equal
// to it and runs Click; a text that is no item leaves no selection and an empty text.
// A typed character that KeyPress lets pass selects the next item starting with it.
//
// Editable: takes any typed text. Typing and setting the text run Change only, a pick
// from the list runs Click only. A text equal to an item is no pick: neither Enter nor
// leaving the box selects it or runs Click, and Enter adds no item. Opening the list
// highlights the first item that begins with the text (case-insensitive), none when no
// item does or the text is empty; the text stays as typed until an item is picked, and
// closing the list with none highlighted picks nothing.
//
// In both, Click runs for what Windows counts as a pick: an item chosen with the mouse
// in the open list, Enter there on the highlighted item (unless it is picked already: by
// a key in the open list, or as the drop-down list's selected item), an arrow or page
// key (in the drop-down list also Home and End) or the wheel on the closed box, an
// arrow, page, Home or End key in the open list, and ListIndex set in code. Filling the
// list (AddItem, clear) runs no handler and selects nothing.
class ComboBox : public Control
{
    Q_OBJECT
public:
    enum Style { DropDownList, Editable };

    ComboBox(QWidget *parent, const QString &name, Style style = DropDownList);

    QComboBox *widget() const;

    void AddItem(const QString &item);
    void clear();
    int ListCount() const;
    QString List(int index) const; // empty out of range
    // The selected item, -1 for none; in the editable style also -1 once the text is
    // no longer the selected item's.
    int ListIndex() const;
    // Selects an item and runs Click; -1 removes the selection (and an editable text)
    // and runs nothing; an index out of range changes nothing.
    void setListIndex(int index);

    QString text() const;
    void setText(const QString &text);

    // The selection in the editable style's text; a drop-down list has none.
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);

    std::function<void()> Click;
    std::function<void()> Change;
    // The typed character code; set it to 0 to swallow the key.
    std::function<void(int &keyAscii)> KeyPress;
    std::function<void(int keyCode, int shift)> KeyUp;

private:
    void listOpened();
    bool keyPassed(int code);
    void selectByInitial(int code);

    TypedKeyFilter keys;
    OpenListKeys openListKeys;
};
