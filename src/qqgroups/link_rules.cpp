#include "qqgroups/link_rules.h"

#include "platform/text_rules.h"

bool mayNameGroup(const QString &text, const QString &href, const QString &groupLinkPrefix)
{
    if (Trim(text).isEmpty() || text.contains(">>"))
        return false;
    if (!href.contains(groupLinkPrefix))
        return false;
    for (const char *excluded : {"#search", "admin", "level", "mygroup", "bbs"}) {
        if (href.contains(excluded))
            return false;
    }
    return true;
}

MemberLinkKind memberLinkKind(const QString &text, const QString &href,
                              const QString &groupLinkPrefix)
{
    if (Trim(text).isEmpty() || href.contains("/type/0"))
        return MemberLinkKind::Other;
    if (!href.contains(groupLinkPrefix))
        return MemberLinkKind::Other;
    for (const char *excluded : {"#search", "admin", "level"}) {
        if (href.contains(excluded))
            return MemberLinkKind::Other;
    }
    if (href.contains("/p/"))
        return MemberLinkKind::Pager;
    if (href.contains("bbs") || href.contains("mygroup"))
        return MemberLinkKind::Other;
    return MemberLinkKind::Member;
}
