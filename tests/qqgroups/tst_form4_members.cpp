#include "exporter_session.h"
#include "support/input_during_wait.h"
#include "support/test_main.h"

namespace {

const QString gettingMembersText =
    QStringLiteral("正在获取群成员，请耐心等待！您的网速决定了获取速度快慢，如果获取的群成员数量与"
                   "实际不符，请加长“导出"
                   "延时”再重新获取！");
const QString membersGotText = QStringLiteral(
    "获取群成员QQ号成功，单击“复制网名+QQ号”或“复制网名+邮箱”即可将QQ群成员列表批量复制到剪贴板！");

// Two members a page, with numbers that tell the page.
FakeGroupService::MemberPage membersOfPage(int page, const QStringList &pagerTexts = {})
{
    FakeGroupService::MemberPage content;
    for (int member = 1; member <= 2; ++member)
        content.members.append({QString("成员%1-%2").arg(page).arg(member),
                                QString::number(10000 + page * 100 + member)});
    content.pagerTexts = pagerTexts;
    return content;
}

QStringList cells(const ListView &list, int row)
{
    QStringList texts;
    for (int column = 0; column < list.columnCount(); ++column)
        texts.append(list.cellText(row, column));
    return texts;
}

// The pages the paging passes asked for: page 1 comes first, loaded and refreshed.
QList<int> pagedPages(const FakeGroupService &web, const QString &group)
{
    QList<int> pages = web.memberPagesRequested(group);
    if (pages.mid(0, 2) != QList<int>{1, 1})
        return {-1};
    return pages.mid(2);
}

} // namespace

class TstForm4Members : public QObject
{
    Q_OBJECT
private slots:
    void membersReadPageByPage();
    void pagingPasses_data();
    void pagingPasses();
    void stopEndsThePagingAfterThePassUnderWay();
    void membersKeepTheGroupOfTheFetchStart();
    void serialNumbersStartAtOneForEveryFetch();
    void withoutASelectedGroupTheCellsStayEmpty();
    void aDelayOfZeroScansNoPage();

private:
    // A logged-in window listing the group "卖家交流群" (111), selected, with the
    // tests' delay.
    void prepare(ExporterSession &session);
};

void TstForm4Members::prepare(ExporterSession &session)
{
    session.logIn();
    session.warmUpMemberBrowser();
    session.listGroup("卖家交流群", "111");
    session.form().ListView1.setSelectedRow(0);
    session.form().Combo1.setText(ExporterSession::delay);
}

void TstForm4Members::membersReadPageByPage()
{
    ExporterSession session;
    prepare(session);
    session.web.setMemberPage("111", 1, membersOfPage(1, {"2", "3"}));
    for (int page = 2; page <= 5; ++page)
        session.web.setMemberPage("111", page, membersOfPage(page, {"2", "3"}));
    Form4 &form = session.form();
    QString statusDuringFetch;
    const InputDuringTheWait during(
        [&] { return !session.web.memberPagesRequested("111").isEmpty(); },
        [&] { statusDuringFetch = form.Text1.text(); });

    form.Command2.click();

    QCOMPARE(statusDuringFetch, gettingMembersText);
    QCOMPARE(pagedPages(session.web, "111"), QList<int>({2, 3, 4, 5}));
    QCOMPARE(form.ListView2.rowCount(), 10);
    QCOMPARE(cells(form.ListView2, 0),
             QStringList({"成员1-1", "\t10101\t", "\t111", "\t卖家交流群", "\t1"}));
    QCOMPARE(cells(form.ListView2, 3),
             QStringList({"成员2-2", "\t10202\t", "\t111", "\t卖家交流群", "\t4"}));
    QCOMPARE(cells(form.ListView2, 9),
             QStringList({"成员5-2", "\t10502\t", "\t111", "\t卖家交流群", "\t10"}));
    QCOMPARE(form.Text2.text(), QString("10"));
    QCOMPARE(form.ListView1.cellText(0, 2), QString("\t已提取"));
    QCOMPARE(form.Text1.text(), membersGotText);
    // Only the paging links were recorded, page 1's first.
    QCOMPARE(form.List1.List(0), QString("2"));
    QCOMPARE(form.List1.List(1), QString("3"));
    QVERIFY(!form.List1.contains("管理员"));
    // The group browser goes back to the service's home page.
    QVERIFY(waitFor([&] { return !session.web.requestsFor("/").isEmpty(); }));
}

void TstForm4Members::pagingPasses_data()
{
    QTest::addColumn<QStringList>("pagerOfPage1");
    QTest::addColumn<int>("emptyAtFirst"); // a page whose first request finds no members
    QTest::addColumn<int>("lateAtFirst");  // a page whose first answer comes too late
    QTest::addColumn<QList<int>>("pagesRequested");

    QTest::newRow("last paging link 5: bound and one more")
        << QStringList{"2", "5"} << 0 << 0 << QList<int>{2, 3, 4, 5, 6, 7};
    QTest::newRow("a page that added nothing is asked for again")
        << QStringList{"2", "5"} << 3 << 0 << QList<int>{2, 3, 3, 4, 5, 6};
    QTest::newRow("a page that came too late is asked for again")
        << QStringList{"2", "5"} << 0 << 3 << QList<int>{2, 3, 3, 4, 5, 6};
    QTest::newRow("last paging link 0: one pass") << QStringList{"0"} << 0 << 0 << QList<int>{2};
    QTest::newRow("last paging link -1: no pass") << QStringList{"-1"} << 0 << 0 << QList<int>{};
    QTest::newRow("last paging link no number: one page")
        << QStringList{"2", "下一页"} << 0 << 0 << QList<int>{};
    QTest::newRow("no paging link: one page") << QStringList{} << 0 << 0 << QList<int>{};
    QTest::newRow("last paging link 2.5 rounds to 2")
        << QStringList{"2.5"} << 0 << 0 << QList<int>{2, 3, 4};
}

void TstForm4Members::pagingPasses()
{
    QFETCH(QStringList, pagerOfPage1);
    QFETCH(int, emptyAtFirst);
    QFETCH(int, lateAtFirst);
    QFETCH(QList<int>, pagesRequested);
    ExporterSession session;
    prepare(session);
    session.web.setMemberPage("111", 1, membersOfPage(1, pagerOfPage1));
    for (int page = 2; page <= 8; ++page)
        session.web.setMemberPage("111", page, membersOfPage(page), page == emptyAtFirst ? 1 : 0,
                                  page == lateAtFirst ? 1 : 0, 3000);
    Form4 &form = session.form();

    form.Command2.click();

    QCOMPARE(pagedPages(session.web, "111"), pagesRequested);
    const qsizetype pagesWithMembers =
        1 + QSet<int>(pagesRequested.begin(), pagesRequested.end()).size();
    QCOMPARE(form.ListView2.rowCount(), 2 * pagesWithMembers);
    QCOMPARE(form.Text2.text(), QString::number(2 * pagesWithMembers));
    QCOMPARE(form.Text1.text(), membersGotText);
}

void TstForm4Members::stopEndsThePagingAfterThePassUnderWay()
{
    ExporterSession session;
    prepare(session);
    session.web.setMemberPage("111", 1, membersOfPage(1, {"2", "5"}));
    for (int page = 2; page <= 7; ++page)
        session.web.setMemberPage("111", page, membersOfPage(page));
    Form4 &form = session.form();
    const InputDuringTheWait during(
        [&] { return session.web.memberPagesRequested("111").contains(3); },
        [&] { form.Command10.click(); });

    form.Command2.click();

    QCOMPARE(pagedPages(session.web, "111"), QList<int>({2, 3}));
    QCOMPARE(form.ListView2.rowCount(), 6); // the page under way still counts
    QCOMPARE(form.Text2.text(), QString("6"));
    QCOMPARE(form.Text1.text(), membersGotText);
}

// The group selected when the fetch starts labels its members, whatever the user
// selects while it runs.
void TstForm4Members::membersKeepTheGroupOfTheFetchStart()
{
    ExporterSession session;
    prepare(session);
    session.listGroup("亚马逊运营", "222");
    session.web.setMemberPage("111", 1, membersOfPage(1, {"0"}));
    session.web.setMemberPage("111", 2, membersOfPage(2));
    Form4 &form = session.form();
    const InputDuringTheWait during(
        [&] { return !session.web.memberPagesRequested("111").isEmpty(); },
        [&] { form.ListView1.setSelectedRow(1); });

    form.Command2.click();

    QCOMPARE(form.ListView1.selectedRow(), 1);
    QCOMPARE(form.ListView2.rowCount(), 4);
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(form.ListView2.cellText(row, 2), QString("\t111"));
        QCOMPARE(form.ListView2.cellText(row, 3), QString("\t卖家交流群"));
    }
    QCOMPARE(form.ListView1.cellText(0, 2), QString("\t已提取"));
    QCOMPARE(form.ListView1.cellText(1, 2), QString());
}

void TstForm4Members::serialNumbersStartAtOneForEveryFetch()
{
    ExporterSession session;
    prepare(session);
    session.listGroup("亚马逊运营", "222");
    session.web.setMemberPage("111", 1, membersOfPage(1));
    session.web.setMemberPage("222", 1, membersOfPage(7));
    Form4 &form = session.form();

    form.Command2.click();
    form.ListView1.setSelectedRow(1);
    form.Command2.click();

    QCOMPARE(form.ListView2.rowCount(), 4);
    QCOMPARE(cells(form.ListView2, 1),
             QStringList({"成员1-2", "\t10102\t", "\t111", "\t卖家交流群", "\t2"}));
    QCOMPARE(cells(form.ListView2, 2),
             QStringList({"成员7-1", "\t10701\t", "\t222", "\t亚马逊运营", "\t1"}));
    QCOMPARE(form.ListView2.cellText(3, 4), QString("\t2"));
    QCOMPARE(form.Text2.text(), QString("4"));

    form.Command4.click();
    QCOMPARE(form.ListView2.rowCount(), 0);
    QCOMPARE(form.Text2.text(), QString("0"));

    form.Command2.click();
    QCOMPARE(form.ListView2.rowCount(), 2);
    QCOMPARE(form.ListView2.cellText(0, 4), QString("\t1"));
    QCOMPARE(form.ListView2.cellText(1, 4), QString("\t2"));
}

void TstForm4Members::withoutASelectedGroupTheCellsStayEmpty()
{
    ExporterSession session;
    prepare(session);
    session.form().ListView1.setSelectedRow(-1);
    session.web.setMemberPage("", 1, membersOfPage(1));
    Form4 &form = session.form();

    form.Command2.click();

    QCOMPARE(session.web.memberPagesRequested("").value(0), 1); // "/air//addr/…"
    QCOMPARE(form.ListView2.rowCount(), 2);
    QCOMPARE(cells(form.ListView2, 0), QStringList({"成员1-1", "\t10101\t", "", "", "\t1"}));
    QCOMPARE(form.ListView1.cellText(0, 2), QString());
}

void TstForm4Members::aDelayOfZeroScansNoPage()
{
    ExporterSession session;
    prepare(session);
    session.web.setMemberPage("111", 1, membersOfPage(1, {"2"}));
    Form4 &form = session.form();
    form.ListView2.addRow("早先的成员");
    form.Combo1.setText("0");

    form.Command2.click();

    QCOMPARE(form.Text2.text(), QString("1"));
    QCOMPARE(form.Text1.text(), membersGotText);
    QTest::qWait(1500);
    QCOMPARE(form.ListView2.rowCount(), 1);
}

SKARVEL_TEST_MAIN(TstForm4Members)
#include "tst_form4_members.moc"
