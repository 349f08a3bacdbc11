#include "store/Statement.h"

#include "store/DbError.h"
#include "store/PolishCollation.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"

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

std::unique_ptr<SqlCursor> Statement::prepare(const QByteArray& sql, int* tail) const
{
    if (!m_connection || !m_connection->isOpen())
        throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
    return m_connection->backend()->prepare(sql, tail);
}

void Statement::bind(SqlCursor& cursor, const QHash<QString, QVariant>& params)
{
    const int count = cursor.parameterCount();
    for (int i = 0; i < count; ++i) {
        const QString name = cursor.parameterName(i);
        if (name.isEmpty())
            continue;
        const auto it = params.constFind(name);
        if (it == params.constEnd())
            continue; // unset: NULL
        if (it->typeId() == QMetaType::QByteArray)
            cursor.bindBlob(i, it->toByteArray());
        else
            cursor.bindText(i, it->toString().toUtf8());
    }
}

void Statement::bindValue(SqlCursor& cursor, const QString& name, const Value& value)
{
    const int count = cursor.parameterCount();
    for (int i = 0; i < count; ++i) {
        if (cursor.parameterName(i) != name)
            continue;
        const Cell& c = value.cell;
        switch (c.kind) {
        case Kind::Integer:
            cursor.bindInteger(i, c.i);
            break;
        case Kind::Real:
            cursor.bindReal(i, c.d);
            break;
        case Kind::Text:
            cursor.bindText(i, QByteArray::fromStdString(value.bytes));
            break;
        case Kind::Blob:
            cursor.bindBlob(i, QByteArray::fromStdString(value.bytes));
            break;
        case Kind::Null:
            break; // left unset: NULL
        }
    }
}

void Statement::bindLimit(SqlCursor& cursor, int rows)
{
    const int count = cursor.parameterCount();
    for (int i = 0; i < count; ++i)
        if (cursor.parameterName(i) == QLatin1String("KSLIMIT"))
            cursor.bindInteger(i, rows);
}

void Statement::prepareOnly()
{
    const QByteArray sql = text().toUtf8();
    prepare(sql, nullptr);
}

void Statement::open()
{
    close();
    // A file replaced by another workstation is left for the one now in its place.
    if (m_connection)
        m_connection->ensureCurrent();
    // Taken before reading: a change made while the rows are read is seen later.
    const quint64 stamp = m_connection ? m_connection->changeStamp() : 0;
    const bool byPages = opensByPages();
    // Where a result comes whole, the first rows are asked for by a LIMIT.
    const bool limited = byPages && m_connection->dialect().pagesByLimit;
    QByteArray sql = text().toUtf8();
    if (limited)
        sql += "\nLIMIT :KSLIMIT";
    std::unique_ptr<SqlCursor> cursor = prepare(sql, nullptr);
    if (!cursor)
        throw DbError(QStringLiteral("Pusta instrukcja SQL"));
    bind(*cursor);
    if (limited)
        bindLimit(*cursor, m_firstRows);
    const int columns = cursor->columnCount();
    for (int c = 0; c < columns; ++c) {
        const QString name = cursor->columnName(c);
        m_fieldNames << name;
        m_fieldIndex.insert(name.toUpper(), c);
    }
    m_reading.cursor = std::move(cursor);
    m_openedStamp = stamp; // what a page compares with to know of changes made meanwhile
    const bool done = byPages ? readPage(m_firstRows) : readRows(m_firstRows > 0 ? m_firstRows : INT_MAX);
    if (!done) {
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

bool Statement::opensByPages() const
{
    return m_firstRows > 0 && m_connection && m_connection->dialect().keysetPages &&
           !m_keyset.keyTerm.isEmpty() && m_lines == m_keysetLines && m_keyset.conditionLine >= 0 &&
           m_keyset.conditionLine < m_lines.size();
}

bool Statement::readRows(int limit)
{
    const SqlCursor::Read read = stepRows(*m_reading.cursor, limit, false);
    if (read == SqlCursor::Read::More)
        return false; // the limit was reached; rows may remain
    if (read == SqlCursor::Read::Failed)
        failRead(*m_reading.cursor);
    endRead();
    return true;
}

namespace {
// Room for the whole list once its first rows are in: growing the buffers
// page by page would copy hundreds of megabytes at a million rows, a pause
// far longer than any page.
template <typename Cells>
void reserveForExpected(Cells& cells, ResultCells::Arena& arena, int rows, int expected, int columns)
{
    if (expected <= rows || rows == 0 || columns <= 0)
        return;
    const size_t all = size_t(expected);
    if (cells.capacity() < all * size_t(columns))
        cells.reserve(all * size_t(columns));
    const size_t bytes = arena.size() / size_t(rows) * all * 9 / 8;
    if (arena.capacity() < bytes)
        arena.reserve(bytes);
}
} // namespace

SqlCursor::Read Statement::stepRows(SqlCursor& cursor, int limit, bool timed)
{
    return cursor.readRows(limit, m_cells, m_arena, m_rows, timed ? kPageMs : 0);
}

namespace {
// The continuations of a keyed read: after a row with a key, after a row
// without one, and (descending, where NULL keys come last) the keyless rows
// from their start.
enum PageVariant
{
    AfterKey,
    AfterNoKey,
    NoKeyRows
};
} // namespace

SqlCursor* Statement::pageStatement(int variant)
{
    std::unique_ptr<SqlCursor>& page = m_reading.pages[variant];
    if (page)
        return page.get();
    const QString& key = m_keyset.keyTerm;
    const QString& id = m_keyset.idTerm;
    QString condition;
    switch (variant) {
    case AfterKey: {
        // The key first, so the engine seeks in its index; the id settles ties.
        const QString op = m_keyset.ascending ? QStringLiteral(">") : QStringLiteral("<");
        condition = QStringLiteral("AND %1 %2= :KSKEY AND (%1 %2 :KSKEY OR %3 > :KSID)").arg(key, op, id);
        break;
    }
    case AfterNoKey:
        condition = m_keyset.ascending ? QStringLiteral("AND (%1 IS NOT NULL OR %2 > :KSID)").arg(key, id)
                                       : QStringLiteral("AND %1 IS NULL AND %2 > :KSID").arg(key, id);
        break;
    default:
        condition = QStringLiteral("AND %1 IS NULL").arg(key);
    }
    QStringList lines = m_openedLines;
    lines[m_keyset.conditionLine] = condition + QLatin1Char(' ') + lines[m_keyset.conditionLine];
    if (m_connection->dialect().pagesByLimit)
        lines << QStringLiteral("LIMIT :KSLIMIT");
    const QByteArray sql = lines.join(QLatin1Char('\n')).toUtf8();
    try {
        page = prepare(sql, nullptr);
    } catch (const DbError& e) {
        failRead(e.message(), e.sqliteCode());
        return nullptr;
    }
    if (!page)
        failRead(QStringLiteral("Pusta instrukcja SQL"), 0);
    return page.get();
}

bool Statement::readPage(int limit)
{
    Reading& r = m_reading;
    if (!m_connection || !m_connection->isOpen()) {
        endRead();
        return true;
    }
    const bool first = r.cursor != nullptr; // the list's own text, just opened
    const int variant = r.lastKey ? AfterKey : r.lastId ? AfterNoKey : NoKeyRows;
    SqlCursor* cursor = r.cursor.get();
    if (!first) {
        cursor = pageStatement(variant);
        if (!cursor) {
            endRead();
            return true;
        }
        cursor->reset();
        bind(*cursor, m_openedParams);
        if (r.lastKey)
            bindValue(*cursor, QStringLiteral("KSKEY"), *r.lastKey);
        if (r.lastId)
            bindValue(*cursor, QStringLiteral("KSID"), *r.lastId);
        if (m_connection->dialect().pagesByLimit)
            bindLimit(*cursor, limit);
    }
    const int start = m_rows;
    if (!first)
        reserveForExpected(m_cells, m_arena, m_rows, m_expected, fieldCount());
    const SqlCursor::Read read = stepRows(*cursor, limit, !first);
    bool more = false;
    if (read == SqlCursor::Read::More) {
        more = m_rows > start && notePageEnd();
    } else if (read == SqlCursor::Read::End) {
        // Descending, the keyless rows follow those with a key.
        more = !first && !m_keyset.ascending && variant == AfterKey;
        r.lastKey.reset();
        r.lastId.reset();
    } else {
        failRead(*cursor);
    }
    // Asked while the page still holds its read, so a commit the page saw is
    // known here too: after one, a row moved forward may come again.
    const bool changed = m_rows > start && !r.checkSeen && m_connection->changeStamp() != m_openedStamp;
    if (first)
        r.cursor.reset();
    else
        cursor->reset(); // the page's read ends here
    if (changed) {
        r.checkSeen = true;
        r.seen.reserve(size_t(std::max(m_expected, m_rows)));
        for (int row = 0; row < start; ++row)
            r.seen.insert(idOf(row));
    }
    if (r.checkSeen && m_rows > start)
        dropRowsSeen(start);
    if (!more) {
        endRead();
        return true;
    }
    r.paged = true;
    return false;
}

bool Statement::notePageEnd()
{
    Reading& r = m_reading;
    r.lastKey.reset();
    // The id of the last row read: its first column.
    const Cell& idCell = m_cells[size_t(m_rows - 1) * size_t(fieldCount())];
    Value id;
    id.cell = idCell;
    if (idCell.kind == Kind::Text || idCell.kind == Kind::Blob)
        id.bytes.assign(m_arena.data() + idCell.offset, idCell.length);
    r.lastId = std::move(id);
    if (!m_keyset.keyField.isEmpty() && keyFromRow())
        return true;
    if (!r.keyOfRow) {
        try {
            r.keyOfRow = prepare(m_keyset.keyOfRow.toUtf8(), nullptr);
        } catch (const DbError& e) {
            failRead(e.message(), e.sqliteCode());
            return false;
        }
        if (!r.keyOfRow) {
            failRead(QStringLiteral("Pusta instrukcja SQL"), 0);
            return false;
        }
    }
    // The same read as the page: the key the row had when it was read.
    SqlCursor& keyOfRow = *r.keyOfRow;
    keyOfRow.reset();
    const Cell& bound = r.lastId->cell;
    switch (bound.kind) {
    case Kind::Integer:
        keyOfRow.bindInteger(0, bound.i);
        break;
    case Kind::Real:
        keyOfRow.bindReal(0, bound.d);
        break;
    case Kind::Text:
        keyOfRow.bindText(0, QByteArray::fromStdString(r.lastId->bytes));
        break;
    case Kind::Blob:
        keyOfRow.bindBlob(0, QByteArray::fromStdString(r.lastId->bytes));
        break;
    case Kind::Null:
        break;
    }
    ResultCells::Cells cells;
    ResultCells::Arena arena;
    int rows = 0;
    const SqlCursor::Read read = keyOfRow.readRows(1, cells, arena, rows, 0);
    keyOfRow.reset();
    if (read == SqlCursor::Read::Failed) {
        failRead(keyOfRow);
        return false;
    }
    if (rows == 0 || cells.empty()) {
        // The row just read has no key row: never, short of a damaged file.
        failRead(QStringLiteral("database disk image is malformed"), 11);
        return false;
    }
    if (cells.front().kind != Kind::Null) {
        Value key;
        key.cell = cells.front();
        if (key.cell.kind == Kind::Text || key.cell.kind == Kind::Blob)
            key.bytes.assign(arena.data() + key.cell.offset, key.cell.length);
        r.lastKey = std::move(key);
    }
    return true;
}

bool Statement::keyFromRow()
{
    const int column = fieldIndex(m_keyset.keyField);
    if (column < 0)
        return false; // not among the columns: asked by keyOfRow
    const Cell& keyCell = m_cells[size_t(m_rows - 1) * size_t(fieldCount()) + size_t(column)];
    if (keyCell.kind != Kind::Null) {
        Value key;
        key.cell = keyCell;
        if (keyCell.kind == Kind::Text || keyCell.kind == Kind::Blob)
            key.bytes.assign(m_arena.data() + keyCell.offset, keyCell.length);
        m_reading.lastKey = std::move(key);
    }
    return true;
}

std::string Statement::idOf(int storedRow) const
{
    const Cell& c = m_cells[size_t(storedRow) * size_t(fieldCount())];
    std::string id(1, char(c.kind));
    if (c.kind == Kind::Text || c.kind == Kind::Blob)
        id.append(m_arena.data() + c.offset, c.length);
    else if (c.kind != Kind::Null)
        id.append(reinterpret_cast<const char*>(&c.i), sizeof c.i);
    return id;
}

void Statement::dropRowsSeen(int from)
{
    const size_t width = size_t(fieldCount());
    int kept = from;
    for (int row = from; row < m_rows; ++row) {
        if (!m_reading.seen.insert(idOf(row)).second)
            continue; // shown already, where it stood before it was moved
        if (kept != row)
            std::copy_n(m_cells.begin() + ptrdiff_t(size_t(row) * width), width,
                        m_cells.begin() + ptrdiff_t(size_t(kept) * width));
        ++kept;
    }
    m_rows = kept;
    m_cells.resize(size_t(m_rows) * width);
}

void Statement::failRead(const SqlCursor& cursor)
{
    failRead(cursor.errorMessage(), cursor.errorCode());
}

void Statement::failRead(const QString& message, int code)
{
    m_readError = message;
    m_readErrorCode = code;
}

void Statement::endRead()
{
    Reading& r = m_reading;
    if (!r.cursor && !r.paged && !r.keyOfRow && !r.lastId && !r.pages[0] && !r.pages[1] && !r.pages[2])
        return;
    r.cursor.reset();
    for (std::unique_ptr<SqlCursor>& page : r.pages)
        page.reset();
    r.keyOfRow.reset();
    r.lastKey.reset();
    r.lastId.reset();
    r.paged = false;
    r.checkSeen = false;
    std::unordered_set<std::string>().swap(r.seen);
    m_expected = -1;
    if (m_connection)
        m_connection->removePendingRead(this);
}

void Statement::readOn(int row)
{
    if (m_reading.paged) {
        while (m_reading.paged && m_rows <= row)
            readPage(row == INT_MAX ? restPage() : std::clamp(row + 1 - m_rows, 256, kPageRows));
        return;
    }
    // In steps, so a row near the start does not read the whole rest.
    const int wanted = row == INT_MAX ? INT_MAX : std::max(row + 1 - m_rows, 256);
    readRows(wanted);
}

int Statement::restPage() const
{
    // Where a page is its own whole result, the rest asked for at once is one
    // page: each page more would cost the engine its start again.
    return m_connection && m_connection->dialect().pagesByLimit ? INT_MAX : kPageRows;
}

int Statement::shownCount() const
{
    if (isReading() && m_expected >= m_rows)
        return m_expected;
    return recordCount();
}

bool Statement::fetchMore(int rows)
{
    rows = std::max(rows, 1);
    if (m_reading.paged) {
        const int target = rows > INT_MAX - m_rows ? INT_MAX : m_rows + rows;
        while (m_reading.paged && m_rows < target)
            readPage(target == INT_MAX ? restPage() : std::min(target - m_rows, kPageRows));
    } else if (m_reading.cursor) {
        readRows(rows);
    }
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
    int begin = 0;
    int changed = 0;
    while (begin < sql.size()) {
        int tail = 0;
        const std::unique_ptr<SqlCursor> cursor =
            prepare(QByteArray::fromRawData(sql.constData() + begin, sql.size() - begin), &tail);
        begin += tail > 0 ? tail : int(sql.size()) - begin;
        if (!cursor)
            continue; // blanks or a comment
        bind(*cursor);
        while (cursor->step()) {
        }
        changed += cursor->changes();
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
