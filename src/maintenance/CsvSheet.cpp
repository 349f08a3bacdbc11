#include "maintenance/CsvSheet.h"

#include <QIODevice>
#include <QStringDecoder>

QString CsvSheet::decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1250("windows-1250");
    return cp1250.decode(bytes);
}

QStringList CsvSheet::splitLine(const QString& line, QChar separator)
{
    const QString quote = QStringLiteral("\"");
    QStringList fields;
    QString rest = line;
    bool lastQuoted = false;
    for (;;) {
        lastQuoted = rest.startsWith(quote);
        const QString delimiter = lastQuoted ? quote + separator : QString(separator);
        const int at = rest.indexOf(delimiter, lastQuoted ? 1 : 0);
        if (at < 0)
            break;
        fields << (lastQuoted ? rest.mid(1, at - 1) : rest.left(at));
        rest = rest.mid(at + delimiter.size());
    }
    if (lastQuoted) {
        rest = rest.mid(1);
        if (rest.endsWith(quote))
            rest.chop(1);
    }
    fields << rest;
    for (QString& f : fields) {
        const int pair = f.indexOf(QStringLiteral("\"\""));
        if (pair >= 0)
            f.remove(pair, 1); // a doubled quote stands for one
    }
    return fields;
}

void CsvSheet::clear()
{
    m_rows.clear();
    m_columns = 0;
    m_error.clear();
}

bool CsvSheet::read(QIODevice& device, QChar separator, Progress* progress)
{
    clear();
    const qint64 total = device.size();
    if (progress)
        progress->setRange(total);
    QByteArray bytes;
    constexpr qint64 chunk = 1 << 20;
    while (!device.atEnd()) {
        const QByteArray part = device.read(chunk);
        if (part.isEmpty() && !device.atEnd()) {
            m_error = device.errorString();
            break;
        }
        bytes += part;
        if (progress)
            progress->setValue(bytes.size());
    }
    const QString text = decode(bytes);
    int lineNo = 0;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        ++lineNo;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        Row row{lineNo, splitLine(line.toString(), separator)};
        m_columns = std::max(m_columns, int(row.fields.size()));
        m_rows.append(std::move(row));
    }
    return m_error.isEmpty();
}
