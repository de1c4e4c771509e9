#include "qqgroups/link_rules.h"

#include <QTest>

Q_DECLARE_METATYPE(MemberLinkKind)

namespace {
const QString base = QStringLiteral("http://qun.example");
const QString prefix = base + "/air/#";
} // namespace

class TstLinkRules : public QObject
{
    Q_OBJECT
private slots:
    void groupLinks_data();
    void groupLinks();
    void memberLinks_data();
    void memberLinks();
};

void TstLinkRules::groupLinks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("mayNameGroup");

    QTest::newRow("group") << "卖家群" << prefix + "111" << true;
    QTest::newRow("blanks around kept for the caller") << "  卖家群 " << prefix + "111" << true;
    QTest::newRow("blank text") << "   " << prefix + "111" << false;
    QTest::newRow("empty text") << "" << prefix + "111" << false;
    QTest::newRow("tab is not blank") << "\t" << prefix + "111" << true;
    QTest::newRow("more link") << "更多>>" << prefix + "111" << false;
    QTest::newRow("not under the prefix") << "卖家群" << base + "/air/111" << false;
    QTest::newRow("other host") << "卖家群"
                                << "http://other.example/air/#111" << false;
    QTest::newRow("search") << "搜索" << prefix + "search" << false;
    QTest::newRow("admin") << "管理" << prefix + "111/admin" << false;
    QTest::newRow("level") << "等级" << prefix + "111/level" << false;
    QTest::newRow("mygroup") << "我的群" << prefix + "mygroup" << false;
    QTest::newRow("bbs") << "论坛" << prefix + "bbs/111" << false;
    QTest::newRow("case counts") << "管理" << prefix + "111/Admin" << true;
}

void TstLinkRules::groupLinks()
{
    QFETCH(QString, text);
    QFETCH(QString, href);
    QFETCH(bool, mayNameGroup);
    QCOMPARE(::mayNameGroup(text, href, prefix), mayNameGroup);
}

void TstLinkRules::memberLinks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("href");
    QTest::addColumn<MemberLinkKind>("kind");

    const QString group = prefix + "111";
    QTest::newRow("member") << "张三" << group + "/addr/detail/u/10001/type/1"
                            << MemberLinkKind::Member;
    QTest::newRow("blank member") << "  " << group + "/addr/detail/u/10001/type/1"
                                  << MemberLinkKind::Other;
    QTest::newRow("pager") << "2" << group + "/addr/index/type/1/p/2" << MemberLinkKind::Pager;
    QTest::newRow("pager with a word")
        << "下一页" << group + "/addr/index/type/1/p/3" << MemberLinkKind::Pager;
    QTest::newRow("other list type beats pager")
        << "2" << group + "/addr/index/type/0/p/2" << MemberLinkKind::Other;
    QTest::newRow("pager before forum") << "2" << group + "/bbs/p/2" << MemberLinkKind::Pager;
    QTest::newRow("pager before mygroup") << "2" << group + "/mygroup/p/2" << MemberLinkKind::Pager;
    QTest::newRow("forum") << "论坛" << group + "/bbs" << MemberLinkKind::Other;
    QTest::newRow("mygroup") << "我的群" << prefix + "mygroup" << MemberLinkKind::Other;
    QTest::newRow("admin beats pager") << "2" << group + "/admin/p/2" << MemberLinkKind::Other;
    QTest::newRow("level") << "等级" << group + "/level" << MemberLinkKind::Other;
    QTest::newRow("search") << "搜索" << prefix + "search" << MemberLinkKind::Other;
    QTest::newRow("not under the prefix")
        << "张三" << base + "/air/111/addr/detail/u/1" << MemberLinkKind::Other;
    QTest::newRow("more text is still a member")
        << "更多>>" << group + "/addr/detail/u/10001/type/1" << MemberLinkKind::Member;
}

void TstLinkRules::memberLinks()
{
    QFETCH(QString, text);
    QFETCH(QString, href);
    QFETCH(MemberLinkKind, kind);
    QCOMPARE(memberLinkKind(text, href, prefix), kind);
}

QTEST_GUILESS_MAIN(TstLinkRules)
#include "tst_link_rules.moc"
