#include "upc/packager_window.h"

#include "platform/box_number.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "upc/package_count.h"
#include "upc/package_name.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {

const QString allFiles = QStringLiteral("*.*");
const QString countNotice = QStringLiteral("UPC码数量填写有误，超出剩余数量！");
const QString countsDifferNotice =
    QStringLiteral("源文件中UPC码数量与EAN码数量不相等，严重错误，请务必仔细排查后刷新数量再打包！"
                   "本次打包操作已取消！");

} // namespace

QFont packagerFont(double points, bool bold)
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

PackagerWindow::PackagerWindow(Services &services, const PackagerVariant &variant, QWidget *parent)
    : Form(parent)
    , services(services)
    , variant(variant)
{
    setCaption(variant.caption);
    setClientSizeTwips(7200, 5400);
    Label6.setCaption(variant.caption);
    Text1.setText(PackagerSettings::defaults.folder);
    Text2.setText(QStringLiteral("请填写买家旺旺名"));
    Text3.setText(QStringLiteral("10"));
    Text4.setText(QStringLiteral("正在加载"));
    Text5.setText(variant.text5);
    Text4.setLocked(true);
    Text5.setLocked(true);

    Label6.setGeometryTwips(240, 240, 6720, 600);
    Label6.widget()->setAlignment(Qt::AlignCenter);
    const struct
    {
        Label &label;
        TextBox &box;
        int top;
    } rows[] = {{Label1, Text1, 1080}, {Label2, Text2, 1680}, {Label3, Text3, 2280}};
    for (const auto &row : rows) {
        row.label.setGeometryTwips(360, row.top + 60, 1800, 360);
        row.box.setGeometryTwips(2160, row.top, 4680, 450);
    }
    Label4.setGeometryTwips(360, 2940, 1080, 360);
    Text4.setGeometryTwips(1440, 2880, 1920, 450);
    Label5.setGeometryTwips(3720, 2940, 1080, 360);
    Text5.setGeometryTwips(4800, 2880, 2040, 450);
    CommandButton *buttons[] = {&Command1, &Command2, &Command3, &Command4};
    for (int i = 0; i < 4; ++i)
        buttons[i]->setGeometryTwips(360 + i * 1650, 3720, 1500, 540);

    Label6.widget()->setFont(packagerFont(18, true));
    for (Label *label : {&Label1, &Label2, &Label3, &Label4, &Label5})
        label->widget()->setFont(packagerFont(12, false));
    for (TextBox *box : {&Text1, &Text2, &Text4, &Text5})
        box->widget()->setFont(packagerFont(12, true));
    Text3.widget()->setFont(packagerFont(14.25, true));
    for (CommandButton *button : buttons)
        button->widget()->setFont(packagerFont(12, true));

    Text1.Change = [this] { Text1_Change(); };
    Text3.KeyPress = [this](int &keyAscii) { Text3_KeyPress(keyAscii); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
}

void PackagerWindow::Form_Load()
{
    const PackagerFields saved = PackagerSettings::read(services.paths, variant.keys);
    // The source folder last: its Change writes all three keys back.
    Text2.setText(saved.buyer);
    Text3.setText(saved.count);
    Text1.setText(saved.folder);
    Text3.setMaxLength(5);
    if (!variant.forcedSource.isEmpty())
        Text1.setText(QDir(services.paths.programDir).filePath(variant.forcedSource));
    countCodes();
}

void PackagerWindow::countCodes()
{
    sourceFolder = Text1.text();
    if (entryExists(variant.sides.first().artworkFrom(sourceFolder))) {
        showCodesLeft();
    } else {
        Text4.setText(folderErrorText);
        if (variant.sides.size() > 1)
            Text5.setText(folderErrorText);
    }
}

void PackagerWindow::showCodesLeft()
{
    TextBox *boxes[] = {&Text4, &Text5};
    for (int i = 0; i < variant.sides.size() && i < 2; ++i) {
        const int files = GetFileCount(variant.sides.at(i).artworkFrom(sourceFolder), allFiles);
        boxes[i]->setText(codesLeftText(files, variant.filesPerCode));
    }
}

void PackagerWindow::Text1_Change()
{
    countCodes();
    writeback();
}

void PackagerWindow::Text3_KeyPress(int &keyAscii)
{
    if (!(keyAscii >= '0' && keyAscii <= '9') && keyAscii != 8)
        keyAscii = 0;
}

void PackagerWindow::writeback()
{
    PackagerSettings::write(services.paths, variant.keys,
                            {Text1.text(), Text2.text(), Text3.text()});
}

void PackagerWindow::Command1_Click()
{
    const bool twoSides = variant.sides.size() > 1;
    if (twoSides && readLenient(Text5.text()) != readLenient(Text4.text())) {
        services.dialogs->msgBox(countsDifferNotice);
        resetButtons();
        return;
    }
    if (Text4.text() == folderErrorText) {
        services.dialogs->msgBox(QStringLiteral("UPC源文件目录错误，请检查后修改！"));
        resetButtons();
        return;
    }
    writeback();

    PackageOrder order;
    order.sourceFolder = sourceFolder;
    order.packageName =
        packageFolderName(services.clock->now(), Text2.text(), variant.nameWord, Text3.text());
    order.sides = variant.sides;
    order.filesPerCode = variant.filesPerCode;
    order.countText = Text3.text();
    order.spreadsheetPattern = variant.spreadsheetPattern;
    if (services.dialogs->msgBox(QStringLiteral("您正在打包此文件夹：") + order.packageFolder(),
                                 MsgStyle::OkCancel | MsgStyle::Question,
                                 questionTitle()) == MsgResult::Cancel)
        return;

    Command1.setCaption(QStringLiteral("打包中..."));
    for (CommandButton *button : {&Command1, &Command2, &Command3})
        button->setEnabled(false);
    switch (packOrder(order)) {
    case PackOutcome::CountError:
        services.dialogs->msgBox(countNotice);
        break;
    case PackOutcome::CountsDiffer:
        services.dialogs->msgBox(countsDifferNotice);
        break;
    case PackOutcome::Packed:
        showCodesLeft();
        if (services.dialogs->msgBox(variant.doneQuestion + sourceFolder +
                                         QStringLiteral("目录下，确定现在打开打包目录吗？"),
                                     MsgStyle::OkCancel | MsgStyle::Question,
                                     questionTitle()) == MsgResult::Ok)
            services.shell->openFolder(sourceFolder);
        break;
    }
    resetButtons();
}

void PackagerWindow::resetButtons()
{
    Command1.setCaption(QStringLiteral("开始"));
    for (CommandButton *button : {&Command1, &Command2, &Command3})
        button->setEnabled(true);
}

void PackagerWindow::Command2_Click()
{
    countCodes();
    services.dialogs->msgBox(variant.refreshNotice);
}

void PackagerWindow::Command3_Click()
{
    services.shell->openFolder(sourceFolder);
}

void PackagerWindow::Command4_Click()
{
    services.shell->startCalculator();
}

void PackagerWindow::Form_QueryUnload(bool &cancel)
{
    // Ending the program closes every window without asking.
    if (services.programEnded())
        return;
    if (services.dialogs->msgBox(
            QStringLiteral("确认退出") + variant.caption + QStringLiteral("吗？"),
            MsgStyle::OkCancel | MsgStyle::Question, questionTitle()) == MsgResult::Cancel)
        cancel = true;
    else
        hide();
}

QString PackagerWindow::questionTitle() const
{
    return variant.caption + QStringLiteral("提醒您");
}
