#include "keywords/form2.h"
#include "platform/code_page.h"
#include "support/fake_services.h"
#include "support/test_main.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString exportQuestionTitle = QStringLiteral("搜索建议关键词抓取器提醒您");

QString exportQuestion(const QString &folder)
{
    return QStringLiteral("导出关键词完成，数据保存在“%1”目录下，确定现在打开导出目录吗？")
        .arg(folder);
}

struct Grabber
{
    Grabber() { form.load(); }
    QString folder() const { return fake.folders.drive("orvokeywords") + "/"; }
    QString exportFile() const { return fake.folders.drive("orvokeywords/suggestkeywords.txt"); }
    FakeServices fake;
    Form2 form{fake.services};
};

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void afterLoad();
    void captionsAndDesignTexts();
    void tabOrderStartsAtTheStopButton();
    void loadLeavesAnythingNamedLikeTheFolder_data();
    void loadLeavesAnythingNamedLikeTheFolder();
    void loadThatCannotCreateTheFolderStillOpens();
    void engineChoice_data();
    void engineChoice();
    void engineChoiceKeepsTheListsAndTheCount();
    void copyAllOfAnEmptyBox();
    void copyAllTakesTheBoxExactly();
    void clearEmptiesEverythingButTheChoices();
    void exportWritesTheBoxInTheAnsiCodePage_data();
    void exportWritesTheBoxInTheAnsiCodePage();
    void exportReplacesTheEarlierFile();
    void exportCancelOpensNothing();
    void failedExportSaysSoAndAsksNothing_data();
    void failedExportSaysSoAndAsksNothing();
    void openFolder();
    void closeHidesTheWindow();
};

void TestForm2::afterLoad()
{
    Grabber grabber;
    Form2 &form = grabber.form;
    QCOMPARE(form.Caption(), u"搜索建议词抓取器 - Tobrin"_qs);
    QCOMPARE(form.size(), QSize(465, 453));
    QCOMPARE(form.Text1.text(), QString());
    QCOMPARE(form.Text2.text(), QString());
    QCOMPARE(form.List1.ListCount(), 0);
    QCOMPARE(form.List2.ListCount(), 0);
    QCOMPARE(form.Label8.Caption(), "0");
    QCOMPARE(form.Combo1.text(), u"美国亚马逊"_qs);
    QCOMPARE(form.Combo2.text(), u"英语"_qs);
    QVERIFY(!form.Combo2.isEnabled());
    QCOMPARE(form.Combo3.text(), "0.5");
    QVERIFY(QFileInfo(grabber.folder()).isDir());
    // The result list lies below the client area, out of sight.
    QVERIFY(form.List2.widget()->geometry().top() >= form.height());
    QCOMPARE(form.focusWidget(), form.Command5.widget());
}

void TestForm2::captionsAndDesignTexts()
{
    Grabber grabber;
    Form2 &form = grabber.form;
    QCOMPARE(form.Label4.Caption(), u"搜索建议词抓取器"_qs);
    QCOMPARE(form.Label13.Caption(), u"搜索抓取延时"_qs);
    QCOMPARE(form.Label14.Caption(), u"秒"_qs);
    QCOMPARE(form.Label1.Caption(), u"请输入关键词"_qs);
    QCOMPARE(form.Label7.Caption(), u"成功抓取关键词数："_qs);
    QCOMPARE(form.Label12.Caption(), u"个"_qs);
    QCOMPARE(form.Label2.Caption(), u"搜索引擎"_qs);
    QCOMPARE(form.Label3.Caption(), u"区域语言"_qs);
    QCOMPARE(form.Command1.Caption(), u"开始抓取"_qs);
    QCOMPARE(form.Command5.Caption(), u"停止抓取"_qs);
    QCOMPARE(form.Command4.Caption(), u"清空数据"_qs);
    QCOMPARE(form.Command2.Caption(), u"全部复制"_qs);
    QCOMPARE(form.Command3.Caption(), u"导出数据"_qs);
    QCOMPARE(form.Command6.Caption(), u"打开目录"_qs);
    QCOMPARE(form.Label5.Caption(),
             u"1.短时间内请勿频繁抓取，防止IP被搜索引擎限制，请根据自身网络情况选择抓取延时"_qs);
    QCOMPARE(form.Label6.Caption(),
             u"2.如果抓取不到任何信息，可能您的IP已经被限制，请切换IP或等待一段时间再操作"_qs);
    QCOMPARE(form.Label9.Caption(),
             u"3.过短关键词容易产生大量请求，极易导致IP被限制和抓取到的数据量不完整"_qs);

    auto items = [](const ComboBox &box) {
        QStringList list;
        for (int i = 0; i < box.ListCount(); ++i)
            list << box.List(i);
        return list;
    };
    QCOMPARE(items(form.Combo1), QStringList({u"淘宝"_qs, u"百度"_qs, u"美国亚马逊"_qs,
                                              u"英国亚马逊"_qs, u"速卖通"_qs}));
    QCOMPARE(items(form.Combo2),
             QStringList({u"英语"_qs, u"中文"_qs, u"日语"_qs, u"俄语"_qs, u"德语"_qs}));
    QCOMPARE(items(form.Combo3),
             QStringList({"0", "0.2", "0.5", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    QVERIFY(form.Combo3.widget()->isEditable());
    QVERIFY(!form.Combo1.widget()->isEditable());
}

void TestForm2::tabOrderStartsAtTheStopButton()
{
    Grabber grabber;
    Form2 &form = grabber.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.Command5.widget());

    // The language list is disabled, so Tab passes it by.
    const QList<QWidget *> expected{
        form.Combo3.widget(),   form.Command4.widget(), form.List2.widget(),
        form.Command3.widget(), form.Command2.widget(), form.Text2.widget(),
        form.List1.widget(),    form.Command1.widget(), form.Combo1.widget(),
        form.Text1.widget(),    form.Command6.widget(), form.Command5.widget()};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        // An editable box's focus sits in its edit line.
        while (focused && focused != next && focused->parentWidget() != &form)
            focused = focused->parentWidget();
        QCOMPARE(focused, next);
    }
    QVERIFY(!form.Command1.widget()->isDefault());
}

void TestForm2::loadLeavesAnythingNamedLikeTheFolder_data()
{
    QTest::addColumn<bool>("asFile");
    QTest::newRow("folder with a file in it") << false;
    QTest::newRow("file of that name") << true;
}

void TestForm2::loadLeavesAnythingNamedLikeTheFolder()
{
    QFETCH(bool, asFile);

    FakeServices fake;
    const QString path = fake.folders.drive("orvokeywords");
    const QString kept = asFile ? path : path + "/kept.txt";
    QVERIFY(TempFolders::writeFile(kept, "kept"));
    Form2 form(fake.services);
    form.load();
    QCOMPARE(QFileInfo(path).isFile(), asFile);
    QCOMPARE(TempFolders::readFile(kept), QByteArray("kept"));
}

void TestForm2::loadThatCannotCreateTheFolderStillOpens()
{
    FakeServices fake;
    QVERIFY(TempFolders::writeFile(fake.folders.drive("blocked"), "a file"));
    fake.services.paths.driveRoot = fake.folders.drive("blocked/below");
    Form2 form(fake.services);
    form.load();
    QVERIFY(form.isLoaded());
    QCOMPARE(form.Combo1.text(), u"美国亚马逊"_qs);
    QVERIFY(fake.dialogs.shown().isEmpty());
    QVERIFY(!fake.services.programEnded());
}

void TestForm2::engineChoice_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("language");

    QTest::newRow("baidu") << u"百度"_qs << u"中文"_qs;
    QTest::newRow("taobao") << u"淘宝"_qs << u"中文"_qs;
    QTest::newRow("amazon us") << u"美国亚马逊"_qs << u"英语"_qs;
    QTest::newRow("amazon uk") << u"英国亚马逊"_qs << u"英语"_qs;
    QTest::newRow("aliexpress") << u"速卖通"_qs << u"英语"_qs;
}

void TestForm2::engineChoice()
{
    QFETCH(QString, engine);
    QFETCH(QString, language);

    Grabber grabber;
    Form2 &form = grabber.form;
    form.Combo2.setText(u"德语"_qs);
    form.Text2.setText("earlier text");
    const int index = form.Combo1.widget()->findText(engine);
    form.Combo1.widget()->setCurrentIndex(index);
    emit form.Combo1.widget()->activated(index); // the user's pick
    QCOMPARE(form.Text2.text(), QString());
    QCOMPARE(form.Combo2.text(), language);
    QVERIFY(!form.Combo2.isEnabled());
}

void TestForm2::engineChoiceKeepsTheListsAndTheCount()
{
    Grabber grabber;
    Form2 &form = grabber.form;
    form.List2.AddItem("kept");
    form.Label8.setCaption("2");
    form.Text2.setText("seed\r\nkept");
    form.Combo1.setText(u"百度"_qs);
    QCOMPARE(form.Text2.text(), QString());
    QCOMPARE(form.List2.List(0), "kept");
    QCOMPARE(form.Label8.Caption(), "2");
}

void TestForm2::copyAllOfAnEmptyBox()
{
    Grabber grabber;
    grabber.fake.clipboard.content = "earlier";
    grabber.form.Command2.click();
    QCOMPARE(grabber.fake.clipboard.content, "earlier");
    QCOMPARE(grabber.fake.dialogs.shown().size(), 1);
    QCOMPARE(grabber.fake.dialogs.shown()[0].prompt,
             u"亲，老花眼了吧，文本框是空的！没有复制到任何内容！"_qs);
    QCOMPARE(grabber.fake.dialogs.shown()[0].title, u"文本框内容为空！"_qs);
    QCOMPARE(grabber.fake.dialogs.shown()[0].style, 64);
}

void TestForm2::copyAllTakesTheBoxExactly()
{
    Grabber grabber;
    grabber.form.Text2.setText(u"phone\r\nphone case\r\n手机壳 "_qs);
    grabber.form.Command2.click();
    QCOMPARE(grabber.fake.clipboard.content, u"phone\r\nphone case\r\n手机壳 "_qs);
    QCOMPARE(grabber.fake.dialogs.shown().size(), 1);
    QCOMPARE(grabber.fake.dialogs.shown()[0].prompt,
             u"亲，复制全部关键词成功，您可以粘贴到其它地方了，欧也！"_qs);
    QCOMPARE(grabber.fake.dialogs.shown()[0].title, u"亲，您复制成功了！"_qs);
    QCOMPARE(grabber.fake.dialogs.shown()[0].style, 64);
}

void TestForm2::clearEmptiesEverythingButTheChoices()
{
    Grabber grabber;
    Form2 &form = grabber.form;
    form.Text1.setText("seed");
    form.Combo3.setText("2");
    form.Text2.setText("seed\r\na");
    form.List1.AddItem("a");
    form.List2.AddItem("a");
    form.Label8.setCaption("2");
    form.Command4.click();
    QCOMPARE(form.Text2.text(), QString());
    QCOMPARE(form.List1.ListCount(), 0);
    QCOMPARE(form.List2.ListCount(), 0);
    QCOMPARE(form.Label8.Caption(), "0");
    QCOMPARE(form.Text1.text(), "seed");
    QCOMPARE(form.Combo1.text(), u"美国亚马逊"_qs);
    QCOMPARE(form.Combo2.text(), u"英语"_qs);
    QCOMPARE(form.Combo3.text(), "2");
}

void TestForm2::exportWritesTheBoxInTheAnsiCodePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("result text") << u"手机\r\n手机壳\r\nphone case"_qs
                                 << QByteArray("\xCA\xD6\xBB\xFA\r\n\xCA\xD6\xBB\xFA\xBF\xC7\r\n"
                                               "phone case\r\n");
    QTest::newRow("empty box") << "" << QByteArray("\r\n");
    QTest::newRow("character the code page lacks") << u"😀a"_qs << QByteArray("?a\r\n");
}

void TestForm2::exportWritesTheBoxInTheAnsiCodePage()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    Grabber grabber;
    grabber.form.Text2.setText(text);
    grabber.form.Command3.click();
    QCOMPARE(TempFolders::readFile(grabber.exportFile()), bytes);

    const QList<ScriptedDialogs::Shown> shown = grabber.fake.dialogs.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].prompt, exportQuestion(grabber.folder()));
    QCOMPARE(shown[0].title, exportQuestionTitle);
    QCOMPARE(shown[0].style, 33);
    QCOMPARE(grabber.fake.shell.folders, QStringList{grabber.folder()});
}

void TestForm2::exportReplacesTheEarlierFile()
{
    Grabber grabber;
    grabber.form.Text2.setText("first\r\nexport with more lines");
    grabber.form.Command3.click();
    grabber.form.Text2.setText("second");
    grabber.form.Command3.click();
    QCOMPARE(TempFolders::readFile(grabber.exportFile()), QByteArray("second\r\n"));
}

void TestForm2::exportCancelOpensNothing()
{
    Grabber grabber;
    grabber.fake.dialogs.queueAnswer(MsgResult::Cancel);
    grabber.form.Command3.click();
    QCOMPARE(grabber.fake.dialogs.shown().size(), 1);
    QVERIFY(grabber.fake.shell.folders.isEmpty());
}

void TestForm2::failedExportSaysSoAndAsksNothing_data()
{
    QTest::addColumn<bool>("fileInPlace");
    QTest::newRow("folder missing") << false;
    QTest::newRow("a file in the folder's place") << true;
}

void TestForm2::failedExportSaysSoAndAsksNothing()
{
    QFETCH(bool, fileInPlace);

    Grabber grabber;
    const QString folder = grabber.fake.folders.drive("orvokeywords");
    QVERIFY(QDir(folder).removeRecursively());
    if (fileInPlace)
        QVERIFY(TempFolders::writeFile(folder, "a file"));
    grabber.form.Text2.setText("seed");
    grabber.form.Command3.click();

    const QList<ScriptedDialogs::Shown> shown = grabber.fake.dialogs.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].style, 64);
    QCOMPARE(shown[0].title, u"亲，导出失败！"_qs);
    QVERIFY(shown[0].prompt.contains(grabber.exportFile()));
    QVERIFY(grabber.fake.shell.folders.isEmpty());
    QVERIFY(!grabber.fake.services.programEnded());
    QCOMPARE(QFileInfo(folder).isFile(), fileInPlace);
}

void TestForm2::openFolder()
{
    Grabber grabber;
    grabber.form.Command6.click();
    QCOMPARE(grabber.fake.shell.folders, QStringList{grabber.folder()});
    QVERIFY(grabber.fake.dialogs.shown().isEmpty());
}

void TestForm2::closeHidesTheWindow()
{
    Grabber grabber;
    grabber.form.show();
    QVERIFY(grabber.form.close());
    QVERIFY(!grabber.form.isVisible());
    QVERIFY(grabber.fake.dialogs.shown().isEmpty());
}

SKARVEL_TEST_MAIN(TestForm2)
#include "tst_form2.moc"
