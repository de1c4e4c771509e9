#include "platform/profile_ini.h"

#include "platform/atomic_file.h"
#include "platform/code_page.h"
#include "platform/target_lock.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr int valueBufferBytes = 255;

struct Line
{
    QString text;
    bool isSection = false;
    QString section; // set on a "[section]" line
    QString key;     // set on a "key=value" line
    QString value;
};

QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

QList<Line> parse(const QByteArray &bytes)
{
    QList<Line> lines;
    QString text = decodeAnsi(bytes);
    text.replace("\r\n", "\n");
    QStringList raw = text.split('\n');
    if (!raw.isEmpty() && raw.back().isEmpty())
        raw.removeLast();
    for (const QString &entry : raw) {
        Line line{entry, false, {}, {}, {}};
        const QString trimmed = entry.trimmed();
        if (trimmed.startsWith('[')) {
            const int end = trimmed.indexOf(']');
            line.isSection = true;
            line.section = trimmed.mid(1, end < 0 ? -1 : end - 1).trimmed();
        } else if (!trimmed.startsWith(';')) {
            const int equals = entry.indexOf('=');
            if (equals > 0) {
                line.key = entry.left(equals).trimmed();
                line.value = unquoted(entry.mid(equals + 1));
            }
        }
        lines.append(line);
    }
    return lines;
}

bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Cuts a value to what fits the buffer, dropping a lead byte left without its
// trail byte.
QString cutToBuffer(const QString &value)
{
    QByteArray bytes = encodeAnsi(value);
    if (bytes.size() < valueBufferBytes)
        return value;
    QString kept;
    int used = 0;
    for (int i = 0; i < value.size();) {
        const int width = value.at(i).isHighSurrogate() && i + 1 < value.size() ? 2 : 1;
        const QString piece = value.mid(i, width);
        const int size = encodeAnsi(piece).size();
        if (used + size > valueBufferBytes - 1)
            break;
        kept += piece;
        used += size;
        i += width;
    }
    return kept;
}

// A line break in a name or a value would end its line early and start a line of
// its own, a key or a section that nobody wrote. So each is kept up to its first
// line break, which is also all that a reader of the file would get back.
QString firstLine(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == '\r' || text.at(i) == '\n')
            return text.left(i);
    }
    return text;
}

} // namespace

ProfileIni::ProfileIni(const QString &path)
    : filePath(path)
{}

QString ProfileIni::read(const QString &sectionName, const QString &keyName,
                         const QString &fallback) const
{
    const QString section = firstLine(sectionName);
    const QString key = firstLine(keyName);
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return fallback;
    QString current;
    bool inSection = false;
    for (const Line &line : parse(file.readAll())) {
        if (line.isSection) {
            current = line.section;
            inSection = same(current, section);
        } else if (inSection && !line.key.isEmpty() && same(line.key, key)) {
            return cutToBuffer(line.value);
        }
    }
    return fallback;
}

bool ProfileIni::write(const QString &sectionName, const QString &keyName,
                       const QString &valueText) const
{
    const QString section = firstLine(sectionName);
    const QString key = firstLine(keyName);
    const QString value = firstLine(valueText);
    // Another process that wrote between our read and our rename would lose its
    // change to ours.
    const TargetLock lock(filePath);
    if (!lock.held())
        return false;
    QByteArray old;
    {
        // Whether the file is there is asked only when it cannot be opened: Qt
        // reports a file missing when a rename replaces it between the look-up of
        // its name and the reading of its details (the old file then has no link
        // left), and a write that starts from nothing drops every other key. A link
        // to a file not made yet is a missing file.
        QFile file(filePath);
        if (file.open(QIODevice::ReadOnly))
            old = file.readAll();
        else if (QFileInfo::exists(filePath))
            return false;
    }
    QList<Line> lines = parse(old);
    const QString entry = key + '=' + value;

    int sectionLine = -1;
    int lastInSection = -1;
    int keyLine = -1;
    bool inSection = false;
    for (int i = 0; i < lines.size(); ++i) {
        const Line &line = lines.at(i);
        if (line.isSection) {
            inSection = same(line.section, section) && sectionLine < 0;
            if (inSection) {
                sectionLine = i;
                lastInSection = i;
            }
        } else if (inSection) {
            if (!line.key.isEmpty()) {
                lastInSection = i;
                if (same(line.key, key) && keyLine < 0)
                    keyLine = i;
            }
        }
    }

    QStringList out;
    for (const Line &line : lines)
        out.append(line.text);
    if (keyLine >= 0) {
        out[keyLine] = lines.at(keyLine).key + '=' + value;
    } else if (sectionLine >= 0) {
        out.insert(lastInSection + 1, entry);
    } else {
        out.append('[' + section + ']');
        out.append(entry);
    }

    return writeFileAtomically(filePath, encodeAnsi(out.join("\r\n") + "\r\n"));
}
