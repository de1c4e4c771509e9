#include "generator_fixture.h"
#include "support/fake_web.h"
#include "support/test_main.h"
#include "upc/code_type_table.h"
#include "upc/upc_generation.h"

#include <QDir>
#include <QFile>
#include <QUrlQuery>

namespace {

const QString barcodePath = QStringLiteral("/ashx/Barcodes.ashx");
const QString upc12 = QStringLiteral("UPC-12位");
const QString offlinePrompt = QStringLiteral("亲，是不是断网了啊？！");
const QString offlineTitle = QStringLiteral("亲，网络异常，你懂得！");

// A 1 x 1 GIF picture; the bytes after its trailer tell which code it shows.
QByteArray gifOf(const QString &code)
{
    static const QByteArray picture = QByteArray::fromHex(
        "47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");
    return picture + code.toLatin1();
}

// The codes GeneratorFixture::generate12 makes.
QStringList run12(int count)
{
    return generateRun(*findCodeType(upc12), {0, 36000, 29145, double(count), 1}).split("\r\n");
}

QString codeIn(const FakeWeb::Request &request)
{
    return QUrlQuery(QString::fromLatin1(request.query)).queryItemValue("txtInput1");
}

// Plays the barcode service: each render request names a picture of its code,
// which is served under /Temp/.
class BarcodeWeb
{
public:
    BarcodeWeb()
    {
        web.route(barcodePath, [](const FakeWeb::Request &request) {
            FakeWeb::Reply reply;
            reply.body =
                "<img src=\"http://x/Temp/" + codeIn(request).toLatin1() + ".gif@330x100\" />";
            return reply;
        });
    }

    void servePictures(const QStringList &codes)
    {
        for (const QString &code : codes) {
            FakeWeb::Reply reply;
            reply.body = gifOf(code);
            reply.contentType = "image/gif";
            web.route("/Temp/" + code + ".gif", reply);
        }
    }

    QStringList renderedCodes() const
    {
        QStringList codes;
        for (const FakeWeb::Request &request : web.requests()) {
            if (request.path == barcodePath.toUtf8())
                codes << codeIn(request);
        }
        return codes;
    }

    int downloadsOf(const QString &code) const
    {
        int count = 0;
        for (const FakeWeb::Request &request : web.requests())
            count += request.path == ("/Temp/" + code + ".gif").toUtf8();
        return count;
    }

    FakeWeb web;
};

QString artworkFile(const GeneratorFixture &f, const QString &code)
{
    return QDir(f.paths().programDir).filePath("orvoupc/Artwork/" + code + ".gif");
}

QString previewFile(const GeneratorFixture &f)
{
    return QDir(f.paths().programDir).filePath("orvoupcimg.gif");
}

void makeOutputFolders(const GeneratorFixture &f)
{
    QVERIFY(QDir(f.paths().programDir).mkpath("orvoupc/Artwork"));
}

QStringList artworkNames(const GeneratorFixture &f)
{
    return QDir(QDir(f.paths().programDir).filePath("orvoupc/Artwork"))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QString exportQuestion(const GeneratorFixture &f)
{
    return QStringLiteral("导出UPC条码图片完成，图片保存在") +
           QDir::toNativeSeparators(QDir(f.paths().programDir).filePath("orvoupc/Artwork")) +
           QStringLiteral("目录下，确定现在打开导出目录吗？");
}

// A panel on the barcode service with a generated run of 12-digit codes whose
// pictures the service serves, and the output folders the start-up makes.
class ServedRun
{
public:
    explicit ServedRun(int count)
        : codes(run12(count))
    {
        QDir(f.paths().programDir).mkpath("orvoupc/Artwork");
        service.servePictures(codes);
        f.generate12(QString::number(count));
    }

    BarcodeWeb service;
    GeneratorFixture f{service.web.baseUrl()};
    const QStringList codes;
};

} // namespace

class TestGeneratorBarcodes : public QObject
{
    Q_OBJECT

private slots:
    void previewFetchesTheCurrentCode();
    void previewOfOtherTypesHidesThePicture_data();
    void previewOfOtherTypesHidesThePicture();
    void failedPreviewKeepsTheFormerPicture_data();
    void failedPreviewKeepsTheFormerPicture();
    void unreachableServiceEndsThePreview();
    void previewOfTextThatIsNoCodeFetchesNothing();

    void exportWritesOneFilePerCode();
    void exportFromTheEighthCode();
    void exportOpensTheOutputFolderOnOk();
    void exportPasses_data();
    void exportPasses();
    void exportOfflineShowsTheNoticeOncePerPass();
    void exportNeverOverwritesWithAFailedDownload();
    void exportNamesNoFileAfterTextThatIsNoCode_data();
    void exportNamesNoFileAfterTextThatIsNoCode();
    void exportChecks_data();
    void exportChecks();

    void openFolder();
    void clearEmptiesTheListAndTheArtworkFolder();
};

void TestGeneratorBarcodes::previewFetchesTheCurrentCode()
{
    ServedRun run(3);
    BarcodeWeb &service = run.service;
    GeneratorFixture &f = run.f;
    service.web.clearRequests();

    f.panel->Command9.click();
    const QList<FakeWeb::Request> requests = service.web.requests();
    QCOMPARE(requests.size(), 3);
    for (int i : {0, 1}) {
        QCOMPARE(requests[i].path, barcodePath.toUtf8());
        QCOMPARE(requests[i].query,
                 QByteArray("set_w_design=300&set_encoding=UPC-A&set_rotate=Rotate180FlipXY"
                            "&txtInput1=036000291469&set_position=BOTTOMCENTER&chkShowLabel=on"
                            "&set_align=center&outext=GIF&tuid=40917&numbers=0572913"
                            "&ashxfile=Barcodes&srcMakeImg=&mtype=Barcodes&srcw=230&srch=100"));
    }
    QCOMPARE(requests[2].path, QByteArray("/Temp/036000291469.gif"));
    QCOMPARE(TempFolders::readFile(previewFile(f)), gifOf("036000291469"));
    QVERIFY(f.panel->Image1.isVisible());
    QVERIFY(f.panel->Image1.hasPicture());
}

void TestGeneratorBarcodes::previewOfOtherTypesHidesThePicture_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("manufacturer");
    QTest::addColumn<QString>("product");
    QTest::newRow("8 digits") << QStringLiteral("UPC-8位") << "638"
                              << "507";
    QTest::newRow("13 digits") << QStringLiteral("UPC-13位") << "006381"
                               << "33393";
    QTest::newRow("14 digits") << QStringLiteral("UPC-14位") << "001234"
                               << "678901";
}

void TestGeneratorBarcodes::previewOfOtherTypesHidesThePicture()
{
    QFETCH(QString, type);
    QFETCH(QString, manufacturer);
    QFETCH(QString, product);
    BarcodeWeb service;
    GeneratorFixture f(service.web.baseUrl());
    f.generate(type, "1", manufacturer, product, "3");
    f.panel->Command9.click();
    QVERIFY(!f.panel->Image1.isVisible());
    QVERIFY(service.web.requests().isEmpty());
    QVERIFY(!QFile::exists(previewFile(f)));
}

void TestGeneratorBarcodes::failedPreviewKeepsTheFormerPicture_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("reply");

    const QByteArray named = "Temp/036000291469.gif@330";
    QTest::newRow("picture missing") << 404 << QByteArray() << named;
    QTest::newRow("error status with a page") << 500 << QByteArray("<html>busy</html>") << named;
    QTest::newRow("empty picture") << 200 << QByteArray() << named;
    QTest::newRow("reply names no picture") << 200 << QByteArray("x") << QByteArray("no name");
}

void TestGeneratorBarcodes::failedPreviewKeepsTheFormerPicture()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, reply);
    ServedRun run(3);
    BarcodeWeb &service = run.service;
    GeneratorFixture &f = run.f;
    QCOMPARE(TempFolders::readFile(previewFile(f)), gifOf("036000291452"));
    f.panel->Image1.clearPicture();

    FakeWeb::Reply failed;
    failed.status = status;
    failed.body = body;
    service.web.route("/Temp/036000291469.gif", failed);
    service.web.route(barcodePath, FakeWeb::Reply{200, reply});
    f.panel->Command9.click();

    QCOMPARE(TempFolders::readFile(previewFile(f)), gifOf("036000291452"));
    // The picture box is loaded from the preview file all the same.
    QVERIFY(f.panel->Image1.hasPicture());
    QVERIFY(f.dialogs().shown().isEmpty());
}

void TestGeneratorBarcodes::unreachableServiceEndsThePreview()
{
    ServedRun run(3);
    BarcodeWeb &service = run.service;
    GeneratorFixture &f = run.f;
    f.panel->Command8.click();
    f.panel->Image1.clearPicture();

    // The service answers nothing at all: the probe finds it down.
    service.web.route(barcodePath, FakeWeb::Reply{200, QByteArray()});
    service.web.clearRequests();
    f.panel->Command9.click();
    QCOMPARE(service.web.requests().size(), 2);
    QVERIFY(!f.panel->Image1.hasPicture());
    QCOMPARE(TempFolders::readFile(previewFile(f)), gifOf("036000291452"));
}

void TestGeneratorBarcodes::previewOfTextThatIsNoCodeFetchesNothing()
{
    BarcodeWeb service;
    GeneratorFixture f(service.web.baseUrl());
    f.panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
    service.servePictures(run12(1));
    f.generate12("1");
    f.panel->Text1.setText("036000291452\r\n../../evil\r\nabc");
    service.web.clearRequests();
    f.doubleClickLine(2);
    QCOMPARE(f.panel->Text6.text(), QStringLiteral("abc"));
    QVERIFY(service.web.requests().isEmpty());
}

void TestGeneratorBarcodes::exportWritesOneFilePerCode()
{
    ServedRun run(10);
    GeneratorFixture &f = run.f;
    const QStringList &codes = run.codes;
    f.dialogs().queueAnswer(MsgResult::Cancel);

    f.panel->Command11.click();
    QCOMPARE(artworkNames(f).size(), 10);
    for (const QString &code : codes)
        QCOMPARE(TempFolders::readFile(artworkFile(f, code)), gifOf(code));
    QCOMPARE(f.panel->Text6.text(), codes.last());
    QCOMPARE(f.panel->currentCodeStart, 126);

    QCOMPARE(f.dialogs().shown().size(), 1);
    QCOMPARE(f.dialogs().shown()[0].prompt, exportQuestion(f));
    QCOMPARE(f.dialogs().shown()[0].title, QStringLiteral("UPC码生成器提醒您"));
    QCOMPARE(f.dialogs().shown()[0].style, 33);
    QVERIFY(f.fake->shell.folders.isEmpty());
}

void TestGeneratorBarcodes::exportFromTheEighthCode()
{
    ServedRun run(10);
    BarcodeWeb &service = run.service;
    GeneratorFixture &f = run.f;
    const QStringList &codes = run.codes;
    for (int i = 0; i < 7; ++i)
        f.panel->Command9.click();
    service.web.clearRequests();

    f.panel->Command11.click();
    QCOMPARE(artworkNames(f),
             (QStringList{codes[7] + ".gif", codes[8] + ".gif", codes[9] + ".gif"}));
    // Ten passes: codes 8 and 9 once each, the last code in the other eight, and
    // the previews of codes 9 and 10 as the export steps onto them.
    const QStringList rendered = service.renderedCodes();
    QCOMPARE(rendered.count(codes[7]), 2);
    QCOMPARE(rendered.count(codes[8]), 4);
    QCOMPARE(rendered.count(codes[9]), 18);
    QCOMPARE(service.downloadsOf(codes[9]), 9);
}

void TestGeneratorBarcodes::exportOpensTheOutputFolderOnOk()
{
    ServedRun run(1);
    GeneratorFixture &f = run.f;
    f.dialogs().queueAnswer(MsgResult::Ok);
    f.panel->Command11.click();
    QCOMPARE(f.fake->shell.folders, QStringList{QDir::toNativeSeparators(
                                        QDir(f.paths().programDir).filePath("orvoupc") + "/")});
}

void TestGeneratorBarcodes::exportPasses_data()
{
    QTest::addColumn<QString>("countBox");
    QTest::addColumn<int>("exported");

    QTest::newRow("0") << "0" << 0;
    QTest::newRow("no number") << "5a" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("2.5 rounds to even") << "2.5" << 2;
    QTest::newRow("4.5 rounds to even") << "4.5" << 4;
    QTest::newRow("blanks around") << " 3 " << 3;
    QTest::newRow("negative") << "-2" << 0;
}

void TestGeneratorBarcodes::exportPasses()
{
    QFETCH(QString, countBox);
    ServedRun run(10);
    BarcodeWeb &service = run.service;
    GeneratorFixture &f = run.f;
    f.panel->Text3.setText(countBox);
    service.web.clearRequests();

    f.panel->Command11.click();
    QFETCH(int, exported);
    QCOMPARE(artworkNames(f).size(), exported);
    if (exported == 0)
        QVERIFY(service.web.requests().isEmpty());
    QCOMPARE(f.dialogs().shown().size(), 1);
    QCOMPARE(f.dialogs().shown()[0].prompt, exportQuestion(f));
}

void TestGeneratorBarcodes::exportOfflineShowsTheNoticeOncePerPass()
{
    GeneratorFixture f; // every service refuses the connection
    makeOutputFolders(f);
    f.generate12("3");
    f.panel->Command11.click();

    const QList<ScriptedDialogs::Shown> &shown = f.dialogs().shown();
    QCOMPARE(shown.size(), 4);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(shown[i].prompt, offlinePrompt);
        QCOMPARE(shown[i].title, offlineTitle);
        QCOMPARE(shown[i].style, 64);
    }
    QCOMPARE(shown[3].prompt, exportQuestion(f));
    QVERIFY(artworkNames(f).isEmpty());
    QCOMPARE(f.panel->currentCodeStart, 28);
}

void TestGeneratorBarcodes::exportNeverOverwritesWithAFailedDownload()
{
    BarcodeWeb service;
    GeneratorFixture f(service.web.baseUrl());
    makeOutputFolders(f);
    f.generate12("2");
    const QStringList codes = f.panel->Text1.text().split("\r\n");
    QVERIFY(TempFolders::writeFile(artworkFile(f, codes[0]), "earlier export"));
    service.servePictures({codes[1]});
    service.web.route("/Temp/" + codes[0] + ".gif", FakeWeb::Reply{500, "error page"});

    f.panel->Command11.click();
    QCOMPARE(TempFolders::readFile(artworkFile(f, codes[0])), QByteArray("earlier export"));
    QCOMPARE(TempFolders::readFile(artworkFile(f, codes[1])), gifOf(codes[1]));
    QCOMPARE(artworkNames(f).size(), 2);
}

void TestGeneratorBarcodes::exportNamesNoFileAfterTextThatIsNoCode_data()
{
    QTest::addColumn<QString>("current");
    QTest::newRow("letters") << "abc";
    QTest::newRow("path out of the artwork folder") << "../../orvoupcimg";
    QTest::newRow("code with a blank") << "036000 291452";
}

void TestGeneratorBarcodes::exportNamesNoFileAfterTextThatIsNoCode()
{
    QFETCH(QString, current);
    BarcodeWeb service;
    GeneratorFixture f(service.web.baseUrl());
    makeOutputFolders(f);
    f.generate12("1");
    // Text pasted into the list and picked becomes the current code.
    f.panel->Text1.setText("036000291452\r\n" + current);
    f.panel->Text6.setText(current);
    service.web.clearRequests();

    f.panel->Command11.click();
    // Only the preview of the first code, which the export's step moved onto.
    QCOMPARE(service.renderedCodes(), QStringList(2, "036000291452"));
    QVERIFY(artworkNames(f).isEmpty());
    QVERIFY(QDir(f.paths().programDir).entryList({"*.gif"}, QDir::Files).isEmpty());
    QCOMPARE(f.dialogs().shown().size(), 1);
}

void TestGeneratorBarcodes::exportChecks_data()
{
    QTest::addColumn<bool>("emptyCurrentCode");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("style");

    QTest::newRow("no current code")
        << true << QStringLiteral("亲，请先生成UPC码再进行导出条码操作！")
        << QStringLiteral("亲，请先生成UPC码！") << 64;
    QTest::newRow("empty code list") << false << QStringLiteral("请先生成UPC码再生成UPC条码图片")
                                     << QStringLiteral("错误提示：您还未生成UPC码") << 0;
}

void TestGeneratorBarcodes::exportChecks()
{
    QFETCH(bool, emptyCurrentCode);
    BarcodeWeb service;
    GeneratorFixture f(service.web.baseUrl());
    makeOutputFolders(f);
    if (!emptyCurrentCode) {
        f.generate12("2");
        f.panel->Text1.setText({});
    }
    service.web.clearRequests();
    f.panel->Command11.click();
    QCOMPARE(f.dialogs().shown().size(), 1);
    QTEST(f.dialogs().shown()[0].prompt, "prompt");
    QTEST(f.dialogs().shown()[0].title, "title");
    QTEST(f.dialogs().shown()[0].style, "style");
    QVERIFY(service.web.requests().isEmpty());
    QVERIFY(artworkNames(f).isEmpty());
}

void TestGeneratorBarcodes::openFolder()
{
    GeneratorFixture f;
    f.panel->Command16.click();
    QCOMPARE(f.fake->shell.folders, QStringList{QDir::toNativeSeparators(
                                        QDir(f.paths().programDir).filePath("orvoupc") + "/")});
    QVERIFY(f.dialogs().shown().isEmpty());
}

void TestGeneratorBarcodes::clearEmptiesTheListAndTheArtworkFolder()
{
    ServedRun run(3);
    BarcodeWeb &service = run.service;
    GeneratorFixture &f = run.f;
    f.panel->Command9.click();
    const QDir program(f.paths().programDir);
    QVERIFY(program.mkpath("orvoupc/Artwork/sub/deeper"));
    QVERIFY(TempFolders::writeFile(program.filePath("orvoupc/Artwork/sub/deeper/a.gif"), "a"));
    QVERIFY(TempFolders::writeFile(program.filePath("orvoupc/Artwork/b.gif"), "b"));
    QVERIFY(TempFolders::writeFile(program.filePath("orvoupc/Artwork/noext"), "c"));
    QVERIFY(TempFolders::writeFile(program.filePath("orvoupc/keep.txt"), "k"));
    service.web.clearRequests();

    f.panel->Command5.click();
    QCOMPARE(f.panel->Text1.text(), QString());
    QCOMPARE(f.panel->Text6.text(), QString());
    QCOMPARE(f.panel->currentCodeStart, 0);
    QVERIFY(artworkNames(f).isEmpty());
    QVERIFY(program.exists("orvoupc/Artwork"));
    QVERIFY(program.exists("orvoupc/keep.txt"));
    QVERIFY(program.exists("orvoupcimg.gif"));
    QVERIFY(f.panel->Image1.hasPicture());
    QVERIFY(service.web.requests().isEmpty());

    f.panel->Command5.click();
    QVERIFY(f.dialogs().shown().isEmpty());
}

SKARVEL_TEST_MAIN(TestGeneratorBarcodes)
#include "tst_generator_barcodes.moc"
