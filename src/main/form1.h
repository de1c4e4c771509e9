#pragma once

#include "main/frm_splash.h"
#include "main/profit_panel.h"
#include "main/tool_window.h"
#include "platform/browser.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/form.h"
#include "platform/controls/label.h"
#include "platform/controls/text_box.h"
#include "platform/controls/timer.h"
#include "platform/services.h"
#include "upc/generator_panel.h"

#include <QAction>
#include <QMenu>
#include <optional>

// The main window: the shell around the profit calculator and the generator. It
// starts the program, opens the other tools, hides in the tray and asks before the
// program ends.
class Form1 : public Form
{
    Q_OBJECT

    Services &services;

public:
    explicit Form1(Services &services, QWidget *parent = nullptr);

    // The fetch helpers the windows share.
    QString GetBody(const QString &url, const QString &coding) const;
    QString GetBody1(const QString &url, const QString &coding) const;
    static std::optional<QString> BytesToBstr(const QByteArray &body, const QString &charset);

    // Puts the icon into the tray and hides the window.
    void WindowStyle();

    ProfitPanel profitPanel;
    GeneratorPanel generatorPanel;

    Label Label64{this, "Label64", QStringLiteral("当前版本：")};
    Label Label66{this, "Label66", QStringLiteral("V3.90(2014.3.12更新)")};
    Label Label65{this, "Label65", QStringLiteral("最新版本：")};
    Label Label67{this, "Label67", QStringLiteral("正在获取最新版本信息")};
    Label Label72{this, "Label72", QStringLiteral("打开其他工具：")};
    ComboBox Combo5{this, "Combo5"};
    Label Label36{this, "Label36", QStringLiteral("公告栏")};
    TextBox Text12{this, "Text12", TextBox::MultiLine};
    Browser WebBrowser1{this, "WebBrowser1", services};
    Timer Timer1{this, "Timer1"};

    frmSplash splash;

    // The tray icon's popup menu.
    QAction F03{QStringLiteral("进入官网")};
    QAction F04{QStringLiteral("下载最新版")};
    QAction F01{QStringLiteral("打开Skarvel")};
    QAction F02{QStringLiteral("退出")};
    QMenu F00;

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool &cancel) override;

    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeControls();
    void readAnnouncement(const QString &page, const QString &address);

    void Timer1_Timer();
    void Label67_Click();
    void Combo5_Click();
    void Form_Resize();
    void trayDoubleClicked();
    void trayMenuRequested();
    void F01_Click();
    void F02_Click();
    void F03_Click();
    void F04_Click();
    void restoreFromTray();

    ToolWindow keywordGrabber;
    ToolWindow worldFirstCalculator;
    ToolWindow gs1Packager;
    ToolWindow generatorPackager;

    // Where the window stood before it was minimised, in pixels.
    int SavedTop = 0;
    int SavedLeft = 0;
};
