#include "net/endpoints.h"

#include <QSettings>
#include <utility>

namespace {

// The maker's site, the barcode-image service and the vendor page have no
// public host of their own; they stay on placeholders until configured.
const std::pair<const char *, const char *> defaults[] = {
    {"maker", "http://maker.skarvel.invalid"},
    {"websearch", "http://www.baidu.com"},
    {"barcode", "http://barcode.skarvel.invalid"},
    {"marketplace", "http://www.amazon.com"},
    {"suggest.baidu", "http://suggestion.baidu.com"},
    {"suggest.taobao", "http://suggest.taobao.com"},
    {"suggest.amazon_us", "http://completion.amazon.com"},
    {"suggest.amazon_uk", "http://completion.amazon.co.uk"},
    {"suggest.aliexpress", "http://connectkeyword.aliexpress.com"},
    {"suggest.google_com", "http://www.google.com"},
    {"suggest.google_co_jp", "http://www.google.co.jp"},
    {"suggest.google_ru", "http://www.google.ru"},
    {"suggest.google_com_hk", "http://www.google.com.hk"},
    {"suggest.google_de", "http://www.google.de"},
    {"worldfirst", "http://www.worldfirst.com"},
    {"forex", "http://www.boc.cn"},
    {"qqgroup", "http://qun.qq.com"},
    {"qqlogin", "http://xui.ptlogin2.qq.com"},
    {"vendor", "http://vendor.skarvel.invalid"},
    {"sellercentral", "https://sellercentral.amazon.com"},
};

} // namespace

Endpoints::Endpoints()
{
    for (const auto &[name, base] : defaults)
        bases.insert(name, base);
}

Endpoints Endpoints::fromEnvironment()
{
    Endpoints endpoints;
    const QString file = qEnvironmentVariable("SKARVEL_ENDPOINTS");
    if (file.isEmpty())
        return endpoints;
    QSettings ini(file, QSettings::IniFormat);
    ini.beginGroup("hosts");
    for (const QString &name : ini.childKeys())
        endpoints.set(name, ini.value(name).toString());
    return endpoints;
}

QStringList Endpoints::names()
{
    QStringList names;
    for (const auto &entry : defaults)
        names.append(entry.first);
    return names;
}

QString Endpoints::base(const QString &name) const
{
    return bases.value(name);
}

void Endpoints::set(const QString &name, const QString &base)
{
    QString trimmed = base.trimmed();
    while (trimmed.endsWith('/'))
        trimmed.chop(1);
    bases.insert(name, trimmed);
}
