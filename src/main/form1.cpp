#include "main/form1.h"

#include "keywords/form2.h"
#include "main/maker_site.h"
#include "main/startup_files.h"
#include "main/update_check.h"
#include "net/cut_between.h"
#include "net/endpoints.h"
#include "net/fetch.h"
#include "net/network_probe.h"
#include "platform/dialogs.h"
#include "platform/instance_lock.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/tray_icon.h"
#include "upc/form7.h"
#include "upc/form8.h"
#include "worldfirst/form5.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {

const QString toolPrompt = QStringLiteral("请点击下拉框选择");
const QString keywordGrabberItem = QStringLiteral("关键词抓取器");
const QString revenueCalculatorItem = QStringLiteral("FBA发货计算器");
const QString worldFirstItem = QStringLiteral("WF卡收款计算器");
const QString gs1PackagerItem = QStringLiteral("GS1授权UPC码打包器");
const QString generatorPackagerItem = QStringLiteral("生成器UPC码打包器");

const QString questionTitle = QStringLiteral("Skarvel提醒您");

// The main window in twips: the profit calculator on the left, the generator on
// the right, out of sight until its own button widens the window.
constexpr int profitWidth = 10080;
constexpr int generatorWidth = 6075;
constexpr int narrowWidth = 10440;
constexpr int clientHeight = 10440;

} // namespace

Form1::Form1(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
    , profitPanel(services, this)
    , generatorPanel(services, this)
    , splash(services)
    , keywordGrabber([&services] { return new Form2(services); })
    , worldFirstCalculator([&services] { return new Form5(services); })
    , gs1Packager([&services] { return new Form7(services); })
    , generatorPackager([&services] { return new Form8(services); })
{
    setCaption(QStringLiteral("Skarvel - Tobrin"));
    placeControls();

    for (const QString &item :
         {toolPrompt, keywordGrabberItem, revenueCalculatorItem, worldFirstItem})
        Combo5.AddItem(item);
    Text12.setText(QStringLiteral("正在获取最新公告信息...\r\n"));
    Label67.widget()->setCursor(Qt::PointingHandCursor);

    F00.setTitle(QStringLiteral("1"));
    for (QAction *item : {&F03, &F04, &F01, &F02})
        F00.addAction(item);

    Timer1.Tick = [this] { Timer1_Timer(); };
    Label67.Click = [this] { Label67_Click(); };
    Combo5.Click = [this] { Combo5_Click(); };
    connect(services.tray, &TrayIcon::doubleClicked, this, [this] { trayDoubleClicked(); });
    connect(services.tray, &TrayIcon::menuRequested, this, [this] { trayMenuRequested(); });
    connect(&F01, &QAction::triggered, this, [this] { F01_Click(); });
    connect(&F02, &QAction::triggered, this, [this] { F02_Click(); });
    connect(&F03, &QAction::triggered, this, [this] { F03_Click(); });
    connect(&F04, &QAction::triggered, this, [this] { F04_Click(); });
}

void Form1::placeControls()
{
    setClientSizeTwips(narrowWidth, clientHeight);
    profitPanel.setGeometry(0, 0, twips(profitWidth), twips(clientHeight));
    generatorPanel.setGeometry(twips(profitWidth), 0, twips(generatorWidth), twips(clientHeight));

    // The shell's controls stand below the calculator's usage notes.
    Label64.setGeometryTwips(120, 7440, 960, 255);
    Label66.setGeometryTwips(1080, 7440, 2640, 255);
    Label65.setGeometryTwips(3840, 7440, 960, 255);
    Label67.setGeometryTwips(4800, 7440, 5160, 255);
    Label72.setGeometryTwips(120, 7860, 1320, 255);
    Combo5.setGeometryTwips(1440, 7800, 2640, 375);
    Label36.setGeometryTwips(120, 8280, 1200, 255);
    Text12.setGeometryTwips(120, 8520, 4680, 1800);
    WebBrowser1.setGeometryTwips(4920, 7800, 5040, 2520);
}

QString Form1::GetBody(const QString &url, const QString &coding) const
{
    return ::GetBody(*services.http, url, coding);
}

QString Form1::GetBody1(const QString &url, const QString &coding) const
{
    return ::GetBody1(*services.http, url, coding);
}

std::optional<QString> Form1::BytesToBstr(const QByteArray &body, const QString &charset)
{
    return ::BytesToBstr(body, charset);
}

void Form1::Form_Load()
{
    splash.show();
    // The requests below block; let the splash appear first.
    QCoreApplication::processEvents();

    StartupFiles::ensureProfileFolders(services.paths);
    StartupFiles::keepSettingsCopiesInStep(services.paths);

    const QString announcementAddress = MakerSite::announcementPage(*services.endpoints);
    const QString announcement = GetBody1(announcementAddress, QStringLiteral("gb2312"));
    readAnnouncement(announcement, announcementAddress);

    generatorPanel.enableCountAndInterval();

    Combo5.setText(toolPrompt);
    Combo5.AddItem(gs1PackagerItem);
    Combo5.AddItem(generatorPackagerItem);

    // The page loads on its own. Starting the web engine takes a while, so it starts
    // once the start-up has handed back to the event loop.
    QTimer::singleShot(
        0, this, [this] { WebBrowser1.Navigate(MakerSite::webPanelPage(*services.endpoints)); });

    generatorPanel.runStartupSteps(announcement);

    StartupFiles::ensureOutputFolders(services.paths);

    if (asksForUpdate(Label67.Caption(), Label66.Caption())) {
        const MsgResult answer =
            services.dialogs->msgBox(updatePrompt(Label67.Caption()),
                                     MsgStyle::OkCancel | MsgStyle::Question, questionTitle);
        if (answer == MsgResult::Ok)
            services.shell->openAddress(MakerSite::updatePackage(*services.endpoints));
        services.endProgram();
        return;
    }

    hide();
    Timer1.setInterval(3000);
    // Prepare the hidden window while the timer runs, so that the tick only maps it.
    QTimer::singleShot(0, this, [this] {
        ensurePolished();
        winId();
    });
}

void Form1::readAnnouncement(const QString &page, const QString &address)
{
    if (!NetworkProbe(*services.inet, address)) {
        Label67.setCaption(versionUnreachable);
        return;
    }
    if (const auto version =
            CutBetween(page, QStringLiteral("最新版本："), QStringLiteral("版本信息结束")))
        Label67.setCaption(*version);
    if (const auto notice =
            CutBetween(page, QStringLiteral("最新公告："), QStringLiteral("公告信息结束")))
        Text12.setText(*notice);
}

void Form1::Timer1_Timer()
{
    splash.hide();
    show();
    Timer1.setEnabled(false);
    if (!services.instanceLock->claim(QCoreApplication::applicationName())) {
        services.dialogs->msgBox(QStringLiteral("您好，程序已在运行，请查看任务栏或系统托盘！"),
                                 MsgStyle::Information,
                                 QStringLiteral("错误，程序已启动，请勿重复运行！"));
        services.endProgram();
    }
}

void Form1::Label67_Click()
{
    services.shell->openAddress(MakerSite::updatePackage(*services.endpoints));
}

void Form1::Combo5_Click()
{
    const QString chosen = Combo5.text();
    if (chosen == keywordGrabberItem)
        keywordGrabber.show();
    else if (chosen == revenueCalculatorItem)
        services.shell->openAddress(services.endpoints->base(QStringLiteral("sellercentral")) +
                                    QStringLiteral("/gp/fba/revenue-calculator/index.html"));
    else if (chosen == worldFirstItem)
        worldFirstCalculator.show();
    else if (chosen == gs1PackagerItem)
        gs1Packager.show();
    else if (chosen == generatorPackagerItem)
        generatorPackager.show();
    else
        return;
    Combo5.setText(toolPrompt);
}

void Form1::changeEvent(QEvent *event)
{
    Form::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Form1::resizeEvent(QResizeEvent *event)
{
    Form::resizeEvent(event);
    Form_Resize();
}

void Form1::moveEvent(QMoveEvent *event)
{
    Form::moveEvent(event);
    // Moving is no resize, but the restore from the tray must put the window back
    // where it last stood.
    if (isVisible() && !isMinimized()) {
        SavedTop = y();
        SavedLeft = x();
    }
}

void Form1::Form_Resize()
{
    if (isMinimized()) {
        // Hiding inside the change of state would be undone by the minimise that is
        // still under way; hide once it has ended.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized() && isVisible())
                    WindowStyle();
            },
            Qt::QueuedConnection);
        return;
    }
    if (isVisible()) {
        SavedTop = y();
        SavedLeft = x();
    }
}

void Form1::WindowStyle()
{
    // Without a notification area a hidden window could never be brought back; it
    // stays minimised on the task bar instead.
    if (!services.tray->isAvailable())
        return;
    services.tray->add(QStringLiteral("Skarvel - 亚马逊卖家必备"));
    hide();
}

void Form1::restoreFromTray()
{
    // Showing the window again reports a move before it is put back in place.
    const QPoint saved(SavedLeft, SavedTop);
    showNormal();
    move(saved);
}

void Form1::trayDoubleClicked()
{
    restoreFromTray();
    raise();
    activateWindow();
}

void Form1::trayMenuRequested()
{
    F00.popup(QCursor::pos());
}

void Form1::F01_Click()
{
    restoreFromTray();
}

void Form1::F02_Click()
{
    services.endProgram();
}

void Form1::F03_Click()
{
    services.shell->openAddress(MakerSite::homePage(*services.endpoints));
}

void Form1::F04_Click()
{
    services.shell->openAddress(MakerSite::downloadPage(*services.endpoints));
}

void Form1::Form_QueryUnload(bool &cancel)
{
    const MsgResult answer = services.dialogs->msgBox(
        QStringLiteral("确认退出软件吗？"), MsgStyle::OkCancel | MsgStyle::Question, questionTitle);
    if (answer != MsgResult::Ok) {
        cancel = true;
        return;
    }
    services.endProgram();
}
