#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

// The plain-text exports of the check windows ("do TXT ..."): the encoding
// of the CSV writer, Windows-1250, with every line ended by CR LF, since the
// files are read by Windows programs. A character the code page lacks
// becomes "?".
namespace TextExport {
QByteArray bytes(const QStringList& lines);
// False when the device takes less than everything.
bool write(const QStringList& lines, QIODevice& device);
// Written under a temporary name and renamed when complete: a failed export
// leaves no half file.
bool write(const QStringList& lines, const QString& fileName);
} // namespace TextExport
