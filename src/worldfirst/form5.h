#pragma once

#include "platform/controls/combo_box.h"
#include "platform/controls/command_button.h"
#include "platform/controls/form.h"
#include "platform/controls/label.h"
#include "platform/controls/text_box.h"
#include "worldfirst/stored_rates.h"

class Services;

// The WorldFirst transfer fee calculator: what a WorldFirst balance moved to a domestic
// bank card costs in fees and at the banks' rates. Every figure is the text of a box and
// is recomputed by the Change and Click handlers of the boxes and lists it depends on.
class Form5 : public Form
{
    Q_OBJECT
public:
    explicit Form5(Services &services, QWidget *parent = nullptr);

    TextBox Text17{this, "Text17"};
    ComboBox Combo1{this, "Combo1"};
    TextBox Text1{this, "Text1"};
    TextBox Text2{this, "Text2"};
    TextBox Text3{this, "Text3"};
    ComboBox Combo2{this, "Combo2"};
    TextBox Text4{this, "Text4"};
    ComboBox Combo3{this, "Combo3"};
    TextBox Text5{this, "Text5"};
    TextBox Text6{this, "Text6"};
    TextBox Text7{this, "Text7"};
    TextBox Text18{this, "Text18"};
    TextBox Text8{this, "Text8"};
    TextBox Text11{this, "Text11"};
    TextBox Text9{this, "Text9"};
    TextBox Text12{this, "Text12"};
    TextBox Text10{this, "Text10"};
    TextBox Text13{this, "Text13"};
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text16{this, "Text16"};
    ComboBox Combo4{this, "Combo4"};
    CommandButton Command1{this, "Command1", QStringLiteral("在线获取最新牌价")};
    CommandButton Command2{this, "Command2", QStringLiteral("在线获取最新牌价")};

    Label Label8{this, "Label8", QStringLiteral("Worldfirst外汇账户转款费用计算器")};
    Label Label34{this, "Label34", QStringLiteral("WF账户余额/币种")};
    Label Label1{this, "Label1", QStringLiteral("亚马逊转出金额")};
    Label Label35{this, "Label35", QStringLiteral("USD")};
    Label Label5{this, "Label5", QStringLiteral("WF卡转款手续费")};
    Label Label4{this, "Label4", QStringLiteral("USD")};
    Label Label2{this, "Label2", QStringLiteral("国内卡接收币种")};
    Label Label3{this, "Label3", QStringLiteral("其他手续费")};
    Label Label7{this, "Label7", QStringLiteral("国内银行结汇")};
    Label Label6{this, "Label6", QStringLiteral("RMB")};
    Label Label9{this, "Label9", QStringLiteral("中间损失")};
    Label Label10{this, "Label10", QStringLiteral("RMB")};
    Label Label12{this, "Label12", QStringLiteral("%")};
    Label Label37{this, "Label37", QStringLiteral("WF牌价浮动")};
    Label Label38{this, "Label38", QStringLiteral("%")};
    Label Label39{this, "Label39", QStringLiteral("（2%-4%）")};
    Label Label16{this, "Label16", QStringLiteral("Sell")};
    Label Label17{this, "Label17", QStringLiteral("Buy")};
    Label Label13{this, "Label13", QStringLiteral("GBP·EUR")};
    Label Label14{this, "Label14", QStringLiteral("GBP·USD")};
    Label Label15{this, "Label15", QStringLiteral("EUR·USD")};
    Label Label11{this, "Label11", QStringLiteral("浮动后牌价")};
    Label Label18{this, "Label18", QStringLiteral("牌价")};
    Label Label19{this, "Label19", QStringLiteral("1GBP=")};
    Label Label20{this, "Label20", QStringLiteral("1USD=")};
    Label Label21{this, "Label21", QStringLiteral("1EUR=")};
    Label Label23{this, "Label23", QStringLiteral("RMB")};
    Label Label24{this, "Label24", QStringLiteral("RMB")};
    Label Label25{this, "Label25", QStringLiteral("RMB")};
    Label Label40{this, "Label40",
                  QStringLiteral("使用说明(由于费用多变，本软件计算结果仅供参考！):")};
    Label Label36{this, "Label36",
                  QStringLiteral("1.WF账户余额/币种：此处填写您WF账户内的余额和WF账户币种类型")};
    Label Label22{this, "Label22",
                  QStringLiteral("2.亚马逊转出金额：此处填写亚马逊转到您WF账户上的金额，"
                                 "此金额可在亚马逊后台查看")};
    Label Label27{this, "Label27",
                  QStringLiteral("3.WF卡转款手续费：此处自动根据WF卡手续费规则生成，无需手动填写")};
    Label Label26{this, "Label26",
                  QStringLiteral("4.国内卡接收币种：此处选择您绑定到WF账户上的国内银行卡所设置的"
                                 "接收币种，此处数值表示当前WF牌价结算成对应币种的数额")};
    Label Label28{this, "Label28",
                  QStringLiteral("5.其他手续费：此处填写转款过程中其他未知的手续费")};
    Label Label29{this, "Label29",
                  QStringLiteral("6.国内银行结汇：此处金额为您在当前对应银行牌价下可以结汇得到的"
                                 "人民币数额")};
    Label Label30{this, "Label30",
                  QStringLiteral("7.中间损失：此数额表示亚马逊转出数额按照当前对应牌价结汇后与通过"
                                 "WF外汇公司收款结汇后的差额和损失百分比")};
    Label Label31{this, "Label31", QStringLiteral("点击查看WF手续费")};
    Label Label32{this, "Label32", QStringLiteral("点击查看WF实时牌价")};
    Label Label33{this, "Label33", QStringLiteral("点击查看中行、建行、交行等银行实时牌价")};

    // WorldFirst's rates before the float, and the banks' rates; they live as long as
    // the window and start from the defaults at every opening.
    WfRates wfRawRates{};
    BankRates bankRates{};

protected:
    void Form_Load() override;

private:
    void setDesignState();
    void layOut();
    void wireHandlers();

    // The rate box of a WorldFirst rate (Text8 to Text13) and of a bank's currency
    // (Text14 to Text16).
    TextBox &rateBox(WfRate rate);
    TextBox &bankRateBox(BankCurrency currency);

    void RecalcFeeAndReceived();
    void RecalcReceived();
    void writeReceivedAmount();
    void RefillFeeCurrencies();
    void RecalcSettlement();
    void RecalcLoss();
    void ApplyRateFloat();
    void LoadBankRates();
    void writeFloatedRate(TextBox &box, double rawRate, WfRate rate);

    void Command1_Click();
    void Command2_Click();
    void Label31_Click();
    void Label32_Click();
    void Label33_Click();

    QString worldFirstTableAddress() const;
    QString forexListAddress() const;

    Services &services;
};
