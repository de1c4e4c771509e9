#include "platform/page_links.h"

#include "platform/page_script.h"

#include <QJsonArray>

namespace {

// `a` elements of SVG carry no text and no plain address; they read as empty.
const char readLinksScript[] = R"(
var links = document.getElementsByTagName('a');
var read = [];
for (var i = 0; i < links.length; ++i) {
    var text = links[i].innerText, href = links[i].href;
    read.push([typeof text === 'string' ? text : '', typeof href === 'string' ? href : '']);
}
return read;
)";

const char removeFromHrefScript[] = R"(
var link = document.getElementsByTagName('a')[data.index];
if (!link || link.href !== data.href)
    return [];
var shortened = link.href;
for (var i = 0; i < data.parts.length; ++i) {
    shortened = shortened.split(data.parts[i]).join('');
    link.setAttribute('href', shortened);
}
return [shortened];
)";

} // namespace

std::optional<QList<PageLink>> readPageLinks(Browser &browser)
{
    const std::optional<QVariant> result = runPageScript(browser, readLinksScript);
    if (!result || result->typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QList<PageLink> links;
    for (const QVariant &entry : result->toList()) {
        const QVariantList pair = entry.toList();
        links.append({pair.value(0).toString(), pair.value(1).toString()});
    }
    return links;
}

std::optional<QString> removeFromLinkHref(Browser &browser, int index, const QString &href,
                                          const QStringList &parts)
{
    const QJsonObject data{
        {"index", index}, {"href", href}, {"parts", QJsonArray::fromStringList(parts)}};
    const std::optional<QVariant> result = runPageScript(browser, removeFromHrefScript, data);
    if (!result || result->typeId() != QMetaType::QVariantList || result->toList().size() != 1)
        return std::nullopt;
    return result->toList().first().toString();
}
