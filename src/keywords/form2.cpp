#include "keywords/form2.h"

#include "keywords/crawl_delay.h"
#include "keywords/dispatch_table.h"
#include "keywords/engines/aliexpress_engine.h"
#include "keywords/engines/amazon_engine.h"
#include "keywords/engines/baidu_engine.h"
#include "keywords/engines/google_engine.h"
#include "keywords/engines/taobao_engine.h"
#include "platform/atomic_file.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "platform/shell.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString crawlingText = QStringLiteral("正在抓取，请耐心等待...");
const QString waitingText = QStringLiteral("正在抓取，请耐心等待...延时中...");

template<typename Control>
void useFont(Control &control, qreal points, bool bold = false)
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSizeF(points);
    font.setBold(bold);
    control.widget()->setFont(font);
}

} // namespace

Form2::Form2(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setCaption(QStringLiteral("搜索建议词抓取器 - Tobrin"));
    setClientSizeTwips(6975, 6795);

    Label4.setCaption(QStringLiteral("搜索建议词抓取器"));
    Label13.setCaption(QStringLiteral("搜索抓取延时"));
    for (const char *delay : {"0", "0.2", "0.5", "1", "2", "3", "4", "5", "6", "7", "8", "9"})
        Combo3.AddItem(delay);
    Combo3.setText("0.5");
    Label14.setCaption(QStringLiteral("秒"));
    Label1.setCaption(QStringLiteral("请输入关键词"));
    Label7.setCaption(QStringLiteral("成功抓取关键词数："));
    Label8.setCaption("0");
    Label12.setCaption(QStringLiteral("个"));
    Text2.textEdit()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label2.setCaption(QStringLiteral("搜索引擎"));
    for (const QString &engine :
         {u"淘宝"_qs, u"百度"_qs, u"美国亚马逊"_qs, u"英国亚马逊"_qs, u"速卖通"_qs})
        Combo1.AddItem(engine);
    Label3.setCaption(QStringLiteral("区域语言"));
    for (const QString &language : {u"英语"_qs, u"中文"_qs, u"日语"_qs, u"俄语"_qs, u"德语"_qs})
        Combo2.AddItem(language);
    Command1.setCaption(QStringLiteral("开始抓取"));
    Command5.setCaption(QStringLiteral("停止抓取"));
    Command4.setCaption(QStringLiteral("清空数据"));
    Label5.setCaption(QStringLiteral(
        "1.短时间内请勿频繁抓取，防止IP被搜索引擎限制，请根据自身网络情况选择抓取延时"));
    Label6.setCaption(QStringLiteral(
        "2.如果抓取不到任何信息，可能您的IP已经被限制，请切换IP或等待一段时间再操作"));
    Label9.setCaption(
        QStringLiteral("3.过短关键词容易产生大量请求，极易导致IP被限制和抓取到的数据量不完整"));
    for (Label *hint : {&Label5, &Label6, &Label9})
        hint->widget()->setWordWrap(true);
    Command2.setCaption(QStringLiteral("全部复制"));
    Command3.setCaption(QStringLiteral("导出数据"));
    Command6.setCaption(QStringLiteral("打开目录"));
    arrangeControls();
    drawFrames();

    Combo1.Click = [this] { Combo1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Command6.Click = [this] { Command6_Click(); };
}

void Form2::arrangeControls()
{
    Label4.setGeometryTwips(2130, 90, 2715, 420);
    useFont(Label4, 14.25, true);
    Label4.widget()->setAlignment(Qt::AlignCenter);
    Label13.setGeometryTwips(5610, 540, 1125, 240);
    useFont(Label13, 9);
    Combo3.setGeometryTwips(5610, 840, 780, 330);
    useFont(Combo3, 10.5);
    Label14.setGeometryTwips(6450, 870, 285, 300);
    useFont(Label14, 12);
    Label7.setGeometryTwips(2880, 885, 1935, 285);
    useFont(Label7, 10.5, true);
    Label8.setGeometryTwips(4815, 885, 615, 285);
    useFont(Label8, 10.5, true);
    Label8.widget()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label12.setGeometryTwips(5430, 885, 180, 285);
    useFont(Label12, 10.5, true);

    Label1.setGeometryTwips(180, 840, 1095, 240);
    useFont(Label1, 9);
    Text1.setGeometryTwips(120, 1200, 2655, 360);
    useFont(Text1, 10.5);
    Label2.setGeometryTwips(180, 1740, 795, 240);
    useFont(Label2, 9);
    Label3.setGeometryTwips(1560, 1740, 795, 240);
    useFont(Label3, 9);
    Combo1.setGeometryTwips(120, 2100, 1275, 315);
    useFont(Combo1, 9);
    Combo2.setGeometryTwips(1500, 2100, 1275, 315);
    useFont(Combo2, 9);
    Command1.setGeometryTwips(120, 2640, 1275, 465);
    useFont(Command1, 10.5, true);
    Command5.setGeometryTwips(1500, 2640, 1275, 465);
    useFont(Command5, 10.5, true);
    Command4.setGeometryTwips(120, 3240, 2655, 465);
    useFont(Command4, 10.5, true);
    Label5.setGeometryTwips(240, 3960, 2415, 660);
    Label6.setGeometryTwips(240, 4680, 2415, 660);
    Label9.setGeometryTwips(240, 5400, 2415, 660);

    List1.setGeometryTwips(2880, 1200, 3855, 240);
    Text2.setGeometryTwips(2880, 1440, 3855, 4335);
    useFont(Text2, 9);
    Command2.setGeometryTwips(2880, 6000, 1215, 465);
    useFont(Command2, 10.5, true);
    Command3.setGeometryTwips(4200, 6000, 1215, 465);
    useFont(Command3, 10.5, true);
    Command6.setGeometryTwips(5520, 6000, 1215, 465);
    useFont(Command6, 10.5, true);
    // Out of sight until the user drags the window taller.
    List2.setGeometryTwips(120, 9000, 6375, 240);

    QWidget *order[] = {Command5.widget(), Combo3.widget(),   Command4.widget(), List2.widget(),
                        Command3.widget(), Command2.widget(), Text2.widget(),    List1.widget(),
                        Command1.widget(), Combo2.widget(),   Combo1.widget(),   Text1.widget(),
                        Command6.widget()};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    Command5.setFocus();
}

void Form2::drawFrames()
{
    auto line = [this](int left, int top, int width, int height, QFrame::Shape shape) {
        auto *frame = new QFrame(this);
        frame->setFrameShape(shape);
        frame->setGeometry(twips(left), twips(top), twips(width), twips(height));
        frame->lower();
    };
    // A box around each input's caption, with a stroke down to the input.
    line(120, 810, 1215, 300, QFrame::Box);
    line(630, 1110, 15, 90, QFrame::VLine);
    line(120, 1710, 915, 300, QFrame::Box);
    line(570, 2010, 15, 90, QFrame::VLine);
    line(1500, 1710, 915, 300, QFrame::Box);
    line(1950, 2010, 15, 90, QFrame::VLine);
    line(5550, 510, 1245, 300, QFrame::Box);
    line(6000, 810, 15, 30, QFrame::VLine);
    line(120, 3840, 2655, 2340, QFrame::Box);
}

void Form2::Form_Load()
{
    Combo1.setText(QStringLiteral("美国亚马逊"));
    Combo2.setText(QStringLiteral("英语"));
    // Something of that name already there, a file included, is left alone. A
    // folder that cannot be made shows only when an export fails.
    const QString folder = exportFolder();
    if (!QFileInfo::exists(QDir::cleanPath(folder)))
        QDir().mkpath(folder);
}

void Form2::Combo1_Click()
{
    static const QList<std::pair<QString, QString>> languages{{u"百度"_qs, u"中文"_qs},
                                                              {u"淘宝"_qs, u"中文"_qs},
                                                              {u"美国亚马逊"_qs, u"英语"_qs},
                                                              {u"速卖通"_qs, u"英语"_qs},
                                                              {u"英国亚马逊"_qs, u"英语"_qs}};
    for (const auto &[engine, language] : languages) {
        if (Combo1.text() == engine) {
            Text2.setText({});
            Combo2.setText(language);
            Combo2.setEnabled(false);
            return;
        }
    }
}

void Form2::Command1_Click()
{
    // One crawl at a time: the lists are the crawl's working state.
    if (crawling)
        return;
    crawling = true;
    Command1.setEnabled(false);
    runCrawl();
    crawling = false;
    Command1.setEnabled(true);
    if (deleteWhenCrawlEnds)
        deleteLater();
}

void Form2::runCrawl()
{
    List1.clear();
    List2.clear();
    const std::optional<qint32> wait = crawlWaitMs(Combo3.text());
    if (Text1.text().isEmpty()) {
        services.dialogs->msgBox(QStringLiteral("亲，请输入关键词哦！"), MsgStyle::Information,
                                 QStringLiteral("亲，关键词不可以为空！"));
        return;
    }
    Text2.setText(crawlingText);
    const QString seed = Text1.text();
    const EngineRow *pair = dispatchEngine(Combo1.text(), Combo2.text());
    if (!pair) {
        services.dialogs->msgBox(QStringLiteral("亲，请正确选择搜索引擎和区域语言！"),
                                 MsgStyle::Information, QStringLiteral("亲，出错啦！"));
        return;
    }
    crawlMemory.queued = {seed};
    crawlMemory.stopping = false;
    closedDuringCrawl = false;

    expand(*pair, seed);
    while (List1.ListCount() > 0) {
        const QString keyword = List1.List(0);
        expand(*pair, keyword);
        // A clear during the keyword's requests has taken it off already, and the
        // head is then a keyword still to be expanded.
        if (List1.List(0) == keyword)
            List1.RemoveItem(0);
        if (wait)
            Sleep(*wait);
    }
    if (closedDuringCrawl)
        return;

    QString result = Text1.text();
    for (int row = 0; row < List2.ListCount(); ++row)
        result += "\r\n" + List2.List(row);
    Text2.setText(result);
    services.dialogs->msgBox(QStringLiteral("亲，抓取完成！"), MsgStyle::Information,
                             QStringLiteral("亲，程序运行结束！"));
}

void Form2::expand(const EngineRow &pair, const QString &keyword)
{
    QString U = keyword;
    engines.run(pair, EngineMember::Plain, U);
    if (crawlMemory.stopping)
        return;
    U = keyword;
    engines.run(pair, EngineMember::SpaceTwin, U);
}

void Form2::Command5_Click()
{
    List1.clear();
    if (crawling)
        crawlMemory.stopping = true;
}

void Form2::Sleep(qint32 T)
{
    Text2.setText(waitingText);
    ::Sleep(*services.clock, T);
    Text2.setText(crawlingText);
}

void Form2::Command2_Click()
{
    if (Text2.text().isEmpty()) {
        services.dialogs->msgBox(
            QStringLiteral("亲，老花眼了吧，文本框是空的！没有复制到任何内容！"),
            MsgStyle::Information, QStringLiteral("文本框内容为空！"));
        return;
    }
    services.clipboard->setText(Text2.text());
    services.dialogs->msgBox(
        QStringLiteral("亲，复制全部关键词成功，您可以粘贴到其它地方了，欧也！"),
        MsgStyle::Information, QStringLiteral("亲，您复制成功了！"));
}

void Form2::Command4_Click()
{
    Text2.setText({});
    List1.clear();
    List2.clear();
    Label8.setCaption("0");
}

void Form2::Command3_Click()
{
    const QString folder = exportFolder();
    const QString file = QDir(folder).filePath("suggestkeywords.txt");
    if (!writeFileAtomically(file, encodeAnsi(Text2.text() + "\r\n"))) {
        services.dialogs->msgBox(
            QStringLiteral(
                "亲，导出关键词失败！无法写入“%1”，请检查导出目录是否存在、是否允许写入。")
                .arg(QDir::toNativeSeparators(file)),
            MsgStyle::Information, QStringLiteral("亲，导出失败！"));
        return;
    }
    const MsgResult answer = services.dialogs->msgBox(
        QStringLiteral("导出关键词完成，数据保存在“%1”目录下，确定现在打开导出目录吗？")
            .arg(folder),
        MsgStyle::OkCancel | MsgStyle::Question, QStringLiteral("搜索建议关键词抓取器提醒您"));
    if (answer == MsgResult::Ok)
        services.shell->openFolder(folder);
}

void Form2::Command6_Click()
{
    services.shell->openFolder(exportFolder());
}

void Form2::Form_QueryUnload(bool &cancel)
{
    Q_UNUSED(cancel);
    hide();
    // Nothing of a closed window's crawl is shown any more; the crawl stops.
    if (crawling) {
        closedDuringCrawl = true;
        crawlMemory.stopping = true;
        List1.clear();
    }
}

bool Form2::event(QEvent *event)
{
    // A closed window is deleted; during a crawl that waits until the crawl's
    // handler has returned, since the crawl still works on the controls.
    if (event->type() == QEvent::DeferredDelete && crawling) {
        deleteWhenCrawlEnds = true;
        return true;
    }
    return Form::event(event);
}

QString Form2::exportFolder() const
{
    return services.paths.driveFolder("orvokeywords");
}

void Form2::keywords(QString &U)
{
    engines.run(baiduEngine(), EngineMember::Plain, U);
}

void Form2::keywords001(QString &U)
{
    engines.run(baiduEngine(), EngineMember::SpaceTwin, U);
}

void Form2::keywords1(QString &U)
{
    engines.run(googleComEngine(), EngineMember::Plain, U);
}

void Form2::keywords101(QString &U)
{
    engines.run(googleComEngine(), EngineMember::SpaceTwin, U);
}

void Form2::keywords2(QString &U)
{
    engines.run(googleJpEngine(), EngineMember::Plain, U);
}

void Form2::keywords201(QString &U)
{
    engines.run(googleJpEngine(), EngineMember::SpaceTwin, U);
}

void Form2::keywords3(QString &U)
{
    engines.run(googleRuEngine(), EngineMember::Plain, U);
}

void Form2::keywords301(QString &U)
{
    engines.run(googleRuEngine(), EngineMember::SpaceTwin, U);
}

void Form2::keywords4(QString &U)
{
    engines.run(googleHkEngine(), EngineMember::Plain, U);
}

void Form2::keywords401(QString &U)
{
    engines.run(googleHkEngine(), EngineMember::SpaceTwin, U);
}

void Form2::keywords5(QString &U)
{
    engines.run(googleDeEngine(), EngineMember::Plain, U);
}

void Form2::keywords501(QString &U)
{
    engines.run(googleDeEngine(), EngineMember::SpaceTwin, U);
}

void Form2::keywords6(QString &U)
{
    engines.run(taobaoEngine(), EngineMember::Plain, U);
}

void Form2::keywords601(QString &U)
{
    engines.run(taobaoEngine(), EngineMember::SpaceTwin, U);
}

void Form2::keywords7(QString &U)
{
    engines.run(amazonUsEngine(), EngineMember::Plain, U);
}

void Form2::keywords701(QString &U)
{
    engines.run(amazonUsEngine(), EngineMember::SpaceTwin, U);
}

void Form2::keywords8(QString &U)
{
    engines.run(aliExpressEngine(), EngineMember::Plain, U);
}

void Form2::keywords801(QString &U)
{
    engines.run(aliExpressEngine(), EngineMember::SpaceTwin, U);
}

void Form2::keywords9(QString &U)
{
    engines.run(amazonUkEngine(), EngineMember::Plain, U);
}

void Form2::keywords901(QString &U)
{
    engines.run(amazonUkEngine(), EngineMember::SpaceTwin, U);
}
