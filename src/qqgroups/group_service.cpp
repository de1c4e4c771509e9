#include "qqgroups/group_service.h"

#include "net/endpoints.h"

GroupService::GroupService(const Endpoints &endpoints)
    : serviceBase(endpoints.base("qqgroup"))
    , loginBase(endpoints.base("qqlogin"))
{}

QString GroupService::loginPage() const
{
    return loginBase + "/";
}

QString GroupService::myGroupsPage() const
{
    return serviceBase + "/air/index/mygroup?w=n";
}

QString GroupService::homePage() const
{
    return serviceBase + "/";
}

QString GroupService::groupLinkPrefix() const
{
    return serviceBase + "/air/#";
}

QString GroupService::memberFirstPage(const QString &groupNumber) const
{
    return serviceBase + "/air/" + groupNumber + "/addr/index/type/1/p/1?w=n";
}

QString GroupService::memberDetailPrefix(const QString &groupNumber) const
{
    return groupLinkPrefix() + groupNumber + "/addr/detail/u/";
}
