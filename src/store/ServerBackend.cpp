#include "store/ServerBackend.h"

#include "store/DbError.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"

#include <QRegularExpression>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include <libpq-fe.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sqlcipher/sqlite3.h>

namespace {
using ResultCells::Cell;
using ResultCells::Kind;

// Type numbers of the server's built-in types.
constexpr Oid kBool = 16;
constexpr Oid kBytea = 17;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kOid = 26;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kNumeric = 1700;

// The engine code closest to a server's SQLSTATE, so that the store's callers
// tell a busy database, a broken rule or a missing table apart as on the file.
int codeOf(const char* state)
{
    if (!state)
        return SQLITE_ERROR;
    const QByteArray s(state);
    if (s == "40P01" || s == "55P03" || s == "40001")
        return SQLITE_BUSY;
    if (s == "57014")
        return SQLITE_INTERRUPT;
    if (s.startsWith("23"))
        return SQLITE_CONSTRAINT;
    if (s == "25006" || s == "42501")
        return SQLITE_READONLY;
    if (s == "53100")
        return SQLITE_FULL;
    if (s == "53200")
        return SQLITE_NOMEM;
    if (s.startsWith("08") || s.startsWith("57P"))
        return SQLITE_IOERR;
    return SQLITE_ERROR;
}

DbError errorOf(const PGresult* result, PGconn* conn)
{
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    QString text = QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(conn)).trimmed();
    if (text.isEmpty())
        text = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
    // A connection lost mid-statement gives no state; it is the server gone.
    if (!state && PQstatus(conn) == CONNECTION_BAD)
        state = "08006";
    return DbError(QStringLiteral("SQLSTATE ") + QString::fromLatin1(state ? state : "XX000") +
                       QStringLiteral(": ") + text,
                   codeOf(state));
}

class ServerCursor final : public SqlCursor
{
public:
    ServerCursor(ServerBackend& backend, QByteArray sql, QList<QByteArray> names)
        : m_backend(backend), m_sql(std::move(sql)), m_names(std::move(names)),
          m_values(size_t(m_names.size())), m_isSet(size_t(m_names.size()), false),
          m_binary(size_t(m_names.size()), 0)
    {
        // Compiled once now, so a faulty text fails here as on the file.
        m_backend.check(
            PQprepare(m_backend.connection(), "", m_sql.constData(), int(m_names.size()), nullptr));
        m_backend.noteUnnamedPrepared();
        m_prepared = m_backend.unnamedGeneration();
    }
    ~ServerCursor() override { PQclear(m_result); }

    int parameterCount() const override { return int(m_names.size()); }
    QString parameterName(int index) const override
    {
        return QString::fromUtf8(m_names.value(index)).toUpper();
    }
    void bindText(int index, const QByteArray& utf8) override { set(index, utf8, 0); }
    void bindBlob(int index, const QByteArray& bytes) override { set(index, bytes, 1); }
    void bindInteger(int index, qint64 value) override { set(index, QByteArray::number(value), 0); }
    void bindReal(int index, double value) override { set(index, QByteArray::number(value, 'g', 17), 0); }
    void bindNull(int index) override
    {
        if (index >= 0 && index < int(m_names.size()))
            m_isSet[size_t(index)] = false; // an unset parameter is sent as NULL
    }
    // The server takes the values when the statement runs: a copy it is.
    void bindTextInPlace(int index, QByteArrayView utf8) override { set(index, utf8.toByteArray(), 0); }

    int columnCount() const override
    {
        const_cast<ServerCursor*>(this)->run();
        return PQnfields(m_result);
    }
    QString columnName(int column) const override
    {
        const_cast<ServerCursor*>(this)->run();
        // Names the text does not quote come back in lower case; the file
        // gives them as written, which in this program is upper case.
        return QString::fromUtf8(PQfname(m_result, column)).toUpper();
    }

    bool step() override
    {
        run();
        if (m_row + 1 >= PQntuples(m_result)) {
            m_row = PQntuples(m_result);
            return false;
        }
        ++m_row;
        return true;
    }
    QString text(int column) const override
    {
        if (!m_result || m_row < 0 || m_row >= PQntuples(m_result))
            return {};
        return QString::fromUtf8(PQgetvalue(m_result, m_row, column), PQgetlength(m_result, m_row, column));
    }
    qint64 integer(int column) const override { return text(column).trimmed().toLongLong(); }
    QByteArrayView utf8(int column) const override
    {
        if (!m_result || m_row < 0 || m_row >= PQntuples(m_result))
            return {};
        return QByteArrayView(PQgetvalue(m_result, m_row, column), PQgetlength(m_result, m_row, column));
    }

    // The whole result is on hand once run, so a batch takes no time worth
    // a budget: `budgetMs` is not needed here. A batch that reads `limit`
    // rows answers More even at the end of the result: a page sent with a
    // LIMIT of its rows may have more after it.
    Read readRows(int limit, ResultCells::Cells& cells, ResultCells::Arena& arena, int& rows,
                  int /*budgetMs*/) override
    {
        try {
            run();
        } catch (const DbError& e) {
            m_error = e.message();
            m_errorCode = e.sqliteCode();
            return Read::Failed;
        }
        const int total = PQntuples(m_result);
        const int columns = PQnfields(m_result);
        std::vector<Oid> types(static_cast<size_t>(columns));
        std::vector<int> bytesColumns;
        for (int c = 0; c < columns; ++c) {
            types[size_t(c)] = PQftype(m_result, c);
            if (!isNumber(types[size_t(c)]))
                bytesColumns.push_back(c);
        }
        const int batch = std::min(limit, total - (m_row + 1));
        if (batch > 0) {
            // Room for the whole batch at once, the bytes judged by its first
            // rows: no buffer grows and moves row by row.
            const int sample = std::min(batch, 64);
            size_t bytes = 0;
            for (int r = m_row + 1; r <= m_row + sample; ++r)
                for (int c : bytesColumns)
                    bytes += size_t(PQgetlength(m_result, r, c));
            cells.reserve(cells.size() + size_t(batch) * size_t(columns));
            arena.reserve(arena.size() + bytes / size_t(sample) * size_t(batch) * 9 / 8);
        }
        for (int read = 0; read < batch; ++read) {
            ++m_row;
            for (int c = 0; c < columns; ++c)
                cells.push_back(cellOf(m_row, c, types[size_t(c)], arena));
            ++rows;
        }
        return batch == limit || m_row + 1 < total ? Read::More : Read::End;
    }
    QString errorMessage() const override { return m_error; }
    int errorCode() const override { return m_errorCode; }

    int changes() const override { return m_result ? std::atoi(PQcmdTuples(m_result)) : 0; }
    bool isReadOnly() const override
    {
        const QByteArray head = m_sql.trimmed().left(6).toUpper();
        return head == "SELECT" || head.startsWith("WITH");
    }
    void reset() override
    {
        PQclear(m_result);
        m_result = nullptr;
        m_row = -1;
    }

private:
    void set(int index, const QByteArray& value, int binary)
    {
        if (index < 0 || index >= int(m_names.size()))
            return;
        m_values[size_t(index)] = value;
        m_isSet[size_t(index)] = true;
        m_binary[size_t(index)] = binary;
    }

    void run()
    {
        if (m_result)
            return;
        const int n = int(m_names.size());
        std::vector<const char*> values(static_cast<size_t>(n));
        std::vector<int> lengths(static_cast<size_t>(n));
        std::vector<Oid> types(static_cast<size_t>(n), 0);
        for (int i = 0; i < n; ++i) {
            // An unset parameter is NULL, as on the file.
            values[size_t(i)] = m_isSet[size_t(i)] ? m_values[size_t(i)].constData() : nullptr;
            lengths[size_t(i)] = int(m_values[size_t(i)].size());
            if (m_binary[size_t(i)])
                types[size_t(i)] = kBytea;
        }
        PGconn* conn = m_backend.connection();
        PGresult* result = nullptr;
        if (m_prepared == m_backend.unnamedGeneration() &&
            std::find(m_binary.begin(), m_binary.end(), 1) == m_binary.end())
            result = PQexecPrepared(conn, "", n, values.data(), lengths.data(), m_binary.data(), 0);
        else {
            result = PQexecParams(conn, m_sql.constData(), n, types.data(), values.data(), lengths.data(),
                                  m_binary.data(), 0);
            // That took the unnamed statement: a cursor that prepared it before
            // must not run this text with its own values.
            m_backend.noteUnnamedPrepared();
        }
        m_backend.check(result);
        m_result = result;
        m_row = -1;
    }

    static bool isNumber(Oid type)
    {
        return type == kBool || type == kInt2 || type == kInt4 || type == kInt8 || type == kOid ||
               type == kNumeric || type == kFloat4 || type == kFloat8;
    }

    Cell cellOf(int row, int column, Oid type, ResultCells::Arena& arena) const
    {
        Cell cell{};
        const char* value = PQgetvalue(m_result, row, column);
        const int length = PQgetlength(m_result, row, column);
        // A NULL reads as an empty value: only an empty one needs the question.
        if (length == 0 && PQgetisnull(m_result, row, column)) {
            cell.kind = Kind::Null;
            return cell;
        }
        switch (type) {
        case kBool:
            cell.kind = Kind::Integer;
            cell.i = *value == 't' ? 1 : 0;
            return cell;
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
            cell.kind = Kind::Integer;
            std::from_chars(value, value + length, cell.i);
            return cell;
        case kNumeric:
            if (!std::strpbrk(value, ".eEN")) {
                cell.kind = Kind::Integer;
                std::from_chars(value, value + length, cell.i);
                return cell;
            }
            [[fallthrough]];
        case kFloat4:
        case kFloat8:
            // Never strtod: under a Polish locale it would stop at the '.'.
            cell.kind = Kind::Real;
            std::from_chars(value, value + length, cell.d);
            return cell;
        case kBytea: {
            size_t size = 0;
            unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(value), &size);
            cell.kind = Kind::Blob;
            cell.offset = arena.size();
            cell.length = quint32(size);
            if (bytes && size > 0)
                arena.append(reinterpret_cast<const char*>(bytes), size);
            PQfreemem(bytes);
            return cell;
        }
        default:
            cell.kind = Kind::Text;
            cell.offset = arena.size();
            cell.length = quint32(length);
            if (length > 0)
                arena.append(value, size_t(length));
            return cell;
        }
    }

    ServerBackend& m_backend;
    QByteArray m_sql;
    QList<QByteArray> m_names;
    std::vector<QByteArray> m_values;
    std::vector<bool> m_isSet;
    std::vector<int> m_binary;
    quint64 m_prepared = 0;
    PGresult* m_result = nullptr;
    int m_row = -1;
    QString m_error;
    int m_errorCode = 0;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

// Past "COLLATE PL" starting at `at`; `at` when it is not there.
int skipCollateClause(const QByteArray& sql, int at)
{
    const int n = int(sql.size());
    if (sql.mid(at, 7).toUpper() != "COLLATE")
        return at;
    int i = at + 7;
    if (i >= n || !isBlank(sql[i]))
        return at;
    while (i < n && isBlank(sql[i]))
        ++i;
    if (sql.mid(i, 2).toUpper() != "PL")
        return at;
    i += 2;
    if (i < n && (std::isalnum(static_cast<unsigned char>(sql[i])) || sql[i] == '_'))
        return at;
    return i;
}

bool collateClauseAt(const QByteArray& sql, int at)
{
    return skipCollateClause(sql, at) != at;
}

// A server's result comes whole, tens of megabytes of small blocks of the
// client library for a long list. Freed, they would go back to the system at
// once and the next read would fault every page in anew (more than the read
// itself costs); the heap keeps them for the next result instead.
void keepResultMemory()
{
#if defined(__GLIBC__)
    static const bool once = [] {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 128 << 20);
        return true;
    }();
    (void)once;
#endif
}

// Copies the quoted text or name that starts at `i`, its doubled quotes kept
// inside, and moves `i` past it.
void copyQuoted(const QByteArray& sql, int& i, QByteArray& out)
{
    const int n = int(sql.size());
    const char quote = sql[i];
    const int start = i++;
    while (i < n && !(sql[i] == quote && (i + 1 >= n || sql[i + 1] != quote)))
        i += sql[i] == quote ? 2 : 1;
    i = std::min(i + 1, n);
    out += sql.mid(start, i - start);
}

bool wordAt(const QByteArray& sql, int at, const char* word)
{
    const int length = int(std::strlen(word));
    auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    if (at > 0 && isWord(sql[at - 1]))
        return false;
    if (at + length > sql.size() || qstrnicmp(sql.constData() + at, word, length) != 0)
        return false;
    return at + length == sql.size() || !isWord(sql[at + length]);
}

// The file sorts NULL before every value and the server after them: each
// term of an ORDER BY is told where NULL goes, so that a list comes in the
// same order from both and as the program re-sorts it in memory.
QByteArray nullsOrderedAsOnFile(const QByteArray& sql)
{
    const int n = int(sql.size());
    QByteArray out;
    out.reserve(n + 48);
    std::vector<int> openLists; // parenthesis depths of the ORDER BY lists being read
    int depth = 0;
    int termStart = 0;
    auto endTerm = [&] {
        const QByteArray term = out.mid(termStart).trimmed();
        if (term.isEmpty() || term.toUpper().contains("NULLS"))
            return;
        const bool descending = term.size() >= 4 && wordAt(term, int(term.size()) - 4, "DESC");
        int blanks = 0;
        while (blanks < out.size() && isBlank(out[out.size() - 1 - blanks]))
            ++blanks;
        out.insert(out.size() - blanks, descending ? " NULLS LAST" : " NULLS FIRST");
    };
    int i = 0;
    while (i < n) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            copyQuoted(sql, i, out);
            continue;
        }
        const bool inList = !openLists.empty() && openLists.back() == depth;
        if (inList) {
            if (c == ',') {
                endTerm();
                out += c;
                termStart = int(out.size());
                ++i;
                continue;
            }
            if (c == ')' || wordAt(sql, i, "LIMIT") || wordAt(sql, i, "OFFSET") || wordAt(sql, i, "FOR") ||
                wordAt(sql, i, "FETCH") || wordAt(sql, i, "UNION") || wordAt(sql, i, "EXCEPT") ||
                wordAt(sql, i, "INTERSECT")) {
                endTerm();
                openLists.pop_back();
            }
        }
        if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        if (wordAt(sql, i, "ORDER")) {
            int j = i + 5;
            while (j < n && isBlank(sql[j]))
                ++j;
            if (wordAt(sql, j, "BY")) {
                out += sql.mid(i, j + 2 - i);
                i = j + 2;
                openLists.push_back(depth);
                termStart = int(out.size());
                continue;
            }
        }
        out += c;
        ++i;
    }
    if (!openLists.empty() && openLists.back() == depth)
        endTerm();
    return out;
}

// The Polish text of a failed login; the library's own text goes to the log.
QString loginFailure(const QString& detail, const ServerAddress& address)
{
    const QString where = address.display();
    switch (ServerBackend::loginProblem(detail)) {
    case ServerBackend::LoginProblem::Refused:
        return QStringLiteral("Serwer bazy danych %1 odrzucił użytkownika lub hasło.").arg(where);
    case ServerBackend::LoginProblem::NoDatabase:
        return QStringLiteral("Na serwerze %1 nie ma bazy danych o tej nazwie.").arg(where);
    case ServerBackend::LoginProblem::TlsRefused:
        return QStringLiteral("Serwer bazy danych %1 nie zgodził się na połączenie szyfrowane, "
                              "a ustawienia go wymagają.")
            .arg(where);
    case ServerBackend::LoginProblem::Unreachable:
        break;
    }
    return QStringLiteral("Nie można połączyć się z serwerem bazy danych %1. Sprawdź, czy serwer działa "
                          "i czy adres oraz port są właściwe.")
        .arg(where);
}
} // namespace

ServerBackend::LoginProblem ServerBackend::loginProblem(const QString& detail)
{
    if (detail.contains(QLatin1String("password authentication failed")) ||
        detail.contains(QLatin1String("no password supplied")) ||
        detail.contains(QLatin1String("authentication failed")))
        return LoginProblem::Refused;
    if (detail.contains(QLatin1String("does not exist")) && detail.contains(QLatin1String("database")))
        return LoginProblem::NoDatabase;
    if (detail.contains(QLatin1String("SSL")))
        return LoginProblem::TlsRefused;
    return LoginProblem::Unreachable;
}

ServerBackend::ServerBackend(const ServerAddress& address)
{
    keepResultMemory();
    const QByteArray host = address.host.toUtf8();
    const QByteArray port = QByteArray::number(address.port);
    const QByteArray database = address.database.toUtf8();
    const QByteArray user = address.user.toUtf8();
    const QByteArray password = address.password.toUtf8();
    // Locks are waited for as long as on the file.
    QByteArray options = "-c client_min_messages=warning -c lock_timeout=" +
                         QByteArray::number(SqlConnection::busyTimeoutMs());
    if (address.statementTimeoutMs > 0)
        options += " -c statement_timeout=" + QByteArray::number(address.statementTimeoutMs);
    const char* keys[] = {"host",
                          "port",
                          "dbname",
                          "user",
                          "password",
                          "sslmode",
                          "options",
                          "connect_timeout",
                          "application_name",
                          "client_encoding",
                          nullptr};
    const char* values[] = {host.constData(),
                            port.constData(),
                            database.constData(),
                            user.constData(),
                            password.constData(),
                            address.requireTls ? "require" : "prefer",
                            options.constData(),
                            "5",
                            "Sprzetnik",
                            "UTF8",
                            nullptr};
    m_conn = PQconnectdbParams(keys, values, 0);
    if (!m_conn || PQstatus(m_conn) != CONNECTION_OK) {
        const QString detail = m_conn ? QString::fromUtf8(PQerrorMessage(m_conn)).trimmed() : QString();
        PQfinish(m_conn);
        m_conn = nullptr;
        throw DbError(loginFailure(detail, address), SQLITE_CANTOPEN, detail);
    }
    if (!address.schema.isEmpty()) {
        const QByteArray schema = address.schema.toUtf8();
        const char* value = schema.constData();
        check(PQexecParams(m_conn, "SELECT set_config('search_path', $1, false)", 1, nullptr, &value, nullptr,
                           nullptr, 0));
    }
}

ServerBackend::~ServerBackend()
{
    PQfinish(m_conn);
}

const SqlDialect& ServerBackend::dialect() const
{
    return SqlDialect::server();
}

void ServerBackend::check(PGresult* result) const
{
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK || status == PGRES_EMPTY_QUERY)
        return;
    DbError error = errorOf(result, m_conn);
    PQclear(result);
    if (PQstatus(m_conn) == CONNECTION_BAD && !m_lostTold) {
        // Whatever was being written is rolled back by the server with the session.
        m_lostTold = true;
        if (m_lost)
            m_lost();
    }
    throw error;
}

void ServerBackend::fail(int rc) const
{
    throw DbError(QString::fromUtf8(PQerrorMessage(m_conn)).trimmed(), rc);
}

QByteArray ServerBackend::translate(const QByteArray& sql, QList<QByteArray>& names, int& end)
{
    QByteArray out;
    out.reserve(sql.size() + 16);
    const int n = int(sql.size());
    int i = 0;
    auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    while (i < n) {
        const char c = sql[i];
        if (c == ';') {
            ++i;
            break;
        }
        if (c == '\'' || c == '"') {
            copyQuoted(sql, i, out);
            continue;
        }
        if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            while (i < n && sql[i] != '\n')
                ++i;
            out += ' ';
            continue;
        }
        if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const int close = sql.indexOf("*/", i + 2);
            i = close < 0 ? n : close + 2;
            out += ' ';
            continue;
        }
        // The server's text columns sort by the Polish collation of their
        // own, so the file's clause goes; it would also name an output
        // column as an input one and refuse a number column.
        if ((c == 'C' || c == 'c') && (i == 0 || !isWord(sql[i - 1])) && collateClauseAt(sql, i)) {
            while (out.endsWith(' ') || out.endsWith('\n') || out.endsWith('\t'))
                out.chop(1);
            i = skipCollateClause(sql, i);
            continue;
        }
        if (c == ':' && i + 1 < n &&
            (std::isalpha(static_cast<unsigned char>(sql[i + 1])) || sql[i + 1] == '_') &&
            (i == 0 || sql[i - 1] != ':')) {
            int j = i + 1;
            while (j < n && isWord(sql[j]))
                ++j;
            const QByteArray name = sql.mid(i + 1, j - i - 1).toUpper();
            qsizetype k = names.indexOf(name);
            if (k < 0) {
                names << name;
                k = names.size() - 1;
            }
            out += '$' + QByteArray::number(k + 1);
            i = j;
            continue;
        }
        if (c == '?') {
            names << QByteArray();
            out += '$' + QByteArray::number(names.size());
            ++i;
            continue;
        }
        out += c;
        ++i;
    }
    end = i;
    return nullsOrderedAsOnFile(out);
}

std::unique_ptr<SqlCursor> ServerBackend::prepare(const QByteArray& sql, int* tail)
{
    int offset = 0;
    while (offset < sql.size()) {
        QList<QByteArray> names;
        int end = 0;
        const QByteArray text = translate(sql.mid(offset), names, end);
        offset += end;
        if (text.trimmed().isEmpty())
            continue; // blanks or a comment
        if (tail)
            *tail = offset;
        return std::make_unique<ServerCursor>(*this, text, names);
    }
    if (tail)
        *tail = int(sql.size());
    return nullptr;
}

void ServerBackend::exec(const QString& script)
{
    const QByteArray text = script.toUtf8();
    noteUnnamedPrepared(); // a simple query ends the unnamed statement
    check(PQexec(m_conn, text.constData()));
}

void ServerBackend::execQuietly(const char* sql) noexcept
{
    noteUnnamedPrepared();
    PQclear(PQexec(m_conn, sql));
}

bool ServerBackend::inTransaction() const
{
    const PGTransactionStatusType status = PQtransactionStatus(m_conn);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

bool ServerBackend::changedSinceAsked()
{
    // Every write of every workstation bumps the counter in its own
    // transaction, so a change is seen once it is committed.
    qint64 counter = -1;
    noteUnnamedPrepared(); // the simple queries below end the unnamed statement
    // Looked for first while it is missing (a database being made): a failed
    // read would end the transaction it runs in.
    if (!m_hasCounter) {
        PGresult* found = PQexec(m_conn, "SELECT to_regclass('zmiany_bazy') IS NOT NULL");
        m_hasCounter = PQresultStatus(found) == PGRES_TUPLES_OK && PQntuples(found) == 1 &&
                       *PQgetvalue(found, 0, 0) == 't';
        PQclear(found);
        if (!m_hasCounter) {
            m_seenCounter = -1;
            return true;
        }
    }
    PGresult* result = PQexec(m_conn, "SELECT licznik FROM zmiany_bazy");
    if (PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) == 1)
        counter = std::strtoll(PQgetvalue(result, 0, 0), nullptr, 10);
    PQclear(result);
    const bool changed = counter != m_seenCounter || counter < 0;
    m_seenCounter = counter;
    return changed;
}

void ServerBackend::setBusyTimeout(int ms)
{
    // The server's 0 means no limit; here it means not to wait.
    const QByteArray sql = "SET lock_timeout = " + QByteArray::number(std::max(ms, 1));
    noteUnnamedPrepared();
    check(PQexec(m_conn, sql.constData()));
}

void ServerBackend::rekey(const QByteArray&)
{
    // The server's data is protected by its logins, not by a key of the data.
    throw DbError(QStringLiteral("Hasła bazy danych na serwerze nie zmienia się w programie; "
                                 "zmienia je administrator serwera."));
}

QString ServerBackend::changeCounterScript(const QStringList& tables)
{
    QString script =
        QStringLiteral("CREATE TABLE zmiany_bazy (licznik BIGINT NOT NULL);\n"
                       "INSERT INTO zmiany_bazy VALUES (1);\n"
                       "CREATE FUNCTION zmiany_bazy_licz() RETURNS trigger LANGUAGE plpgsql AS $$\n"
                       "BEGIN UPDATE zmiany_bazy SET licznik = licznik + 1; RETURN NULL; END $$;\n");
    for (const QString& t : tables)
        script += changeCounterTrigger(t);
    return script;
}

QString ServerBackend::changeCounterTrigger(const QString& table)
{
    return QStringLiteral("CREATE TRIGGER %1_zmiany AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE ON %1 "
                          "FOR EACH STATEMENT EXECUTE FUNCTION zmiany_bazy_licz();\n")
        .arg(table);
}

QString ServerBackend::keyFunctionScript()
{
    // A new key is past every key the table ever gave (its sequence) and past
    // every key it holds (rows written with their keys given, as the
    // templates' are), so a key is never reused, as on the file.
    return QStringLiteral(
        "CREATE FUNCTION nowy_klucz(t text, k text) RETURNS integer LANGUAGE plpgsql AS $$\n"
        "DECLARE s text := t || '_' || k || '_seq'; n bigint; m bigint;\n"
        "BEGIN\n"
        "  n := nextval(s);\n"
        "  EXECUTE format('SELECT COALESCE(MAX(%I), 0) FROM %I', k, t) INTO m;\n"
        "  IF m >= n THEN n := m + 1; PERFORM setval(s, n); END IF;\n"
        "  RETURN n;\n"
        "END $$;\n");
}

QString ServerBackend::serverSchema(const QString& statement)
{
    // Keys stay never reused; text lengths are not enforced, as on the file,
    // and text sorts by the Polish collation;
    // amounts keep double precision and blobs are bytes.
    static const QRegularExpression table(QStringLiteral("^\\s*CREATE\\s+TABLE\\s+(\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression key(
        QStringLiteral("(\\w+)\\s+INTEGER\\s+PRIMARY\\s+KEY\\s+AUTOINCREMENT"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression text(QStringLiteral("\\b(VARCHAR|CHAR)\\s*\\(\\s*\\d+\\s*\\)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression real(QStringLiteral("\\bREAL\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression blob(QStringLiteral("\\bBLOB\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString s = statement;
    QString sequence;
    const QRegularExpressionMatch t = table.match(s);
    const QRegularExpressionMatch k = key.match(s);
    if (t.hasMatch() && k.hasMatch()) {
        const QString name = t.captured(1).toLower();
        const QString column = k.captured(1).toLower();
        // A sequence outlives its table: one left by a dropped table goes on
        // past the keys it gave.
        sequence = QStringLiteral("CREATE SEQUENCE IF NOT EXISTS %1_%2_seq;\n").arg(name, column);
        s.replace(k.capturedStart(), k.capturedLength(),
                  QStringLiteral("%2 INTEGER PRIMARY KEY DEFAULT nowy_klucz('%1', '%2')").arg(name, column));
    }
    s.replace(text, QStringLiteral("TEXT COLLATE pl"));
    s.replace(real, QStringLiteral("DOUBLE PRECISION"));
    s.replace(blob, QStringLiteral("BYTEA"));
    return sequence + s;
}
