#include "generator_fixture.h"
#include "platform/code_page.h"
#include "support/test_main.h"
#include "upc/code_list.h"
#include "upc/generator_settings.h"
#include "upc/settings_file.h"

#include <QFile>

namespace {

const QString lockedNotice =
    QStringLiteral("由于亚马逊最新政策原因，软件暂不提供部分旗码选项，请重新选择旗码！谢谢！");

QString settingsPath(const Paths &paths)
{
    return QDir(paths.programDir).filePath(SettingsFile::fileName);
}

// A panel started on a settings file saved beforehand.
std::unique_ptr<GeneratorFixture> startWith(const GeneratorFields &saved,
                                            const QString &announcement = {})
{
    // The fixture's folders exist only with the fixture, so save through a first
    // panel's folders and start a second one on them.
    auto f = std::make_unique<GeneratorFixture>();
    GeneratorSettings::write(f->paths(), saved);
    f->panel = std::make_unique<GeneratorPanel>(f->fake->services);
    f->panel->enableCountAndInterval();
    f->panel->runStartupSteps(announcement);
    return f;
}

QStringList items(const ComboBox &list)
{
    QStringList texts;
    for (int i = 0; i < list.ListCount(); ++i)
        texts << list.List(i);
    return texts;
}

} // namespace

class TestGeneratorStartup : public QObject
{
    Q_OBJECT

private slots:
    void firstStartRestoresTheDefaultsAndWritesNothing();
    void flagDigitsFollowTheLockMarkers_data();
    void flagDigitsFollowTheLockMarkers();
    void savedManufacturerCodeGeneratesOnce();
    void savedValuesBeyondTypingEndTheRun_data();
    void savedValuesBeyondTypingEndTheRun();
    void lockedSavedFlagDigitShowsTheNoticeAndGeneratesNothing();
    void restoreKeepsTheCodesAfterTheType();
    void savedEmptyManufacturerCodeGeneratesNothing();
    void unknownSavedTypeLeavesTheListWithoutAChoice();
};

void TestGeneratorStartup::firstStartRestoresTheDefaultsAndWritesNothing()
{
    GeneratorFixture f;
    QCOMPARE(f.panel->Combo4.text(), QStringLiteral("UPC-12位"));
    QCOMPARE(f.panel->Combo3.text(), QStringLiteral("5"));
    QCOMPARE(f.panel->Text2.text(), QString());
    QCOMPARE(f.panel->Text5.text(), QString());
    QCOMPARE(f.panel->Text3.text(), QStringLiteral("10"));
    QCOMPARE(f.panel->Text4.text(), QStringLiteral("1"));
    QCOMPARE(f.panel->Text1.text(), howToText() + "\r\n");
    QCOMPARE(f.panel->Text6.text(), QString());
    QVERIFY(!QFile::exists(settingsPath(f.paths())));

    // The file appears with the first generation.
    f.panel->Text2.setText("36000");
    f.panel->Text5.setText("29145");
    f.panel->Command6.click();
    QVERIFY(QFile::exists(settingsPath(f.paths())));
}

void TestGeneratorStartup::flagDigitsFollowTheLockMarkers_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("digits");

    const QStringList all{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    QTest::newRow("empty page") << QString() << all;
    QTest::newRow("Lock5") << QStringLiteral("最新公告：Lock5公告信息结束")
                           << QStringList{"0", "1", "2", "3", "4", "6", "7", "8", "9"};
    QTest::newRow("Lock12") << "Lock12" << QStringList{"0", "2", "3", "4", "5", "6", "7", "8", "9"};
    QTest::newRow("lock1") << "lock1" << all;
}

void TestGeneratorStartup::flagDigitsFollowTheLockMarkers()
{
    QFETCH(QString, page);
    GeneratorFixture f({}, page);
    QTEST(items(f.panel->Combo3), "digits");
}

void TestGeneratorStartup::savedManufacturerCodeGeneratesOnce()
{
    GeneratorFields saved{QStringLiteral("UPC-12位"), "0", "36000", "29145", "3", "1"};
    auto f = startWith(saved);
    QCOMPARE(f->panel->Text1.text(),
             QStringLiteral("036000291452\r\n036000291469\r\n036000291476"));
    QCOMPARE(f->panel->Text6.text(), QStringLiteral("036000291452"));
    QCOMPARE(f->panel->currentCodeStart, 0);
    QVERIFY(f->dialogs().shown().isEmpty());
}

// A count or code saved from a pasted box: the start-up's generation ends like the
// button's, so the program still starts.
void TestGeneratorStartup::savedValuesBeyondTypingEndTheRun_data()
{
    addValuesBeyondTypingRows();
}

void TestGeneratorStartup::savedValuesBeyondTypingEndTheRun()
{
    QFETCH(QString, count);
    QFETCH(QString, product);
    QFETCH(QString, interval);
    QFETCH(int, codes);
    GeneratorFields saved{QStringLiteral("UPC-12位"), "0", "36000", product, count, interval};

    auto f = startWith(saved);

    verifyRun(f->panel->Text1.text(), codes);
    QCOMPARE(f->panel->Text3.text(), count);
    const GeneratorFields kept = GeneratorSettings::read(f->paths());
    QCOMPARE(kept.count, count);
    QCOMPARE(kept.product, product);
    QCOMPARE(kept.interval, interval);
}

void TestGeneratorStartup::lockedSavedFlagDigitShowsTheNoticeAndGeneratesNothing()
{
    GeneratorFields saved{QStringLiteral("UPC-12位"), "5", "36000", "29145", "3", "1"};
    auto f = startWith(saved, "Lock5");
    const QByteArray before = TempFolders::readFile(settingsPath(f->paths()));
    QCOMPARE(f->panel->Combo3.text(), QString());
    QCOMPARE(f->panel->Combo3.ListIndex(), -1);
    QCOMPARE(f->panel->Text1.text(), lockedNotice);
    QCOMPARE(f->panel->Text6.text(), QString());
    QCOMPARE(TempFolders::readFile(settingsPath(f->paths())), before);
}

void TestGeneratorStartup::restoreKeepsTheCodesAfterTheType()
{
    GeneratorFields saved{QStringLiteral("UPC-8位"), "9", "638", "507", "2", "2"};
    auto f = startWith(saved);
    QCOMPARE(f->panel->Combo4.text(), QStringLiteral("UPC-8位"));
    QCOMPARE(f->panel->Text2.text(), QStringLiteral("638"));
    QCOMPARE(f->panel->Text5.text(), QStringLiteral("507"));
    QCOMPARE(f->panel->Text2.MaxLength(), 3);
    QCOMPARE(f->panel->Text3.text(), QStringLiteral("2"));
    QCOMPARE(f->panel->Text4.text(), QStringLiteral("2"));
    QVERIFY(!f->panel->Command11.isEnabled());
    QCOMPARE(f->panel->Text1.text(), QStringLiteral("96385074\r\n96385098"));
}

void TestGeneratorStartup::savedEmptyManufacturerCodeGeneratesNothing()
{
    GeneratorFields saved{QStringLiteral("UPC-12位"), "3", "", "29145", "3", "1"};
    auto f = startWith(saved);
    QCOMPARE(f->panel->Text2.text(), QString());
    QCOMPARE(f->panel->Combo3.text(), QStringLiteral("3"));
    QCOMPARE(f->panel->Text1.text(), howToText() + "\r\n");
}

void TestGeneratorStartup::unknownSavedTypeLeavesTheListWithoutAChoice()
{
    GeneratorFields saved{QString(), "3", "36000", "29145", "3", "1"};
    auto f = startWith(saved);
    QCOMPARE(f->panel->Combo4.ListIndex(), -1);
    QCOMPARE(f->panel->Text2.MaxLength(), 0);
    QVERIFY(f->panel->Command11.isEnabled());
    // The generation runs, saves the fields and stops at the type.
    QCOMPARE(f->panel->Text1.text(), howToText() + "\r\n");
    QCOMPARE(GeneratorSettings::read(f->paths()).codeType, QString());
}

SKARVEL_TEST_MAIN(TestGeneratorStartup)
#include "tst_generator_startup.moc"
