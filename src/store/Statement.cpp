#include "store/Statement.h"

#include "store/DbError.h"
#include "store/PolishCollation.h"
#include "store/SqlConnection.h"

#include <sqlcipher/sqlite3.h>

#include <cstring>

Statement::Statement(SqlConnection* connection, const QString& name) : m_connection(connection), m_name(name)
{
}

Statement::Statement(SqlConnection* connection, const QString& name, const QStringList& lines)
    : m_connection(connection), m_name(name), m_lines(lines)
{
}

Statement::~Statement()
{
    stopReading();
}

void Statement::clear()
{
    close();
    m_lines.clear();
    m_params.clear();
}

void Statement::setLine(int index, const QString& text)
{
    while (m_lines.size() <= index)
        m_lines << QString();
    m_lines[index] = text;
}

void Statement::setParam(int index, const QString& value)
{
    m_params.insert(QStringLiteral("PARAM") + QString::number(index), value);
}

namespace {
QString paramKey(const QString& name)
{
    QString key = name.toUpper();
    if (key.startsWith(QLatin1Char(':')))
        key.remove(0, 1);
    return key;
}
} // namespace

void Statement::setParam(const QString& name, const QString& value)
{
    m_params.insert(paramKey(name), value);
}

void Statement::setParamBytes(const QString& name, const QByteArray& value)
{
    m_params.insert(paramKey(name), value);
}

sqlite3_stmt* Statement::prepare(const QByteArray& sql, const char** tail) const
{
    if (!m_connection || !m_connection->isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_connection->handle(), sql.constData(), int(sql.size()), &stmt, tail);
    if (rc != SQLITE_OK)
        m_connection->fail(rc);
    return stmt;
}

void Statement::bind(sqlite3_stmt* stmt) const
{
    const int count = sqlite3_bind_parameter_count(stmt);
    for (int i = 1; i <= count; ++i) {
        const char* rawName = sqlite3_bind_parameter_name(stmt, i);
        if (!rawName)
            continue;
        const QString name = QString::fromUtf8(rawName + 1).toUpper();
        const auto it = m_params.constFind(name);
        if (it == m_params.constEnd())
            continue; // unset: NULL
        if (it->typeId() == QMetaType::QByteArray) {
            const QByteArray value = it->toByteArray();
            sqlite3_bind_blob(stmt, i, value.constData(), int(value.size()), SQLITE_TRANSIENT);
        } else {
            const QByteArray value = it->toString().toUtf8();
            sqlite3_bind_text(stmt, i, value.constData(), int(value.size()), SQLITE_TRANSIENT);
        }
    }
}

void Statement::prepareOnly()
{
    const QByteArray sql = text().toUtf8();
    sqlite3_stmt* stmt = prepare(sql, nullptr);
    sqlite3_finalize(stmt);
}

void Statement::open()
{
    close();
    // A file replaced by another workstation is left for the one now in its place.
    if (m_connection)
        m_connection->ensureCurrent();
    // Taken before reading: a change made while the rows are read is seen later.
    const quint64 stamp = m_connection ? m_connection->changeStamp() : 0;
    const QByteArray sql = text().toUtf8();
    sqlite3_stmt* stmt = prepare(sql, nullptr);
    if (!stmt)
        throw DbError(QStringLiteral("Pusta instrukcja SQL"));
    bind(stmt);
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c) {
        const QString name = QString::fromUtf8(sqlite3_column_name(stmt, c));
        m_fieldNames << name;
        m_fieldIndex.insert(name.toUpper(), c);
    }
    m_reading.stmt = stmt;
    if (!readRows(m_firstRows > 0 ? m_firstRows : INT_MAX)) {
        m_connection->addPendingRead(this);
    } else if (!m_readError.isEmpty()) {
        const QString message = m_readError;
        const int code = m_readErrorCode;
        close();
        throw DbError(message, code);
    }
    m_open = true;
    m_pos = 0;
    m_openedLines = m_lines;
    m_openedParams = m_params;
    m_openedStamp = stamp;
}

bool Statement::readRows(int limit)
{
    sqlite3_stmt* stmt = m_reading.stmt;
    const int columns = sqlite3_column_count(stmt);
    int rc = SQLITE_DONE;
    for (int read = 0; read < limit && (rc = sqlite3_step(stmt)) == SQLITE_ROW; ++read) {
        for (int c = 0; c < columns; ++c) {
            Cell cell{};
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                cell.kind = Kind::Integer;
                cell.i = sqlite3_column_int64(stmt, c);
                break;
            case SQLITE_FLOAT:
                cell.kind = Kind::Real;
                cell.d = sqlite3_column_double(stmt, c);
                break;
            case SQLITE_NULL:
                cell.kind = Kind::Null;
                break;
            default: {
                // Text and blobs alike: the bytes as stored (a cipher text may hold byte 0).
                const bool blob = sqlite3_column_type(stmt, c) == SQLITE_BLOB;
                const void* data = sqlite3_column_blob(stmt, c);
                const int length = sqlite3_column_bytes(stmt, c);
                cell.kind = blob ? Kind::Blob : Kind::Text;
                cell.offset = m_arena.size();
                cell.length = quint32(length);
                if (length > 0)
                    m_arena.append(static_cast<const char*>(data), size_t(length));
            }
            }
            m_cells.push_back(cell);
        }
        ++m_rows;
    }
    if (rc == SQLITE_ROW)
        return false; // the limit was reached; rows may remain
    if (rc != SQLITE_DONE) {
        m_readError = QString::fromUtf8(sqlite3_errmsg(m_connection->handle()));
        m_readErrorCode = rc;
    }
    endRead();
    return true;
}

void Statement::endRead()
{
    if (!m_reading.stmt)
        return;
    sqlite3_finalize(m_reading.stmt);
    m_reading.stmt = nullptr;
    m_expected = -1;
    if (m_connection)
        m_connection->removePendingRead(this);
}

void Statement::readOn(int row)
{
    // In steps, so a row near the start does not read the whole rest.
    const int wanted = row == INT_MAX ? INT_MAX : std::max(row + 1 - m_rows, 256);
    readRows(wanted);
}

int Statement::shownCount() const
{
    if (isReading() && m_expected >= m_rows)
        return m_expected;
    return recordCount();
}

bool Statement::fetchMore(int rows)
{
    if (m_reading.stmt)
        readRows(std::max(rows, 1));
    if (!m_readError.isEmpty()) {
        const QString message = m_readError;
        const int code = m_readErrorCode;
        m_readError.clear();
        m_readErrorCode = 0;
        throw DbError(message, code);
    }
    return isReading();
}

void Statement::fetchAll()
{
    fetchMore(INT_MAX);
}

void Statement::stopReading()
{
    endRead();
}

int Statement::execSQL()
{
    close();
    if (m_connection) {
        m_connection->finishPendingReads();
        m_connection->ensureCurrent();
    }
    const QByteArray sql = text().toUtf8();
    const char* begin = sql.constData();
    const char* end = begin + sql.size();
    int changed = 0;
    while (begin < end) {
        const char* tail = nullptr;
        sqlite3_stmt* stmt = prepare(QByteArray::fromRawData(begin, end - begin), &tail);
        begin = tail ? tail : end;
        if (!stmt)
            continue; // blanks or a comment
        bind(stmt);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            m_connection->fail(rc);
        changed += sqlite3_changes(m_connection->handle());
        m_connection->noteWrite();
    }
    return changed;
}

void Statement::close()
{
    endRead();
    m_expected = -1;
    m_readError.clear();
    m_readErrorCode = 0;
    m_open = false;
    m_fieldNames.clear();
    m_fieldIndex.clear();
    m_cells.clear();
    m_cells.shrink_to_fit();
    m_arena.clear();
    m_arena.shrink_to_fit();
    m_rows = 0;
    m_pos = 0;
    m_order.clear();
    m_order.shrink_to_fit();
    m_reordered = false;
    m_openedLines.clear();
    m_openedParams.clear();
    m_openedStamp = 0;
}

bool Statement::reorder(int column, bool ascending, const QStringList& lines)
{
    if (!m_open || column < 0 || column >= fieldCount())
        return false;
    fetchAll();
    const size_t width = size_t(fieldCount());
    const Cell* cells = m_cells.data();
    const char* arena = m_arena.data();
    // -1, 0, 1 as the engine orders two values; text by `polish` or by bytes.
    // Storage classes in the engine's order: NULL, numbers, text, blobs.
    auto rank = [](Kind k) { return k == Kind::Null ? 0 : k == Kind::Text ? 2 : k == Kind::Blob ? 3 : 1; };
    auto compareCells = [arena, rank](const Cell& a, const Cell& b, bool polish) {
        const int ra = rank(a.kind);
        const int rb = rank(b.kind);
        if (ra != rb)
            return ra < rb ? -1 : 1;
        switch (ra) {
        case 0:
            return 0;
        case 1: {
            if (a.kind == Kind::Integer && b.kind == Kind::Integer)
                return a.i < b.i ? -1 : (a.i > b.i ? 1 : 0);
            const long double x = a.kind == Kind::Integer ? (long double)a.i : (long double)a.d;
            const long double y = b.kind == Kind::Integer ? (long double)b.i : (long double)b.d;
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        default:
            if (polish && ra == 2)
                return PolishCollation::compareUtf8(arena + a.offset, int(a.length), arena + b.offset,
                                                    int(b.length));
            const int raw = std::memcmp(arena + a.offset, arena + b.offset, std::min(a.length, b.length));
            if (raw != 0)
                return raw < 0 ? -1 : 1;
            return a.length < b.length ? -1 : (a.length > b.length ? 1 : 0);
        }
    };
    // The texts of the sort column decoded once into keys in byte order, all
    // in one buffer; each row carries the first bytes of its key, so most
    // comparisons never leave the array being sorted.
    struct Entry
    {
        quint64 prefix;
        int row;
    };
    std::string keys;
    std::vector<std::pair<quint32, quint32>> spans(static_cast<size_t>(m_rows)); // offset, length
    for (int r = 0; r < m_rows; ++r) {
        const Cell& c = cells[size_t(r) * width + size_t(column)];
        if (c.kind != Kind::Text)
            continue;
        const size_t at = keys.size();
        PolishCollation::appendSortKey(keys, arena + c.offset, int(c.length));
        spans[size_t(r)] = {quint32(at), quint32(keys.size() - at)};
    }
    auto prefixOf = [&](int r) {
        quint64 p = 0;
        const auto [at, length] = spans[size_t(r)];
        for (quint32 i = 0; i < 8; ++i)
            p = (p << 8) | (i < length ? quint64(quint8(keys[at + i])) : 0);
        return p;
    };
    std::vector<Entry> order(static_cast<size_t>(m_rows));
    for (int r = 0; r < m_rows; ++r)
        order[size_t(r)] = {prefixOf(r), r};
    bool tied = false;
    auto compareRows = [&](int x, int y) {
        const Cell* a = cells + size_t(x) * width;
        const Cell* b = cells + size_t(y) * width;
        int c = 0;
        if (a[column].kind == Kind::Text && b[column].kind == Kind::Text) {
            const auto [ax, al] = spans[size_t(x)];
            const auto [bx, bl] = spans[size_t(y)];
            c = std::memcmp(keys.data() + ax, keys.data() + bx, std::min(al, bl));
            if (c == 0)
                c = al < bl ? -1 : (al > bl ? 1 : 0);
        } else {
            c = compareCells(a[column], b[column], true);
        }
        c = c < 0 ? -1 : (c > 0 ? 1 : 0);
        if (!ascending)
            c = -c;
        return c != 0 ? c : compareCells(a[0], b[0], false);
    };
    auto less = [&](const Entry& x, const Entry& y) {
        const Cell& a = cells[size_t(x.row) * width + size_t(column)];
        const Cell& b = cells[size_t(y.row) * width + size_t(column)];
        if (a.kind == Kind::Text && b.kind == Kind::Text && x.prefix != y.prefix)
            return ascending ? x.prefix < y.prefix : x.prefix > y.prefix;
        return compareRows(x.row, y.row) < 0;
    };
    std::sort(order.begin(), order.end(), less);
    for (size_t r = 1; r < order.size() && !tied; ++r)
        tied = compareRows(order[r - 1].row, order[r].row) == 0;
    if (tied)
        return false;
    m_order.resize(order.size());
    for (size_t r = 0; r < order.size(); ++r)
        m_order[r] = order[r].row;
    m_reordered = true;
    m_lines = lines;
    m_openedLines = lines;
    m_pos = 0;
    return true;
}

int Statement::fieldIndex(const QString& name) const
{
    return m_fieldIndex.value(name.toUpper(), -1);
}

int Statement::column(const QString& field) const
{
    const int c = fieldIndex(field);
    if (c < 0)
        throw DbError(m_name + QStringLiteral(": Field '") + field + QStringLiteral("' not found"));
    return c;
}

const Statement::Cell& Statement::cell(int row, int column) const
{
    ensureRow(row);
    if (row < 0 || row >= m_rows || column < 0 || column >= fieldCount()) {
        static const Cell empty{};
        return empty; // at the end of the data every field reads empty
    }
    const size_t stored = m_order.empty() ? size_t(row) : size_t(m_order[size_t(row)]);
    return m_cells[stored * size_t(fieldCount()) + size_t(column)];
}

QString Statement::textAt(int row, int column) const
{
    const Cell& c = cell(row, column);
    switch (c.kind) {
    case Kind::Integer:
        return QString::number(c.i);
    case Kind::Real:
        return QString::number(c.d, 'g', 15);
    case Kind::Text:
    case Kind::Blob:
        return QString::fromUtf8(m_arena.data() + c.offset, qsizetype(c.length));
    case Kind::Null:
        break;
    }
    return {};
}

qint64 Statement::integerAt(int row, int column) const
{
    const Cell& c = cell(row, column);
    switch (c.kind) {
    case Kind::Integer:
        return c.i;
    case Kind::Real:
        return qint64(c.d);
    case Kind::Text:
    case Kind::Blob:
        return textAt(row, column).trimmed().toLongLong();
    case Kind::Null:
        break;
    }
    return 0;
}

double Statement::numberAt(int row, int column) const
{
    const Cell& c = cell(row, column);
    switch (c.kind) {
    case Kind::Integer:
        return double(c.i);
    case Kind::Real:
        return c.d;
    case Kind::Text:
    case Kind::Blob:
        return textAt(row, column).trimmed().toDouble();
    case Kind::Null:
        break;
    }
    return 0.0;
}

QByteArray Statement::bytesAt(int row, int column) const
{
    const Cell& c = cell(row, column);
    if (c.kind == Kind::Text || c.kind == Kind::Blob)
        return QByteArray(m_arena.data() + c.offset, qsizetype(c.length));
    return textAt(row, column).toUtf8();
}

QByteArrayView Statement::utf8At(int row, int column, QByteArray& spare) const
{
    const Cell& c = cell(row, column);
    if (c.kind == Kind::Text || c.kind == Kind::Blob)
        return QByteArrayView(m_arena.data() + c.offset, qsizetype(c.length));
    spare = textAt(row, column).toUtf8();
    return spare;
}

bool Statement::isNullAt(int row, int column) const
{
    return cell(row, column).kind == Kind::Null;
}

QVariant Statement::valueAt(int row, int column) const
{
    const Cell& c = cell(row, column);
    switch (c.kind) {
    case Kind::Integer:
        return QVariant(c.i);
    case Kind::Real:
        return QVariant(c.d);
    case Kind::Text:
    case Kind::Blob:
        return QVariant(textAt(row, column));
    case Kind::Null:
        break;
    }
    return {};
}
