#include "fba/form3.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

// The window as it was drawn: design texts, places, fonts, tab order and the ruling lines.

namespace {

constexpr int boxHeight = 495;
constexpr int captionHeight = 300;
// A caption is centred on its box and may run a little past the box's ends.
constexpr int captionOverhang = 150;

QFont boldFont(qreal points)
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

// Windows wraps a button's caption onto more lines when it does not fit; a Qt button
// does not, so a wrapping label on the button shows the caption in its place.
void showCaptionWrapped(CommandButton &button)
{
    QPushButton *widget = button.widget();
    QPalette palette = widget->palette();
    const QColor textColour = palette.color(QPalette::ButtonText);
    palette.setColor(QPalette::ButtonText, Qt::transparent);
    widget->setPalette(palette);
    auto *caption = new QLabel(button.Caption(), widget);
    palette.setColor(QPalette::ButtonText, textColour);
    caption->setPalette(palette);
    caption->setTextFormat(Qt::PlainText);
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignCenter);
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    caption->setGeometry(widget->rect().adjusted(4, 4, -4, -4));
}

struct Line
{
    int x1, y1, x2, y2;
};

// The table ruled around the boxes: the upper one round the item's figures, the lower one
// round the fees and the factors.
constexpr int tableLeft = 240;
constexpr int tableRight = 14460;
constexpr int upperTop = 1380, upperBottom = 3300;
constexpr int lowerTop = 3900, lowerBottom = 5970;
constexpr int upperColumns[] = {2100, 3900, 5640, 7320, 9000, 10680, 12540};
constexpr int lowerColumns[] = {2160, 4080, 6000, 7990, 10140, 13110};

QList<Line> rulingLines()
{
    QList<Line> lines;
    for (int y : {upperTop, upperBottom, lowerTop, lowerBottom})
        lines.append({tableLeft, y, tableRight, y});
    for (int x : {tableLeft, tableRight}) {
        lines.append({x, upperTop, x, upperBottom});
        lines.append({x, lowerTop, x, lowerBottom});
    }
    for (int x : upperColumns)
        lines.append({x, upperTop, x, upperBottom});
    for (int x : lowerColumns)
        lines.append({x, lowerTop, x, lowerBottom});
    return lines;
}

} // namespace

void Form3::setDesignState()
{
    for (TextBox *box : textBoxes())
        box->setText(QStringLiteral("0"));
    Text3.setText(QStringLiteral("1"));
    Text24.setText(QStringLiteral("453.59237"));
    Text25.setText(QStringLiteral("2.54"));
    Text26.setText(QStringLiteral("6.3672"));
    const QList<TextBox *> editable{&Text1, &Text3,  &Text4,  &Text6,  &Text7,
                                    &Text8, &Text20, &Text24, &Text25, &Text26};
    for (TextBox *box : textBoxes())
        box->setLocked(!editable.contains(box));

    Combo1.AddItem(QStringLiteral("非媒介类产品"));
}

void Form3::layOut()
{
    Label30.setGeometryTwips(0, 120, 14670, 480);
    Label30.widget()->setFont(boldFont(15.75));
    Label30.widget()->setAlignment(Qt::AlignCenter);

    Combo1.setGeometryTwips(240, 600, 1815, 360);
    Combo1.widget()->setFont(boldFont(9));

    enum Place { Above, Below };
    const struct
    {
        TextBox *box;
        int left, top, width, height;
        Label *caption;
        Place place;
    } boxes[] = {
        {&Text1, 480, 1800, 1455, 525, &Label1, Above},
        {&Text2, 480, 2400, 1455, boxHeight, &Label2, Below},
        {&Text3, 2280, 2160, 1455, boxHeight, &Label3, Above},
        {&Text4, 4080, 1800, 1455, boxHeight, &Label4, Above},
        {&Text5, 4080, 2400, 1455, boxHeight, &Label5, Below},
        {&Text6, 5760, 1800, 1455, boxHeight, &Label6, Above},
        {&Text7, 7440, 1800, 1455, boxHeight, &Label7, Above},
        {&Text8, 9120, 1800, 1455, boxHeight, &Label8, Above},
        {&Text9, 5760, 2400, 1455, boxHeight, &Label9, Below},
        {&Text10, 7440, 2400, 1455, boxHeight, &Label10, Below},
        {&Text11, 9120, 2400, 1455, boxHeight, &Label11, Below},
        {&Text27, 10800, 1800, 1455, boxHeight, &Label37, Above},
        {&Text28, 10800, 2400, 1455, boxHeight, &Label36, Below},
        {&Text12, 12840, 1800, 1455, boxHeight, &Label12, Above},
        {&Text13, 12840, 2400, 1455, boxHeight, &Label13, Below},
        {&Text14, 480, 4320, 1455, boxHeight, &Label14, Above},
        {&Text15, 480, 4920, 1455, boxHeight, &Label15, Below},
        {&Text16, 2400, 4320, 1455, boxHeight, &Label16, Above},
        {&Text17, 2400, 4920, 1455, boxHeight, &Label17, Below},
        {&Text18, 4320, 4320, 1455, boxHeight, &Label18, Above},
        {&Text19, 4320, 4920, 1455, boxHeight, &Label19, Below},
        {&Text20, 6240, 4320, 1455, boxHeight, &Label20, Above},
        {&Text21, 6240, 4920, 1455, boxHeight, &Label21, Below},
        {&Text22, 8280, 4320, 1695, boxHeight, &Label22, Above},
        {&Text23, 8280, 4920, 1695, boxHeight, &Label23, Below},
    };
    for (const auto &place : boxes) {
        place.box->setGeometryTwips(place.left, place.top, place.width, place.height);
        const int captionTop =
            place.place == Above ? place.top - captionHeight - 30 : place.top + place.height + 30;
        place.caption->setGeometryTwips(place.left - captionOverhang, captionTop,
                                        place.width + 2 * captionOverhang, captionHeight);
        place.caption->widget()->setAlignment(Qt::AlignCenter);
        place.caption->widget()->setFont(boldFont(9));
    }
    for (Label *total : {&Label22, &Label23})
        total->widget()->setFont(boldFont(10.5));

    // The three factors, each between its two captions.
    const struct
    {
        TextBox *box;
        int top;
        Label *before;
        Label *after;
    } factors[] = {{&Text24, 3960, &Label24, &Label25},
                   {&Text25, 4680, &Label26, &Label27},
                   {&Text26, 5400, &Label28, &Label29}};
    for (const auto &factor : factors) {
        factor.box->setGeometryTwips(11160, factor.top, 975, boxHeight);
        factor.before->setGeometryTwips(10200, factor.top + 90, 930, captionHeight);
        factor.before->widget()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        factor.after->setGeometryTwips(12165, factor.top + 90, 900, captionHeight);
        factor.after->widget()->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        for (Label *caption : {factor.before, factor.after})
            caption->widget()->setFont(boldFont(9));
    }
    Command1.setGeometryTwips(13200, 4320, 1215, 1095);
    Command1.widget()->setFont(boldFont(12));
    showCaptionWrapped(Command1);

    for (TextBox *box : textBoxes())
        box->widget()->setFont(boldFont(10.5));
    for (TextBox *total : {&Text22, &Text23})
        total->widget()->setFont(boldFont(12));

    // The usage notes keep the window's own font.
    Label38.setGeometryTwips(240, 6120, 14190, 240);
    const struct
    {
        Label *note;
        int left, width;
    } notes[] = {{&Label31, 240, 3240},
                 {&Label32, 3480, 3720},
                 {&Label33, 7200, 2040},
                 {&Label34, 9240, 2160},
                 {&Label35, 11400, 3270}};
    for (const auto &note : notes)
        note.note->setGeometryTwips(note.left, 6360, note.width, 240);

    // Tab order as the window was drawn: the button first, then the boxes from the last
    // number down, the list between the two tables, and the volume boxes at the end.
    QList<QWidget *> tabOrder{Command1.widget()};
    for (int number = 26; number >= 12; --number)
        tabOrder.append(textBoxes()[number - 1]->widget());
    tabOrder.append(Combo1.widget());
    for (int number = 11; number >= 1; --number)
        tabOrder.append(textBoxes()[number - 1]->widget());
    tabOrder << Text27.widget() << Text28.widget();
    for (int i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void Form3::paintEvent(QPaintEvent *event)
{
    Form::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    for (const Line &line : rulingLines())
        painter.drawLine(twips(line.x1), twips(line.y1), twips(line.x2), twips(line.y2));
}
