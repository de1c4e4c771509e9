#include "support/fake_services.h"
#include "support/fixed_clock.h"
#include "support/test_main.h"
#include "support/xlsx_reader.h"
#include "upc/form7.h"
#include "upc/settings_file.h"

#include <QDir>
#include <QLabel>

namespace {

const QString title = QStringLiteral("GS1授权UPC码打包器提醒您");
const QString upcFolder = QStringLiteral("UPC-A (USA & Canada)");
const QString eanFolder = QStringLiteral("EAN-13 (Europe and Other Countries)");
const QString countsDiffer = QStringLiteral("源文件中UPC码数量与EAN码数量不相等，严重错误，请务必仔"
                                            "细排查后刷新数量再打包！本次打包操作已取消！");

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

QString setting(const FakeServices &fake, const QString &key)
{
    return SettingsFile::open(fake.services.paths)
        .read(SettingsFile::section, key, QStringLiteral("(missing)"));
}

// Three artwork files for each of `codes` codes, named after the code as a GS1 pack
// names them.
void fillArtwork(const QString &folder, int codes, int digits)
{
    QDir().mkpath(folder);
    for (int code = 0; code < codes; ++code) {
        const QString name = QString::number(code).rightJustified(digits, '0');
        for (const char *ending : {".jpg", ".eps", ".tif"})
            TempFolders::writeFile(folder + '/' + name + ending, "x");
    }
}

struct Packager
{
    FakeServices fake;
    FixedClock clock{QDateTime(QDate(2014, 3, 12), QTime(9, 30, 5))};
    std::unique_ptr<Form7> form;
    QString pack = fake.folders.drive("pack");

    Packager() { fake.services.clock = &clock; }
    // A pack with the given numbers of codes on each side, saved as the source folder.
    void makePack(int upcCodes, int eanCodes)
    {
        fillArtwork(upcArtwork(), upcCodes, 12);
        if (eanCodes >= 0)
            fillArtwork(eanArtwork(), eanCodes, 13);
        SettingsFile::open(fake.services.paths).write(SettingsFile::section, "dbml", pack);
    }
    Form7 &open()
    {
        form = std::make_unique<Form7>(fake.services);
        form->load();
        form->show();
        return *form;
    }
    QString upcArtwork() const { return pack + '/' + upcFolder + "/Artwork"; }
    QString eanArtwork() const { return pack + '/' + eanFolder + "/Artwork"; }
    QString package(const QString &count) const
    {
        return pack + QStringLiteral("/2014-03-12_093005-buyer-GS1授权UPC码") + count + "个";
    }
};

} // namespace

class TestPackagerForm7 : public QObject
{
    Q_OBJECT

private slots:
    void showsItsOwnControls();
    void firstOpeningKeepsTheDesignFolder();
    void countsThreeFilesACode_data();
    void countsThreeFilesACode();
    void savedFolderStaysInUse();
    void runPacksBothSides();
    void shownCountsThatDifferMoveNothing();
    void countsThatChangedSinceTheRefreshMoveNothing();
    void missingEanSideMovesNothing();
    void countBeyondWhatIsLeftMovesNothing();
    void refreshTellsBothCodes();
    void linkOpensTheVendorPage();
    void closingAsks();
};

void TestPackagerForm7::showsItsOwnControls()
{
    Packager p;
    Form7 form(p.fake.services);
    QCOMPARE(form.Caption(), QStringLiteral("GS1授权UPC码打包器"));
    QCOMPARE(form.Label6.Caption(), QStringLiteral("GS1授权UPC码打包器"));
    QCOMPARE(form.Text5.text(), QStringLiteral("正在加载"));
    QCOMPARE(form.Label67.Caption(), QStringLiteral("点击打开UPC码官网查价"));
    QVERIFY(form.Label67.widget()->font().underline());
}

void TestPackagerForm7::firstOpeningKeepsTheDesignFolder()
{
    Packager p;
    Form7 &form = p.open();
    QCOMPARE(form.Text1.text(), QStringLiteral("请填写UPC源文件目录"));
    QCOMPARE(form.Text2.text(), QStringLiteral("请填写买家旺旺名及所需UPC数量"));
    QCOMPARE(form.Text3.text(), QStringLiteral("10"));
    QCOMPARE(form.Text4.text(), QStringLiteral("目录错误！"));
    QCOMPARE(form.Text5.text(), QStringLiteral("目录错误！"));
    // The source folder box kept its text, so nothing was written.
    QVERIFY(!QFile::exists(p.fake.folders.program("orvo_upc.ini")));
}

void TestPackagerForm7::countsThreeFilesACode_data()
{
    QTest::addColumn<int>("upcFiles");
    QTest::addColumn<int>("eanFiles");
    QTest::addColumn<QString>("upcText");
    QTest::addColumn<QString>("eanText");

    QTest::newRow("whole codes") << 30 << 30 << QStringLiteral("10个") << QStringLiteral("10个");
    QTest::newRow("a part code") << 31 << 30 << QStringLiteral("10.3333333333333个")
                                 << QStringLiteral("10个");
    QTest::newRow("no EAN folder") << 3 << -1 << QStringLiteral("1个") << QStringLiteral("0个");
}

void TestPackagerForm7::countsThreeFilesACode()
{
    QFETCH(int, upcFiles);
    QFETCH(int, eanFiles);
    QFETCH(QString, upcText);
    QFETCH(QString, eanText);
    Packager p;
    p.makePack(0, eanFiles < 0 ? -1 : 0);
    for (int i = 0; i < upcFiles; ++i)
        TempFolders::writeFile(p.upcArtwork() + QString("/%1.jpg").arg(i), "x");
    for (int i = 0; i < eanFiles; ++i)
        TempFolders::writeFile(p.eanArtwork() + QString("/%1.jpg").arg(i), "x");

    Form7 &form = p.open();
    QCOMPARE(form.Text4.text(), upcText);
    QCOMPARE(form.Text5.text(), eanText);
}

void TestPackagerForm7::savedFolderStaysInUse()
{
    Packager p;
    p.makePack(2, 2);
    SettingsFile::open(p.fake.services.paths).write(SettingsFile::section, "dbzl", "buyer");
    Form7 &form = p.open();
    QCOMPARE(form.Text1.text(), p.pack);
    QCOMPARE(form.Text2.text(), QString("buyer"));
    QCOMPARE(setting(p.fake, "dbml"), p.pack);
    QCOMPARE(setting(p.fake, "dbzl"), QString("buyer"));
    QCOMPARE(setting(p.fake, "dbsl"), QString("10"));
    QCOMPARE(setting(p.fake, "scdbml"), QStringLiteral("(missing)"));

    form.Text1.setText(p.fake.folders.drive("none"));
    QCOMPARE(form.Text4.text(), QStringLiteral("目录错误！"));
    QCOMPARE(form.Text5.text(), QStringLiteral("目录错误！"));
    QCOMPARE(setting(p.fake, "dbml"), p.fake.folders.drive("none"));
}

void TestPackagerForm7::runPacksBothSides()
{
    Packager p;
    p.makePack(10, 10);
    Form7 &form = p.open();
    form.Text2.setText("buyer");
    form.Text3.setText("2");

    form.Command1.click();

    const QString package = p.package("2");
    const auto &shown = p.fake.dialogs.shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).prompt, QStringLiteral("您正在打包此文件夹：") + package);
    QCOMPARE(shown.at(0).title, title);
    QCOMPARE(shown.at(1).prompt, QStringLiteral("UPC码和EAN码打包完毕！文件夹保存在") + p.pack +
                                     QStringLiteral("目录下，确定现在打开打包目录吗？"));
    QCOMPARE(shown.at(1).style, 33);
    QCOMPARE(shown.at(1).title, title);

    QCOMPARE(entries(package), QStringList({eanFolder, upcFolder}));
    QCOMPARE(entries(package + '/' + upcFolder + "/Artwork"),
             QStringList({"000000000008.eps", "000000000008.jpg", "000000000008.tif",
                          "000000000009.eps", "000000000009.jpg", "000000000009.tif"}));
    QCOMPARE(entries(package + '/' + eanFolder + "/Artwork").size(), 6);
    QCOMPARE(entries(p.upcArtwork()).size(), 24);
    QCOMPARE(entries(p.eanArtwork()).size(), 24);

    const auto upc =
        readSpreadsheetCells(package + '/' + upcFolder + "/UPC - Spreadsheet - Excel.xls");
    QVERIFY(upc);
    QCOMPARE(upc->value({1, 1}), QString("000000000008"));
    QCOMPARE(upc->value({2, 1}), QString("000000000009"));
    QCOMPARE(upc->size(), 2);
    const auto ean =
        readSpreadsheetCells(package + '/' + eanFolder + "/EAN - Spreadsheet - Excel.xls");
    QVERIFY(ean);
    QCOMPARE(ean->value({1, 1}), QString("0000000000008"));
    QCOMPARE(ean->value({2, 1}), QString("0000000000009"));
    QCOMPARE(ean->size(), 2);

    QCOMPARE(form.Text4.text(), QStringLiteral("8个"));
    QCOMPARE(form.Text5.text(), QStringLiteral("8个"));
    QCOMPARE(p.fake.shell.folders, QStringList({p.pack}));
    QCOMPARE(form.Command1.Caption(), QStringLiteral("开始"));
}

void TestPackagerForm7::shownCountsThatDifferMoveNothing()
{
    Packager p;
    p.makePack(10, 10);
    TempFolders::writeFile(p.upcArtwork() + "/extra.jpg", "x");
    Form7 &form = p.open();
    QCOMPARE(form.Text4.text(), QStringLiteral("10.3333333333333个"));
    form.Text2.setText("buyer");

    form.Command1.click();
    QCOMPARE(p.fake.dialogs.shown().size(), 1);
    QCOMPARE(p.fake.dialogs.shown().at(0).prompt, countsDiffer);
    QCOMPARE(p.fake.dialogs.shown().at(0).style, 0);
    QCOMPARE(entries(p.pack), QStringList({eanFolder, upcFolder}));
    QCOMPARE(setting(p.fake, "dbzl"), QStringLiteral("请填写买家旺旺名及所需UPC数量"));
}

void TestPackagerForm7::countsThatChangedSinceTheRefreshMoveNothing()
{
    Packager p;
    p.makePack(10, 10);
    Form7 &form = p.open();
    form.Text2.setText("buyer");
    form.Text3.setText("2");
    // The boxes still show 10 and 10 when one side loses its last code.
    for (const char *ending : {".jpg", ".eps", ".tif"})
        QVERIFY(QFile::remove(p.eanArtwork() + "/0000000000009" + ending));

    form.Command1.click();
    const auto &shown = p.fake.dialogs.shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).prompt, QStringLiteral("您正在打包此文件夹：") + p.package("2"));
    QCOMPARE(shown.at(1).prompt, countsDiffer);
    QCOMPARE(entries(p.upcArtwork()).size(), 30);
    QCOMPARE(entries(p.eanArtwork()).size(), 27);
    QCOMPARE(entries(p.package("2") + '/' + upcFolder + "/Artwork"), QStringList());
    QCOMPARE(entries(p.package("2") + '/' + eanFolder + "/Artwork"), QStringList());
    QCOMPARE(form.Command1.Caption(), QStringLiteral("开始"));
    QVERIFY(form.Command1.isEnabled());
}

void TestPackagerForm7::missingEanSideMovesNothing()
{
    Packager p;
    p.makePack(0, -1);
    Form7 &form = p.open();
    QCOMPARE(form.Text4.text(), QStringLiteral("0个"));
    QCOMPARE(form.Text5.text(), QStringLiteral("0个"));
    form.Text3.setText("1");

    form.Command1.click();
    QCOMPARE(p.fake.dialogs.shown().size(), 2);
    QCOMPARE(p.fake.dialogs.shown().at(1).prompt,
             QStringLiteral("UPC码数量填写有误，超出剩余数量！"));
}

void TestPackagerForm7::countBeyondWhatIsLeftMovesNothing()
{
    Packager p;
    p.makePack(10, 10);
    Form7 &form = p.open();
    form.Text2.setText("buyer");
    form.Text3.setText("11");

    form.Command1.click();
    QCOMPARE(p.fake.dialogs.shown().size(), 2);
    QCOMPARE(p.fake.dialogs.shown().at(1).prompt,
             QStringLiteral("UPC码数量填写有误，超出剩余数量！"));
    const QString package = p.package("11");
    QCOMPARE(entries(package), QStringList({eanFolder, upcFolder}));
    QCOMPARE(entries(package + '/' + upcFolder), QStringList({"Artwork"}));
    QCOMPARE(entries(package + '/' + eanFolder + "/Artwork"), QStringList());
    QCOMPARE(entries(p.upcArtwork()).size(), 30);
    QCOMPARE(entries(p.eanArtwork()).size(), 30);
}

void TestPackagerForm7::refreshTellsBothCodes()
{
    Packager p;
    p.makePack(1, 1);
    Form7 &form = p.open();
    fillArtwork(p.eanArtwork(), 3, 13);
    form.Command2.click();
    QCOMPARE(form.Text5.text(), QStringLiteral("3个"));
    QCOMPARE(p.fake.dialogs.shown().size(), 1);
    QCOMPARE(p.fake.dialogs.shown().at(0).prompt, QStringLiteral("UPC码和EAN码剩余数量刷新成功！"));
}

void TestPackagerForm7::linkOpensTheVendorPage()
{
    Packager p;
    p.fake.pointAt("vendor", "http://127.0.0.1:9");
    Form7 &form = p.open();
    QTest::mouseClick(form.Label67.widget(), Qt::LeftButton);
    QCOMPARE(p.fake.shell.addresses, QStringList({"http://127.0.0.1:9/"}));
}

void TestPackagerForm7::closingAsks()
{
    Packager p;
    Form7 &form = p.open();
    p.fake.dialogs.queueAnswer(MsgResult::Cancel);
    QVERIFY(!form.close());
    QCOMPARE(p.fake.dialogs.shown().at(0).prompt, QStringLiteral("确认退出GS1授权UPC码打包器吗？"));
    QCOMPARE(p.fake.dialogs.shown().at(0).title, title);
    QVERIFY(form.close());
}

SKARVEL_TEST_MAIN(TestPackagerForm7)
#include "tst_packager_form7.moc"
