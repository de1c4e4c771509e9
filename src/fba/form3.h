#pragma once

#include "fba/fee_table.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/command_button.h"
#include "platform/controls/form.h"
#include "platform/controls/label.h"
#include "platform/controls/text_box.h"

#include <optional>

class Services;
struct FactorSource;

// The FBA fee calculator: the marketplace's fulfilment fees of one order from the unit
// price, the quantity, the unit weight and the package's sides, in USD and in RMB. Every
// figure is the text of a box and is recomputed by the Change handlers of the boxes it
// depends on; writing a box runs its handler, also when the text stays the same.
class Form3 : public Form
{
    Q_OBJECT
public:
    explicit Form3(Services &services, QWidget *parent = nullptr);

    CommandButton Command1{this, "Command1", QStringLiteral("自动获取最新转换")};
    ComboBox Combo1{this, "Combo1"};
    TextBox Text1{this, "Text1"};
    TextBox Text2{this, "Text2"};
    TextBox Text3{this, "Text3"};
    TextBox Text4{this, "Text4"};
    TextBox Text5{this, "Text5"};
    TextBox Text6{this, "Text6"};
    TextBox Text7{this, "Text7"};
    TextBox Text8{this, "Text8"};
    TextBox Text9{this, "Text9"};
    TextBox Text10{this, "Text10"};
    TextBox Text11{this, "Text11"};
    TextBox Text27{this, "Text27"};
    TextBox Text28{this, "Text28"};
    TextBox Text12{this, "Text12"};
    TextBox Text13{this, "Text13"};
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text16{this, "Text16"};
    TextBox Text17{this, "Text17"};
    TextBox Text18{this, "Text18"};
    TextBox Text19{this, "Text19"};
    TextBox Text20{this, "Text20"};
    TextBox Text21{this, "Text21"};
    TextBox Text22{this, "Text22"};
    TextBox Text23{this, "Text23"};
    TextBox Text24{this, "Text24"};
    TextBox Text25{this, "Text25"};
    TextBox Text26{this, "Text26"};

    Label Label30{this, "Label30", QStringLiteral("亚马逊FBA发货费用计算器")};
    Label Label1{this, "Label1", QStringLiteral("产品单价（美元）")};
    Label Label2{this, "Label2", QStringLiteral("产品单价（人民币）")};
    Label Label3{this, "Label3", QStringLiteral("产品数量")};
    Label Label4{this, "Label4", QStringLiteral("重量（克）")};
    Label Label5{this, "Label5", QStringLiteral("重量（磅）")};
    Label Label6{this, "Label6", QStringLiteral("最长边（厘米）")};
    Label Label7{this, "Label7", QStringLiteral("第二长边（厘米）")};
    Label Label8{this, "Label8", QStringLiteral("最短边长（厘米）")};
    Label Label9{this, "Label9", QStringLiteral("最长边（英寸）")};
    Label Label10{this, "Label10", QStringLiteral("第二长边（英寸）")};
    Label Label11{this, "Label11", QStringLiteral("最短边长（英寸）")};
    Label Label37{this, "Label37", QStringLiteral("体积（立方英寸）")};
    Label Label36{this, "Label36", QStringLiteral("体积重量（磅）")};
    Label Label12{this, "Label12", QStringLiteral("包装重量（磅）")};
    Label Label13{this, "Label13", QStringLiteral("发货重量（磅）")};
    Label Label14{this, "Label14", QStringLiteral("订单处理费（美元）")};
    Label Label15{this, "Label15", QStringLiteral("订单处理费（人民币）")};
    Label Label16{this, "Label16", QStringLiteral("拣货打包费（美元）")};
    Label Label17{this, "Label17", QStringLiteral("拣货打包费（人民币）")};
    Label Label18{this, "Label18", QStringLiteral("称重费（美元）")};
    Label Label19{this, "Label19", QStringLiteral("称重费（人民币）")};
    Label Label20{this, "Label20", QStringLiteral("附加费用（美元）")};
    Label Label21{this, "Label21", QStringLiteral("附加费用（人民币）")};
    Label Label22{this, "Label22", QStringLiteral("FBA费用（美元）")};
    Label Label23{this, "Label23", QStringLiteral("FBA费用（人民币）")};
    Label Label24{this, "Label24", QStringLiteral("1磅=")};
    Label Label25{this, "Label25", QStringLiteral("克")};
    Label Label26{this, "Label26", QStringLiteral("1英寸=")};
    Label Label27{this, "Label27", QStringLiteral("厘米")};
    Label Label28{this, "Label28", QStringLiteral("1美元=")};
    Label Label29{this, "Label29", QStringLiteral("人民币")};
    Label Label38{this, "Label38",
                  QStringLiteral("使用说明(由于亚马逊费用多变，本软件计算结果仅供参考！):")};
    Label Label31{this, "Label31", QStringLiteral("1.产品单价：填写出单产品的销售单价")};
    Label Label32{this, "Label32", QStringLiteral("2.产品数量：产品的数量（需要是相同产品）")};
    Label Label33{this, "Label33", QStringLiteral("3.重量：单件产品重量")};
    Label Label34{this, "Label34", QStringLiteral("4.边长：产品的包装尺寸")};
    Label Label35{this, "Label35", QStringLiteral("5.附加费用：其余的附加费用")};

protected:
    void Form_Load() override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setDesignState();
    void layOut();
    void wireHandlers();
    QList<TextBox *> textBoxes(); // in the order of their numbers

    // Size tier and shipping weight. The operations that the handlers without the skip
    // rule run tell whether their statements went through.
    std::optional<SizeTier> ClassifySizeTier();
    bool ApplyTierFees(SizeTier tier);
    bool ComputeShippingWeight();
    bool writeShippingWeight(bool withDimensionalTest);
    void Text5_Change();
    void InchSide_Change(); // the Change handler of Text9, Text10 and Text11
    void Text12_Change();
    void Text27_Change();

    // Fees, price exemption and totals.
    void ComputeWeightHandlingFee();
    void ComputeFbaTotal();
    void ConvertToRmb(TextBox &usd, TextBox &rmb);
    void ApplyPriceExemption();
    void Text1_Change();
    void Text3_Change();
    void Text13_Change();
    void Text14_Change();
    void Fee_Change(TextBox &usd, TextBox &rmb); // of Text16, Text18 and Text20
    void Text22_Change();
    void Text26_Change();

    // Unit conversions, side order and the factor fetch.
    void ConvertWeightToPounds();
    void ConvertSideToInches(TextBox &centimetres, TextBox &inches);
    bool sidesEnteredInOrder();
    void CheckSideOrder();
    void Text4_Change();
    void Text24_Change();
    void Text25_Change();
    void Side_Change(TextBox &centimetres, TextBox &inches); // of Text6, Text7 and Text8
    void FetchFactor(const FactorSource &source, TextBox &target);
    void Command1_Click();

    Services &services;
};
