#include "platform/code_page.h"
#include "support/temp_folders.h"
#include "upc/generator_settings.h"
#include "upc/settings_file.h"

#include <QFile>
#include <QTest>

namespace {

using Field = QString GeneratorFields::*;

const QList<QPair<QString, Field>> keys{
    {"upclx", &GeneratorFields::codeType},       {"upcqm", &GeneratorFields::flagDigit},
    {"upccsdm", &GeneratorFields::manufacturer}, {"upcspdm", &GeneratorFields::product},
    {"upcsl", &GeneratorFields::count},          {"upcjg", &GeneratorFields::interval},
};

QString settingsPath(const TempFolders &folders)
{
    return folders.program(SettingsFile::fileName);
}

} // namespace

class TestGeneratorSettings : public QObject
{
    Q_OBJECT

private slots:
    void missingFileReadsTheDefaultsAndWritesNothing();
    void everyKeyRoundTripsChineseText_data();
    void everyKeyRoundTripsChineseText();
    void longValueComesBackCutAtACharacterBoundary();
    void writesTheKeysInOrderInTheAnsiCodePage();
    void readsAWindowsProfileFile();
    void emptyValueIsNoDefault();
    void missingKeyReadsItsDefault();
};

void TestGeneratorSettings::missingFileReadsTheDefaultsAndWritesNothing()
{
    TempFolders folders;
    const GeneratorFields fields = GeneratorSettings::read(folders.paths());
    QCOMPARE(fields.codeType, QStringLiteral("UPC-12位"));
    QCOMPARE(fields.flagDigit, QStringLiteral("5"));
    QCOMPARE(fields.manufacturer, QString());
    QCOMPARE(fields.product, QString());
    QCOMPARE(fields.count, QStringLiteral("10"));
    QCOMPARE(fields.interval, QStringLiteral("1"));
    QVERIFY(!QFile::exists(settingsPath(folders)));
}

void TestGeneratorSettings::everyKeyRoundTripsChineseText_data()
{
    QTest::addColumn<QString>("key");
    for (const auto &[key, field] : keys)
        QTest::newRow(qPrintable(key)) << key;
}

void TestGeneratorSettings::everyKeyRoundTripsChineseText()
{
    QFETCH(QString, key);
    TempFolders folders;
    GeneratorFields written = GeneratorSettings::defaults;
    Field field = nullptr;
    for (const auto &[name, member] : keys) {
        if (name == key)
            field = member;
    }
    written.*field = QStringLiteral("厂商 代码=五");
    GeneratorSettings::write(folders.paths(), written);

    QCOMPARE(GeneratorSettings::read(folders.paths()).*field, QStringLiteral("厂商 代码=五"));
    const QByteArray bytes = TempFolders::readFile(settingsPath(folders));
    QVERIFY(bytes.contains(key.toLatin1() + "=" + encodeAnsi(QStringLiteral("厂商 代码=五"))));
}

void TestGeneratorSettings::longValueComesBackCutAtACharacterBoundary()
{
    TempFolders folders;
    GeneratorFields written = GeneratorSettings::defaults;
    // 1 + 130 two-byte characters: byte 254 falls in the middle of a character.
    written.manufacturer = QStringLiteral("1") + QString(130, QChar(0x4E94));
    GeneratorSettings::write(folders.paths(), written);

    const QString back = GeneratorSettings::read(folders.paths()).manufacturer;
    QCOMPARE(back, QStringLiteral("1") + QString(126, QChar(0x4E94)));
    QCOMPARE(encodeAnsi(back).size(), 253);
}

void TestGeneratorSettings::writesTheKeysInOrderInTheAnsiCodePage()
{
    TempFolders folders;
    GeneratorSettings::write(folders.paths(),
                             {QStringLiteral("UPC-8位"), "3", "638", "507", "20", "2"});
    const QByteArray expected = encodeAnsi(QStringLiteral("[ACPW]\r\nupclx=UPC-8位\r\nupcqm=3\r\n"
                                                          "upccsdm=638\r\nupcspdm=507\r\n"
                                                          "upcsl=20\r\nupcjg=2\r\n"));
    QCOMPARE(TempFolders::readFile(settingsPath(folders)), expected);
}

void TestGeneratorSettings::readsAWindowsProfileFile()
{
    TempFolders folders;
    QVERIFY(TempFolders::writeFile(
        settingsPath(folders),
        encodeAnsi(QStringLiteral("[ACPW]\r\nscdbml=D:\\货源\\orvoupc\r\nUPCLX=UPC-14位\r\n"
                                  "upcqm=7\r\nupccsdm=001234\r\nupcspdm=678901\r\nupcsl=25\r\n"
                                  "upcjg=3\r\n"))));
    const GeneratorFields fields = GeneratorSettings::read(folders.paths());
    QCOMPARE(fields.codeType, QStringLiteral("UPC-14位"));
    QCOMPARE(fields.flagDigit, QStringLiteral("7"));
    QCOMPARE(fields.manufacturer, QStringLiteral("001234"));
    QCOMPARE(fields.product, QStringLiteral("678901"));
    QCOMPARE(fields.count, QStringLiteral("25"));
    QCOMPARE(fields.interval, QStringLiteral("3"));
}

void TestGeneratorSettings::emptyValueIsNoDefault()
{
    TempFolders folders;
    GeneratorSettings::write(folders.paths(), {"", "", "", "", "", ""});
    const GeneratorFields fields = GeneratorSettings::read(folders.paths());
    QCOMPARE(fields.codeType, QString());
    QCOMPARE(fields.flagDigit, QString());
    QCOMPARE(fields.count, QString());
    QCOMPARE(fields.interval, QString());
}

void TestGeneratorSettings::missingKeyReadsItsDefault()
{
    TempFolders folders;
    QVERIFY(TempFolders::writeFile(settingsPath(folders), "[ACPW]\r\nupccsdm=36000\r\n"));
    const GeneratorFields fields = GeneratorSettings::read(folders.paths());
    QCOMPARE(fields.manufacturer, QStringLiteral("36000"));
    QCOMPARE(fields.codeType, QStringLiteral("UPC-12位"));
    QCOMPARE(fields.count, QStringLiteral("10"));
}

QTEST_GUILESS_MAIN(TestGeneratorSettings)
#include "tst_generator_settings.moc"
