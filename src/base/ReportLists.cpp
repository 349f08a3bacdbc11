#include "base/ReportLists.h"

#include <QFile>
#include <QStringDecoder>

namespace {
QStringList fileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder cp1250("windows-1250");
        if (cp1250.isValid())
            text = cp1250.decode(bytes);
    }
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
} // namespace

namespace ReportLists {
QList<Entry> read(const QString& folder)
{
    QList<Entry> entries;
    for (const char* name : {"rpdqx1.cfg", "rpdqx2.cfg"}) {
        for (const QString& line : fileLines(folder + QLatin1Char('/') + QLatin1String(name))) {
            if (entries.size() == kMaxEntries)
                break;
            // A line without a comma gives an empty name (and so ends the shown list).
            const qsizetype comma = line.indexOf(QLatin1Char(','));
            entries.append({line.left(qMax<qsizetype>(comma, 0)).trimmed(), line.mid(comma + 1).trimmed()});
        }
    }
    entries.resize(kMaxEntries);
    return entries;
}

QList<Entry> shown(const QList<Entry>& entries)
{
    QList<Entry> result;
    for (const Entry& entry : entries) {
        if (entry.name.isEmpty())
            break;
        result.append(entry);
    }
    return result;
}
} // namespace ReportLists
