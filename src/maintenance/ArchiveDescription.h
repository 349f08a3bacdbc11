#pragma once

#include <QByteArray>
#include <QString>

// "archiwum.bak": the description of an archive folder, one record of 112
// bytes: [n] name (n Windows-1250 bytes of 100) [m] date text (m bytes of 10).
struct ArchiveDescription
{
    static inline const QString kFileName = QStringLiteral("archiwum.bak");
    static constexpr int kRecordSize = 112;
    static constexpr int kNameSize = 100;
    static constexpr int kDateSize = 10;

    QString name;
    QString date; // the date text as typed, or the empty date mask

    // The record; the name is cut to 100 characters and the date to 10.
    QByteArray record() const;
    // False for anything that is not one well-formed record (a short file,
    // another program's file): the description is then left empty.
    static bool fromRecord(const QByteArray& record, ArchiveDescription* description);

    // The file in `folder`; read() answers the empty name and date mask when
    // the file cannot be read.
    static bool existsIn(const QString& folder);
    static ArchiveDescription read(const QString& folder);
    bool write(const QString& folder) const;
};
