#pragma once

#include "keywords/engines/engine_family.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/command_button.h"
#include "platform/controls/form.h"
#include "platform/controls/label.h"
#include "platform/controls/list_box.h"
#include "platform/controls/text_box.h"

class Services;

// The search-suggestion keyword grabber: expands a seed keyword breadth first
// over a suggestion service and lists every distinct suggestion it reaches.
class Form2 : public Form
{
    Q_OBJECT
public:
    explicit Form2(Services &services, QWidget *parent = nullptr);

    Label Label4{this, "Label4"};
    Label Label13{this, "Label13"};
    ComboBox Combo3{this, "Combo3", ComboBox::Editable};
    Label Label14{this, "Label14"};
    Label Label1{this, "Label1"};
    Label Label7{this, "Label7"};
    Label Label8{this, "Label8"};
    Label Label12{this, "Label12"};
    TextBox Text1{this, "Text1"};
    ListBox List1{this, "List1"};
    TextBox Text2{this, "Text2", TextBox::MultiLine};
    Label Label2{this, "Label2"};
    ComboBox Combo1{this, "Combo1"};
    Label Label3{this, "Label3"};
    ComboBox Combo2{this, "Combo2"};
    CommandButton Command1{this, "Command1"};
    CommandButton Command5{this, "Command5"};
    CommandButton Command4{this, "Command4"};
    Label Label5{this, "Label5"};
    Label Label6{this, "Label6"};
    Label Label9{this, "Label9"};
    CommandButton Command2{this, "Command2"};
    CommandButton Command3{this, "Command3"};
    CommandButton Command6{this, "Command6"};
    ListBox List2{this, "List2"};

    // The engines, each asking its service for the keyword in `U`, which holds
    // the request URL on return; the plain engine of a pair, then its space twin.
    void keywords(QString &U);
    void keywords001(QString &U);
    void keywords1(QString &U);
    void keywords101(QString &U);
    void keywords2(QString &U);
    void keywords201(QString &U);
    void keywords3(QString &U);
    void keywords301(QString &U);
    void keywords4(QString &U);
    void keywords401(QString &U);
    void keywords5(QString &U);
    void keywords501(QString &U);
    void keywords6(QString &U);
    void keywords601(QString &U);
    void keywords7(QString &U);
    void keywords701(QString &U);
    void keywords8(QString &U);
    void keywords801(QString &U);
    void keywords9(QString &U);
    void keywords901(QString &U);

    // Waits `T` milliseconds with the window's events running, and says so.
    void Sleep(qint32 T);

    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool &cancel) override;
    bool event(QEvent *event) override;

private:
    void arrangeControls();
    void drawFrames();
    void runCrawl();
    void expand(const EngineRow &pair, const QString &keyword);
    QString exportFolder() const;

    Services &services;
    CrawlMemory crawlMemory;
    EngineFamily engines{services, List1, List2, Label8, crawlMemory};
    bool crawling = false;
    bool closedDuringCrawl = false;
    bool deleteWhenCrawlEnds = false;
};
