#pragma once

#include "platform/controls/command_button.h"
#include "platform/controls/form.h"
#include "platform/controls/label.h"
#include "platform/controls/text_box.h"
#include "upc/package_run.h"
#include "upc/packager_settings.h"

class Services;

// The packagers' typeface at the given size.
QFont packagerFont(double points, bool bold);

// What sets one packager apart from its twin: its texts, its keys and the layout of
// the code packs it takes.
struct PackagerVariant
{
    QString caption;
    PackagerKeys keys;
    QList<PackageSide> sides; // shown in Text4, then Text5
    int filesPerCode = 1;
    QString spreadsheetPattern;
    QString nameWord; // the package folder name's word before the count
    QString text5;    // the design text of Text5
    QString refreshNotice;
    QString doneQuestion;
    // The source folder every load sets, relative to the program folder; empty to
    // keep the saved one.
    QString forcedSource;
};

// A code packager window: moves the last codes' artwork of its source folder into a
// new per-order package folder with a spreadsheet of the codes, and shows how many
// codes remain.
class PackagerWindow : public Form
{
    Q_OBJECT
public:
    Label Label6{this, "Label6"};
    Label Label1{this, "Label1", QStringLiteral("UPC源文件目录：")};
    TextBox Text1{this, "Text1"};
    Label Label2{this, "Label2", QStringLiteral("旺旺名：")};
    TextBox Text2{this, "Text2"};
    Label Label3{this, "Label3", QStringLiteral("UPC码数量：")};
    TextBox Text3{this, "Text3"};
    Label Label4{this, "Label4", QStringLiteral("剩余UPC")};
    TextBox Text4{this, "Text4"};
    Label Label5{this, "Label5", QStringLiteral("剩余EAN")};
    TextBox Text5{this, "Text5"};
    CommandButton Command1{this, "Command1", QStringLiteral("开始")};
    CommandButton Command2{this, "Command2", QStringLiteral("刷新数量")};
    CommandButton Command3{this, "Command3", QStringLiteral("打开目录")};
    CommandButton Command4{this, "Command4", QStringLiteral("计算器")};

    void Text1_Change();
    void Text3_KeyPress(int &keyAscii);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void writeback();

protected:
    PackagerWindow(Services &services, const PackagerVariant &variant, QWidget *parent);

    void Form_Load() override;
    void Form_QueryUnload(bool &cancel) override;

    Services &services;

private:
    void countCodes();
    void showCodesLeft();
    void resetButtons();
    QString questionTitle() const;

    const PackagerVariant variant;
    QString sourceFolder;
};
