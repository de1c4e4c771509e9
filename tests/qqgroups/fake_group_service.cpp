#include "fake_group_service.h"

#include "support/fake_services.h"

#include <QRegularExpression>

namespace {

const char sessionCookie[] = "skey=fake-session";

FakeWeb::Reply html(const QString &title, const QString &body, int delayMs = 0)
{
    FakeWeb::Reply reply;
    reply.body = ("<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>" +
                  body + "</body></html>")
                     .toUtf8();
    reply.contentType = "text/html; charset=utf-8";
    reply.headers = {{"Cache-Control", "no-store"}};
    reply.delayMs = delayMs;
    return reply;
}

// Blanks around a link's text stay visible to the page's reader.
QString anchor(const QString &href, const QString &text)
{
    return "<a style=\"white-space:pre\" href=\"" + href.toHtmlEscaped() + "\">" +
           text.toHtmlEscaped() + "</a>\n";
}

// The browser asks for a document; the transfer control of the login probe asks, as
// the Windows one does, for anything.
bool asksForDocument(const FakeWeb::Request &request)
{
    return request.header("Accept").contains("text/html");
}

bool loggedIn(const FakeWeb::Request &request)
{
    return request.header("Cookie").contains(sessionCookie);
}

FakeWeb::Reply notLoggedIn()
{
    return html("登录", "<script>var reply = {\"ec\": 1, \"em\": \"notLoginError\"};</script>"
                        "<p>请先登录</p>");
}

} // namespace

FakeGroupService::FakeGroupService()
{
    const QString serviceBase = base();
    FakeWeb::Reply welcome = html("登录成功", "<p>欢迎</p>");
    welcome.headers.append(
        qMakePair(QByteArray("Set-Cookie"), QByteArray(sessionCookie) + "; Path=/; HttpOnly"));
    service.route("/dologin", welcome);
    service.route("/", html("QQ群", anchor(serviceBase + "/dologin", "登录") + "<p>QQ群首页</p>"));
    login.route("/", html("QQ登录", anchor(serviceBase + "/dologin", "登录QQ")));
    setGroups({});
}

void FakeGroupService::serve(FakeServices &services) const
{
    services.pointAt("qqgroup", base());
    services.pointAt("qqlogin", loginBase());
}

void FakeGroupService::setGroups(const QList<QPair<QString, QString>> &groups)
{
    const QString prefix = base() + "/air/#";
    QString links = anchor(base() + "/air/index/mygroup?w=n", "我的QQ群") +
                    anchor(prefix + "search", "搜索群") + anchor(prefix + "111/admin", "群管理") +
                    anchor(prefix + "level/1", "群等级") + anchor(prefix + "mygroup", "我的群组") +
                    anchor(prefix + "bbs/1", "群论坛") + anchor(prefix + "999", "更多>>") +
                    anchor(prefix + "998", "   ") +
                    anchor("http://elsewhere.invalid/air/#1", "外站");
    for (const auto &[name, number] : groups)
        links += anchor(prefix + number, name);
    const FakeWeb::Reply page = html("我的QQ群", links);
    service.route("/air/index/mygroup", [page, this](const FakeWeb::Request &request) {
        if (!asksForDocument(request)) {
            std::lock_guard lock(mutex);
            if (probeReply)
                return *probeReply;
        }
        return loggedIn(request) ? page : notLoggedIn();
    });
}

void FakeGroupService::answerProbesWith(const FakeWeb::Reply &reply)
{
    std::lock_guard lock(mutex);
    probeReply = reply;
}

int FakeGroupService::probeRequests() const
{
    int count = 0;
    for (const FakeWeb::Request &request : requestsFor("/air/index/mygroup"))
        count += !asksForDocument(request);
    return count;
}

void FakeGroupService::setMemberPage(const QString &group, int page, const MemberPage &content,
                                     int emptyRequests, int lateRequests, int lateMs)
{
    const QString prefix = base() + "/air/#" + group;
    const QString around = anchor(prefix + "/addr/index/type/0/p/2", "管理员") +
                           anchor(prefix + "/addr/detail/u/5555/bbs", "论坛") +
                           anchor(base() + "/air/index/mygroup?w=n", "我的群") +
                           anchor(prefix + "/addr/detail/u/6666/type/1", "  ");
    QString members;
    for (const Member &member : content.members)
        members += anchor(prefix + "/addr/detail/u/" + member.qq + "/type/1", member.nickname);
    QString pager;
    for (const QString &text : content.pagerTexts) {
        bool number = false;
        text.toInt(&number);
        pager += anchor(prefix + "/addr/index/type/1/p/" + (number ? text : QString("2")), text);
    }
    const QString title = "群成员第" + QString::number(page) + "页";
    const FakeWeb::Reply full = html(title, around + members + pager);
    const FakeWeb::Reply empty = html(title, around);
    const QString path = memberPagePath(group, page);
    service.route(path, [=, this](const FakeWeb::Request &request) {
        if (!loggedIn(request))
            return notLoggedIn();
        const int call = countCall(path);
        FakeWeb::Reply reply = call <= emptyRequests ? empty : full;
        if (call <= lateRequests)
            reply.delayMs = lateMs;
        return reply;
    });
}

int FakeGroupService::countCall(const QString &path)
{
    std::lock_guard lock(mutex);
    return ++calls[path];
}

QString FakeGroupService::memberPagePath(const QString &group, int page)
{
    return "/air/" + group + "/addr/index/type/1/p/" + QString::number(page);
}

QList<int> FakeGroupService::memberPagesRequested(const QString &group) const
{
    const QRegularExpression memberPage("^/air/" + QRegularExpression::escape(group) +
                                        "/addr/index/type/1/p/(\\d+)$");
    QList<int> pages;
    for (const FakeWeb::Request &request : service.requests()) {
        const QRegularExpressionMatch match = memberPage.match(QString::fromUtf8(request.path));
        if (match.hasMatch())
            pages.append(match.captured(1).toInt());
    }
    return pages;
}

QList<FakeWeb::Request> FakeGroupService::requestsFor(const QString &path) const
{
    QList<FakeWeb::Request> matching;
    for (const FakeWeb::Request &request : service.requests()) {
        if (request.path == path.toUtf8())
            matching.append(request);
    }
    return matching;
}

int FakeGroupService::loginPageRequests() const
{
    int count = 0;
    for (const FakeWeb::Request &request : login.requests())
        count += request.path == "/";
    return count;
}
