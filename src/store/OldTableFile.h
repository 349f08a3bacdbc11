#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

// One table file of the previous version (and the blob file beside it), read
// through pxlib. Read-only: the file is opened for reading, so a folder on a
// read-only share will do. Every failure throws OldTablesError (Damaged)
// naming the file.
class OldTableFile
{
public:
    enum class Kind
    {
        Text,    // fixed-width text
        Memo,    // text or bytes kept partly in the blob file
        Integer, // short, long and auto-increment numbers
        Number,  // floating and currency values
        Date,    // a calendar day
        Logical, // yes/no
        Other    // a kind nothing here is carried over from
    };
    struct Field
    {
        QString name;
        Kind kind = Kind::Other;
        int offset = 0; // in the record
        int length = 0;
    };

    explicit OldTableFile(const QString& path);
    ~OldTableFile();
    OldTableFile(const OldTableFile&) = delete;
    OldTableFile& operator=(const OldTableFile&) = delete;

    void open();
    // The blob file ("x.MB"); needed only for memo values longer than the
    // part kept in the record.
    void attachBlobFile(const QString& path);

    QString path() const;
    QString fileName() const; // as named in messages
    const QList<Field>& fields() const;
    int fieldIndex(const QString& name) const; // any letter case; -1 when absent
    bool hasMemoFields() const;
    int recordCount() const; // deleted records are not counted
    // The highest auto-increment value the table has handed out (deleted rows included).
    qint64 lastAutoIncrement() const;

    // A table without protection accepts any password.
    bool isProtected() const;
    bool accepts(quint32 passwordChecksum) const;
    // The checksum the library keeps in a table's header for `password`.
    static quint32 passwordChecksum(const QByteArray& password);

    // Reads record `index` (0-based) as the current record.
    void read(int index);
    // Values of the current record; false for an empty value.
    bool integer(int field, qint64& value) const; // Integer; Logical 1/0; Date yyyymmdd
    bool number(int field, double& value) const;  // Number and Integer
    // Text: the bytes up to the first zero byte; Memo: the whole value.
    bool bytes(int field, QByteArray& value) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
    [[noreturn]] void damaged() const;
    bool longValue(char* data, int length, long& value) const;
};
