#pragma once

#include "support/fake_web.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <mutex>
#include <optional>

class FakeServices;

// The QQ group web service and its login host, played on 127.0.0.1. A visit to
// "/dologin" on the service logs in (a session cookie); without it the my-groups
// page and the member pages answer with "notLoginError" and no links. Every page
// carries links the exporter must pass over beside the ones it takes.
class FakeGroupService
{
public:
    struct Member
    {
        QString nickname;
        QString qq;
    };
    struct MemberPage
    {
        QList<Member> members;
        QStringList pagerTexts; // texts of the paging links, in page order
    };

    FakeGroupService();

    QString base() const { return service.baseUrl(); }
    QString loginBase() const { return login.baseUrl(); }
    // Points the endpoints `qqgroup` and `qqlogin` of the window's services here.
    void serve(FakeServices &services) const;

    // The groups of the my-groups page as name and number, in page order.
    void setGroups(const QList<QPair<QString, QString>> &groups);
    // From now on the window's login probe gets `reply` for the my-groups page, while
    // the browser still gets the page.
    void answerProbesWith(const FakeWeb::Reply &reply);
    // The my-groups page requests of the login probe so far.
    int probeRequests() const;
    // A page of a group's member list. The first `emptyRequests` requests of the page
    // get it without members and without paging links; the first `lateRequests` are
    // answered only after `lateMs`.
    void setMemberPage(const QString &group, int page, const MemberPage &content,
                       int emptyRequests = 0, int lateRequests = 0, int lateMs = 0);

    // The member-list pages of a group requested so far, in order, repeats included.
    QList<int> memberPagesRequested(const QString &group) const;
    QList<FakeWeb::Request> requestsFor(const QString &path) const;
    int loginPageRequests() const;
    static QString memberPagePath(const QString &group, int page);

    FakeWeb service;
    FakeWeb login;

private:
    int countCall(const QString &path);

    mutable std::mutex mutex;
    QHash<QString, int> calls;
    std::optional<FakeWeb::Reply> probeReply;
};
