#include "store/TmyDataBase.h"

#include "base/Clock.h"
#include "base/ErrorLog.h"
#include "base/Numbers.h"
#include "store/DatabaseCheck.h"
#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/Guarded.h"
#include "store/PreparedStatement.h"
#include "store/RowGone.h"
#include "store/SortKeys.h"
#include "store/SqlDialect.h"
#include "store/StatementTexts.h"
#include "store/TableList.h"
#include "store/WriteTransaction.h"

#include <QDir>
#include <QFile>

#include <sqlcipher/sqlite3.h>

namespace {
TmyDataBase* g_instance = nullptr;

struct LocateEntry
{
    const char* list;
    std::vector<const char*> keys;
    qint64 code;
};

const std::vector<LocateEntry>& locateTable()
{
    static const std::vector<LocateEntry> table = {
        {"DBFKomputery", {"IDKOMPUTERA"}, 28},
        {"DBFSprzet", {"IDSPRZETU"}, 4428},
        {"DBFZakupBhp", {"IDZAKUPBHP"}, 171800},
        {"DBFBhp", {"IDBHP"}, 142035},
        {"DBFProgramy", {"IDPROGRAMU"}, 8028},
        {"DBFLicencje", {"IDLICENCJI"}, 8028},
        {"DBFLicProg", {"IDPROGRAMU", "IDLICENCJI"}, 8528},
        {"DBFLicKomp", {"IDPROGRAMU", "IDLICENCJI", "IDKOMPUTERA"}, 8928},
        {"DBFFirmy", {"IDFIRMY"}, 2030},
        {"DBFosobowa", {"NREW"}, 30},
        {"DBFUzytkownicy", {"NREW"}, 3030},
        {"DBFUzywajacy", {"NREW"}, 5530},
        {"DBFPosiadajacy", {"NREW"}, 152010},
        {"DBFSlowniki", {"KOD"}, 31},
        {"DBFTerminy", {"IDTERMINU"}, 4031},
        {"DBFZalaczniki", {"IDZALACZNIKA"}, 311224},
        {"DBFDokumenty", {"IDDOKUMENTU"}, 1754},
        {"DBFNaprawy", {"IDNAPRAWY"}, 7731},
        {"DBFHistoria", {"IDHISTORII"}, 1914},
        {"DBFZlecenia", {"IDZLECENIA"}, 271745},
        {"DBFRozliczenia", {"IDROZLICZENIA"}, 71849},
        {"DBFMagazyn", {"ID"}, 192130},
    };
    return table;
}

const QHash<QString, qint64>& reloadCodes()
{
    static const QHash<QString, qint64> codes = {
        {QStringLiteral("DBFKomputery"), 41},       {QStringLiteral("DBFSprzet"), 4441},
        {QStringLiteral("DBFProgramy"), 8041},      {QStringLiteral("DBFLicencje"), 8041},
        {QStringLiteral("DBFTerminy"), 3040},       {QStringLiteral("DBFNaprawy"), 7740},
        {QStringLiteral("DBFDokumenty"), 7740},     {QStringLiteral("DBFHistoria"), 1917},
        {QStringLiteral("DBFZlecenia"), 271744},    {QStringLiteral("DBFRozliczenia"), 71851},
        {QStringLiteral("DBFZalaczniki"), 311226},  {QStringLiteral("DBFMagazyn"), 192131},
        {QStringLiteral("DBFBhp"), 142030},         {QStringLiteral("DBFZakupBhp"), 171802},
        {QStringLiteral("DBFosobowa"), 40},         {QStringLiteral("DBFFirmy"), 2040},
        {QStringLiteral("DBFUzytkownicy"), 3040},   {QStringLiteral("DBFUzywajacy"), 5540},
        {QStringLiteral("DBFPosiadajacy"), 152001}, {QStringLiteral("DBFLicProg"), 141},
        {QStringLiteral("DBFLicKomp"), 9141},
    };
    return codes;
}

struct LookupEntry
{
    const char* name;
    qint64 code;
};

// Codes of the lookup lists reopened by reopenLookup.
const std::vector<LookupEntry>& lookupTable()
{
    static const std::vector<LookupEntry> table = {
        {"DBFKlasyfikator", 2111}, {"DBFKlasFiltr", 1804},    {"DBFStantech", 2611},
        {"DBFRodzLic", 1611},      {"DBFRdZal", 311808},      {"DBFStawkiVAT", 2511},
        {"DBFLokalizacje", 22511}, {"DBFDzial", 2011},        {"DBFStanowisko", 2012},
        {"DBFDostawcy", 2812},     {"DBFPracownicy", 2712},   {"DBFPracownicy2", 111104},
        {"DBFKompSprzet", 7712},   {"DBFZlecSprzet", 271836}, {"DBFListaProg", 5012},
        {"DBFListaLic", 5013},
    };
    return table;
}

qint64 lookupCode(const QString& name)
{
    const auto& table = lookupTable();
    const auto entry = std::find_if(table.begin(), table.end(),
                                    [&](const LookupEntry& e) { return name == QLatin1String(e.name); });
    return entry == table.end() ? 0 : entry->code;
}

QString quoted(const QString& kind)
{
    // Kind letters are program constants, never typed by the user.
    return QLatin1Char('\'') + kind + QLatin1Char('\'');
}
} // namespace

TmyDataBase::TmyDataBase() : m_mySQL(&m_connection, QStringLiteral("mySQL"))
{
    g_instance = this;
    m_connection.setReplacedHandler([this] {
        if (m_replaced)
            m_replaced();
    });
    m_connection.setLostHandler([this] {
        if (m_lost)
            m_lost();
    });
}

QString TmyDataBase::restoredElsewhereText()
{
    return QStringLiteral(
        "Baza danych została odtworzona z archiwum na innym stanowisku. Program pracuje "
        "teraz na odtworzonej bazie, a listy pokazują jej dane. Dane zapisane po utworzeniu "
        "tego archiwum nie występują w odtworzonej bazie.");
}

TmyDataBase::~TmyDataBase()
{
    if (g_instance == this)
        g_instance = nullptr;
}

TmyDataBase* TmyDataBase::instance()
{
    return g_instance;
}

Statement& TmyDataBase::statement(const QString& name)
{
    auto it = m_statements.find(name);
    if (it == m_statements.end()) {
        auto stmt = std::make_unique<Statement>(&m_connection, name, statementLines(name));
        it = m_statements.emplace(name, std::move(stmt)).first;
    }
    return *it->second;
}

QStringList TmyDataBase::statementNames()
{
    QStringList names;
    for (const StatementText& t : allStatementTexts())
        names << t.name;
    return names;
}

QString TmyDataBase::databaseFile(const QString& directory)
{
    return QDir(directory).filePath(kDatabaseFileName);
}

void TmyDataBase::closeAll()
{
    for (auto& [name, stmt] : m_statements)
        stmt->close();
    m_mySQL.close();
}

bool TmyDataBase::connectTo(const QString& directory, const QString& password)
{
    ConnectFailure failure;
    if (connectTo(directory, password, &failure))
        return true;
    ErrorLog::report(failure.message, true, failure.code);
    return false;
}

bool TmyDataBase::connectTo(const QString& directory, const QString& password, ConnectFailure* failure)
{
    QString dir = QDir::cleanPath(directory);
    while (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))))
        dir.chop(1);
    m_directory = dir;
    m_lastTarget = DatabaseTarget{dir, password, std::nullopt};
    closeAll();
    m_connection.close();
    m_presence.leave();
    try {
        try {
            m_connection.open(databaseFile(dir), password);
        } catch (const DbError& e) {
            // A crash's journal that the folder's rights keep from being rolled back.
            const DatabaseCheck::Result blocked = DatabaseCheck::blockedRollback(databaseFile(dir));
            if (blocked.ok())
                throw;
            throw DbError(QStringLiteral("attempt to write a readonly database (") + blocked.reason +
                              QStringLiteral("): ") + e.message(),
                          SQLITE_READONLY);
        }
        // Reported here once, in Polish, rather than by every write that would fail.
        const DatabaseCheck::Result writable = DatabaseCheck::writable(m_connection.handle());
        if (!writable.ok()) {
            m_connection.close();
            throw DbError(QStringLiteral("attempt to write a readonly database (") + writable.message +
                              QStringLiteral("): ") + databaseFile(dir),
                          SQLITE_READONLY);
        }
    } catch (const DbError& e) {
        *failure = {e.message(), 566};
        return false;
    } catch (const std::exception& e) {
        *failure = {QString::fromLocal8Bit(e.what()), 48};
        return false;
    }
    // Without the presence file the workstation is simply not counted.
    m_presence.enter(dir);
    m_lists.resetAll();
    return true;
}

bool TmyDataBase::connectToServer(const ServerAddress& address, const QString& directory)
{
    ConnectFailure failure;
    if (connectToServer(address, directory, &failure))
        return true;
    ErrorLog::report(failure.message, true, failure.code);
    return false;
}

bool TmyDataBase::connectToServer(const ServerAddress& address, const QString& directory,
                                  ConnectFailure* failure)
{
    m_lastTarget = DatabaseTarget{directory, {}, address};
    m_directory = QDir::cleanPath(directory);
    closeAll();
    m_connection.close();
    m_presence.leave();
    try {
        m_connection.openServer(address);
        // A database of the server that is empty or holds another program's
        // tables is named for what it is; nothing is created in it unasked.
        const QStringList present = DatabaseTemplate::tables(m_connection);
        QStringList missing;
        for (const QString& table : TableList::tables())
            if (!present.contains(table, Qt::CaseInsensitive))
                missing << table;
        if (!missing.isEmpty()) {
            const bool empty = present.isEmpty();
            m_connection.close();
            const QString message =
                empty ? QStringLiteral("Baza danych na serwerze %1 nie zawiera tabel programu. Utwórz w niej "
                                       "nową bazę danych programu albo wskaż inną bazę.")
                            .arg(address.display())
                      : QStringLiteral("Baza danych na serwerze %1 nie jest bazą danych tego programu albo "
                                       "jest niekompletna (brak tabel: %2).")
                            .arg(address.display(), missing.join(QStringLiteral(", ")));
            *failure = {message, 566};
            return false;
        }
    } catch (const DbError& e) {
        m_connection.close();
        // The client library's own text goes to the log only.
        if (!e.detail().isEmpty())
            ErrorLog::log(address.display() + QStringLiteral(": ") + e.detail(), 566);
        *failure = {e.message(), 566};
        return false;
    } catch (const std::exception& e) {
        m_connection.close();
        *failure = {QString::fromLocal8Bit(e.what()), 48};
        return false;
    }
    m_lists.resetAll();
    return true;
}

bool TmyDataBase::reconnect(ConnectFailure* failure)
{
    const DatabaseTarget target = m_lastTarget;
    return connectTo(target, failure);
}

bool TmyDataBase::connectTo(const DatabaseTarget& target, ConnectFailure* failure)
{
    if (target.server)
        return connectToServer(*target.server, target.directory, failure);
    return connectTo(target.directory, target.password, failure);
}

qint64 TmyDataBase::reloadCode(const QString& list)
{
    return reloadCodes().value(list, 0);
}

namespace {
// The result column an ORDER BY term names: a bare name that one result column
// carries, or "A.COL" selected as "A.COL AS COL"; -1 otherwise.
int orderedField(const Statement& q, const QString& term)
{
    QString name = term;
    const qsizetype dot = term.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        name = term.mid(dot + 1);
        if (!q.text().contains(term + QStringLiteral(" AS ") + name, Qt::CaseInsensitive))
            return -1;
    }
    int found = -1;
    for (int c = 0; c < q.fieldCount(); ++c)
        if (q.fieldName(c).compare(name, Qt::CaseInsensitive) == 0) {
            if (found >= 0)
                return -1; // two columns of that name: the engine decides which
            found = c;
        }
    return found;
}

// The list's state written into its statement; an order that has Polish keys
// in the file is read by them, the engine then walking their index.
void applyState(const SqlConnection& connection, const ListState& state, const QString& list, Statement& q)
{
    state.applyTo(list, q);
    const QString term = SortKeys::orderTerm(connection, list, state.orderColumn(list));
    if (!term.isEmpty())
        q.setLine(ListState::orderLine(list), term);
}

bool resortInMemory(SqlConnection& connection, const ListState& state, const QString& list, Statement& q)
{
    if (!q.unchangedSinceOpen() || q.openedStamp() != connection.changeStamp())
        return false;
    Statement target(&connection, list, q.lines());
    applyState(connection, state, list, target);
    const int orderLine = ListState::orderLine(list);
    const int directionLine = ListState::directionLine(list);
    const QStringList& now = q.lines();
    const QStringList& wanted = target.lines();
    for (int i = 0; i < std::max(now.size(), wanted.size()); ++i)
        if (i != orderLine && i != directionLine && now.value(i) != wanted.value(i))
            return false; // another filter: read afresh
    if (now == wanted) {  // the same order again: the rows are as a reload would give them
        q.first();
        return true;
    }
    const int column = orderedField(q, state.orderColumn(list));
    return column >= 0 && q.reorder(column, state.ascending(list), wanted);
}
} // namespace

bool TmyDataBase::reloadList(const QString& list, qint64 computerKey)
{
    Statement& q = statement(list);
    if (list == QLatin1String("DBFLicKomp"))
        m_lists.setOwner(list, computerKey);
    try {
        m_connection.ensureCurrent(); // rows of a replaced file are never put in order again
    } catch (const DbError&) {
        // The reopen below meets the same failure and reports it.
    }
    // Only the order changed and nothing was written since the rows were read:
    // they are put in the new order where they are.
    if (resortInMemory(m_connection, m_lists, list, q))
        return true;
    q.close();
    applyState(m_connection, m_lists, list, q);
    // In key order the first rows come straight from the index and the rest
    // follow as the list asks for them, page by page, each page a short read
    // of its own; the count is taken beside them.
    const Statement::Keyset keyset =
        SortKeys::keyset(m_connection, list, m_lists.orderColumn(list), m_lists.ascending(list));
    q.setFirstRows(keyset.keyTerm.isEmpty() ? 0 : kFirstRows);
    q.setKeyset(keyset);
    const bool ok = guarded(reloadCode(list), [&] {
        q.open();
        if (q.isReading())
            q.setExpectedCount(countRows(list, q));
    });
    if (!ok)
        q.close();
    return ok;
}

int TmyDataBase::countRows(const QString& list, const Statement& q)
{
    QStringList conditions;
    for (int line : ListState::slotLines(list))
        conditions << q.line(line);
    Statement count(&m_connection, list, {SortKeys::countText(m_connection, list, conditions)});
    // Bound like the list itself (a slot may name a parameter).
    count.copyParams(q);
    count.open();
    return count.isEmpty() ? -1 : int(count.integerAt(0, 0));
}

void TmyDataBase::disconnect()
{
    closeAll();
    m_connection.close();
    m_presence.leave();
}

bool TmyDataBase::exists(const QString& table, const QString& column, const QString& value)
{
    m_checkFailed = false;
    try {
        Statement& q = m_mySQL;
        q.clear();
        q.add(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + column +
              QStringLiteral(" = :KEY"));
        q.setParam(QStringLiteral("KEY"), value);
        q.open();
        const bool found = !q.isEmpty();
        q.close();
        return found;
    } catch (const DbError& e) {
        m_mySQL.close();
        // A failing check blocks the insert rather than allowing a duplicate,
        // and the user learns why instead of being told the value is taken.
        m_checkFailed = true;
        ErrorLog::report(e.message(), true, 2204);
        return true;
    }
}

bool TmyDataBase::columnExists(const QString& table, const QString& column)
{
    try {
        m_mySQL.clear();
        m_mySQL.add(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") +
                    TableList::tableName(table));
        m_mySQL.prepareOnly();
        return true;
    } catch (...) {
        return false;
    }
}

qint64 TmyDataBase::maxKey(const QString& table, const QString& column)
{
    qint64 id = -1;
    guarded(801, [&] {
        m_mySQL.clear();
        m_mySQL.add(QStringLiteral("SELECT MAX(") + column + QStringLiteral(") AS ID FROM ") + table);
        m_mySQL.open();
        id = m_mySQL.integer(QStringLiteral("ID"));
        m_mySQL.close();
    });
    m_mySQL.close();
    return id;
}

QString TmyDataBase::lastValue(const QString& keyColumn, const QString& valueColumn, const QString& table)
{
    QString value;
    guarded(12031539, [&] {
        m_mySQL.clear();
        m_mySQL.add(QStringLiteral("SELECT ") + valueColumn + QLatin1Char(',') + keyColumn +
                    QStringLiteral(" FROM ") + TableList::tableName(table) + QStringLiteral(" ORDER BY ") +
                    keyColumn + QStringLiteral(" DESC"));
        m_mySQL.open();
        if (!m_mySQL.eof())
            value = m_mySQL.text(valueColumn);
    });
    m_mySQL.close();
    return value;
}

bool TmyDataBase::locate(const QString& list, const QVariantList& keys)
{
    const auto& table = locateTable();
    const auto entry = std::find_if(table.begin(), table.end(),
                                    [&](const LocateEntry& e) { return list == QLatin1String(e.list); });
    if (entry == table.end())
        return false;
    bool found = false;
    guarded(entry->code, [&] {
        Statement& q = statement(list);
        std::vector<int> columns;
        for (const char* key : entry->keys) {
            const int c = q.fieldIndex(QLatin1String(key));
            if (c < 0)
                throw DbError(list + QStringLiteral(": Field '") + QLatin1String(key) +
                              QStringLiteral("' not found"));
            columns.push_back(c);
        }
        const bool textKey = QLatin1String(entry->keys.front()) == QLatin1String("NREW");
        q.first();
        // A list still reading is read on only until the row is found.
        for (int row = 0;; ++row) {
            if (row >= q.loadedCount() && !(q.isReading() && (q.fetchMore(4096), row < q.loadedCount())))
                break;
            bool match = true;
            for (size_t i = 0; i < columns.size() && match; ++i) {
                const QVariant key = keys.value(int(i));
                match = textKey ? q.textAt(row, columns[i]) == key.toString()
                                : q.integerAt(row, columns[i]) == key.toLongLong();
            }
            if (match) {
                q.setRecNo(row);
                found = true;
                return;
            }
        }
        q.setRecNo(q.recordCount()); // not there: the cursor stays after the last row
    });
    return found;
}

bool TmyDataBase::reopenLookup(const QString& name, const QString& dictionaryCode)
{
    const qint64 code = lookupCode(name);
    Statement& q = statement(name);
    q.close();
    if (!dictionaryCode.isEmpty())
        q.setParam(0, dictionaryCode);
    const bool ok = guarded(code, [&] { q.open(); });
    if (!ok)
        q.close();
    return ok;
}

QList<LookupSearch::Match> TmyDataBase::searchLookup(const QString& name, const QString& typed, int limit)
{
    QList<LookupSearch::Match> matches;
    if (const LookupSearch* search = LookupSearch::of(name))
        guarded(lookupCode(name), [&] { matches = search->find(m_connection, typed, limit); });
    return matches;
}

bool TmyDataBase::lookupText(const QString& name, const QVariant& key, QString* text)
{
    const LookupSearch* search = LookupSearch::of(name);
    bool found = false;
    if (search)
        guarded(lookupCode(name), [&] { found = search->textOf(m_connection, key, text); });
    return found;
}

bool TmyDataBase::reopenLookupFor(const QString& name, qint64 key)
{
    statement(name).setLine(5, QString::number(key));
    return reopenLookup(name);
}

bool TmyDataBase::createPropertyRows(const QString& kind, qint64 id)
{
    try {
        // All 14 or none; inside the caller's insert transaction this is its savepoint.
        WriteTransaction transaction(m_connection);
        // Never for an asset another workstation deleted meanwhile.
        RowGone::unlessOwnerExists(m_connection, kind, id);
        for (int lp = 1; lp <= 14; ++lp) {
            m_mySQL.clear();
            m_mySQL.add(QStringLiteral("INSERT INTO wlasciwosci (KOMPSPRZET,IDOBIEKTU,LP) VALUES "));
            m_mySQL.add(QLatin1Char('(') + quoted(kind) + QLatin1Char(',') + QString::number(id) +
                        QLatin1Char(',') + QString::number(lp) + QLatin1Char(')'));
            m_mySQL.execSQL();
        }
        transaction.commit();
        return true;
    } catch (...) {
        return false; // the caller reports
    }
}

bool TmyDataBase::openPropertyNames(const QString& kind, qint64 classifier)
{
    Statement& q = statement(QStringLiteral("DBFNazwaWlasciwosci"));
    auto open = [&] {
        q.close();
        q.setParam(0, kind);
        q.setLine(2, QString::number(classifier));
        return guarded(2211, [&] { q.open(); });
    };
    if (!open())
        return false;
    if (!q.isEmpty())
        return true;
    const bool inserted = guardedWrite(m_connection, 2311, [&] {
        for (int lp = 1; lp <= 14; ++lp) {
            m_mySQL.clear();
            m_mySQL.add(QStringLiteral("INSERT INTO nazwawlasciwosci (KOMPSPRZET,IDSLOWNIKA,LP) VALUES "));
            m_mySQL.add(QLatin1Char('(') + quoted(kind) + QLatin1Char(',') + QString::number(classifier) +
                        QLatin1Char(',') + QString::number(lp) + QLatin1Char(')'));
            m_mySQL.execSQL();
        }
    });
    return inserted && open();
}

bool TmyDataBase::openPropertyValues(const QString& kind, qint64 id)
{
    Statement& q = statement(QStringLiteral("DBFWlasciwosci"));
    q.close();
    q.setParam(0, kind);
    q.setLine(2, QString::number(id));
    if (!guarded(4201, [&] { q.open(); }))
        return false;
    if (q.isEmpty())
        createPropertyRows(kind, id); // the caller shows all 14 values empty
    return true;
}

std::array<NoteSlot, 30> TmyDataBase::loadNotes()
{
    std::array<NoteSlot, 30> notes{};
    guarded(23, [&] {
        m_mySQL.clear();
        m_mySQL.add(QStringLiteral("SELECT * FROM notatki ORDER BY IDNOTATKI"));
        m_mySQL.open();
        for (int n = 0; n < 30 && !m_mySQL.eof(); ++n, m_mySQL.next()) {
            notes[size_t(n)].data = m_mySQL.text(QStringLiteral("DATA")).left(10);
            notes[size_t(n)].opis = m_mySQL.text(QStringLiteral("OPIS")).left(255);
            notes[size_t(n)].reserved = m_mySQL.text(QStringLiteral("RESERVED")).left(10);
        }
    });
    m_mySQL.close();
    return notes;
}

bool TmyDataBase::saveNotes(const std::array<NoteSlot, 30>& notes)
{
    // Deleting and re-inserting the 30 notes is one write: a crash or a failed
    // insert leaves the notes as they were.
    const bool ok = guardedWrite(m_connection, 22, [&] {
        m_mySQL.clear();
        m_mySQL.add(QStringLiteral("DELETE FROM notatki"));
        m_mySQL.execSQL();
        for (int i = 1; i <= 30; ++i) {
            const NoteSlot& note = notes[size_t(i - 1)];
            // The texts are bound, so a double quote in a note is stored as typed.
            m_mySQL.clear();
            m_mySQL.add(QStringLiteral("INSERT INTO notatki (IDNOTATKI,DATA,OPIS,RESERVED) VALUES ("));
            m_mySQL.add(QString::number(i) + QLatin1Char(','));
            m_mySQL.add(QStringLiteral(":PARAM0,"));
            m_mySQL.add(QStringLiteral(":PARAM1,"));
            m_mySQL.add(QStringLiteral(":PARAM2)"));
            m_mySQL.setParam(0, note.data);
            m_mySQL.setParam(1, note.opis);
            m_mySQL.setParam(2, note.reserved);
            m_mySQL.execSQL();
        }
    });
    m_mySQL.close();
    return ok;
}

Rights TmyDataBase::loadRights(const QString& user)
{
    Rights rights{};
    if (user == QLatin1String("ADMIN")) {
        rights.fill(true);
        return rights;
    }
    Statement& q = statement(QStringLiteral("DBFRights"));
    guarded(221, [&] {
        q.close();
        q.setParam(0, user);
        q.open();
        for (; !q.eof(); q.next()) {
            bool ok = false;
            const int n = q.text(QStringLiteral("UPR")).trimmed().toInt(&ok);
            if (ok && n >= 0 && n <= 100)
                rights[size_t(n)] = true;
        }
    });
    q.close();
    return rights;
}

SystemParams TmyDataBase::loadSystemParams()
{
    SystemParams params;
    guarded(241000, [&] {
        m_mySQL.clear();
        m_mySQL.add(QStringLiteral("SELECT ID,NUMBERPARAM FROM system WHERE TYPE=1"));
        m_mySQL.open();
        for (; !m_mySQL.eof(); m_mySQL.next()) {
            const qint64 id = m_mySQL.integer(QStringLiteral("ID"));
            const double value = m_mySQL.number(QStringLiteral("NUMBERPARAM"));
            switch (id) {
            case 1:
                params.lastBackupDate = int(value);
                break;
            case 2:
                params.lastSlot = int(value);
                break;
            case 3:
                params.intervalDays = int(value);
                break;
            case 4:
                params.slotsKept = int(value);
                break;
            case 5:
                params.adminsOnly = value != 0;
                break;
            case 6:
                params.askFirst = value != 0;
                break;
            case 7:
                params.enabled = value != 0;
                break;
            default:
                break;
            }
        }
    });
    m_mySQL.close();
    return params;
}

bool TmyDataBase::saveSystemParams(const SystemParams& p)
{
    const qint64 values[7] = {p.lastBackupDate,     p.lastSlot,         p.intervalDays,   p.slotsKept,
                              p.adminsOnly ? 1 : 0, p.askFirst ? 1 : 0, p.enabled ? 1 : 0};
    // All seven parameters or none.
    const bool ok = guardedWrite(m_connection, 241022, [&] {
        for (int id = 1; id <= 7; ++id) {
            m_mySQL.clear();
            m_mySQL.add(QStringLiteral("DELETE FROM system WHERE TYPE=1 AND ID=") + QString::number(id));
            m_mySQL.execSQL();
            m_mySQL.clear();
            m_mySQL.add(QStringLiteral("INSERT INTO system (TYPE,ID,NUMBERPARAM) VALUES ("));
            m_mySQL.add(QStringLiteral("1,"));
            m_mySQL.add(QString::number(id) + QLatin1Char(','));
            m_mySQL.add(QString::number(values[id - 1]) + QLatin1Char(')'));
            m_mySQL.execSQL();
        }
    });
    m_mySQL.close();
    return ok;
}

namespace {
QString fieldOrEmpty(const Statement& row, const QString& field)
{
    return row.hasField(field) ? row.text(field) : QString();
}
} // namespace

QString TmyDataBase::objectLabel(const QString& kind, const Statement& row)
{
    if (kind == QLatin1String("K"))
        return QStringLiteral("Komp. (") + fieldOrEmpty(row, QStringLiteral("KNREWID")) + QLatin1Char(')');
    if (kind == QLatin1String("L"))
        return QStringLiteral("Licen. (") + fieldOrEmpty(row, QStringLiteral("LNREWID")) + QLatin1Char(')');
    if (kind == QLatin1String("S"))
        return QStringLiteral("Sprzęt (") + fieldOrEmpty(row, QStringLiteral("SNREWID")) + QLatin1Char(')');
    if (kind == QLatin1String("B"))
        return QStringLiteral("Środ.BHP (") + fieldOrEmpty(row, QStringLiteral("BNREWID")) + QLatin1Char(')');
    if (kind == QLatin1String("P"))
        return QStringLiteral("Program (") + fieldOrEmpty(row, QStringLiteral("PNREWID")) + QLatin1Char(')');
    return {};
}

QString TmyDataBase::repairObjectLabel(const QString& kind, const Statement& row)
{
    return (kind == QLatin1String("K") || kind == QLatin1String("S")) ? objectLabel(kind, row) : QString();
}

QChar TmyDataBase::dateSeparator()
{
    return Clock::dateSeparator();
}

QString TmyDataBase::dateText(qint64 yyyymmdd)
{
    const QString digits = QString::number(yyyymmdd);
    if (digits.size() != 8)
        return {};
    const QChar sep = dateSeparator();
    return digits.mid(6, 2) + sep + digits.mid(4, 2) + sep + digits.left(4);
}

QString TmyDataBase::amountText(double value)
{
    return Numbers::amountText(value);
}

bool TmyDataBase::deleteAttachmentFiles(const QString& kind, qint64 id, bool enabled, const QString& folder)
{
    if (!enabled)
        return true;
    QStringList files;
    const bool queried = guarded(242126, [&] {
        m_mySQL.clear();
        m_mySQL.add(QStringLiteral("SELECT NAZWAPLIKU FROM zalaczniki WHERE CZEGODOTYCZY=") + quoted(kind) +
                    QStringLiteral(" AND IDOBIEKTU=") + QString::number(id));
        m_mySQL.open();
        for (; !m_mySQL.eof(); m_mySQL.next())
            files << m_mySQL.text(QStringLiteral("NAZWAPLIKU"));
    });
    m_mySQL.close();
    if (!queried)
        return false;
    for (const QString& name : files) {
        if (name.isEmpty())
            continue;
        const QString path = QDir(folder).filePath(name);
        // A file that is already gone is no failure.
        if (QFile::exists(path) && !QFile::remove(path)) {
            ErrorLog::report(QStringLiteral("Nie można usunąć pliku ") + path, true, 242128);
            return false;
        }
    }
    return true;
}

void TmyDataBase::removeLockFile(const QString&)
{
    // The old engine left a lock file beside its tables; SQLite keeps its own locks.
}

bool TmyDataBase::tableOpenTest(const QString& directory, const QString& tableFile, const QString& password)
{
    const DatabaseCheck::Result result =
        DatabaseCheck::openTest(databaseFile(directory), tableFile, password);
    if (!result.ok())
        ErrorLog::writeLine(DatabaseCheck::logLine(result));
    return result.ok();
}

bool TmyDataBase::setTablePassword(const QString& directory, const QString&, const QString& newPassword,
                                   const QString& currentPassword)
{
    return guarded(220, [&] {
        SqlConnection connection;
        connection.open(databaseFile(directory), currentPassword);
        connection.rekey(newPassword);
    });
}

int TmyDataBase::otherWorkstations()
{
    const QString& query = m_connection.dialect().othersQuery;
    if (query.isEmpty() || !m_connection.isOpen())
        return m_presence.others();
    try {
        PreparedStatement q(m_connection, query);
        return q.step() ? int(q.integer(0)) : -1;
    } catch (const DbError& e) {
        // Only a question before maintenance hangs on it: logged, not shown.
        ErrorLog::log(e.detail().isEmpty() ? e.message() : e.detail(), 371);
        return -1;
    }
}

bool TmyDataBase::packTable(const QString& directory, const QString&, const QString& password)
{
    return guarded(370, [&] {
        SqlConnection connection;
        connection.open(databaseFile(directory), password);
        connection.vacuum();
    });
}

QString TmyDataBase::engineConfig(const QString&)
{
    return {}; // SQLite has no engine configuration to read
}

void TmyDataBase::setEngineConfig(const QString&, const QString&)
{
    // Sharing a database needs no engine setting: SQLite locks the file itself.
}

QString TmyDataBase::engineVersion()
{
    return SqlConnection::version();
}
