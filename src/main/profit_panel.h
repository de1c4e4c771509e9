#pragma once

#include "platform/controls/combo_box.h"
#include "platform/controls/command_button.h"
#include "platform/controls/label.h"
#include "platform/controls/text_box.h"

#include <QWidget>
#include <array>
#include <optional>

class Services;

// The Amazon profit calculator: the left half of the main window. Every figure
// lives as text in its box; a change of a box runs its Change handler at once,
// nested inside the write, so recomputation travels along the handlers.
class ProfitPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ProfitPanel(Services &services, QWidget *parent = nullptr);

    Label Label26{this, "Label26", "Amazon利润计算器"};

    Label Label33{this, "Label33", "货币选择"};
    ComboBox Combo2{this, "Combo2", ComboBox::Editable};

    Label Label1{this, "Label1", "成本(RMB)"};
    Label Label2{this, "Label2", "成本(USD)"};
    Label Label3{this, "Label3", "国内运费(RMB)"};
    Label Label4{this, "Label4", "国内运费(USD)"};
    Label Label6{this, "Label6", "产品单价(USD)"};
    TextBox Text101{this, "Text101"};
    TextBox Text102{this, "Text102"};
    TextBox Text103{this, "Text103"};
    TextBox Text104{this, "Text104"};
    TextBox Text105{this, "Text105"};

    Label Label18{this, "Label18", "标准"};
    Label Label5{this, "Label5", "设定运费(USD)"};
    Label Label7{this, "Label7", "销售额(USD)"};
    Label Label8{this, "Label8", "交易费(USD)"};
    TextBox Text106{this, "Text106"};
    TextBox Text108{this, "Text108"};
    TextBox Text110{this, "Text110"};
    Label Label19{this, "Label19", "加急"};
    Label Label15{this, "Label15", "设定运费(USD)"};
    Label Label16{this, "Label16", "销售额(USD)"};
    Label Label17{this, "Label17", "交易费(USD)"};
    TextBox Text107{this, "Text107"};
    TextBox Text109{this, "Text109"};
    TextBox Text111{this, "Text111"};

    Label Label27{this, "Label27", "运送国家"};
    ComboBox Combo1{this, "Combo1", ComboBox::Editable};
    Label Label10{this, "Label10", "交易费率"};
    TextBox Text117{this, "Text117"};
    Label Label11{this, "Label11", "%"};
    Label Label23{this, "Label23", "包裹重量"};
    TextBox Text112{this, "Text112"};
    Label Label28{this, "Label28", "g"};
    Label Label9{this, "Label9", "汇率"};
    TextBox Text118{this, "Text118"};
    CommandButton Command2{this, "Command2", "确定"};
    Label Label24{this, "Label24", "自定义运费"};
    TextBox Text113{this, "Text113"};
    Label Label29{this, "Label29", "RMB"};
    TextBox Text114{this, "Text114"};
    Label Label31{this, "Label31", "USD"};
    CommandButton Command3{this, "Command3", "获取最新美元汇率"};
    Label Label25{this, "Label25", "EMS运费"};
    TextBox Text115{this, "Text115"};
    Label Label30{this, "Label30", "RMB"};
    TextBox Text116{this, "Text116"};
    Label Label32{this, "Label32", "USD"};
    CommandButton Command1{this, "Command1", "重置数据"};

    // Net profits: standard charge with custom freight, then with EMS; expedited
    // charge with custom freight, then with EMS. RMB box, currency box, word.
    Label Label21{this, "Label21", "标准"};
    Label Label34{this, "Label34", "自定义"};
    Label Label12{this, "Label12", "纯利润(USD)"};
    Label Label13{this, "Label13", "纯利润(RMB)"};
    TextBox Text119{this, "Text119"};
    TextBox Text120{this, "Text120"};
    Label Label53{this, "Label53"};
    Label Label49{this, "Label49", "发EMS"};
    Label Label45{this, "Label45", "纯利润(USD)"};
    Label Label46{this, "Label46", "纯利润(RMB)"};
    TextBox Text7{this, "Text7"};
    TextBox Text8{this, "Text8"};
    Label Label54{this, "Label54"};
    Label Label22{this, "Label22", "加急"};
    Label Label51{this, "Label51", "自定义"};
    Label Label14{this, "Label14", "纯利润(USD)"};
    Label Label20{this, "Label20", "纯利润(RMB)"};
    TextBox Text9{this, "Text9"};
    TextBox Text10{this, "Text10"};
    Label Label55{this, "Label55"};
    Label Label52{this, "Label52", "发EMS"};
    Label Label35{this, "Label35", "纯利润(USD)"};
    Label Label50{this, "Label50", "纯利润(RMB)"};
    TextBox Text121{this, "Text121"};
    TextBox Text122{this, "Text122"};
    Label Label56{this, "Label56"};

    Label Label62{this, "Label62", "使用说明(由于亚马逊交易费多变，本软件计算结果仅供参考！):"};
    Label Label57{this, "Label57", "1.成本(RMB):此处输入产品的进货价"};
    Label Label58{this, "Label58", "2.国内运费(RMB):此处输入采购产品时的国内物流运费"};
    Label Label59{this, "Label59", "3.产品单价(USD):此处输入产品在亚马逊的销售单价(不包含运费)"};
    Label Label60{this, "Label60",
                  "4.设定运费(USD):此处输入我们在亚马逊店铺里设定的标准和加急运费"};
    Label Label61{this, "Label61", "5.包裹重量:此处输入产品包装完成之后的整体包裹重量"};
    Label Label68{this, "Label68",
                  "6.自定义运费:此处输入产品发往顾客的快递物流费（EMS费用为4.5折）"};

    // Handlers.
    void Text101_Change();
    void Text102_Change();
    void Text103_Change();
    void Text105_Change();
    void Text106_Change();
    void Text107_Change();
    void Text108_Change();
    void Text109_Change();
    void Text110_Change();
    void Text111_Change();
    void Text112_Change();
    void Text113_Change();
    void Text115_Change();
    void Text117_Change();
    void Text120_Change();
    void Text8_Change();
    void Text10_Change();
    void Text122_Change();
    void Text118_LostFocus();
    void Command2_Click();
    void Command1_Click();
    void Command3_Click();
    void Combo2_Click();
    void Combo1_Click();
    void Combo1_KeyPress(int &keyAscii);
    void Combo1_Change();
    void Combo1_KeyUp(int keyCode, int shift);

    // Steps the handlers share.
    void RecalcProfits();
    void MarkUndeliverable();
    void ShowProfitInCurrency(TextBox &rmbBox, TextBox &currencyBox, Label &word);
    void ConvertRmbToCurrency();
    void ValidateRateAndRecalc();
    void RecalcSales(TextBox &chargeBox, TextBox &salesBox);
    void RecalcFee(TextBox &salesBox, TextBox &feeBox);
    void RecalcEmsFreight();
    void RecalcCustomFreight();
    void CountryAutoComplete();

private:
    void layOut();
    void wireHandlers();
    double rate() const;
    void convertIntoCurrency(const TextBox &rmbBox, TextBox &currencyBox);
    std::array<Label *, 13> currencyCaptionLabels();

    Services &services;
    double ParcelWeight = 0;
    // Empty until the first character is typed into the destination box.
    std::optional<bool> AutoCompleteArmed;
};
