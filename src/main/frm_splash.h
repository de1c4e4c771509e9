#pragma once

#include "platform/controls/form.h"
#include "platform/controls/image.h"
#include "platform/controls/label.h"

#include <QGroupBox>

class Services;

// The splash window: the product and its functions, on screen while the main window
// starts up.
class frmSplash : public Form
{
    Q_OBJECT
public:
    explicit frmSplash(Services &services, QWidget *parent = nullptr);

    QGroupBox Frame1{this};
    QGroupBox Frame2{this};
    Image imgLogo{this, "imgLogo"};
    Label lblProductName{this, "lblProductName", QStringLiteral("Skarvel")};
    Label Label7{this, "Label7", QStringLiteral("Skarvel2014 PRO版 - 亚马逊卖家必备利器")};
    Label Label2{this, "Label2", QStringLiteral("软件名称: Skarvel")};
    Label Label1{this, "Label1", QStringLiteral("功能一：Amazon利润计算器")};
    Label Label5{this, "Label5", QStringLiteral("功能二：FBA发货费用计算器(官方版)")};
    Label Label3{this, "Label3", QStringLiteral("功能三：UPC码生成器(8,12,13,14位)")};
    Label Label4{this, "Label4", QStringLiteral("功能四：搜索建议关键词抓取器")};
    Label Label8{this, "Label8", QStringLiteral("功能五：Worldfirst收款计算器")};
    Image Image11{this, "Image11"};
    Image Image13{this, "Image13"};
    Image Image14{this, "Image14"};
    Image Image15{this, "Image15"};

private:
    void Image11_Click();
    void Image13_Click();
    void Image14_Click();
    void Image15_Click();
    void openProfilePage(int picture);

    Services &services;
};
