#include "upc/generator_panel.h"

#include "net/endpoints.h"
#include "platform/box_number.h"
#include "platform/clipboard.h"
#include "platform/controls/form.h"
#include "platform/dialogs.h"
#include "platform/numeric_key_filter.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "upc/barcode_service.h"
#include "upc/code_list.h"
#include "upc/code_type_table.h"
#include "upc/flag_digits.h"
#include "upc/form6.h"
#include "upc/generator_settings.h"
#include "upc/upc_generation.h"
#include "upc/wrapped_caption.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString openCaption = QStringLiteral("打开UPC码生成器");
const QString closeCaption = QStringLiteral("关闭UPC码生成器");
constexpr int openWindowWidth = 16155;
constexpr int closedWindowWidth = 10440;

const QString emptyBoxPrompt = QStringLiteral("亲，老花眼了吧，文本框是空的！没有复制到任何内容！");
const QString emptyBoxTitle = QStringLiteral("文本框内容为空！");
const QString copiedTitle = QStringLiteral("亲，您复制成功了！");
const QString notGeneratedTitle = QStringLiteral("亲，请先生成UPC码！");

int exportPasses(const QString &countText)
{
    const std::optional<double> count = readStrict(countText);
    if (!count)
        return 0;
    return toInt16(*count).value_or(0);
}

} // namespace

GeneratorPanel::GeneratorPanel(Services &services, QWidget *parent)
    : QWidget(parent)
    , services(services)
{
    for (const QString &name : codeTypeNames())
        Combo4.AddItem(name);
    Text3.setText(QStringLiteral("1"));
    Text3.setMaxLength(4);
    Text3.setEnabled(false);
    Text4.setText(QStringLiteral("1"));
    Text4.setMaxLength(2);
    Text4.setEnabled(false);
    Text1.setText(howToText() + QStringLiteral("\r\n"));
    Text1.textEdit()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text6.setLocked(true);
    Image1.widget()->setScaledContents(true);

    layOut();
    wireHandlers();
}

void GeneratorPanel::layOut()
{
    new WrappedCaption(Command4.widget());
    Label39.widget()->setAlignment(Qt::AlignCenter);
    Label39.setGeometryTwips(60, 240, 240, 300);
    Command4.setGeometryTwips(0, 600, 345, 7620);

    Combo4.setGeometryTwips(480, 240, 2400, 360);
    flagDigitCaption.setGeometryTwips(3120, 270, 900, 300);
    Combo3.setGeometryTwips(4020, 240, 1560, 360);
    manufacturerCaption.setGeometryTwips(480, 750, 900, 300);
    Text2.setGeometryTwips(1380, 720, 1500, 360);
    productCaption.setGeometryTwips(3120, 750, 900, 300);
    Text5.setGeometryTwips(4020, 720, 1560, 360);
    countCaption.setGeometryTwips(480, 1230, 900, 300);
    Text3.setGeometryTwips(1380, 1200, 1500, 360);
    intervalCaption.setGeometryTwips(3120, 1230, 900, 300);
    Text4.setGeometryTwips(4020, 1200, 1560, 360);
    Command6.setGeometryTwips(480, 1680, 5100, 450);

    Text1.setGeometryTwips(480, 2280, 2400, 4800);
    Text6.setGeometryTwips(3120, 2280, 2460, 360);
    Command8.setGeometryTwips(3120, 2760, 1170, 420);
    Command9.setGeometryTwips(4410, 2760, 1170, 420);
    Command10.setGeometryTwips(3120, 3300, 1170, 420);
    Command7.setGeometryTwips(4410, 3300, 1170, 420);
    Command12.setGeometryTwips(3120, 3840, 1170, 420);
    Command17.setGeometryTwips(4410, 3840, 1170, 420);
    Image1.setGeometryTwips(3120, 4380, 2460, 1080);

    Command11.setGeometryTwips(480, 7320, 1600, 450);
    Command16.setGeometryTwips(2230, 7320, 1600, 450);
    Command5.setGeometryTwips(3980, 7320, 1600, 450);
    Label43.setGeometryTwips(480, 7920, 3000, 300);
    Label43.widget()->setCursor(Qt::PointingHandCursor);
}

void GeneratorPanel::wireHandlers()
{
    Combo4.Click = [this] { Combo4_Click(); };
    Combo3.KeyPress = [this](int &keyAscii) { Combo3_KeyPress(keyAscii); };
    Text2.Change = [this] { Text2_Change(); };
    for (TextBox *box : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6})
        box->KeyPress = [](int &keyAscii) { NumericKeyFilter(keyAscii); };
    Command6.Click = [this] { Command6_Click(); };

    Command8.Click = [this] { Command8_Click(); };
    Command9.Click = [this] { Command9_Click(); };
    Text1.DblClick = [this] { Text1_DblClick(); };
    Command17.Click = [this] { Command17_Click(); };
    Command10.Click = [this] { Command10_Click(); };
    Command7.Click = [this] { Command7_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Label43.Click = [this] { Label43_Click(); };

    Text6.Change = [this] { Text6_Change(); };
    Command11.Click = [this] { Command11_Click(); };
    Command16.Click = [this] { Command16_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Command12.Click = [this] { Command12_Click(); };
}

void GeneratorPanel::enableCountAndInterval()
{
    Text3.setEnabled(true);
    Text4.setEnabled(true);
}

void GeneratorPanel::runStartupSteps(const QString &announcementPage)
{
    for (const QString &digit : offeredFlagDigits(announcementPage))
        Combo3.AddItem(digit);

    // The type goes first: choosing it empties the two code boxes.
    const GeneratorFields saved = GeneratorSettings::read(services.paths);
    Combo4.setText(saved.codeType);
    Combo3.setText(saved.flagDigit);
    Text2.setText(saved.manufacturer);
    Text5.setText(saved.product);
    Text3.setText(saved.count);
    Text4.setText(saved.interval);

    if (Text2.text().isEmpty())
        return;
    if (!Combo3.text().isEmpty())
        Command6_Click();
    else
        Text1.setText(QStringLiteral(
            "由于亚马逊最新政策原因，软件暂不提供部分旗码选项，请重新选择旗码！谢谢！"));
}

const CodeType *GeneratorPanel::chosenType() const
{
    return findCodeType(Combo4.text());
}

// --- Generation ---

void GeneratorPanel::Combo4_Click()
{
    const CodeType *type = chosenType();
    if (!type)
        return;
    Text2.setText({});
    Text5.setText({});
    Text2.setMaxLength(type->manufacturerWidth);
    Text5.setMaxLength(type->productWidth);
    Command11.setEnabled(type->hasBarcode);
}

void GeneratorPanel::Combo3_KeyPress(int &keyAscii)
{
    // The flag digit is picked from the list only, never typed.
    keyAscii = 0;
}

void GeneratorPanel::Text2_Change()
{
    const CodeType *type = chosenType();
    if (type && Text2.text().size() == type->manufacturerWidth)
        Text5.setFocus();
}

void GeneratorPanel::Command6_Click()
{
    // Saved before any test, so empty or invalid fields are remembered too.
    writeback();
    const CodeType *type = chosenType();
    if (!type)
        return;
    if (Text2.text().isEmpty() || Text5.text().isEmpty()) {
        services.dialogs->msgBox(QStringLiteral("亲，请填写厂商代码和商品代码哦！"),
                                 MsgStyle::Information,
                                 QStringLiteral("亲，厂商代码或者商品代码不能为空！"));
        return;
    }
    RunRequest request;
    request.manufacturer = readLenient(Text2.text());
    request.product = readLenient(Text5.text());
    Text1.setText({});
    request.count = readLenient(Text3.text());
    request.interval = readLenient(Text4.text());
    request.flag = readLenient(Combo3.text());
    Text1.setText(generateRun(*type, request));

    currentCodeStart = 0;
    Text1.setSelStart(0);
    Text1.setSelLength(type->codeWidth);
    Text1.setFocus();
    Text6.setText(Text1.SelText());
}

void GeneratorPanel::writeback()
{
    GeneratorSettings::write(services.paths, {Combo4.text(), Combo3.text(), Text2.text(),
                                              Text5.text(), Text3.text(), Text4.text()});
}

// --- The code list ---

void GeneratorPanel::selectAndShow(int position, const CodeType &type)
{
    Text1.setSelStart(position);
    Text1.setSelLength(type.codeWidth);
    Text1.setFocus();
    Text6.setText(Text1.SelText());
}

void GeneratorPanel::Command8_Click()
{
    const CodeType *type = chosenType();
    if (!type)
        return;
    currentCodeStart = previousCodeStart(currentCodeStart, *type);
    selectAndShow(currentCodeStart, *type);
}

void GeneratorPanel::Command9_Click()
{
    const CodeType *type = chosenType();
    if (!type)
        return;
    const int position =
        nextCodeStart(currentCodeStart, *type, readLenient(Text3.text()), Text1.text());
    selectAndShow(position, *type);
    currentCodeStart = position;
}

void GeneratorPanel::Text1_DblClick()
{
    Text6.setText(Text1.SelText());
    currentCodeStart = Text1.SelStart();
}

void GeneratorPanel::Command17_Click()
{
    const CodeType *type = chosenType();
    if (!type)
        return;
    Text5.setText(continuedProductCode(*type, Text6.text()));
}

void GeneratorPanel::Command10_Click()
{
    if (Text1.text().isEmpty()) {
        services.dialogs->msgBox(emptyBoxPrompt, MsgStyle::Information, emptyBoxTitle);
        return;
    }
    services.clipboard->setText(Text6.text());
    services.dialogs->msgBox(
        QStringLiteral("亲，复制单个UPC码成功，您可以粘贴到其它地方了，欧也！"),
        MsgStyle::Information, copiedTitle);
}

void GeneratorPanel::Command7_Click()
{
    if (Text1.text().isEmpty()) {
        services.dialogs->msgBox(emptyBoxPrompt, MsgStyle::Information, emptyBoxTitle);
        return;
    }
    services.clipboard->setText(Text1.text());
    services.dialogs->msgBox(
        QStringLiteral("亲，复制全部UPC码成功，您可以粘贴到其它地方了，欧也！"),
        MsgStyle::Information, copiedTitle);
}

void GeneratorPanel::Command4_Click()
{
    const bool opening = Command4.Caption() == openCaption;
    QWidget *mainWindow = window();
    mainWindow->resize(Form::twips(opening ? openWindowWidth : closedWindowWidth),
                       mainWindow->height());
    Command4.setCaption(opening ? closeCaption : openCaption);
    Label39.setCaption(opening ? QStringLiteral(">") : QStringLiteral("<"));
}

void GeneratorPanel::Label43_Click()
{
    Text1.setText(howToText());
}

// --- Barcode pictures, the output folders and the lookup ---

QString GeneratorPanel::outputFolder() const
{
    return QDir(services.paths.programDir).filePath(QStringLiteral("orvoupc"));
}

QString GeneratorPanel::artworkFolder() const
{
    return QDir(outputFolder()).filePath(QStringLiteral("Artwork"));
}

QString GeneratorPanel::previewFile() const
{
    return QDir(services.paths.programDir).filePath(QStringLiteral("orvoupcimg.gif"));
}

void GeneratorPanel::Text6_Change()
{
    if (Text1.text().isEmpty())
        return;
    const CodeType *type = chosenType();
    if (!type)
        return;
    if (!type->hasBarcode) {
        Image1.setVisible(false);
        return;
    }
    Image1.setVisible(true);
    // Only a code of digits is sent to the service; any other text fetches nothing.
    const QString code = Text6.text();
    if (isDigitCode(code) &&
        !BarcodeService::fetchPicture(*services.inet, services.endpoints->base("barcode"), code,
                                      previewFile()))
        return;
    Image1.LoadPicture(previewFile());
}

void GeneratorPanel::Command11_Click()
{
    if (Text6.text().isEmpty()) {
        services.dialogs->msgBox(QStringLiteral("亲，请先生成UPC码再进行导出条码操作！"),
                                 MsgStyle::Information, notGeneratedTitle);
        return;
    }
    if (Text1.text().isEmpty()) {
        services.dialogs->msgBox(QStringLiteral("请先生成UPC码再生成UPC条码图片"), MsgStyle::OkOnly,
                                 QStringLiteral("错误提示：您还未生成UPC码"));
        return;
    }
    const QString base = services.endpoints->base("barcode");
    for (int passes = exportPasses(Text3.text()); passes >= 1; --passes) {
        // A file is named only after a code of digits: other text picked from the
        // list could name a file outside the artwork folder.
        const QString code = Text6.text();
        if (isDigitCode(code) &&
            !BarcodeService::fetchPicture(*services.inet, base, code,
                                          QDir(artworkFolder()).filePath(code + ".gif")))
            services.dialogs->msgBox(QStringLiteral("亲，是不是断网了啊？！"),
                                     MsgStyle::Information,
                                     QStringLiteral("亲，网络异常，你懂得！"));
        Command9_Click();
    }
    const MsgResult answer = services.dialogs->msgBox(
        QStringLiteral("导出UPC条码图片完成，图片保存在") +
            QDir::toNativeSeparators(artworkFolder()) +
            QStringLiteral("目录下，确定现在打开导出目录吗？"),
        MsgStyle::OkCancel | MsgStyle::Question, QStringLiteral("UPC码生成器提醒您"));
    if (answer == MsgResult::Ok)
        Command16_Click();
}

void GeneratorPanel::Command16_Click()
{
    services.shell->openFolder(QDir::toNativeSeparators(outputFolder() + QStringLiteral("/")));
}

void GeneratorPanel::Command5_Click()
{
    currentCodeStart = 0;
    Text1.setText({});
    Text6.setText({});
    QDir artwork(artworkFolder());
    const QDir::Filters every = QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    // A linked folder is not followed: what it links to lies outside the folder.
    for (const QString &folder : artwork.entryList(QDir::Dirs | QDir::NoSymLinks | every))
        QDir(artwork.filePath(folder)).removeRecursively();
    for (const QString &file : artwork.entryList(QDir::Files | every))
        artwork.remove(file);
}

void GeneratorPanel::Command12_Click()
{
    if (Text6.text().isEmpty()) {
        services.dialogs->msgBox(QStringLiteral("亲，请先生成UPC码再进行GTIN查询操作！"),
                                 MsgStyle::Information, notGeneratedTitle);
        return;
    }
    GTINURL = services.endpoints->base("marketplace") +
              QStringLiteral("/s/ref=nb_sb_noss?url=search-alias%3Daps&field-keywords=") +
              Text6.text();
    Form6::showDefault(services, GTINURL);
}
