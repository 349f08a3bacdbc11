#include "registers/TextExport.h"

#include "registers/TVXExportToCSV.h"

#include <QIODevice>
#include <QSaveFile>

namespace TextExport {
QByteArray bytes(const QStringList& lines)
{
    QByteArray out;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const QString& line : lines) {
        TVXExportToCSV::appendEncoded(out, line);
        out += "\r\n";
    }
    return out;
}

bool write(const QStringList& lines, QIODevice& device)
{
    const QByteArray data = bytes(lines);
    return device.write(data) == data.size();
}

bool write(const QStringList& lines, const QString& fileName)
{
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && write(lines, file) && file.commit();
}
} // namespace TextExport
