#pragma once

#include <QString>

// Which links of the service's pages the exporter takes. Every test is a
// case-sensitive search for a part anywhere in the text or address.

// A link of the my-groups page that may name a group: a text that is not blank and
// holds no ">>", an address under the group link prefix that leads to no search,
// administration, level, my-groups or forum page. Whether its name is listed
// already is the caller's test.
bool mayNameGroup(const QString &text, const QString &href, const QString &groupLinkPrefix);

enum class MemberLinkKind {
    Other,  // not taken
    Pager,  // a link to another page of the member list; its text is recorded
    Member, // a member of the group
};

// A link of a member page, tested in the order the page's links demand: a link to
// the other list type is never a pager, and a pager is recorded even where its
// address also looks like a forum or my-groups page.
MemberLinkKind memberLinkKind(const QString &text, const QString &href,
                              const QString &groupLinkPrefix);
