#pragma once

#include "store/SqlBackend.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class SqlConnection;

// A statement as the program keeps it: a list of text lines, where a slot line
// is replaced by its 0-based index, and text parameters :PARAM0, :PARAM1, ...
// (or any :NAME) always bound, never spliced. Opening reads the whole result
// into a compact buffer with a cursor (first, next, eof, fields by name).
//
// A list may ask for its first rows only (setFirstRows): open() then stops
// after them and the rest is read by fetchMore() or whenever a row past those
// read is asked for; the count, the cursor and every row-wise read give the
// whole result as if it had been read at once.
//
// A list in the order of an indexed key (setKeyset) reads that rest in pages,
// each its own short read that continues after the last row read: no lock is
// held between pages, so other workstations save meanwhile. A row that a save
// moved past the pages already read is not shown twice.
class Statement
{
public:
    // How a list continues after its last row read: the ORDER BY term of its
    // key (ascending or descending, NULL keys in the engine's place), the
    // column the first result column holds (unique, the tie breaker in
    // ascending order), a query giving one row's key by that column, and the
    // line ("ORDER BY") before which the page condition goes.
    struct Keyset
    {
        QString keyTerm;
        QString idTerm;
        QString keyOfRow; // one bound parameter: the id
        // The result column whose value is the key (the order column where the
        // engine orders it by Polish rules itself): a page's last row then
        // gives its key as that page read it. Empty: asked by keyOfRow.
        QString keyField;
        bool ascending = true;
        int conditionLine = -1;
    };

    explicit Statement(SqlConnection* connection = nullptr, const QString& name = {});
    explicit Statement(SqlConnection* connection, const QString& name, const QStringList& lines);
    ~Statement();
    // A copy never continues the original's read.
    Statement(const Statement& other) = default;
    Statement& operator=(const Statement& other) = delete;

    void setConnection(SqlConnection* connection) { m_connection = connection; }
    SqlConnection* connection() const { return m_connection; }
    QString name() const { return m_name; }

    // Text
    void clear(); // closes and empties the text and parameters
    void add(const QString& line) { m_lines << line; }
    void setLines(const QStringList& lines) { m_lines = lines; }
    const QStringList& lines() const { return m_lines; }
    // Replaces line `index` (adds empty lines when the text is shorter).
    void setLine(int index, const QString& text);
    QString line(int index) const { return m_lines.value(index); }
    QString text() const { return m_lines.join(QLatin1Char('\n')); }

    // Parameters, bound as text; an unset parameter is NULL.
    void setParam(int index, const QString& value);
    void setParam(const QString& name, const QString& value);
    // Bound as a blob: bytes that are not text (a cipher text may hold byte 0).
    void setParamBytes(const QString& name, const QByteArray& value);
    void clearParams() { m_params.clear(); }
    void copyParams(const Statement& other) { m_params = other.m_params; }

    // Running. Both throw DbError; the statement stays closed after a failure.
    void open();
    int execSQL(); // answers the number of rows changed
    void close();
    bool isOpen() const { return m_open; }
    // Compiles the text without running it (used to check every stored statement).
    void prepareOnly();

    // Puts the rows already read in the order `ORDER BY <column> COLLATE PL
    // <direction>, 1` gives: NULL first, then numbers, then text by the Polish
    // collation, then blobs; ties by the first column. `lines` becomes the text
    // (the one a reopen would run) and the cursor goes to the first row, as
    // after open(). Answers false, changing nothing, when the statement is
    // closed, the column is unknown, or two rows tie on both keys (their order
    // is then the engine's own and only a reopen can give it).
    bool reorder(int column, bool ascending, const QStringList& lines);
    // Whether the text and parameters are those of the last open().
    // Whether the rows are in an order reorder() gave them (not the engine's).
    bool isReordered() const { return m_reordered; }
    bool unchangedSinceOpen() const
    {
        return m_open && m_lines == m_openedLines && m_params == m_openedParams;
    }
    // The connection's change stamp when the statement was last opened.
    quint64 openedStamp() const { return m_openedStamp; }

    // Reading in parts. 0 (the default): open() reads every row.
    void setFirstRows(int rows) { m_firstRows = rows; }
    // Reading the rest by pages, for the text as it stands now (another text
    // reads its rest with the one open read); an empty keyTerm: never by pages.
    // Where the connection's dialect reads no pages (keysetPages), the rest
    // comes from the one open read as for any other list.
    void setKeyset(const Keyset& keyset)
    {
        m_keyset = keyset;
        m_keysetLines = m_lines;
    }
    const Keyset& keyset() const { return m_keyset; }
    bool isReading() const { return m_reading.cursor != nullptr || m_reading.paged; }
    // Whether the rest is read by pages (no read held open between them).
    bool readsByPages() const { return m_reading.paged; }
    // Rows of one page at most, and the time one page may hold its read.
    static constexpr int kPageRows = 4096;
    static constexpr int kPageMs = 100;
    int loadedCount() const { return m_rows; }
    // The row count while reading, as counted beside the read; -1 unknown.
    void setExpectedCount(int rows) { m_expected = rows; }
    // The whole count without reading the rest: the expected one while
    // reading (else every row is read first).
    int shownCount() const;
    // Reads up to `rows` more; answers whether rows remain. Both throw DbError
    // (a failure met by an implicit read is thrown here); the rows read before
    // a failure stay.
    bool fetchMore(int rows);
    void fetchAll();
    // Ends the read where it is (the connection is closing).
    void stopReading();

    // Cursor
    int recordCount() const
    {
        ensureRow(INT_MAX);
        return m_rows;
    }
    bool isEmpty() const { return m_rows == 0; }
    void first() { m_pos = 0; }
    void next()
    {
        ensureRow(m_pos + 1);
        if (m_pos < m_rows)
            ++m_pos;
    }
    bool eof() const
    {
        ensureRow(m_pos);
        return m_pos >= m_rows;
    }
    int recNo() const { return m_pos; }
    void setRecNo(int row)
    {
        ensureRow(row);
        m_pos = std::clamp(row, 0, m_rows);
    }

    // Fields of the current row; an unknown name throws DbError.
    int fieldCount() const { return int(m_fieldNames.size()); }
    QString fieldName(int column) const { return m_fieldNames.value(column); }
    const QStringList& fieldNames() const { return m_fieldNames; }
    int fieldIndex(const QString& name) const; // -1 when absent
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    QString text(const QString& field) const { return textAt(m_pos, column(field)); }
    qint64 integer(const QString& field) const { return integerAt(m_pos, column(field)); }
    double number(const QString& field) const { return numberAt(m_pos, column(field)); }
    bool isNull(const QString& field) const { return isNullAt(m_pos, column(field)); }
    QByteArray bytes(const QString& field) const { return bytesAt(m_pos, column(field)); }

    // Random access for list models.
    QString textAt(int row, int column) const;
    qint64 integerAt(int row, int column) const;
    double numberAt(int row, int column) const;
    bool isNullAt(int row, int column) const;
    QByteArray bytesAt(int row, int column) const;
    // The UTF-8 text of a cell: a text cell read in place (valid until the
    // statement reads or closes), another one written into `spare`.
    QByteArrayView utf8At(int row, int column, QByteArray& spare) const;
    QVariant valueAt(int row, int column) const;

private:
    using Kind = ResultCells::Kind;
    using Cell = ResultCells::Cell;
    // One value kept past the rows it came from: a cell with its own bytes.
    struct Value
    {
        Cell cell{};
        std::string bytes;
    };

    // Reads on until `row` is read or the result ends; a failure stops the
    // read and waits for the next fetchMore()/fetchAll() to be thrown.
    void ensureRow(int row) const
    {
        if ((m_reading.cursor || m_reading.paged) && row >= m_rows)
            const_cast<Statement*>(this)->readOn(row);
    }
    void readOn(int row);
    // Steps the open read for at most `limit` rows; true at the end.
    bool readRows(int limit);
    // Reads from `cursor` at most `limit` rows (and kPageMs when `timed`).
    SqlCursor::Read stepRows(SqlCursor& cursor, int limit, bool timed);
    // After a page that stopped on a row: remembers where the next continues
    // (the row's id and key). False when the read cannot go on.
    bool notePageEnd();
    // Reads one page of at most `limit` rows; true at the end of the result.
    bool readPage(int limit);
    // Rows of a page when the whole rest is asked for.
    int restPage() const;
    // Whether the text as it stands now opens by pages.
    bool opensByPages() const;
    // The key of the last row read, taken from that row (keyField).
    bool keyFromRow();
    // The continuation `variant`, compiled once per read; null after a
    // failure, noted as the read's error.
    SqlCursor* pageStatement(int variant);
    // Drops the rows from `from` on whose id was read before.
    void dropRowsSeen(int from);
    std::string idOf(int storedRow) const;
    void failRead(const SqlCursor& cursor);
    void failRead(const QString& message, int code);
    void endRead();
    int column(const QString& field) const;
    const Cell& cell(int row, int column) const;
    std::unique_ptr<SqlCursor> prepare(const QByteArray& sql, int* tail) const;
    void bind(SqlCursor& cursor) const { bind(cursor, m_params); }
    static void bind(SqlCursor& cursor, const QHash<QString, QVariant>& params);
    // Binds `value` to the parameter called `name` (upper case, without ':').
    static void bindValue(SqlCursor& cursor, const QString& name, const Value& value);
    // Binds the row count of a read sent with a LIMIT (:KSLIMIT).
    static void bindLimit(SqlCursor& cursor, int rows);

    SqlConnection* m_connection;
    QString m_name;
    QStringList m_lines;
    QHash<QString, QVariant> m_params; // upper-case name without ':' -> value

    struct Reading
    {
        std::unique_ptr<SqlCursor> cursor;
        // Paged: where the next page starts and what it reads.
        bool paged = false;
        std::unique_ptr<SqlCursor> pages[3]; // continuations, prepared once
        std::unique_ptr<SqlCursor> keyOfRow; // the key of the last row read
        std::optional<Value> lastKey;        // none: the last row had none
        std::optional<Value> lastId;
        bool checkSeen = false;               // something was written since the read began
        std::unordered_set<std::string> seen; // ids of the rows read, once checkSeen
        Reading() = default;
        Reading(const Reading&) {}
        Reading& operator=(const Reading&) { return *this; }
    };
    Reading m_reading;
    int m_firstRows = 0;
    Keyset m_keyset;
    QStringList m_keysetLines;
    int m_expected = -1;
    QString m_readError;
    int m_readErrorCode = 0;

    bool m_open = false;
    QStringList m_fieldNames;
    QHash<QString, int> m_fieldIndex; // upper-case field name -> column
    ResultCells::Cells m_cells;
    ResultCells::Arena m_arena;
    int m_rows = 0;
    int m_pos = 0;
    // Shown row -> stored row after reorder(); empty: stored order.
    std::vector<int> m_order;
    bool m_reordered = false;
    QStringList m_openedLines;
    QHash<QString, QVariant> m_openedParams;
    quint64 m_openedStamp = 0;
};
