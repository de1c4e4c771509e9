#pragma once

#include "platform/controls/combo_box.h"
#include "platform/controls/command_button.h"
#include "platform/controls/image.h"
#include "platform/controls/label.h"
#include "platform/controls/text_box.h"

#include <QWidget>

class Services;
struct CodeType;

// The UPC code generator: the right half of the main window. It makes runs of
// codes with their check digits, steps through them, copies them, previews the
// current 12-digit code's barcode and exports a run as barcode pictures.
class GeneratorPanel : public QWidget
{
    Q_OBJECT
public:
    explicit GeneratorPanel(Services &services, QWidget *parent = nullptr);

    // The start-up lets the count and interval boxes take input.
    void enableCountAndInterval();

    // The generator's part of the main window's start-up, given the maker's
    // announcement page as fetched (empty when the fetch failed): the flag digits
    // the page does not lock, the fields saved in the settings file, and a first
    // generation when a manufacturer code was saved.
    void runStartupSteps(const QString &announcementPage);

    // The product search address of the last lookup; empty until the first one.
    QString GTINURL;
    // Where the current code begins in the code list, a line break counting two.
    int currentCodeStart = 0;

    // Opens and closes the panel by widening and narrowing the main window; it
    // stays within the part of the panel that the narrow window shows.
    CommandButton Command4{this, "Command4", "打开UPC码生成器"};
    Label Label39{this, "Label39", "<"};

    ComboBox Combo4{this, "Combo4"};
    Label flagDigitCaption{this, "flagDigitCaption", "旗码"};
    ComboBox Combo3{this, "Combo3"};
    Label manufacturerCaption{this, "manufacturerCaption", "厂商代码"};
    TextBox Text2{this, "Text2"};
    Label productCaption{this, "productCaption", "商品代码"};
    TextBox Text5{this, "Text5"};
    Label countCaption{this, "countCaption", "生成数量"};
    TextBox Text3{this, "Text3"};
    Label intervalCaption{this, "intervalCaption", "序列间隔"};
    TextBox Text4{this, "Text4"};
    CommandButton Command6{this, "Command6", "立即生成"};

    TextBox Text1{this, "Text1", TextBox::MultiLine};
    TextBox Text6{this, "Text6"};
    CommandButton Command8{this, "Command8", "上一个"};
    CommandButton Command9{this, "Command9", "下一个"};
    CommandButton Command10{this, "Command10", "复制到剪贴板"};
    CommandButton Command7{this, "Command7", "复制全部"};
    CommandButton Command12{this, "Command12", "UPC码查询"};
    CommandButton Command17{this, "Command17", "提取商品代码"};
    Image Image1{this, "Image1"};
    CommandButton Command11{this, "Command11", "导出条码"};
    CommandButton Command16{this, "Command16", "打开目录"};
    CommandButton Command5{this, "Command5", "清空数据"};
    Label Label43{this, "Label43", "不会使用？点击查看帮助"};

private:
    void layOut();
    void wireHandlers();

    // Generation
    void Combo4_Click();
    void Combo3_KeyPress(int &keyAscii);
    void Text2_Change();
    void Command6_Click();
    void writeback();

    // The code list
    void Command8_Click();
    void Command9_Click();
    void Text1_DblClick();
    void Command17_Click();
    void Command10_Click();
    void Command7_Click();
    void Command4_Click();
    void Label43_Click();
    void selectAndShow(int position, const CodeType &type);

    // Barcode pictures, the output folders and the lookup
    void Text6_Change();
    void Command11_Click();
    void Command16_Click();
    void Command5_Click();
    void Command12_Click();

    const CodeType *chosenType() const;
    QString outputFolder() const;
    QString artworkFolder() const;
    QString previewFile() const;

    Services &services;
};
