#include "maintenance/ArchiveDescription.h"

#include "store/TmyDataBase.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {
QString emptyDateMask()
{
    const QChar s = TmyDataBase::dateSeparator();
    return QStringLiteral("  ") + s + QStringLiteral("  ") + s + QStringLiteral("    ");
}

QByteArray toCp1250(const QString& text, int size)
{
    QStringEncoder encoder("windows-1250");
    QByteArray bytes = encoder.encode(text.left(size));
    return bytes.left(size);
}

QString fromCp1250(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1250");
    return decoder.decode(bytes);
}
} // namespace

QByteArray ArchiveDescription::record() const
{
    QByteArray out(kRecordSize, '\0');
    const QByteArray n = toCp1250(name, kNameSize);
    const QByteArray d = toCp1250(date, kDateSize);
    out[0] = char(n.size());
    out.replace(1, n.size(), n);
    out[101] = char(d.size());
    out.replace(102, d.size(), d);
    out.truncate(kRecordSize);
    return out;
}

bool ArchiveDescription::fromRecord(const QByteArray& record, ArchiveDescription* description)
{
    if (record.size() != kRecordSize)
        return false;
    const int n = quint8(record[0]);
    const int m = quint8(record[101]);
    if (n > kNameSize || m > kDateSize)
        return false;
    description->name = fromCp1250(record.mid(1, n));
    description->date = fromCp1250(record.mid(102, m));
    return true;
}

bool ArchiveDescription::existsIn(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(kFileName)).isFile();
}

ArchiveDescription ArchiveDescription::read(const QString& folder)
{
    ArchiveDescription d;
    QFile file(QDir(folder).filePath(kFileName));
    if (!file.open(QIODevice::ReadOnly) || !fromRecord(file.read(kRecordSize + 1), &d))
        d = ArchiveDescription{};
    if (d.date.isEmpty())
        d.date = emptyDateMask();
    return d;
}

bool ArchiveDescription::write(const QString& folder) const
{
    QSaveFile file(QDir(folder).filePath(kFileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(record()) == kRecordSize && file.commit();
}
