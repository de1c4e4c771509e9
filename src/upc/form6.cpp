#include "upc/form6.h"

#include <QPlainTextEdit>

QString Form6::lookupAddress;
QPointer<Form6> Form6::defaultLookup;

Form6::Form6(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
    // Each lookup window lives until it is closed.
    setAttribute(Qt::WA_DeleteOnClose);
    setCaption(QStringLiteral("UPC码查询专用浏览器"));
    setClientSizeTwips(10230, 5805);
    WebBrowser1.setGeometryTwips(0, 120, 10095, 4335);
    Text1.setGeometryTwips(120, 4560, 9975, 1095);
    Text1.textEdit()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1.setText(QStringLiteral(
        "1.如果页面显示“Showing 1 Result”，则说明该UPC码已经被用过，请更换其他UPC码上传产品！\r\n"
        "2.如果页面显示“Your search xxxxxxxxxxxx did not match any "
        "products.”，则说明该UPC码没有被用过，可以用于上传产品！\r\n"));
    WebBrowser1.NewWindow2 = [this] { return WebBrowser1_NewWindow2(); };
}

void Form6::showDefault(Services &services, const QString &address)
{
    lookupAddress = address;
    if (!defaultLookup) {
        defaultLookup = new Form6(services);
        defaultLookup->load();
    }
    defaultLookup->show();
    defaultLookup->raise();
    defaultLookup->activateWindow();
}

void Form6::Form_Load()
{
    WebBrowser1.Navigate(lookupAddress);
}

Browser *Form6::WebBrowser1_NewWindow2()
{
    auto *window = new Form6(services);
    window->load();
    window->show();
    // Over the default window; with that one closed, over the window that asked.
    const Form6 *under = defaultLookup ? defaultLookup.data() : this;
    window->move(under->pos());
    window->resize(under->size());
    return &window->WebBrowser1;
}

void Form6::Form_QueryUnload(bool &cancel)
{
    Q_UNUSED(cancel);
    hide();
}
