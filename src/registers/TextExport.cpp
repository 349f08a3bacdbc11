#include "registers/TextExport.h"

#include "registers/TVXExportToCSV.h"

#include <QIODevice>
#include <QSaveFile>

namespace TextExport {
QByteArray bytes(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        out += TVXExportToCSV::encode(line);
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
