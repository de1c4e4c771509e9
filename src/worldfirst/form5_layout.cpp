#include "worldfirst/form5.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

// The window as it was drawn: design texts and lists, places, fonts and tab order.

namespace {

struct RowOfThree
{
    Control *first; // may be missing
    Control *second;
    Control *third;
};

struct Column
{
    int left;
    int width;
};

// Lays rows of three controls out in three columns, one row every 480 twips.
void placeRows(std::initializer_list<RowOfThree> rows, int top, const Column (&columns)[3])
{
    for (const RowOfThree &row : rows) {
        Control *const cells[] = {row.first, row.second, row.third};
        for (int i = 0; i < 3; ++i) {
            if (cells[i])
                cells[i]->setGeometryTwips(columns[i].left, top, columns[i].width, 405);
        }
        top += 480;
    }
}

} // namespace

void Form5::setDesignState()
{
    for (TextBox *box : {&Text17, &Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text14,
                         &Text15, &Text16})
        box->setText(QStringLiteral("0"));
    Text18.setText(QStringLiteral("2.5"));
    Text8.setText(QStringLiteral("1.2210"));
    Text9.setText(QStringLiteral("1.5524"));
    Text10.setText(QStringLiteral("1.2384"));
    Text11.setText(QStringLiteral("1.2857"));
    Text12.setText(QStringLiteral("1.6341"));
    Text13.setText(QStringLiteral("1.3040"));
    for (TextBox *box : {&Text2, &Text3, &Text5, &Text6, &Text7})
        box->setLocked(true);

    for (const char *currency : {"USD", "GBP", "EUR"}) {
        Combo1.AddItem(currency);
        Combo2.AddItem(currency);
    }
    for (const char *currency : {"RMB", "USD", "GBP", "EUR"})
        Combo3.AddItem(currency);
    for (const QString &bank : bankNames())
        Combo4.AddItem(bank);
}

void Form5::layOut()
{
    QFont boxFont(QStringLiteral("微软雅黑"), 12, QFont::Bold);
    QFont titleFont = boxFont;
    titleFont.setPointSize(15);
    QFont linkFont(QStringLiteral("宋体"), 9);
    linkFont.setUnderline(true);

    Label8.setGeometryTwips(0, 120, 10290, 510);
    Label8.widget()->setFont(titleFont);
    Label8.widget()->setAlignment(Qt::AlignCenter);

    // The left column: a caption, a box and what follows the box on each row.
    placeRows({{&Label34, &Text17, &Combo1},
               {&Label1, &Text1, &Label35},
               {&Label5, &Text2, &Label4},
               {&Label2, &Text3, &Combo2},
               {&Label3, &Text4, &Combo3},
               {&Label7, &Text5, &Label6},
               {&Label9, &Text6, &Label10},
               {nullptr, &Text7, &Label12}},
              840, {{90, 1980}, {2100, 1530}, {3675, 1020}});

    // The float and the grid of floated rates, with the WorldFirst fetch to its right.
    Label37.setGeometryTwips(4785, 840, 1500, 405);
    Text18.setGeometryTwips(6300, 840, 720, 405);
    Label38.setGeometryTwips(7050, 840, 300, 405);
    Label39.setGeometryTwips(7365, 840, 1800, 405);
    Label16.setGeometryTwips(6000, 1380, 1095, 405);
    Label17.setGeometryTwips(7125, 1380, 1095, 405);
    Label11.setGeometryTwips(8265, 1380, 1980, 405);
    for (Label *head : {&Label16, &Label17, &Label11})
        head->widget()->setAlignment(Qt::AlignCenter);
    placeRows(
        {{&Label13, &Text8, &Text11}, {&Label14, &Text9, &Text12}, {&Label15, &Text10, &Text13}},
        1800, {{4785, 1185}, {6000, 1095}, {7125, 1095}});
    Command1.setGeometryTwips(8265, 1800, 1980, 1365);

    // The bank rates, with the bank list and the bank fetch to their right.
    placeRows({{&Label19, &Text14, &Label23},
               {&Label20, &Text15, &Label24},
               {&Label21, &Text16, &Label25}},
              3480, {{4785, 1185}, {6000, 1095}, {7125, 600}});
    Combo4.setGeometryTwips(7800, 3480, 1140, 405);
    Label18.setGeometryTwips(9000, 3480, 900, 405);
    Command2.setGeometryTwips(7800, 3960, 2130, 885);

    // The usage notes in the window's own font; the long ones take two lines.
    Label40.setGeometryTwips(90, 4860, 10110, 270);
    const struct
    {
        Label *note;
        int top;
        int height;
    } notes[] = {{&Label36, 5160, 270}, {&Label22, 5430, 270}, {&Label27, 5700, 270},
                 {&Label26, 5970, 480}, {&Label28, 6480, 270}, {&Label29, 6750, 270},
                 {&Label30, 7020, 480}};
    for (const auto &note : notes) {
        note.note->setGeometryTwips(90, note.top, 10110, note.height);
        note.note->widget()->setWordWrap(true);
        note.note->widget()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    Label31.setGeometryTwips(90, 7620, 2400, 270);
    Label32.setGeometryTwips(2800, 7620, 2600, 270);
    Label33.setGeometryTwips(5600, 7620, 4450, 270);
    for (Label *link : {&Label31, &Label32, &Label33}) {
        link->widget()->setFont(linkFont);
        QPalette navy = link->widget()->palette();
        navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
        link->widget()->setPalette(navy);
        link->widget()->setCursor(Qt::PointingHandCursor);
    }

    for (Label *label : {&Label34, &Label1,  &Label35, &Label5,  &Label4,  &Label2,  &Label3,
                         &Label7,  &Label6,  &Label9,  &Label10, &Label12, &Label37, &Label38,
                         &Label39, &Label16, &Label17, &Label13, &Label14, &Label15, &Label11,
                         &Label18, &Label19, &Label20, &Label21, &Label23, &Label24, &Label25})
        label->widget()->setFont(boxFont);
    for (ComboBox *list : {&Combo1, &Combo2, &Combo3, &Combo4})
        list->widget()->setFont(boxFont);
    for (CommandButton *button : {&Command1, &Command2})
        button->widget()->setFont(boxFont);
    for (TextBox *box :
         {&Text17, &Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text18, &Text8, &Text11,
          &Text9, &Text12, &Text10, &Text13, &Text14, &Text15, &Text16})
        box->widget()->setFont(boxFont);

    // Tab order as the window was drawn; locked boxes take the focus like the others.
    const QList<QWidget *> tabOrder = {
        Text17.widget(), Combo1.widget(), Text1.widget(),    Text2.widget(),   Text3.widget(),
        Combo2.widget(), Text4.widget(),  Combo3.widget(),   Text5.widget(),   Text6.widget(),
        Text7.widget(),  Text18.widget(), Text8.widget(),    Text11.widget(),  Text9.widget(),
        Text12.widget(), Text10.widget(), Text13.widget(),   Text14.widget(),  Text15.widget(),
        Text16.widget(), Combo4.widget(), Command1.widget(), Command2.widget()};
    for (int i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}
