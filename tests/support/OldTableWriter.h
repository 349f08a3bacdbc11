#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <variant>

// Writes table files as the previous version left them, with pxlib's writing
// side: fields of the given kinds, Windows-1250 text, protected with a
// password when one is given, memo values in a blob file beside the table.
//
// What the library's writer (0.6.8) cannot do, and the fixtures therefore leave out:
// deleting a record of a table with memo fields (it crashes in its blob code),
// memo values in a protected table (it writes the blob file unencrypted, so a
// protected table's memos read back as nothing) and memo values of 2 KiB or
// more (it writes such blocks without padding them to whole 4 KiB blocks).
class OldTableWriter
{
public:
    enum class Kind
    {
        AutoInc,
        Long,
        Short,
        Number,
        Currency,
        Date, // value yyyymmdd
        Logical,
        Alpha,
        Memo // length: the part kept in the record + 10
    };
    struct Column
    {
        QString name;
        Kind kind = Kind::Long;
        int length = 0; // Alpha and Memo only
    };
    // Empty, a whole number (also yyyymmdd and 1/0), a number, a text
    // (written as Windows-1250) or raw bytes.
    using Value = std::variant<std::monostate, qint64, double, QString, QByteArray>;

    // `expectedRows` sizes the in-memory file the library writes to (it is
    // slow on a disk file: it seeks for every few bytes).
    OldTableWriter(const QString& path, const QList<Column>& columns, const QString& password = {},
                   qint64 expectedRows = 64);
    ~OldTableWriter();
    OldTableWriter(const OldTableWriter&) = delete;
    OldTableWriter& operator=(const OldTableWriter&) = delete;

    void append(const QList<Value>& values);
    // Deletes record `index` (0-based among the records written so far).
    void remove(int index);
    // The highest auto-increment value the header keeps.
    void setLastAutoIncrement(qint64 value);
    // Writes the file out; also done by the destructor.
    void close();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
