#pragma once

#include <QString>

class Endpoints;

// The QQ mail domain that turns a QQ number into a mail address.
inline const QString qqMailSuffix = QStringLiteral("@qq.com");

// The addresses of the QQ group web service, on the hosts of the endpoint table:
// `qqgroup` for the service itself, `qqlogin` for its login host.
class GroupService
{
public:
    explicit GroupService(const Endpoints &endpoints);

    QString base() const { return serviceBase; } // scheme and host, no closing "/"
    QString loginPage() const;
    QString myGroupsPage() const;
    QString homePage() const;
    // What every group and member link of the service's pages begins with.
    QString groupLinkPrefix() const;
    QString memberFirstPage(const QString &groupNumber) const;
    // What a member link of the group begins with, before the member's QQ number.
    QString memberDetailPrefix(const QString &groupNumber) const;

private:
    QString serviceBase;
    QString loginBase;
};
