#include "qqgroups/form4.h"

#include "net/endpoints.h"
#include "platform/box_number.h"
#include "platform/browser_cookies.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/inet.h"
#include "platform/page_links.h"
#include "platform/popup_browser.h"
#include "platform/services.h"
#include "platform/text_rules.h"
#include "qqgroups/clipboard_text.h"
#include "qqgroups/link_rules.h"
#include "qqgroups/list_export.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <limits>

namespace {

const QString designStatusText =
    QStringLiteral("首先请在右侧浏览器中登陆您的QQ！然后单击右下角“获取群号”\r\n");
const QString gettingGroupsText = QStringLiteral("正在获取群号，请耐心等待！");
const QString groupsGotText =
    QStringLiteral("获取群号成功，选中群名称点击“获取群成员”即可批量获取！（PS：如果群名称乱码，请"
                   "在右侧浏览器中：单击"
                   "右键-选择编码-选择Unicode(UTF-8)-重新点击“获取群号”）");
const QString loginFirstText = QStringLiteral("请登陆QQ后再点<获取群号>按钮！");
const QString groupsFailedText =
    QStringLiteral("获取群号失败，请检查网络连接后重新点击“获取群号”！");
const QString gettingMembersText =
    QStringLiteral("正在获取群成员，请耐心等待！您的网速决定了获取速度快慢，如果获取的群成员数量与"
                   "实际不符，请加长“导出"
                   "延时”再重新获取！");
const QString membersGotText = QStringLiteral(
    "获取群成员QQ号成功，单击“复制网名+QQ号”或“复制网名+邮箱”即可将QQ群成员列表批量复制到剪贴板！");
const QString notLoggedInMarker = QStringLiteral("notLoginError");
const QString extractedMark = QStringLiteral("\t已提取");

const QString groupCacheFile = QStringLiteral("QQ群列表（剪贴板缓存）.txt");
const QString memberCacheFile = QStringLiteral("QQ群成员列表（剪贴板缓存）.txt");
const QString groupsCopiedPrompt =
    QStringLiteral("复制QQ群列表成功，您可以粘贴到TXT，Excel，Word等编辑器中！");
const QString membersCopiedPrompt =
    QStringLiteral("复制QQ群成员列表成功，您可以粘贴到TXT，Excel，Word等编辑器中！");
const QString noGroupsPrompt = QStringLiteral("您还未获取QQ群列表！");
const QString noMembersPrompt = QStringLiteral("您还未获取QQ群成员！");
const QString emptyListTitle = QStringLiteral("错误提示");
const QString copiedTitle = QStringLiteral("复制成功");
const QString copyFailedTitle = QStringLiteral("亲，出错啦！");
const QString cacheUnwritablePrompt = QStringLiteral("亲，无法写入剪贴板缓存文件：");
const QString clipboardFailedPrompt = QStringLiteral("亲，复制到剪贴板失败，请重试！");

const char *const delayItems[] = {"0.5", "0.8", "1",   "1.5", "1.8", "2", "2.5", "2.8", "3", "3.5",
                                  "3.8", "4",   "4.5", "4.8", "5",   "6", "7",   "8",   "9"};

QFont windowFont(double points)
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

// The 16-bit whole number a paging link's text stands for, when it stands for one.
std::optional<qint16> pagerNumber(const QString &text)
{
    const std::optional<double> value = readStrict(text);
    return value ? toInt16(*value) : std::nullopt;
}

} // namespace

Form4::Form4(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
    , service(*services.endpoints)
{
    setCaption("QQ群成员导出器 - Tobrin");
    layOut();
    for (const char *item : delayItems)
        Combo1.AddItem(item);
    showDesignTexts();

    Command1.Click = [this] { Command1_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command7.Click = [this] { Command7_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command10.Click = [this] { Command10_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command9.Click = [this] { Command9_Click(); };
    Command6.Click = [this] { Command6_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    WebBrowser1.DocumentComplete = [this](const QString &) { WebBrowser1_DocumentComplete(); };
    WebBrowser2.DocumentComplete = [this](const QString &) { WebBrowser2_DocumentComplete(); };
    // The window has no handler for new windows: as with the Windows control, a page
    // that asks for one gets a browser window of its own, on the same login (which
    // the desktop's browser would not have).
    WebBrowser1.NewWindow2 = [&services] { return openPopupBrowser(services); };
    WebBrowser2.NewWindow2 = [&services] { return openPopupBrowser(services); };
}

void Form4::layOut()
{
    setClientSizeTwips(12870, 8715);
    Label1.setGeometryTwips(3720, 120, 6615, 615);
    Text1.setGeometryTwips(240, 720, 5535, 1095);
    Label2.setGeometryTwips(6240, 960, 600, 375);
    Combo1.setGeometryTwips(6840, 840, 735, 450);
    Label12.setGeometryTwips(7680, 960, 480, 375);
    Label13.setGeometryTwips(8160, 960, 840, 375);
    Text3.setGeometryTwips(9000, 840, 855, 495);
    Label4.setGeometryTwips(10200, 960, 1080, 375);
    Text2.setGeometryTwips(11280, 840, 855, 495);
    Label5.setGeometryTwips(12240, 960, 630, 375);
    ListView1.setGeometryTwips(240, 1920, 5535, 2055);
    ListView2.setGeometryTwips(240, 4080, 5535, 1815);
    WebBrowser1.setGeometryTwips(6000, 1560, 6615, 4695);
    WebBrowser2.setGeometryTwips(360, 9120, 6495, 1455);
    List1.setGeometryTwips(6840, 9240, 1815, 240);
    Command8.setGeometryTwips(7200, 9480, 90, 105);

    const int buttonLefts[] = {6120, 8280, 10440};
    CommandButton *const buttonRows[][3] = {{&Command1, &Command2, &Command7},
                                            {&Command3, &Command4, &Command10},
                                            {&Command9, &Command6, &Command5}};
    const int buttonTops[] = {6480, 7200, 7920};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            CommandButton *button = buttonRows[row][column];
            button->setGeometryTwips(buttonLefts[column], buttonTops[row], 1935, 495);
            button->widget()->setFont(windowFont(10.5));
        }
    }

    struct HelpLine
    {
        Label *label;
        int top;
        int height;
    };
    const HelpLine help[] = {{&Label3, 6120, 300}, {&Label6, 6480, 300}, {&Label7, 6720, 300},
                             {&Label8, 6960, 600}, {&Label9, 7560, 300}, {&Label10, 7800, 300},
                             {&Label11, 8040, 300}};
    for (const HelpLine &line : help)
        line.label->setGeometryTwips(360, line.top, 5640, line.height);
    Label8.widget()->setWordWrap(true);

    for (Label *label : {&Label2, &Label12, &Label13, &Label4, &Label5, &Label3, &Label6, &Label7,
                         &Label8, &Label9, &Label10, &Label11})
        label->widget()->setFont(windowFont(12));
    Label1.widget()->setFont(windowFont(15.75));
    for (TextBox *box : {&Text1, &Text2, &Text3})
        box->widget()->setFont(windowFont(12));
    Combo1.widget()->setFont(windowFont(12));
    QPalette darkBlue = Text1.widget()->palette();
    darkBlue.setColor(QPalette::Text, QColor(0, 0, 192));
    Text1.widget()->setPalette(darkBlue);
}

void Form4::showDesignTexts()
{
    Text1.setText(designStatusText);
    Text2.setText("0");
    Text3.setText("0");
    List1.clear();
}

void Form4::Form_Load()
{
    Combo1.setText("1.5");
    // A window loaded again after a close keeps the columns of its first load.
    if (ListView1.columnCount() == 0) {
        ListView1.addColumn("群名称", 2500);
        ListView1.addColumn("群号码", 1500);
        ListView1.addColumn("状态", 1000);
    }
    if (ListView2.columnCount() == 0) {
        ListView2.addColumn("群昵称", 1000);
        ListView2.addColumn("QQ号码", 1100);
        ListView2.addColumn("群号码", 1100);
        ListView2.addColumn("群名称", 1300);
        ListView2.addColumn("序号", 1000);
    }
    WebBrowser1.Navigate(service.loginPage());
    ListView1.clear();
    ListView2.clear();
    groupStartCount = "0";
    WebBrowser1.setSilent(true);
    WebBrowser2.setSilent(true);
}

void Form4::Form_QueryUnload(bool &cancel)
{
    Q_UNUSED(cancel);
    hide();
    reloadOnShow = true;
}

void Form4::showEvent(QShowEvent *event)
{
    if (reloadOnShow) {
        reloadOnShow = false;
        showDesignTexts();
        Form_Load();
    }
    Form::showEvent(event);
}

bool Form4::GroupNameExists(const QString &name) const
{
    for (int row = 0; row < ListView1.rowCount(); ++row) {
        if (ListView1.cellText(row, 0) == name)
            return true;
    }
    return false;
}

// ---- The group list ----

void Form4::Command1_Click()
{
    Text1.setText(gettingGroupsText);
    readDelay();
    ListView1.clear();
    groupScanPhase = 0;
    WebBrowser1.Navigate(service.myGroupsPage());
    Text1.setText(groupsGotText);
    Command8_Click();
    Text3.setText(QString::number(ListView1.rowCount()));
    probeLogin();
}

void Form4::Command8_Click()
{
    Text1.setText(gettingGroupsText);
    readDelay();
    ListView1.clear();
    groupScanPhase = 0;
    WebBrowser1.Navigate(service.myGroupsPage());
    waitDelay();
    Text1.setText(groupsGotText);
}

// The probe asks for the my-groups page with the browsers' cookies, so it sees the
// login made in the browser; the window waits for its answer.
void Form4::probeLogin()
{
    const QString url = service.myGroupsPage();
    const HttpHeaders cookies = BrowserCookies::of(WebBrowser1.webProfile()).requestHeaders(url);
    const InetEventsPaused paused(*services.inet);
    const std::optional<QString> reply = services.inet->openUrl(url, cookies);
    // A service that gave neither a group nor an answer must not leave a report of
    // success behind.
    if ((!reply || reply->isEmpty()) && ListView1.rowCount() == 0)
        Text1.setText(groupsFailedText);
    else if (reply && reply->contains(notLoggedInMarker))
        Text1.setText(loginFirstText);
}

// Runs for every page the browser completes, whoever navigated it.
void Form4::WebBrowser1_DocumentComplete()
{
    const bool refreshPending = groupScanPhase == 0;
    waitAndScan(WebBrowser1, refreshPending, &Form4::scanGroupLinks);
    if (refreshPending)
        groupScanPhase = 1;
}

// The first completion after a button reset the phase refreshes the page before it
// waits. The refresh reports no completion of its own, so a handler never feeds
// itself.
void Form4::waitAndScan(Browser &browser, bool refreshFirst, void (Form4::*scan)())
{
    if (refreshFirst)
        browser.Refresh();
    waitDelay();
    if (browser.ReadyState() == Browser::Complete)
        (this->*scan)();
}

void Form4::scanGroupLinks()
{
    // A scan runs to its end before any page completion is handled.
    Browser::CompletionHold holdGroups(WebBrowser1);
    Browser::CompletionHold holdMembers(WebBrowser2);
    const std::optional<QList<PageLink>> links = readPageLinks(WebBrowser1);
    if (!links)
        return;
    const QString prefix = service.groupLinkPrefix();
    for (int index = 0; index < links->size(); ++index) {
        const PageLink &link = links->at(index);
        if (!mayNameGroup(link.text, link.href, prefix) || GroupNameExists(link.text))
            continue;
        // The shortened address, the group number, stays in the page as well, so a
        // later scan of this document passes over the link.
        const std::optional<QString> number =
            removeFromLinkHref(WebBrowser1, index, link.href, {prefix});
        if (!number || number->isEmpty())
            continue;
        const int row = ListView1.addRow(link.text);
        ListView1.setSubItem(row, 1, "\t" + *number);
    }
}

void Form4::Command3_Click()
{
    ListView1.clear();
    WebBrowser1.Stop();
    WebBrowser2.Stop();
    Text3.setText("0");
}

void Form4::Command7_Click()
{
    WebBrowser1.Navigate(service.homePage());
}

// ---- The member list ----

void Form4::Command2_Click()
{
    List1.clear();
    lastPagerText.clear();
    memberScanPhase = 0;
    Text1.setText(gettingMembersText);
    readDelay();
    const int group = ListView1.selectedRow();
    if (group >= 0)
        ListView1.setSubItem(group, 2, extractedMark);
    memberGroupNumberCell = group >= 0 ? ListView1.cellText(group, 1) : QString();
    memberGroupNameCell = group >= 0 ? "\t" + ListView1.cellText(group, 0) : QString();
    const QString groupNumber = Replace(memberGroupNumberCell, "\t", "");
    memberDetailPrefix = service.memberDetailPrefix(groupNumber);
    memberListUrl = service.memberFirstPage(groupNumber);
    WebBrowser2.Navigate(memberListUrl);
    waitDelay();
    pageLimitText = lastPagerText;
    if (!pageLimitText.isEmpty())
        pageThroughMembers();
    endMemberFetch();
}

// One pass per page up to the last paging link's number and one more; a page that
// added no member is asked for again by the next pass. A last paging link that is
// no number means the group has one page.
void Form4::pageThroughMembers()
{
    nextPageText = "2";
    const std::optional<qint16> bound = pagerNumber(pageLimitText);
    if (!bound)
        return;
    pageCounter = 0;
    while (pageCounter <= *bound) {
        if (const std::optional<qint16> count = toInt16(ListView2.rowCount()))
            pageStartCount = *count;
        memberListUrl = Replace(memberListUrl, "1?w=n", "");
        memberPageUrl = memberListUrl + nextPageText + "?w=n";
        WebBrowser2.Navigate(memberPageUrl);
        waitDelay();
        if (ListView2.rowCount() == pageStartCount)
            stepNextPage(-1);
        Text2.setText(QString::number(ListView2.rowCount()));
        stepNextPage(+1);
        if (pageCounter == std::numeric_limits<qint16>::max())
            break;
        ++pageCounter;
    }
}

void Form4::stepNextPage(int by)
{
    if (const std::optional<double> page = readStrict(nextPageText)) {
        if (const std::optional<QString> text = plainNumberText(*page + by))
            nextPageText = *text;
    }
}

void Form4::endMemberFetch()
{
    Text2.setText(QString::number(ListView2.rowCount()));
    groupStartCount = plainNumberText(readLenient(Text2.text())).value_or(groupStartCount);
    WebBrowser1.Navigate(service.homePage());
    Text1.setText(membersGotText);
}

void Form4::WebBrowser2_DocumentComplete()
{
    const bool refreshPending = memberScanPhase == 0;
    waitAndScan(WebBrowser2, refreshPending, &Form4::scanMemberLinks);
    lastPagerText = lastListEntry();
    if (refreshPending)
        memberScanPhase = 1;
}

void Form4::scanMemberLinks()
{
    Browser::CompletionHold holdGroups(WebBrowser1);
    Browser::CompletionHold holdMembers(WebBrowser2);
    const std::optional<QList<PageLink>> links = readPageLinks(WebBrowser2);
    if (!links)
        return;
    const QString prefix = service.groupLinkPrefix();
    for (int index = 0; index < links->size(); ++index) {
        const PageLink &link = links->at(index);
        switch (memberLinkKind(link.text, link.href, prefix)) {
        case MemberLinkKind::Other:
            continue;
        case MemberLinkKind::Pager:
            List1.AddItem(link.text);
            continue;
        case MemberLinkKind::Member:
            break;
        }
        const std::optional<QString> qqNumber = removeFromLinkHref(
            WebBrowser2, index, link.href, {memberDetailPrefix, "/type/1", prefix});
        if (!qqNumber || qqNumber->isEmpty())
            continue;
        addMemberRow(link.text, *qqNumber);
    }
}

void Form4::addMemberRow(const QString &nickname, const QString &qqNumber)
{
    const int row = ListView2.addRow(nickname);
    ListView2.setSubItem(row, 1, "\t" + qqNumber + "\t");
    ListView2.setSubItem(row, 2, memberGroupNumberCell);
    ListView2.setSubItem(row, 3, memberGroupNameCell);
    const double serial = ListView2.rowCount() - readLenient(groupStartCount);
    ListView2.setSubItem(row, 4, "\t" + plainNumberText(serial).value_or(QString()));
}

QString Form4::lastListEntry() const
{
    return List1.ListCount() > 0 ? List1.List(List1.ListCount() - 1) : QString();
}

void Form4::Command10_Click()
{
    if (const std::optional<qint16> bound = pagerNumber(pageLimitText))
        pageCounter = *bound;
}

void Form4::Command4_Click()
{
    groupStartCount = "0";
    ListView2.clear();
    WebBrowser1.Stop();
    WebBrowser2.Stop();
    Text2.setText("0");
}

// ---- The copies ----

void Form4::Command9_Click()
{
    copyList(ListView1, groupCacheFile, std::nullopt, groupsCopiedPrompt, noGroupsPrompt);
}

void Form4::Command6_Click()
{
    copyList(ListView2, memberCacheFile, QStringLiteral("\t"), membersCopiedPrompt,
             noMembersPrompt);
}

void Form4::Command5_Click()
{
    copyList(ListView2, memberCacheFile, qqMailSuffix + "\t", membersCopiedPrompt, noMembersPrompt);
}

// The list goes to the clipboard through its cache file. A cache file that cannot be
// written or read back, and a clipboard that does not take the text, are reported
// as such instead of as a success.
void Form4::copyList(const ListView &list, const QString &cacheFileName,
                     const std::optional<QString> &markerReplacement, const QString &successPrompt,
                     const QString &emptyPrompt)
{
    const QString path = services.paths.userProfile + "/My Documents/" + cacheFileName;
    const ExportResult exported = ExportListViewContent(list, path);
    if (exported == ExportResult::EmptyList) {
        services.dialogs->msgBox(emptyPrompt, MsgStyle::Information, emptyListTitle);
        return;
    }
    QFile cache(path);
    if (exported == ExportResult::WriteFailed || !cache.open(QIODevice::ReadOnly)) {
        services.dialogs->msgBox(cacheUnwritablePrompt + QDir::toNativeSeparators(path),
                                 MsgStyle::Information, copyFailedTitle);
        return;
    }
    const QString text = clipboardText(cache.readAll(), markerReplacement);
    cache.close();
    services.clipboard->setText(text);
    if (services.clipboard->text() != text) {
        services.dialogs->msgBox(clipboardFailedPrompt, MsgStyle::Information, copyFailedTitle);
        return;
    }
    services.dialogs->msgBox(successPrompt, MsgStyle::Information, copiedTitle);
}

// ---- The delay ----

void Form4::readDelay()
{
    if (const std::optional<double> seconds = readStrict(Combo1.text()))
        delayMs = *seconds * 1000;
}

void Form4::waitDelay()
{
    if (const std::optional<qint32> ms = toInt32(delayMs))
        Sleep(*services.clock, *ms);
}
