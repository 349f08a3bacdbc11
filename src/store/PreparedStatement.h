#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

class SqlConnection;
class SqlCursor;

// One statement compiled once and run for many rows (the lookups and inserts
// of an import). Values are bound by position: index 0 is the first
// parameter of the text. Unlike Statement it reads no change stamp and keeps
// no rows: the caller holds the transaction the runs belong to and reads
// the current row as it steps.
class PreparedStatement
{
public:
    // Throws DbError when the text does not compile.
    PreparedStatement(SqlConnection& connection, const QString& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    // Binding after a run starts the next one.
    void bind(int index, const QString& value);
    void bind(int index, qint64 value);
    // UTF-8 text bound in place: `utf8` must stay valid until the run ends
    // (the next bind, reset() or execute()). Empty binds '' as bind() does.
    void bindUtf8(int index, QByteArrayView utf8);

    // The next row of the run; false at its end. Throws DbError.
    bool step();
    // Runs to the end and answers the number of rows changed. Throws DbError.
    int execute();
    // Ends the run; the bound values stay.
    void reset();

    // Columns of the current row.
    QString text(int column) const;
    // The same as UTF-8 bytes, read in place (valid until the next step).
    QByteArrayView utf8(int column) const;
    qint64 integer(int column) const;

private:
    void startOver();

    SqlConnection& m_connection;
    std::unique_ptr<SqlCursor> m_cursor;
    bool m_running = false;
};
