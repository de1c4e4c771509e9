#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Browser;

// A link ("a" element) of the page a browser shows.
struct PageLink
{
    QString text; // its visible text
    QString href; // its address as the page gives it: resolved against the page
};

// Every link of the page, in document order. No value when the page cannot be read.
std::optional<QList<PageLink>> readPageLinks(Browser &browser);

// Shortens the address of the page's link number `index` (counted in document
// order): every occurrence of each part is removed in turn, each result written
// back into the link. Gives the shortened address as written (the page would
// resolve it again when read). No value when the link is gone or has changed since
// it was read as `href`, or the page cannot be reached.
std::optional<QString> removeFromLinkHref(Browser &browser, int index, const QString &href,
                                          const QStringList &parts);
