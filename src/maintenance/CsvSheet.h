#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// Long reads tell how far they are and may be cancelled; the window shows
// them in a progress dialog with "Anuluj".
class Progress
{
public:
    virtual ~Progress() = default;
    virtual void setRange(qint64 total) = 0;
    virtual void setValue(qint64 done) = 0;
    virtual bool cancelled() const { return false; }
};

// A delimited text file read into rows of fields, as the employee import
// loads it. The fields are split by libcsv (RFC 4180: quoted fields may hold
// the separator, doubled quotes and line breaks). The text is accepted in
// UTF-8 (with or without BOM), UTF-16 with a BOM, or Windows-1250 when it is
// not UTF-8; a file that is none of them (NUL bytes, control characters,
// bytes Windows-1250 lacks, a mix of UTF-8 and another encoding) is refused
// with a message naming its line. Rows whose fields are all blank are not
// rows; each row keeps the line of the file it starts on.
//
// The fields of all rows are kept as one block of UTF-8 text, so that a file
// of hundreds of thousands of rows costs little more than its own size.
class CsvSheet
{
public:
    enum class Encoding
    {
        Unknown,
        Utf8,
        Utf16,
        Windows1250
    };

    // False on a read or format error (errorString(), errorLine()) or a
    // cancel; after a format error the complete rows before it stay.
    bool read(QIODevice& device, QChar separator, Progress* progress = nullptr);
    QString errorString() const { return m_error; }
    // The line of the file the error names; 0 when it names none.
    int errorLine() const { return m_errorLine; }
    bool wasCancelled() const { return m_cancelled; }
    Encoding encoding() const { return m_encoding; }

    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return m_columns; }
    // The 1-based line of the file the row starts on.
    int line(int row) const { return m_rows.at(row).line; }
    int fieldCount(int row) const { return m_rows.at(row).count; }
    // 0-based column; empty beyond the row's fields.
    QString field(int row, int column) const;
    // The same as UTF-8 bytes, read in place (valid until the sheet changes).
    QByteArrayView fieldUtf8(int row, int column) const;
    QStringList fields(int row) const;
    void clear();

    // One line split as the reader splits it (the first record of `line`).
    static QStringList splitLine(const QString& line, QChar separator);

private:
    struct Row
    {
        int line = 0;
        int count = 0;       // fields in the row
        qsizetype first = 0; // index of its first field in m_ends
    };

    // Checks the bytes and brings them to UTF-8; false with the error set.
    bool toUtf8(QByteArray& bytes);
    bool parse(const QByteArray& utf8, QChar separator, Progress* progress, qint64 doneBefore);
    void fail(const QString& message, int line);

    static void fieldDone(void* data, size_t length, void* self);
    static void rowDone(int terminator, void* self);

    QByteArray m_text;       // the fields, one after another
    QList<qsizetype> m_ends; // where each field ends in m_text
    QList<Row> m_rows;
    int m_columns = 0;
    QString m_error;
    int m_errorLine = 0;
    bool m_cancelled = false;
    Encoding m_encoding = Encoding::Unknown;

    // Parsing state.
    int m_line = 0;     // the line being fed to the parser
    int m_openLine = 0; // the line the unfinished record started on
    bool m_recordOpen = false;
    qsizetype m_recordFirst = 0; // the first field of the unfinished record
};
