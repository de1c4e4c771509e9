#include "support/xlsx_reader.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <zlib.h>

namespace {

quint32 le(const QByteArray &data, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(data.at(at + i));
    return value;
}

// The members of a zip archive, inflated.
QHash<QString, QByteArray> unzip(const QByteArray &zip)
{
    QHash<QString, QByteArray> members;
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0)
        return members;
    const int count = le(zip, end + 10, 2);
    qsizetype at = le(zip, end + 16, 4);
    for (int i = 0; i < count && at + 46 <= zip.size(); ++i) {
        const int method = le(zip, at + 10, 2);
        const quint32 packed = le(zip, at + 20, 4);
        const quint32 size = le(zip, at + 24, 4);
        const int nameLength = le(zip, at + 28, 2);
        const int extra = le(zip, at + 30, 2);
        const int comment = le(zip, at + 32, 2);
        const quint32 local = le(zip, at + 42, 4);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
        at += 46 + nameLength + extra + comment;

        const qsizetype data = local + 30 + le(zip, local + 26, 2) + le(zip, local + 28, 2);
        const QByteArray raw = zip.mid(data, packed);
        if (method == 0) {
            members.insert(name, raw);
            continue;
        }
        QByteArray out(size, '\0');
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            continue;
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(raw.constData()));
        stream.avail_in = raw.size();
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = out.size();
        inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        members.insert(name, out);
    }
    return members;
}

QPair<int, int> cellPosition(const QString &reference)
{
    static const QRegularExpression pattern("^([A-Z]+)([0-9]+)$");
    const auto match = pattern.match(reference);
    int column = 0;
    for (const QChar c : match.captured(1))
        column = column * 26 + (c.unicode() - 'A' + 1);
    return {match.captured(2).toInt(), column};
}

} // namespace

std::optional<QMap<QPair<int, int>, QString>> readSpreadsheetCells(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QHash<QString, QByteArray> members = unzip(file.readAll());
    if (!members.contains("xl/worksheets/sheet1.xml"))
        return std::nullopt;

    QStringList shared;
    QXmlStreamReader strings(members.value("xl/sharedStrings.xml"));
    while (!strings.atEnd()) {
        if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == u"t")
            shared.append(strings.readElementText());
    }

    QMap<QPair<int, int>, QString> cells;
    QXmlStreamReader sheet(members.value("xl/worksheets/sheet1.xml"));
    QPair<int, int> position;
    QString type;
    while (!sheet.atEnd()) {
        if (sheet.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (sheet.name() == u"c") {
            position = cellPosition(sheet.attributes().value("r").toString());
            type = sheet.attributes().value("t").toString();
        } else if (sheet.name() == u"v") {
            const QString value = sheet.readElementText();
            cells.insert(position, type == "s" ? shared.value(value.toInt()) : value);
        } else if (sheet.name() == u"t" && type == "inlineStr") {
            cells.insert(position, sheet.readElementText());
        }
    }
    return cells;
}
