#include "main/profit_panel.h"

#include "main/currency_table.h"
#include "main/destination_list.h"
#include "main/freight_tables.h"
#include "main/profit_rules.h"
#include "net/cut_between.h"
#include "net/endpoints.h"
#include "net/fetch.h"
#include "net/network_probe.h"
#include "platform/box_number.h"
#include "platform/controls/form.h"
#include "platform/dialogs.h"
#include "platform/inet.h"
#include "platform/numeric_key_filter.h"
#include "platform/offline_notice.h"
#include "platform/services.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString undeliverable = QStringLiteral("送不到");

constexpr int panelWidth = 10080;
constexpr int panelHeight = 7440;

QFont calculatorFont(double pointSize, bool bold)
{
    QFont font;
    // The design font is rarely installed outside Chinese Windows; the CJK face
    // keeps the captions legible wherever it is missing.
    font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// A failed computation (a value beyond the range of a double) has no text and
// leaves the box as it was.
void writePlain(TextBox &box, std::optional<double> value)
{
    if (!value)
        return;
    if (const std::optional<QString> text = plainNumberText(*value))
        box.setText(*text);
}

// The value as plain number text, then the box's own text in the four-decimal
// form: whatever hangs on the box runs for both writes.
void writeTwoStep(TextBox &box, std::optional<double> value)
{
    if (!value)
        return;
    const std::optional<QString> text = plainNumberText(*value);
    if (!text)
        return;
    box.setText(*text);
    box.setText(reformatFourDecimals(box.text()));
}

double numberIn(const TextBox &box)
{
    return readLenient(box.text());
}

void writeEach(std::initializer_list<TextBox *> boxes, const QString &text)
{
    for (TextBox *box : boxes)
        box->setText(text);
}

} // namespace

ProfitPanel::ProfitPanel(Services &services, QWidget *parent)
    : QWidget(parent)
    , services(services)
{
    for (const QString &name : currencyNames())
        Combo2.AddItem(name);
    Combo2.setText(QStringLiteral("美元"));
    for (const QString &name : destinationList())
        Combo1.AddItem(name);
    Combo1.setText(QStringLiteral("美国"));

    Text102.setText("0");
    Text104.setText("0");
    Text106.setText("0");
    Text107.setText("9.99");
    for (TextBox *box :
         {&Text108, &Text109, &Text110, &Text111, &Text113, &Text114, &Text115, &Text116, &Text119,
          &Text120, &Text7, &Text8, &Text9, &Text10, &Text121, &Text122})
        box->setText("0");
    Text117.setText("15");
    Text118.setText("6.10");

    for (TextBox *box :
         {&Text102, &Text104, &Text108, &Text109, &Text110, &Text111, &Text114, &Text116, &Text119,
          &Text120, &Text121, &Text122, &Text7, &Text8, &Text9, &Text10})
        box->setLocked(true);

    layOut();
    wireHandlers();
}

void ProfitPanel::layOut()
{
    setFixedWidth(Form::twips(panelWidth));
    setMinimumHeight(Form::twips(panelHeight));

    Label26.setGeometryTwips(3720, 120, 2700, 435);
    Label26.widget()->setFont(calculatorFont(15, true));

    struct Place
    {
        Control *control;
        int left, top, width, height;
    };
    const int labelHeight = 255;
    const Place places[] = {
        {&Label33, 240, 1200, 900, labelHeight},
        {&Combo2, 1200, 1200, 1095, 375},

        {&Label18, 6000, 1320, 255, 495},
        {&Label5, 6480, 1560, 1200, labelHeight},
        {&Label7, 7680, 1560, 1080, labelHeight},
        {&Label8, 8760, 1560, 1080, labelHeight},
        {&Label1, 240, 1800, 960, labelHeight},
        {&Label2, 1200, 1800, 960, labelHeight},
        {&Label3, 2160, 1800, 1200, labelHeight},
        {&Label4, 3360, 1800, 1200, labelHeight},
        {&Label6, 4560, 1800, 1320, labelHeight},
        {&Text106, 6600, 1920, 855, 405},
        {&Text108, 7680, 1920, 855, 405},
        {&Text110, 8760, 1920, 855, 405},
        {&Text101, 120, 2160, 855, 405},
        {&Text102, 1200, 2160, 855, 405},
        {&Text103, 2280, 2160, 855, 405},
        {&Text104, 3480, 2160, 855, 405},
        {&Text105, 4560, 2160, 855, 405},
        {&Text107, 6600, 2280, 855, 405},
        {&Text109, 7680, 2280, 855, 405},
        {&Text111, 8760, 2280, 855, 405},
        {&Label19, 6000, 2640, 255, 495},

        {&Label27, 480, 2880, 900, labelHeight},
        {&Combo1, 1440, 2880, 1575, 375},
        {&Label10, 3240, 2880, 900, labelHeight},
        {&Text117, 4200, 2880, 615, 360},
        {&Label11, 4800, 2880, 240, labelHeight},
        {&Label15, 6480, 2880, 1200, labelHeight},
        {&Label16, 7680, 2880, 1080, labelHeight},
        {&Label17, 8760, 2880, 1080, labelHeight},

        {&Label34, 6120, 3360, 855, labelHeight},
        {&Label23, 480, 3480, 900, labelHeight},
        {&Text112, 1440, 3480, 975, 315},
        {&Label28, 2520, 3480, 360, labelHeight},
        {&Label9, 3240, 3480, 480, labelHeight},
        {&Text118, 3720, 3480, 975, 360},
        {&Command2, 4800, 3480, 615, 375},
        {&Label12, 7080, 3480, 1200, labelHeight},
        {&Label13, 8280, 3480, 1200, labelHeight},

        {&Label21, 6240, 3840, 255, 615},
        {&Text119, 7080, 3840, 975, 315},
        {&Text120, 8280, 3840, 975, 315},
        {&Label53, 9480, 3840, 495, 375},
        {&Label24, 240, 3960, 1200, labelHeight},
        {&Text113, 1440, 3960, 975, 315},
        {&Label29, 2520, 3960, 480, labelHeight},
        {&Command3, 3240, 4080, 2175, 615},
        {&Text7, 7080, 4200, 975, 315},
        {&Text8, 8280, 4200, 975, 315},
        {&Label54, 9480, 4200, 495, 375},
        {&Text114, 1440, 4320, 975, 315},
        {&Label31, 2520, 4320, 480, labelHeight},

        {&Label49, 6120, 4680, 855, labelHeight},
        {&Label25, 360, 4800, 1080, labelHeight},
        {&Text115, 1440, 4800, 975, 315},
        {&Label30, 2520, 4800, 480, labelHeight},
        {&Command1, 3240, 4800, 2175, 615},
        {&Label45, 7080, 4800, 1200, labelHeight},
        {&Label46, 8280, 4800, 1200, labelHeight},
        {&Text116, 1440, 5160, 975, 315},
        {&Label32, 2520, 5160, 480, labelHeight},

        {&Label51, 6120, 5280, 855, labelHeight},
        {&Label14, 7080, 5400, 1200, labelHeight},
        {&Label20, 8280, 5400, 1200, labelHeight},
        {&Label22, 6240, 5760, 255, 615},
        {&Text9, 7080, 5760, 975, 315},
        {&Text10, 8280, 5760, 975, 315},
        {&Label55, 9480, 5760, 495, 375},
        {&Text121, 7080, 6120, 975, 315},
        {&Text122, 8280, 6120, 975, 315},
        {&Label56, 9480, 6120, 495, 375},
        {&Label52, 6120, 6600, 855, labelHeight},
        {&Label35, 7080, 6720, 1200, labelHeight},
        {&Label50, 8280, 6720, 1200, labelHeight},

        {&Label62, 120, 5640, 5880, 240},
        {&Label57, 120, 5880, 5880, 240},
        {&Label58, 120, 6120, 5880, 240},
        {&Label59, 120, 6360, 5880, 240},
        {&Label60, 120, 6600, 5880, 240},
        {&Label61, 120, 6840, 5880, 240},
        {&Label68, 120, 7080, 5880, 240},
    };
    for (const Place &place : places)
        place.control->setGeometryTwips(place.left, place.top, place.width, place.height);

    const QFont captionFont = calculatorFont(9, false);
    for (QLabel *label : findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label != Label26.widget())
            label->setFont(captionFont);
    }
    for (CommandButton *button : {&Command1, &Command2, &Command3})
        button->widget()->setFont(captionFont);
    // The narrow block captions stand their two characters one below the other.
    for (Label *label : {&Label18, &Label19, &Label21, &Label22})
        label->widget()->setWordWrap(true);

    const QFont boxFont = calculatorFont(10.5, true);
    for (QLineEdit *box : findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
        box->setFont(boxFont);
    Combo1.widget()->setFont(boxFont);
    Combo2.widget()->setFont(boxFont);
    Text117.widget()->setFont(calculatorFont(12, true));
    Text118.widget()->setFont(calculatorFont(12, true));

    // Locked boxes take the focus too, so Tab goes on from the rate into the profits.
    QWidget *order[] = {
        Text101.widget(), Text102.widget(), Text103.widget(), Text104.widget(), Text105.widget(),
        Text106.widget(), Text107.widget(), Text108.widget(), Text109.widget(), Text110.widget(),
        Text111.widget(), Combo1.widget(),  Text112.widget(), Text113.widget(), Text114.widget(),
        Text115.widget(), Text116.widget(), Text117.widget(), Text118.widget(), Text119.widget(),
        Text120.widget(), Text121.widget(), Text122.widget(),
    };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void ProfitPanel::wireHandlers()
{
    for (TextBox *box : {&Text101, &Text103, &Text105, &Text106, &Text107, &Text112, &Text113,
                         &Text115, &Text117, &Text118})
        box->KeyPress = NumericKeyFilter;

    Text101.Change = [this] { Text101_Change(); };
    Text102.Change = [this] { Text102_Change(); };
    Text103.Change = [this] { Text103_Change(); };
    Text105.Change = [this] { Text105_Change(); };
    Text106.Change = [this] { Text106_Change(); };
    Text107.Change = [this] { Text107_Change(); };
    Text108.Change = [this] { Text108_Change(); };
    Text109.Change = [this] { Text109_Change(); };
    Text110.Change = [this] { Text110_Change(); };
    Text111.Change = [this] { Text111_Change(); };
    Text112.Change = [this] { Text112_Change(); };
    Text113.Change = [this] { Text113_Change(); };
    Text115.Change = [this] { Text115_Change(); };
    Text117.Change = [this] { Text117_Change(); };
    Text120.Change = [this] { Text120_Change(); };
    Text8.Change = [this] { Text8_Change(); };
    Text10.Change = [this] { Text10_Change(); };
    Text122.Change = [this] { Text122_Change(); };
    Text118.LostFocus = [this] { Text118_LostFocus(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Combo2.Click = [this] { Combo2_Click(); };
    Combo1.Click = [this] { Combo1_Click(); };
    Combo1.KeyPress = [this](int &keyAscii) { Combo1_KeyPress(keyAscii); };
    Combo1.Change = [this] { Combo1_Change(); };
    Combo1.KeyUp = [this](int keyCode, int shift) { Combo1_KeyUp(keyCode, shift); };
}

double ProfitPanel::rate() const
{
    return numberIn(Text118);
}

void ProfitPanel::convertIntoCurrency(const TextBox &rmbBox, TextBox &currencyBox)
{
    const double exchangeRate = rate();
    writeTwoStep(currencyBox, rmbToCurrency(numberIn(rmbBox), exchangeRate));
}

// ---- Boxes, conversions and net profits

void ProfitPanel::Text101_Change()
{
    convertIntoCurrency(Text101, Text102);
}

void ProfitPanel::Text102_Change()
{
    RecalcProfits();
}

void ProfitPanel::Text117_Change()
{
    RecalcFee(Text108, Text110);
    RecalcFee(Text109, Text111);
}

void ProfitPanel::Text120_Change()
{
    ShowProfitInCurrency(Text120, Text119, Label53);
}

void ProfitPanel::Text8_Change()
{
    ShowProfitInCurrency(Text8, Text7, Label54);
}

void ProfitPanel::Text10_Change()
{
    ShowProfitInCurrency(Text10, Text9, Label55);
}

void ProfitPanel::Text122_Change()
{
    ShowProfitInCurrency(Text122, Text121, Label56);
}

void ProfitPanel::Text118_LostFocus()
{
    ValidateRateAndRecalc();
}

void ProfitPanel::Command2_Click()
{
    ValidateRateAndRecalc();
}

void ProfitPanel::Command1_Click()
{
    writeEach({&Text101, &Text103, &Text105}, QString());
    writeEach({&Text108, &Text109}, "0");
    Text112.setText(QString());
    writeEach({&Text113, &Text114, &Text115, &Text116, &Text119, &Text121}, "0");
}

void ProfitPanel::RecalcProfits()
{
    struct Profit
    {
        TextBox &profit;
        const TextBox &sales;
        const TextBox &fee;
        const TextBox &freight;
    };
    const Profit profits[] = {
        {Text120, Text108, Text110, Text113},
        {Text122, Text109, Text111, Text115},
        {Text8, Text108, Text110, Text115},
        {Text10, Text109, Text111, Text113},
    };
    for (const Profit &p : profits) {
        const double exchangeRate = rate();
        writeTwoStep(p.profit, netProfit(numberIn(p.sales), exchangeRate, numberIn(Text101),
                                         numberIn(Text103), numberIn(p.fee), numberIn(p.freight)));
    }
    MarkUndeliverable();
}

void ProfitPanel::MarkUndeliverable()
{
    // Each RMB profit is marked before its currency box, whose text its Change
    // handler would otherwise overwrite.
    if (Text113.text() == undeliverable)
        writeEach({&Text114, &Text120, &Text119, &Text10, &Text9}, undeliverable);
    if (Text115.text() == undeliverable)
        writeEach({&Text116, &Text122, &Text121, &Text8, &Text7}, undeliverable);
}

void ProfitPanel::ShowProfitInCurrency(TextBox &rmbBox, TextBox &currencyBox, Label &word)
{
    convertIntoCurrency(rmbBox, currencyBox);
    word.setCaption(profitWord(numberIn(rmbBox)));
}

void ProfitPanel::ConvertRmbToCurrency()
{
    convertIntoCurrency(Text101, Text102);
    convertIntoCurrency(Text103, Text104);
    convertIntoCurrency(Text113, Text114);
    convertIntoCurrency(Text115, Text116);
}

void ProfitPanel::ValidateRateAndRecalc()
{
    if (Text118.text().isEmpty() || Text118.text() == ".")
        Text118.setText("0");
    // A text that is no number as a whole (6..1, pasted words) is no usable
    // rate either.
    const std::optional<double> typed = readStrict(Text118.text());
    if (!typed || *typed == 0) {
        services.dialogs->msgBox(QStringLiteral("亲，汇率不能为0不能为空也不能为小数点哦！"),
                                 MsgStyle::Information, QStringLiteral("亲，不能这么填哦亲！"));
        if (const std::optional<QString> defaultRate = DefaultRates(Combo2.text()))
            Text118.setText(*defaultRate);
    }
    // Converting at the rate now standing keeps every box at one rate.
    ConvertRmbToCurrency();
    RecalcProfits();
}

// ---- Input cascade

void ProfitPanel::RecalcSales(TextBox &chargeBox, TextBox &salesBox)
{
    const double charge = numberIn(chargeBox);
    const double unitPrice = numberIn(Text105);
    writeTwoStep(salesBox, unitPrice + charge);
}

void ProfitPanel::RecalcFee(TextBox &salesBox, TextBox &feeBox)
{
    const double feePercent = numberIn(Text117);
    const double sales = numberIn(salesBox);
    writePlain(feeBox, transactionFee(sales, feePercent));
}

void ProfitPanel::Text105_Change()
{
    RecalcSales(Text106, Text108);
    RecalcSales(Text107, Text109);
    RecalcProfits();
}

void ProfitPanel::Text106_Change()
{
    RecalcSales(Text106, Text108);
    RecalcProfits();
}

void ProfitPanel::Text107_Change()
{
    RecalcSales(Text107, Text109);
    RecalcProfits();
}

void ProfitPanel::Text108_Change()
{
    RecalcFee(Text108, Text110);
}

void ProfitPanel::Text109_Change()
{
    RecalcFee(Text109, Text111);
}

void ProfitPanel::Text110_Change()
{
    RecalcProfits();
}

void ProfitPanel::Text111_Change()
{
    RecalcProfits();
}

void ProfitPanel::Text103_Change()
{
    convertIntoCurrency(Text103, Text104);
    RecalcProfits();
}

void ProfitPanel::Text113_Change()
{
    convertIntoCurrency(Text113, Text114);
    RecalcProfits();
}

void ProfitPanel::Text115_Change()
{
    convertIntoCurrency(Text115, Text116);
    RecalcProfits();
}

// ---- Freight by destination and parcel weight

void ProfitPanel::Combo1_Click()
{
    RecalcEmsFreight();
}

void ProfitPanel::Text112_Change()
{
    RecalcEmsFreight();
}

void ProfitPanel::Combo1_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(keyCode);
    Q_UNUSED(shift);
    RecalcEmsFreight();
    RecalcCustomFreight();
}

void ProfitPanel::Combo1_KeyPress(int &keyAscii)
{
    constexpr int backspace = 8;
    AutoCompleteArmed = keyAscii != backspace;
}

void ProfitPanel::Combo1_Change()
{
    CountryAutoComplete();
}

void ProfitPanel::RecalcEmsFreight()
{
    ParcelWeight = numberIn(Text112);
    const EmsZone *zone = emsZoneOf(Combo1.text());
    if (!zone) {
        // Each RMB profit before its currency box, so all six end marked.
        writeEach({&Text115, &Text116, &Text122, &Text121, &Text8, &Text7}, undeliverable);
        return;
    }
    if (ParcelWeight <= 0)
        writeEach({&Text113, &Text115, &Text114, &Text116}, "0");
    else
        writePlain(Text115, emsPrice(*zone, ParcelWeight));
}

void ProfitPanel::RecalcCustomFreight()
{
    const CustomFreightGroup *group = customFreightGroupOf(Combo1.text());
    if (!group) {
        writeEach({&Text113, &Text114, &Text120, &Text119, &Text10, &Text9}, undeliverable);
        return;
    }
    // Only the custom freight is zeroed: an EMS freight marked for a destination
    // without an EMS zone stays marked.
    if (ParcelWeight <= 0)
        writeEach({&Text113, &Text114}, "0");
    else
        writePlain(Text113, customFreightPrice(*group, ParcelWeight));
}

void ProfitPanel::CountryAutoComplete()
{
    if (!AutoCompleteArmed.value_or(false))
        return;
    const QString typed = Combo1.text();
    QStringList items;
    for (int i = 0; i < Combo1.ListCount(); ++i)
        items << Combo1.List(i);
    const std::optional<QString> item = firstItemStartingWith(items, typed);
    if (!item)
        return;
    // Writing the item runs this step once more, nested, on the completed text;
    // the combo box ignores the write of the text it already holds, so it ends there.
    Combo1.setText(*item);
    Combo1.setSelStart(int(typed.size()));
    Combo1.setSelLength(int(item->size() - typed.size()));
}

// ---- Currency switch and online exchange rate

std::array<Label *, 13> ProfitPanel::currencyCaptionLabels()
{
    return {&Label2,  &Label4,  &Label6,  &Label5,  &Label7,  &Label8, &Label15,
            &Label16, &Label17, &Label31, &Label32, &Label12, &Label14};
}

void ProfitPanel::Combo2_Click()
{
    const Currency *currency = currencyNamed(Combo2.text());
    if (!currency)
        return;
    const std::array<Label *, 13> labels = currencyCaptionLabels();
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i]->setCaption(currency->captions.value(qsizetype(i)));
    Combo1.setText(currency->destination);
    Command3.setCaption(currency->fetchCaption);
    Text118.setText(currency->defaultRate);
    ConvertRmbToCurrency();
    RecalcProfits();
}

void ProfitPanel::Command3_Click()
{
    if (const Currency *currency = currencyNamed(Combo2.text())) {
        const QString address =
            services.endpoints->base(QStringLiteral("websearch")) + "/s?" + currency->rateQuery;
        // The window waits for both requests; no click may start a second fetch
        // in the middle of this one.
        const InetEventsPaused paused(*services.inet);
        const QString page = GetBody(*services.http, address, QStringLiteral("utf-8"));
        const bool reachable = NetworkProbe(*services.inet, address);

        std::optional<QString> fetched;
        if (reachable) {
            if (const std::optional<QString> cut =
                    CutBetween(page, currency->openingMarker, rateClosingMarker))
                fetched = acceptedRate(*cut);
        }
        // A page without a usable rate is reported like no page at all: the
        // rate box keeps its rate.
        if (fetched)
            Text118.setText(*fetched);
        else
            showRateOffline(*services.dialogs);
    }
    ConvertRmbToCurrency();
    RecalcProfits();
}
