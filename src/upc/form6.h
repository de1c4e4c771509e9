#pragma once

#include "platform/browser.h"
#include "platform/controls/form.h"
#include "platform/controls/text_box.h"
#include "platform/services.h"

#include <QPointer>

// The lookup browser: shows the marketplace's product search for a code. Pages that
// ask for a new window get one more lookup window, laid over the default one.
class Form6 : public Form
{
    Q_OBJECT

    Services &services;

public:
    explicit Form6(Services &services, QWidget *parent = nullptr);

    // Shows the default lookup window browsing `address`; an open one is raised.
    static void showDefault(Services &services, const QString &address);
    // The window showDefault shows, while it is open.
    static Form6 *defaultWindow() { return defaultLookup; }

    Browser WebBrowser1{this, "WebBrowser1", services};
    TextBox Text1{this, "Text1", TextBox::MultiLine};

    Browser *WebBrowser1_NewWindow2();

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool &cancel) override;

private:
    // Every lookup window browses the last search address when it loads.
    static QString lookupAddress;
    static QPointer<Form6> defaultLookup;
};
