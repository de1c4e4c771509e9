#pragma once

#include "platform/browser.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/command_button.h"
#include "platform/controls/form.h"
#include "platform/controls/label.h"
#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/controls/text_box.h"
#include "platform/services.h"
#include "qqgroups/group_service.h"

#include <optional>

// The QQ group member exporter: the user logs in to the QQ group web service in the
// visible browser; the window reads the groups from the service's pages, pages
// through a group's members in the hidden browser, and copies either list to the
// clipboard. No other window opens it. Closing it hides it; the next show loads it
// again from its design state, while its variables keep their values.
class Form4 : public Form
{
    Q_OBJECT

    Services &services;

public:
    explicit Form4(Services &services, QWidget *parent = nullptr);

    bool GroupNameExists(const QString &name) const;

    Label Label1{this, "Label1", "QQ群成员批量导出器 - 支持QQ所有版本"};
    TextBox Text1{this, "Text1", TextBox::MultiLine};
    Label Label2{this, "Label2", "延时"};
    ComboBox Combo1{this, "Combo1", ComboBox::Editable};
    Label Label12{this, "Label12", "秒"};
    Label Label13{this, "Label13", "群数量"};
    TextBox Text3{this, "Text3"};
    Label Label4{this, "Label4", "成员数量"};
    TextBox Text2{this, "Text2"};
    Label Label5{this, "Label5", "个"};
    ListView ListView1{this, "ListView1"};
    ListView ListView2{this, "ListView2"};
    Browser WebBrowser1{this, "WebBrowser1", services};
    Browser WebBrowser2{this, "WebBrowser2", services};
    CommandButton Command1{this, "Command1", "获取群号"};
    CommandButton Command2{this, "Command2", "获取群成员"};
    CommandButton Command7{this, "Command7", "切换QQ账户"};
    CommandButton Command3{this, "Command3", "清空群列表"};
    CommandButton Command4{this, "Command4", "清空QQ列表"};
    CommandButton Command10{this, "Command10", "停止获取"};
    CommandButton Command9{this, "Command9", "复制群名+群号"};
    CommandButton Command6{this, "Command6", "复制网名+QQ号"};
    CommandButton Command5{this, "Command5", "复制网名+邮箱"};
    Label Label3{this, "Label3", "使用帮助："};
    Label Label6{this, "Label6", "1.启动软件后在右侧浏览器中登陆您需要批量导出群成员的QQ"};
    Label Label7{this, "Label7", "2.登陆QQ后点击右下角的“获取群号”按钮即可获取QQ群号码"};
    Label Label8{
        this, "Label8",
        "3.如果获取到的群名称是乱码，则是因为浏览器编码原因，解决办法如下：在右侧的浏览器中"
        "单击右键-选择“编码”-选择“Unicode（UTF-8）”-重新点击“获取群号”"};
    Label Label9{this, "Label9", "4.选中需要导出成员的群名称，单击“获取群成员”按钮即可"};
    Label Label10{this, "Label10", "5.单击“复制”相关按钮即可将群成员QQ及相关信息复制到剪贴板"};
    Label Label11{this, "Label11", "6.单击“切换QQ账户”，在右侧浏览器中退出账户，登陆新的QQ账户"};
    // Out of sight below the client area, as on the original window.
    ListBox List1{this, "List1"};
    CommandButton Command8{this, "Command8", "Command8"};

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool &cancel) override;
    void showEvent(QShowEvent *event) override;

private:
    void layOut();
    void showDesignTexts();

    // The group list.
    void Command1_Click();
    void Command8_Click();
    void WebBrowser1_DocumentComplete();
    void waitAndScan(Browser &browser, bool refreshFirst, void (Form4::*scan)());
    void scanGroupLinks();
    void probeLogin();
    void Command3_Click();
    void Command7_Click();

    // The member list.
    void Command2_Click();
    void pageThroughMembers();
    void endMemberFetch();
    void WebBrowser2_DocumentComplete();
    void scanMemberLinks();
    void addMemberRow(const QString &nickname, const QString &qqNumber);
    void stepNextPage(int by);
    QString lastListEntry() const;
    void Command10_Click();
    void Command4_Click();

    // The copies.
    void Command9_Click();
    void Command6_Click();
    void Command5_Click();
    void copyList(const ListView &list, const QString &cacheFileName,
                  const std::optional<QString> &markerReplacement, const QString &successPrompt,
                  const QString &emptyPrompt);

    void readDelay();
    void waitDelay();

    GroupService service;
    bool reloadOnShow = false;

    // The window's variables: a close and the next load leave them as they are.
    double delayMs = 0;
    int groupScanPhase = 0;
    qint16 memberScanPhase = 0;
    QString memberDetailPrefix;
    QString memberListUrl;
    QString memberPageUrl;
    QString nextPageText;
    qint16 pageCounter = 0;
    QString pageLimitText;
    QString lastPagerText;
    qint16 pageStartCount = 0;
    QString groupStartCount;
    // The cells of the group whose members are being fetched, taken when the fetch
    // starts, so a member is labelled with that group whatever row is selected later.
    QString memberGroupNumberCell;
    QString memberGroupNameCell;
};
