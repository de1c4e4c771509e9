#include "keywords/keyword_encoding.h"

namespace {

void appendByte(QString &out, unsigned byte)
{
    static const char digits[] = "0123456789ABCDEF";
    out += u'%';
    out += QLatin1Char(digits[byte >> 4]);
    out += QLatin1Char(digits[byte & 0xF]);
}

} // namespace

QString GBtoUTF8(const QString &szInput)
{
    QString out;
    out.reserve(szInput.size() * 3);
    for (qsizetype i = 0; i < szInput.size(); ++i) {
        const char16_t c = szInput[i].unicode();
        if (c < 0x80) {
            out += QChar(c);
        } else if (c < 0x800) {
            appendByte(out, 192 + c / 64);
            appendByte(out, 128 + c % 64);
        } else if (QChar::isHighSurrogate(c) && i + 1 < szInput.size() &&
                   szInput[i + 1].isLowSurrogate()) {
            // A character beyond U+FFFF takes its one four-byte sequence; coding
            // each half by itself would give bytes no UTF-8 reader accepts.
            const char32_t code = QChar::surrogateToUcs4(c, szInput[++i].unicode());
            appendByte(out, 240 + code / 262144);
            appendByte(out, 128 + code / 4096 % 64);
            appendByte(out, 128 + code / 64 % 64);
            appendByte(out, 128 + code % 64);
        } else {
            // Half of a pair alone (pasted text cut in the middle of a character)
            // has no UTF-8 form: it goes as the replacement character, as UTF-8
            // writers send it, rather than as three bytes no service reads.
            const char16_t code = QChar::isSurrogate(c) ? char16_t(QChar::ReplacementCharacter) : c;
            appendByte(out, 224 + code / 4096);
            appendByte(out, 128 + code / 64 % 64);
            appendByte(out, 128 + code % 64);
        }
    }
    return out;
}

QString escapeQueryCharacters(const QString &keyword)
{
    QString out;
    out.reserve(keyword.size());
    for (const QChar c : keyword) {
        // The control characters and the blank would make the address one that no
        // HTTP client sends; "#", "&", "+", "%" would cut the keyword short or change
        // it; the others are no URL characters at all, which a strict server or
        // proxy answers with 400 Bad Request.
        const char16_t code = c.unicode();
        if (code <= u' ' || code == 0x7F || QStringView(u"#&+%\"<>\\^`{|}[]").contains(c))
            appendByte(out, code);
        else
            out += c;
    }
    return out;
}
