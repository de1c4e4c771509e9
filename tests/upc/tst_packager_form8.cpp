#include "support/fake_services.h"
#include "support/fixed_clock.h"
#include "support/test_main.h"
#include "support/xlsx_reader.h"
#include "upc/form8.h"
#include "upc/settings_file.h"

#include <QClipboard>
#include <QDir>
#include <QLineEdit>

namespace {

const QString title = QStringLiteral("生成器UPC码打包器提醒您");
const QString package = QStringLiteral("2014-03-12_093005-buyer-生成器UPC码2个");

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

// Types each character as its own key, full-width ones included.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}

QString setting(const FakeServices &fake, const QString &key)
{
    return SettingsFile::open(fake.services.paths)
        .read(SettingsFile::section, key, QStringLiteral("(missing)"));
}

void save(const FakeServices &fake, const QString &key, const QString &value)
{
    SettingsFile::open(fake.services.paths).write(SettingsFile::section, key, value);
}

// A program folder whose orvoupc/Artwork holds the given files.
void fillArtwork(const FakeServices &fake, const QStringList &names)
{
    QDir().mkpath(fake.folders.program("orvoupc/Artwork"));
    for (const QString &name : names)
        TempFolders::writeFile(fake.folders.program("orvoupc/Artwork/" + name), name.toUtf8());
}

struct Packager
{
    FakeServices fake;
    FixedClock clock{QDateTime(QDate(2014, 3, 12), QTime(9, 30, 5))};
    std::unique_ptr<Form8> form;

    Packager() { fake.services.clock = &clock; }
    Form8 &open()
    {
        form = std::make_unique<Form8>(fake.services);
        form->load();
        form->show();
        return *form;
    }
    QString source() const { return fake.folders.program("orvoupc"); }
    QStringList prompts() const
    {
        QStringList list;
        for (const auto &box : fake.dialogs.shown())
            list.append(box.prompt);
        return list;
    }
};

} // namespace

class TestPackagerForm8 : public QObject
{
    Q_OBJECT

private slots:
    void showsItsControls();
    void firstOpeningShowsTheKeyDefaults();
    void everyLoadForcesTheProgramFolder();
    void countsFollowTheSourceBox();
    void refreshCountsAndTellsSo();
    void runPacksTheLastCodes();
    void runWritesTheFieldsFirst();
    void cancelAtTheQuestionMakesNothing();
    void countBeyondWhatIsLeftMovesNothing_data();
    void countBeyondWhatIsLeftMovesNothing();
    void folderErrorStopsTheRunBeforeAnyWrite();
    void buyerTextThatIsNoFolderNameMakesNothing();
    void countBoxTakesDigitsOnly();
    void opensTheFolderAndTheCalculator();
    void closingAsks();
    void programEndClosesWithoutAsking();
};

void TestPackagerForm8::showsItsControls()
{
    Packager p;
    Form8 form(p.fake.services);
    QCOMPARE(form.Caption(), QStringLiteral("生成器UPC码打包器"));
    QCOMPARE(form.Label6.Caption(), QStringLiteral("生成器UPC码打包器"));
    QCOMPARE(form.Label1.Caption(), QStringLiteral("UPC源文件目录："));
    QCOMPARE(form.Label2.Caption(), QStringLiteral("旺旺名："));
    QCOMPARE(form.Label3.Caption(), QStringLiteral("UPC码数量："));
    QCOMPARE(form.Label4.Caption(), QStringLiteral("剩余UPC"));
    QCOMPARE(form.Label5.Caption(), QStringLiteral("剩余EAN"));
    QCOMPARE(form.Text1.text(), QStringLiteral("请填写UPC源文件目录"));
    QCOMPARE(form.Text2.text(), QStringLiteral("请填写买家旺旺名"));
    QCOMPARE(form.Text3.text(), QStringLiteral("10"));
    QCOMPARE(form.Text4.text(), QStringLiteral("正在加载"));
    QCOMPARE(form.Text5.text(), QStringLiteral("生成器UPC"));
    QVERIFY(form.Text4.isLocked());
    QVERIFY(form.Text5.isLocked());
    QCOMPARE(form.Command1.Caption(), QStringLiteral("开始"));
    QCOMPARE(form.Command2.Caption(), QStringLiteral("刷新数量"));
    QCOMPARE(form.Command3.Caption(), QStringLiteral("打开目录"));
    QCOMPARE(form.Command4.Caption(), QStringLiteral("计算器"));
    QVERIFY(form.findChild<QLineEdit *>("Text1"));
    QVERIFY(!QFile::exists(p.fake.folders.program("orvo_upc.ini")));
}

void TestPackagerForm8::firstOpeningShowsTheKeyDefaults()
{
    Packager p;
    Form8 &form = p.open();
    QCOMPARE(form.Text1.text(), p.source());
    QCOMPARE(form.Text2.text(), QStringLiteral("请填写买家旺旺名及所需UPC数量"));
    QCOMPARE(form.Text3.text(), QStringLiteral("10"));
    QCOMPARE(form.Text4.text(), QStringLiteral("目录错误！"));
    QCOMPARE(form.Text5.text(), QStringLiteral("生成器UPC"));
    QCOMPARE(setting(p.fake, "scdbml"), p.source());
    QCOMPARE(setting(p.fake, "scdbzl"), QStringLiteral("请填写买家旺旺名及所需UPC数量"));
    QCOMPARE(setting(p.fake, "scdbsl"), QStringLiteral("10"));
}

void TestPackagerForm8::everyLoadForcesTheProgramFolder()
{
    Packager p;
    fillArtwork(p.fake, {"1.gif", "2.gif", "3.gif"});
    save(p.fake, "scdbml", p.fake.folders.drive("elsewhere"));
    save(p.fake, "scdbzl", QStringLiteral("小李"));
    save(p.fake, "scdbsl", "123456");

    Form8 &form = p.open();
    QCOMPARE(form.Text1.text(), p.source());
    QCOMPARE(form.Text2.text(), QStringLiteral("小李"));
    QCOMPARE(form.Text3.text(), QStringLiteral("123456"));
    QCOMPARE(form.Text4.text(), QStringLiteral("3个"));
    QCOMPARE(setting(p.fake, "scdbml"), p.source());
    QCOMPARE(setting(p.fake, "scdbzl"), QStringLiteral("小李"));
    QCOMPARE(setting(p.fake, "scdbsl"), QStringLiteral("123456"));
}

void TestPackagerForm8::countsFollowTheSourceBox()
{
    Packager p;
    fillArtwork(p.fake, {"1.gif"});
    Form8 &form = p.open();
    QCOMPARE(form.Text4.text(), QStringLiteral("1个"));

    const QString other = p.fake.folders.drive("other");
    QDir().mkpath(other);
    form.Text1.setText(other);
    QCOMPARE(form.Text4.text(), QStringLiteral("目录错误！"));
    QCOMPARE(setting(p.fake, "scdbml"), other);

    QVERIFY(TempFolders::writeFile(other + "/Artwork/5.gif", "x"));
    QVERIFY(TempFolders::writeFile(other + "/Artwork/6.txt", "x"));
    form.Text1.setText(other + "/");
    QCOMPARE(form.Text4.text(), QStringLiteral("2个"));
}

void TestPackagerForm8::refreshCountsAndTellsSo()
{
    Packager p;
    fillArtwork(p.fake, {"1.gif"});
    Form8 &form = p.open();
    fillArtwork(p.fake, {"2.gif", "3.gif"});
    form.Text2.setText("unsaved");

    form.Command2.click();
    QCOMPARE(form.Text4.text(), QStringLiteral("3个"));
    QCOMPARE(p.fake.dialogs.shown().size(), 1);
    QCOMPARE(p.fake.dialogs.shown().at(0).prompt, QStringLiteral("UPC码剩余数量刷新成功！"));
    QCOMPARE(p.fake.dialogs.shown().at(0).style, 0);
    QCOMPARE(p.fake.dialogs.shown().at(0).title, QString("Skarvel"));
    QCOMPARE(setting(p.fake, "scdbzl"), QStringLiteral("请填写买家旺旺名及所需UPC数量"));

    QDir(p.fake.folders.program("orvoupc/Artwork")).removeRecursively();
    form.Command2.click();
    QCOMPARE(form.Text4.text(), QStringLiteral("目录错误！"));
    QCOMPARE(p.fake.dialogs.shown().size(), 2);
}

void TestPackagerForm8::runPacksTheLastCodes()
{
    Packager p;
    fillArtwork(p.fake, {"036000291452.gif", "036000291469.gif", "036000291476.gif"});
    Form8 &form = p.open();
    form.Text2.setText("buyer");
    form.Text3.setText("2");

    form.Command1.click();

    const QString folder = p.source() + '/' + package;
    const auto &shown = p.fake.dialogs.shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).prompt, QStringLiteral("您正在打包此文件夹：") + folder);
    QCOMPARE(shown.at(0).style, 33);
    QCOMPARE(shown.at(0).title, title);
    QCOMPARE(shown.at(1).prompt, QStringLiteral("UPC码打包完毕！文件夹保存在") + p.source() +
                                     QStringLiteral("目录下，确定现在打开打包目录吗？"));
    QCOMPARE(shown.at(1).style, 33);
    QCOMPARE(shown.at(1).title, title);

    QCOMPARE(entries(p.source() + "/Artwork"), QStringList({"036000291452.gif"}));
    QCOMPARE(entries(folder + "/UPC-A/Artwork"),
             QStringList({"036000291469.gif", "036000291476.gif"}));
    const auto cells = readSpreadsheetCells(folder + "/UPC-A/UPC - Spreadsheet - Excel.xls");
    QVERIFY(cells);
    QCOMPARE(cells->value({1, 1}), QString("036000291469"));
    QCOMPARE(cells->value({2, 1}), QString("036000291476"));
    QCOMPARE(cells->size(), 2);
    QCOMPARE(form.Text4.text(), QStringLiteral("1个"));
    QCOMPARE(p.fake.shell.folders, QStringList({p.source()}));
    QCOMPARE(form.Command1.Caption(), QStringLiteral("开始"));
    QVERIFY(form.Command1.isEnabled() && form.Command2.isEnabled() && form.Command3.isEnabled());
}

void TestPackagerForm8::runWritesTheFieldsFirst()
{
    Packager p;
    fillArtwork(p.fake, {"1.gif"});
    Form8 &form = p.open();
    form.Text2.setText("buyer");
    form.Text3.setText("5");
    QCOMPARE(setting(p.fake, "scdbzl"), QStringLiteral("请填写买家旺旺名及所需UPC数量"));

    p.fake.dialogs.queueAnswer(MsgResult::Ok);
    form.Command1.click();
    QCOMPARE(setting(p.fake, "scdbzl"), QStringLiteral("buyer"));
    QCOMPARE(setting(p.fake, "scdbsl"), QStringLiteral("5"));
}

void TestPackagerForm8::cancelAtTheQuestionMakesNothing()
{
    Packager p;
    fillArtwork(p.fake, {"1.gif", "2.gif"});
    Form8 &form = p.open();
    form.Text2.setText("buyer");
    form.Text3.setText("2");

    p.fake.dialogs.queueAnswer(MsgResult::Cancel);
    form.Command1.click();
    QCOMPARE(p.fake.dialogs.shown().size(), 1);
    QCOMPARE(entries(p.source()), QStringList({"Artwork"}));
    QCOMPARE(entries(p.source() + "/Artwork").size(), 2);
    QCOMPARE(setting(p.fake, "scdbzl"), QStringLiteral("buyer"));
    QCOMPARE(form.Command1.Caption(), QStringLiteral("开始"));
}

void TestPackagerForm8::countBeyondWhatIsLeftMovesNothing_data()
{
    QTest::addColumn<QString>("count");
    QTest::newRow("one more than left") << "4";
    QTest::newRow("zero") << "0";
    QTest::newRow("empty") << "";
}

void TestPackagerForm8::countBeyondWhatIsLeftMovesNothing()
{
    QFETCH(QString, count);
    Packager p;
    fillArtwork(p.fake, {"1.gif", "2.gif", "3.gif"});
    Form8 &form = p.open();
    form.Text2.setText("buyer");
    form.Text3.setText(count);

    form.Command1.click();
    const auto &shown = p.fake.dialogs.shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(1).prompt, QStringLiteral("UPC码数量填写有误，超出剩余数量！"));
    QCOMPARE(shown.at(1).style, 0);
    QCOMPARE(shown.at(1).title, QString("Skarvel"));
    QCOMPARE(entries(p.source() + "/Artwork").size(), 3);
    const QString folder =
        p.source() + "/2014-03-12_093005-buyer-" + QStringLiteral("生成器UPC码") + count + "个";
    QCOMPARE(entries(folder + "/UPC-A"), QStringList({"Artwork"}));
    QCOMPARE(entries(folder + "/UPC-A/Artwork"), QStringList());
    QCOMPARE(form.Text4.text(), QStringLiteral("3个"));
    QCOMPARE(form.Command1.Caption(), QStringLiteral("开始"));
    QVERIFY(form.Command1.isEnabled());
}

void TestPackagerForm8::folderErrorStopsTheRunBeforeAnyWrite()
{
    Packager p;
    Form8 &form = p.open();
    QCOMPARE(form.Text4.text(), QStringLiteral("目录错误！"));
    form.Text2.setText("buyer");

    form.Command1.click();
    QCOMPARE(p.fake.dialogs.shown().size(), 1);
    QCOMPARE(p.fake.dialogs.shown().at(0).prompt,
             QStringLiteral("UPC源文件目录错误，请检查后修改！"));
    QCOMPARE(p.fake.dialogs.shown().at(0).style, 0);
    QCOMPARE(setting(p.fake, "scdbzl"), QStringLiteral("请填写买家旺旺名及所需UPC数量"));
}

void TestPackagerForm8::buyerTextThatIsNoFolderNameMakesNothing()
{
    Packager p;
    fillArtwork(p.fake, {"1.gif", "2.gif"});
    Form8 &form = p.open();
    form.Text2.setText("../../shop");
    form.Text3.setText("1");

    form.Command1.click();
    QCOMPARE(p.fake.dialogs.shown().size(), 2);
    QCOMPARE(p.fake.dialogs.shown().at(1).prompt,
             QStringLiteral("UPC码数量填写有误，超出剩余数量！"));
    QCOMPARE(entries(p.source()), QStringList({"Artwork"}));
    QCOMPARE(entries(p.fake.folders.program()), QStringList({"orvo_upc.ini", "orvoupc"}));
    QCOMPARE(entries(p.source() + "/Artwork").size(), 2);
}

void TestPackagerForm8::countBoxTakesDigitsOnly()
{
    Packager p;
    Form8 &form = p.open();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.Text3.setText("");
    form.Text3.setFocus();
    type(form.Text3.widget(), QStringLiteral("1a.２-3"));
    QCOMPARE(form.Text3.text(), QString("13"));
    QTest::keyClick(form.Text3.widget(), Qt::Key_Backspace);
    QCOMPARE(form.Text3.text(), QString("1"));
    type(form.Text3.widget(), "234567");
    QCOMPARE(form.Text3.text(), QString("12345"));

    form.Text3.setText("7");
    QApplication::clipboard()->setText("99");
    QTest::keyClick(form.Text3.widget(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(form.Text3.widget(), Qt::Key_Return);
    QCOMPARE(form.Text3.text(), QString("7"));
}

void TestPackagerForm8::opensTheFolderAndTheCalculator()
{
    Packager p;
    Form8 &form = p.open();
    form.Command3.click();
    QCOMPARE(p.fake.shell.folders, QStringList({p.source()}));
    form.Command4.click();
    QCOMPARE(p.fake.shell.calculatorStarts, 1);
    QVERIFY(p.fake.dialogs.shown().isEmpty());
}

void TestPackagerForm8::closingAsks()
{
    Packager p;
    Form8 &form = p.open();
    form.Text2.setText("kept");

    p.fake.dialogs.queueAnswer(MsgResult::Cancel);
    QVERIFY(!form.close());
    QVERIFY(form.isVisible());
    QCOMPARE(form.Text2.text(), QString("kept"));
    QCOMPARE(p.fake.dialogs.shown().size(), 1);
    QCOMPARE(p.fake.dialogs.shown().at(0).prompt, QStringLiteral("确认退出生成器UPC码打包器吗？"));
    QCOMPARE(p.fake.dialogs.shown().at(0).style, 33);
    QCOMPARE(p.fake.dialogs.shown().at(0).title, title);

    QVERIFY(form.close());
    QVERIFY(!form.isVisible());
}

void TestPackagerForm8::programEndClosesWithoutAsking()
{
    Packager p;
    Form8 &form = p.open();
    p.fake.services.endProgram();
    QVERIFY(form.close());
    QVERIFY(p.fake.dialogs.shown().isEmpty());
}

SKARVEL_TEST_MAIN(TestPackagerForm8)
#include "tst_packager_form8.moc"
