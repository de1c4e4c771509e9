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

// The code page converter writes "?" for a character it cannot hold, except for
// the invisible ones (a byte order mark, a zero-width space, a variation
// selector), which it drops without a trace; byte counts and cuts would then
// disagree with the file. So text that needs a "?" anywhere is encoded one
// character at a time, each character that yields nothing becoming one "?".
QByteArray encodeEachCharacter(QStringEncoder &encoder, const QString &text)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qsizetype width = pair ? 2 : 1;
        const bool loneSurrogate = text.at(i).isSurrogate() && !pair;
        const QByteArray piece = loneSurrogate
                                     ? QByteArray()
                                     : QByteArray(encoder.encode(QStringView(text).mid(i, width)));
        bytes += piece.isEmpty() ? QByteArray("?") : piece;
        i += width;
    }
    return bytes;
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
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        return text.toLatin1();
    const QByteArray bytes = encoder.encode(text);
    return encoder.hasError() ? encodeEachCharacter(encoder, text) : bytes;
}

QString decodeAnsi(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}
