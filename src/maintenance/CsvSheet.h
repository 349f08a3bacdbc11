#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// Long reads tell how far they are; the window shows it in a progress dialog.
class Progress
{
public:
    virtual ~Progress() = default;
    virtual void setRange(qint64 total) = 0;
    virtual void setValue(qint64 done) = 0;
};

// A delimited text file read into rows of fields, as the employee import
// loads it. The text is UTF-8 (with or without BOM) when it decodes as such,
// else Windows-1250. Blank lines are not rows; each row keeps the number of
// its line in the file.
class CsvSheet
{
public:
    struct Row
    {
        int line = 0; // 1-based line of the file
        QStringList fields;
    };

    // False on a read error; the rows read so far stay.
    bool read(QIODevice& device, QChar separator, Progress* progress = nullptr);
    QString errorString() const { return m_error; }

    const QList<Row>& rows() const { return m_rows; }
    int columnCount() const { return m_columns; }
    void clear();

    // One line split at the separator; a field may be enclosed in double quotes
    // (then the separator may occur inside it).
    static QStringList splitLine(const QString& line, QChar separator);
    static QString decode(const QByteArray& bytes);

private:
    QList<Row> m_rows;
    int m_columns = 0;
    QString m_error;
};
