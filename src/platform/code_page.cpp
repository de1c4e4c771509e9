#include "platform/code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

QString gbkName(const QString &charset)
{
    const QString name = charset.trimmed().toLower();
    if (name == "gb2312" || name == "gbk" || name == "cp936" || name == "gb18030")
        return "GBK";
    if (name == "utf-8" || name == "utf8")
        return "UTF-8";
    return {};
}

} // namespace

std::optional<QString> decodeBytes(const QByteArray &bytes, const QString &charset)
{
    const QString name = gbkName(charset);
    if (name.isEmpty())
        return std::nullopt;
    if (name == "UTF-8") {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        return decoder.decode(bytes); // the default flags skip the byte order mark
    }
    return decodeAnsi(bytes);
}

QByteArray encodeAnsi(const QString &text)
{
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

QString decodeAnsi(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}
