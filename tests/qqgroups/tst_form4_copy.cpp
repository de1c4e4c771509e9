#include "qqgroups/form4.h"
#include "support/fake_services.h"
#include "support/test_main.h"

#include <QDir>
#include <QStringEncoder>

namespace {

const QString groupCache = QStringLiteral("/My Documents/QQ群列表（剪贴板缓存）.txt");
const QString memberCache = QStringLiteral("/My Documents/QQ群成员列表（剪贴板缓存）.txt");
const QString membersCopied =
    QStringLiteral("复制QQ群成员列表成功，您可以粘贴到TXT，Excel，Word等编辑器中！");

void addRow(ListView &list, const QStringList &cells)
{
    const int row = list.addRow(cells.first());
    for (int column = 1; column < cells.size(); ++column)
        list.setSubItem(row, column, cells[column]);
}

QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

} // namespace

class TstForm4Copy : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void groupListLayout();
    void memberListLayouts_data();
    void memberListLayouts();
    void charactersGbkLacksBecomeQuestionMarks();
    void emptyListsLeaveClipboardAndCacheAlone_data();
    void emptyListsLeaveClipboardAndCacheAlone();
    void unwritableCacheIsReported();
    void refusedClipboardIsReported();

private:
    QString profile(const QString &relative) const { return fake->folders.profile() + relative; }

    FakeServices *fake = nullptr;
    Form4 *form = nullptr;
};

void TstForm4Copy::init()
{
    fake = new FakeServices;
    QDir(fake->folders.profile()).mkpath("My Documents");
    fake->clipboard.content = "原有内容";
    form = new Form4(fake->services);
    form->load();
}

void TstForm4Copy::cleanup()
{
    delete form;
    delete fake;
}

void TstForm4Copy::groupListLayout()
{
    addRow(form->ListView1, {"  卖家群 ", "\t111", ""});
    addRow(form->ListView1, {"Amazon Sellers", "\t222", "\t已提取"});
    const QString expected = "卖家群     \t111   \r\n"
                             "Amazon Sellers   \t222   \t已提取\r\n";

    form->Command9.click();

    QCOMPARE(fake->clipboard.content, expected);
    // "卖家群" is 6 bytes: 2 blanks of padding, then the 3 of the separator.
    QCOMPARE(TempFolders::readFile(profile(groupCache)).left(11),
             QByteArray("\xC2\xF4\xBC\xD2\xC8\xBA     "));
    QCOMPARE(TempFolders::readFile(profile(groupCache)), gbk(expected));
    QCOMPARE(fake->dialogs.shown().size(), 1);
    QCOMPARE(fake->dialogs.shown()[0].prompt,
             QString("复制QQ群列表成功，您可以粘贴到TXT，Excel，Word等编辑器中！"));
    QCOMPARE(fake->dialogs.shown()[0].style, 64);
    QCOMPARE(fake->dialogs.shown()[0].title, QString("复制成功"));

    // A second copy rewrites the cache file with the same text.
    form->Command9.click();
    QCOMPARE(fake->clipboard.content, expected);
    QCOMPARE(TempFolders::readFile(profile(groupCache)), gbk(expected));
}

void TstForm4Copy::memberListLayouts_data()
{
    QTest::addColumn<bool>("withMail");
    QTest::addColumn<QString>("clipboard");

    QTest::newRow("nickname and QQ number")
        << false
        << QString("张三       \t10001\t111   \t卖家群   \t1\r\n"
                   "Tom        \t10002\t111   \t卖家群   \t2\r\n"
                   "欧阳娜娜   \t10003\t111   \t卖家群   \t3\r\n"
                   "   \t10004\t111   \t卖家群   \t4\r\n"
                   "李四       \t10005\t         \t1\r\n");
    QTest::newRow("nickname and mail address")
        << true
        << QString("张三       \t10001@qq.com\t111   \t卖家群   \t1\r\n"
                   "Tom        \t10002@qq.com\t111   \t卖家群   \t2\r\n"
                   "欧阳娜娜   \t10003@qq.com\t111   \t卖家群   \t3\r\n"
                   "   \t10004@qq.com\t111   \t卖家群   \t4\r\n"
                   "李四       \t10005\t         \t1\r\n");
}

void TstForm4Copy::memberListLayouts()
{
    QFETCH(bool, withMail);
    QFETCH(QString, clipboard);
    addRow(form->ListView2, {"张三", "\t10001\t", "\t111", "\t卖家群", "\t1"});
    addRow(form->ListView2, {" Tom ", "\t10002\t", "\t111", "\t卖家群", "\t2"});
    addRow(form->ListView2, {"欧阳娜娜", "\t10003\t", "\t111", "\t卖家群", "\t3"});
    addRow(form->ListView2, {"  ", "\t10004\t", "\t111", "\t卖家群", "\t4"});
    // Fetched with no group selected: no group cells, so nothing to replace.
    addRow(form->ListView2, {"李四", "\t10005\t", "", "", "\t1"});
    const QString file = "张三       \t10001\t   \t111   \t卖家群   \t1\r\n"
                         "Tom        \t10002\t   \t111   \t卖家群   \t2\r\n"
                         "欧阳娜娜   \t10003\t   \t111   \t卖家群   \t3\r\n"
                         "   \t10004\t   \t111   \t卖家群   \t4\r\n"
                         "李四       \t10005\t         \t1\r\n";

    (withMail ? form->Command5 : form->Command6).click();

    QCOMPARE(fake->clipboard.content, clipboard);
    QCOMPARE(TempFolders::readFile(profile(memberCache)), gbk(file));
    QCOMPARE(fake->dialogs.shown().size(), 1);
    QCOMPARE(fake->dialogs.shown()[0].prompt, membersCopied);
    QCOMPARE(fake->dialogs.shown()[0].title, QString("复制成功"));
}

void TstForm4Copy::charactersGbkLacksBecomeQuestionMarks()
{
    addRow(form->ListView1, {"한국", "\t333", ""});

    form->Command9.click();

    QCOMPARE(fake->clipboard.content, QString("??         \t333   \r\n"));
    QCOMPARE(TempFolders::readFile(profile(groupCache)), QByteArray("??         \t333   \r\n"));
}

void TstForm4Copy::emptyListsLeaveClipboardAndCacheAlone_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("cache");
    QTest::addColumn<QString>("prompt");

    QTest::newRow("groups") << "Command9" << groupCache << "您还未获取QQ群列表！";
    QTest::newRow("members with QQ numbers") << "Command6" << memberCache << "您还未获取QQ群成员！";
    QTest::newRow("members with mail addresses")
        << "Command5" << memberCache << "您还未获取QQ群成员！";
}

void TstForm4Copy::emptyListsLeaveClipboardAndCacheAlone()
{
    QFETCH(QString, button);
    QFETCH(QString, cache);
    QFETCH(QString, prompt);
    QVERIFY(TempFolders::writeFile(profile(cache), "earlier copy\r\n"));

    CommandButton &copy = button == "Command9"   ? form->Command9
                          : button == "Command6" ? form->Command6
                                                 : form->Command5;
    copy.click();

    QCOMPARE(fake->dialogs.shown().size(), 1);
    QCOMPARE(fake->dialogs.shown()[0].prompt, prompt);
    QCOMPARE(fake->dialogs.shown()[0].style, 64);
    QCOMPARE(fake->dialogs.shown()[0].title, QString("错误提示"));
    QCOMPARE(fake->clipboard.content, QString("原有内容"));
    QCOMPARE(TempFolders::readFile(profile(cache)), QByteArray("earlier copy\r\n"));
}

void TstForm4Copy::unwritableCacheIsReported()
{
    QVERIFY(QDir(profile("/My Documents")).removeRecursively());
    addRow(form->ListView1, {"卖家群", "\t111", ""});

    form->Command9.click();

    QCOMPARE(fake->dialogs.shown().size(), 1);
    QCOMPARE(fake->dialogs.shown()[0].prompt, "亲，无法写入剪贴板缓存文件：" + profile(groupCache));
    QCOMPARE(fake->dialogs.shown()[0].title, QString("亲，出错啦！"));
    QCOMPARE(fake->clipboard.content, QString("原有内容"));
}

void TstForm4Copy::refusedClipboardIsReported()
{
    fake->clipboard.failWrites = true;
    addRow(form->ListView2, {"张三", "\t10001\t", "\t111", "\t卖家群", "\t1"});

    form->Command6.click();

    QCOMPARE(fake->dialogs.shown().size(), 1);
    QCOMPARE(fake->dialogs.shown()[0].prompt, QString("亲，复制到剪贴板失败，请重试！"));
    QCOMPARE(fake->dialogs.shown()[0].title, QString("亲，出错啦！"));
}

SKARVEL_TEST_MAIN(TstForm4Copy)
#include "tst_form4_copy.moc"
