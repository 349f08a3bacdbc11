#include "store/Stocktaking.h"

#include "base/Clock.h"
#include "store/DbError.h"
#include "store/NewKey.h"
#include "store/Statement.h"
#include "store/WriteTransaction.h"

namespace {
const QString kItemColumns = QStringLiteral(
    "P.IDPOZYCJI, P.KOMPSPRZ, P.IDOBIEKTU, P.NREWID, P.NAZWA, P.LOKALIZACJA, P.NREW, P.OCZEKIWANA, "
    "P.ZNALEZIONA, P.KOD, P.SKANY, P.CZASSKANU, P.STANOWISKO, P.PRZENIESIONA, L.OPIS AS LOKALIZACJANAZWA, "
    "A.NAZWISKO, A.IMIE");
const QString kItemJoins =
    QStringLiteral("FROM inwentaryzacje_pozycje P LEFT OUTER JOIN slowniki L ON P.LOKALIZACJA = L.KOD "
                   "LEFT OUTER JOIN osobowa A ON P.NREW = A.NREW");

// The registers an inventory number is looked for in, with their key and
// whether the asset has a location and a responsible person.
struct Register
{
    QChar kind;
    const char* table;
    const char* key;
    bool located;
};
const Register kRegisters[] = {
    {QLatin1Char('K'), "komputery", "IDKOMPUTERA", true},
    {QLatin1Char('S'), "sprzet", "IDSPRZETU", true},
    {QLatin1Char('B'), "bhp", "IDBHP", false},
};

const Register* registerOf(QChar kind)
{
    for (const Register& r : kRegisters)
        if (r.kind == kind)
            return &r;
    return nullptr;
}

QChar firstOf(const QString& text)
{
    return text.isEmpty() ? QChar() : text.at(0);
}

// What an item and an asset of a register read alike: the asset, its
// number and name, where and with whom the register has it.
void readAsset(const Statement& q, StocktakingItem& item)
{
    item.objectId = q.integer(QStringLiteral("IDOBIEKTU"));
    item.number = q.text(QStringLiteral("NREWID"));
    item.name = q.text(QStringLiteral("NAZWA"));
    item.locationCode = int(q.integer(QStringLiteral("LOKALIZACJA")));
    item.location = q.text(QStringLiteral("LOKALIZACJANAZWA"));
    item.personKey = q.text(QStringLiteral("NREW"));
    item.person =
        (q.text(QStringLiteral("NAZWISKO")) + QLatin1Char(' ') + q.text(QStringLiteral("IMIE"))).trimmed();
}

StocktakingItem itemAt(const Statement& q)
{
    StocktakingItem item;
    item.id = q.integer(QStringLiteral("IDPOZYCJI"));
    item.kind = firstOf(q.text(QStringLiteral("KOMPSPRZ")));
    readAsset(q, item);
    item.expected = q.text(QStringLiteral("OCZEKIWANA")) == QLatin1String("T");
    item.found = q.text(QStringLiteral("ZNALEZIONA")) == QLatin1String("T");
    item.code = q.text(QStringLiteral("KOD"));
    item.scans = int(q.integer(QStringLiteral("SKANY")));
    item.scannedAt = q.text(QStringLiteral("CZASSKANU"));
    item.workstation = q.text(QStringLiteral("STANOWISKO"));
    item.moved = q.text(QStringLiteral("PRZENIESIONA")) == QLatin1String("T");
    return item;
}

QList<StocktakingItem> readItems(Statement& q)
{
    QList<StocktakingItem> items;
    q.open();
    for (q.first(); !q.eof(); q.next())
        items << itemAt(q);
    q.close();
    return items;
}

StocktakingSession sessionAt(const Statement& q)
{
    StocktakingSession s;
    s.id = q.integer(QStringLiteral("IDINWENTARYZACJI"));
    s.date = int(q.integer(QStringLiteral("DATA")));
    s.scope = firstOf(q.text(QStringLiteral("ZAKRES")));
    s.location = int(q.integer(QStringLiteral("LOKALIZACJA")));
    s.person = q.text(QStringLiteral("NREW"));
    s.registerKind = firstOf(q.text(QStringLiteral("REJESTR")));
    s.scopeText = q.text(QStringLiteral("OPISZAKRESU"));
    s.committee = q.text(QStringLiteral("KOMISJA"));
    s.closed = q.text(QStringLiteral("ZAMKNIETA")) == QLatin1String("T");
    s.closedDate = int(q.integer(QStringLiteral("DATAZAMKNIECIA")));
    s.createdBy = q.text(QStringLiteral("UTWORZYL"));
    return s;
}
} // namespace

bool Stocktaking::validCode(const QString& code)
{
    const QString c = code.trimmed();
    if (c.isEmpty() || c.size() > 50)
        return false;
    for (const QChar ch : c)
        if (!ch.isPrint())
            return false;
    return true;
}

qint64 Stocktaking::open(StocktakingSession& session)
{
    WriteTransaction transaction(m_connection);
    const qint64 key = insertReturningKey(
        m_connection, QStringLiteral("inwentaryzacje"), QStringLiteral("IDINWENTARYZACJI"), [&] {
            Statement insert(
                &m_connection, QStringLiteral("DBFInsertInwentaryzacje"),
                {QStringLiteral("INSERT INTO inwentaryzacje (DATA, ZAKRES, LOKALIZACJA, NREW, REJESTR, "
                                "OPISZAKRESU, KOMISJA, ZAMKNIETA, DATAZAMKNIECIA, LICZNIK, UTWORZYL)"),
                 QStringLiteral("VALUES (") + QString::number(session.date) + QStringLiteral(", :PARAM0, ") +
                     QString::number(session.location) +
                     QStringLiteral(", :PARAM1, :PARAM2, :PARAM3, :PARAM4, 'N', 0, 0, :PARAM5)")});
            insert.setParam(0, QString(session.scope));
            insert.setParam(1, session.person);
            insert.setParam(2, session.registerKind.isNull() ? QString() : QString(session.registerKind));
            insert.setParam(3, session.scopeText);
            insert.setParam(4, session.committee);
            insert.setParam(5, session.createdBy);
            insert.execSQL();
        });
    session.id = key;
    session.closed = false;
    session.closedDate = 0;

    // The expected items: what the register says is in the scope today.
    for (const Register& r : kRegisters) {
        const QChar scope = session.scope;
        if (scope == QLatin1Char('R') && session.registerKind != r.kind)
            continue;
        if (scope == QLatin1Char('L') && !r.located)
            continue; // BHP items have no location
        QString where;
        QString person = QStringLiteral("''");
        QString location = QStringLiteral("0");
        if (r.located) {
            where = QStringLiteral("X.ARCHIWUM = 'N'");
            person = QStringLiteral("X.NREW");
            location = QStringLiteral("X.LOKALIZACJA");
        }
        auto both = [&](const QString& condition) {
            where = where.isEmpty() ? condition : where + QStringLiteral(" AND ") + condition;
        };
        if (scope == QLatin1Char('L'))
            both(QStringLiteral("X.LOKALIZACJA = ") + QString::number(session.location));
        if (scope == QLatin1Char('O')) {
            if (r.located) {
                both(QStringLiteral("X.NREW = :PARAM0"));
            } else {
                // A BHP item counts with the person who holds it.
                both(QStringLiteral("X.IDBHP IN (SELECT H.IDBHP FROM r_bhpprac H WHERE H.NREW = :PARAM0)"));
                person = QStringLiteral(":PARAM0");
            }
        }
        Statement fill(
            &m_connection, QStringLiteral("DBFInsertInwentaryzacjePozycje"),
            {QStringLiteral("INSERT INTO inwentaryzacje_pozycje (IDINWENTARYZACJI, KOMPSPRZ, "
                            "IDOBIEKTU, NREWID, NAZWA, LOKALIZACJA, NREW, OCZEKIWANA, ZNALEZIONA)"),
             QStringLiteral("SELECT ") + QString::number(key) + QStringLiteral(", '") + r.kind +
                 QStringLiteral("', X.") + QLatin1String(r.key) + QStringLiteral(", X.NREWID, X.NAZWA, ") +
                 location + QStringLiteral(", ") + person + QStringLiteral(", 'T', 'N'"),
             QStringLiteral("FROM ") + QLatin1String(r.table) + QStringLiteral(" X"),
             where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where});
        if (scope == QLatin1Char('O'))
            fill.setParam(0, session.person);
        fill.execSQL();
    }
    transaction.commit();
    return key;
}

QList<StocktakingSession> Stocktaking::sessions()
{
    Statement q(&m_connection, QStringLiteral("DBFInwentaryzacje"),
                {QStringLiteral("SELECT * FROM inwentaryzacje ORDER BY IDINWENTARYZACJI DESC")});
    QList<StocktakingSession> list;
    q.open();
    for (q.first(); !q.eof(); q.next())
        list << sessionAt(q);
    q.close();
    return list;
}

StocktakingSession Stocktaking::session(qint64 id)
{
    Statement q(
        &m_connection, QStringLiteral("DBFInwentaryzacja"),
        {QStringLiteral("SELECT * FROM inwentaryzacje WHERE IDINWENTARYZACJI = ") + QString::number(id)});
    q.open();
    if (q.isEmpty())
        throw DbError(QStringLiteral("Inwentaryzacja została usunięta."));
    return sessionAt(q);
}

QList<StocktakingItem> Stocktaking::items(qint64 sessionId)
{
    Statement q(&m_connection, QStringLiteral("DBFInwentaryzacjePozycje"),
                {QStringLiteral("SELECT ") + kItemColumns, kItemJoins,
                 QStringLiteral("WHERE P.IDINWENTARYZACJI = ") + QString::number(sessionId),
                 QStringLiteral("ORDER BY P.OCZEKIWANA DESC, P.NREWID COLLATE PL, P.IDPOZYCJI")});
    return readItems(q);
}

QList<StocktakingItem> Stocktaking::changedItems(qint64 sessionId, qint64 since, qint64* now)
{
    // The counter first: a scan committed between the two reads is read
    // again next time rather than missed.
    Statement counter(&m_connection, QStringLiteral("DBFInwentaryzacjaLicznik"),
                      {QStringLiteral("SELECT LICZNIK FROM inwentaryzacje WHERE IDINWENTARYZACJI = ") +
                       QString::number(sessionId)});
    counter.open();
    if (now)
        *now = counter.isEmpty() ? since : counter.integer(QStringLiteral("LICZNIK"));
    counter.close();
    Statement q(&m_connection, QStringLiteral("DBFInwentaryzacjeZmiany"),
                {QStringLiteral("SELECT ") + kItemColumns, kItemJoins,
                 QStringLiteral("WHERE P.IDINWENTARYZACJI = ") + QString::number(sessionId) +
                     QStringLiteral(" AND P.ZMIANA > ") + QString::number(since),
                 QStringLiteral("ORDER BY P.IDPOZYCJI")});
    return readItems(q);
}

StocktakingCounts Stocktaking::counts(qint64 sessionId)
{
    Statement q(&m_connection, QStringLiteral("DBFInwentaryzacjaLiczby"),
                {QStringLiteral("SELECT OCZEKIWANA, ZNALEZIONA, COUNT(*) AS ILE FROM inwentaryzacje_pozycje"),
                 QStringLiteral("WHERE IDINWENTARYZACJI = ") + QString::number(sessionId),
                 QStringLiteral("GROUP BY OCZEKIWANA, ZNALEZIONA")});
    StocktakingCounts c;
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        const bool expected = q.text(QStringLiteral("OCZEKIWANA")) == QLatin1String("T");
        const bool found = q.text(QStringLiteral("ZNALEZIONA")) == QLatin1String("T");
        const int n = int(q.integer(QStringLiteral("ILE")));
        if (expected) {
            c.expected += n;
            (found ? c.found : c.missing) += n;
        } else if (found) {
            c.unexpected += n;
        }
    }
    q.close();
    return c;
}

namespace {
// The spellings a number is looked for in: as read, then in upper and in
// lower case for one typed by hand. Each is an indexed lookup, so an unknown
// code costs no more than a known one.
QStringList spellings(const QString& code)
{
    QStringList list{code};
    for (const QString& other : {code.toUpper(), code.toLower()})
        if (!list.contains(other))
            list << other;
    return list;
}

// The session's items with this number: exact first, then in another case.
QList<StocktakingItem> sessionItemsWithNumber(SqlConnection& connection, qint64 sessionId,
                                              const QString& code)
{
    for (const QString& spelling : spellings(code)) {
        Statement q(&connection, QStringLiteral("DBFInwentaryzacjaNumer"),
                    {QStringLiteral("SELECT ") + kItemColumns, kItemJoins,
                     QStringLiteral("WHERE P.IDINWENTARYZACJI = ") + QString::number(sessionId),
                     QStringLiteral("AND P.NREWID = :PARAM0"), QStringLiteral("ORDER BY P.IDPOZYCJI")});
        q.setParam(0, spelling);
        const QList<StocktakingItem> items = readItems(q);
        if (!items.isEmpty())
            return items;
    }
    return {};
}

// The assets of the registers with this number, not yet in the session.
QList<StocktakingItem> assetsWithNumber(SqlConnection& connection, const QString& code)
{
    for (const QString& spelling : spellings(code)) {
        QList<StocktakingItem> found;
        for (const Register& r : kRegisters) {
            const QString location = r.located ? QStringLiteral("X.LOKALIZACJA") : QStringLiteral("0");
            const QString person = r.located ? QStringLiteral("X.NREW") : QStringLiteral("''");
            Statement q(&connection, QStringLiteral("DBFInwentaryzacjaRejestr"),
                        {QStringLiteral("SELECT X.") + QLatin1String(r.key) +
                             QStringLiteral(" AS IDOBIEKTU, X.NREWID, X.NAZWA, ") + location +
                             QStringLiteral(" AS LOKALIZACJA, ") + person +
                             QStringLiteral(" AS NREW, L.OPIS AS LOKALIZACJANAZWA, A.NAZWISKO, A.IMIE"),
                         QStringLiteral("FROM ") + QLatin1String(r.table) +
                             QStringLiteral(" X LEFT OUTER JOIN slowniki L ON ") + location +
                             QStringLiteral(" = L.KOD LEFT OUTER JOIN osobowa A ON ") + person +
                             QStringLiteral(" = A.NREW"),
                         QStringLiteral("WHERE X.NREWID = :PARAM0"),
                         QStringLiteral("ORDER BY X.") + QLatin1String(r.key)});
            q.setParam(0, spelling);
            q.open();
            for (q.first(); !q.eof(); q.next()) {
                StocktakingItem item;
                item.kind = r.kind;
                readAsset(q, item);
                item.expected = false;
                found << item;
            }
            q.close();
        }
        if (!found.isEmpty())
            return found;
    }
    return {};
}

// The item of the session for an asset, or for an unknown code; both are
// found through an index, as a session may hold a hundred thousand items.
StocktakingItem sessionRowOf(SqlConnection& connection, qint64 sessionId, const StocktakingItem& asset)
{
    QString where;
    if (asset.id != 0)
        where = QStringLiteral("AND P.IDPOZYCJI = ") + QString::number(asset.id);
    else if (asset.kind.isNull())
        where = QStringLiteral("AND P.NREWID = :PARAM0 AND P.KOMPSPRZ = ''");
    else
        where = QStringLiteral("AND P.IDOBIEKTU = ") + QString::number(asset.objectId) +
                QStringLiteral(" AND P.KOMPSPRZ = :PARAM1");
    Statement q(&connection, QStringLiteral("DBFInwentaryzacjaPozycja"),
                {QStringLiteral("SELECT ") + kItemColumns, kItemJoins,
                 QStringLiteral("WHERE P.IDINWENTARYZACJI = ") + QString::number(sessionId), where});
    if (asset.id == 0 && asset.kind.isNull())
        q.setParam(0, asset.code);
    else if (asset.id == 0)
        q.setParam(1, QString(asset.kind));
    const QList<StocktakingItem> items = readItems(q);
    return items.isEmpty() ? StocktakingItem() : items.first();
}
} // namespace

// Everything a scan writes runs under the write lock: the item is looked up
// and marked with no other workstation in between, so two workstations
// scanning one code mark it once.
ScanResult Stocktaking::scan(qint64 sessionId, const QString& code, const QString& workstation)
{
    ScanResult result;
    result.code = code.trimmed();
    if (!validCode(code)) {
        result.outcome = ScanResult::Invalid;
        return result;
    }
    WriteTransaction transaction(m_connection);
    if (session(sessionId).closed) {
        result.outcome = ScanResult::Closed;
        return result;
    }
    const QList<StocktakingItem> inSession = sessionItemsWithNumber(m_connection, sessionId, result.code);
    if (inSession.size() > 1) {
        result.outcome = ScanResult::Ambiguous;
        result.candidates = inSession;
        return result;
    }
    if (inSession.size() == 1) {
        result = choose(sessionId, inSession.first(), result.code, workstation);
        transaction.commit();
        return result;
    }
    const QList<StocktakingItem> assets = assetsWithNumber(m_connection, result.code);
    if (assets.size() > 1) {
        // Chosen before: that choice stands for every later scan of the code.
        for (const StocktakingItem& asset : assets) {
            const StocktakingItem row = sessionRowOf(m_connection, sessionId, asset);
            if (row.id != 0) {
                result = choose(sessionId, row, result.code, workstation);
                transaction.commit();
                return result;
            }
        }
        result.outcome = ScanResult::Ambiguous;
        result.candidates = assets;
        return result;
    }
    StocktakingItem asset;
    if (assets.isEmpty()) {
        asset.number = result.code;
        asset.expected = false;
    } else {
        asset = assets.first();
    }
    asset.code = result.code;
    result = choose(sessionId, asset, result.code, workstation);
    transaction.commit();
    return result;
}

ScanResult Stocktaking::choose(qint64 sessionId, const StocktakingItem& candidate, const QString& code,
                               const QString& workstation)
{
    ScanResult result;
    result.code = code.trimmed();
    WriteTransaction transaction(m_connection);
    if (session(sessionId).closed) {
        result.outcome = ScanResult::Closed;
        return result;
    }
    // Read again under the write lock: a candidate chosen from an earlier
    // read may have been scanned at another workstation meanwhile.
    StocktakingItem key = candidate;
    key.code = result.code;
    const StocktakingItem row = sessionRowOf(m_connection, sessionId, key);
    // Every change takes the next value of the session's counter, so other
    // workstations read only what changed.
    Statement bump(
        &m_connection, QStringLiteral("DBFInwentaryzacjaZmiana"),
        {QStringLiteral("UPDATE inwentaryzacje SET LICZNIK = LICZNIK + 1 WHERE IDINWENTARYZACJI = ") +
         QString::number(sessionId)});
    bump.execSQL();
    Statement counter(&m_connection, QStringLiteral("DBFInwentaryzacjaLicznik"),
                      {QStringLiteral("SELECT LICZNIK FROM inwentaryzacje WHERE IDINWENTARYZACJI = ") +
                       QString::number(sessionId)});
    counter.open();
    const QString change = QString::number(counter.integer(QStringLiteral("LICZNIK")));
    counter.close();
    const QString now = Clock::now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));

    if (row.id != 0 && row.found) {
        Statement again(
            &m_connection, QStringLiteral("DBFInwentaryzacjaPonownie"),
            {QStringLiteral("UPDATE inwentaryzacje_pozycje SET SKANY = SKANY + 1, ZMIANA = ") + change,
             QStringLiteral("WHERE IDPOZYCJI = ") + QString::number(row.id)});
        again.execSQL();
        result.outcome = ScanResult::Repeated;
    } else if (row.id != 0) {
        Statement mark(
            &m_connection, QStringLiteral("DBFInwentaryzacjaZnaleziona"),
            {QStringLiteral("UPDATE inwentaryzacje_pozycje SET ZNALEZIONA = 'T', SKANY = SKANY + 1, "
                            "CZASSKANU = :PARAM0, STANOWISKO = :PARAM1, ZMIANA = ") +
                 change,
             QStringLiteral("WHERE IDPOZYCJI = ") + QString::number(row.id)});
        mark.setParam(0, now);
        mark.setParam(1, workstation);
        mark.execSQL();
        result.outcome = row.expected ? ScanResult::Found : ScanResult::Elsewhere;
    } else {
        Statement add(
            &m_connection, QStringLiteral("DBFInsertInwentaryzacjaPoza"),
            {QStringLiteral(
                 "INSERT INTO inwentaryzacje_pozycje (IDINWENTARYZACJI, KOMPSPRZ, IDOBIEKTU, NREWID, "
                 "NAZWA, LOKALIZACJA, NREW, OCZEKIWANA, ZNALEZIONA, KOD, SKANY, CZASSKANU, "
                 "STANOWISKO, ZMIANA)"),
             QStringLiteral("VALUES (") + QString::number(sessionId) + QStringLiteral(", :PARAM0, ") +
                 QString::number(candidate.objectId) + QStringLiteral(", :PARAM1, :PARAM2, ") +
                 QString::number(candidate.locationCode) +
                 QStringLiteral(", :PARAM3, 'N', 'T', :PARAM4, 1, :PARAM5, :PARAM6, ") + change +
                 QStringLiteral(")")});
        add.setParam(0, candidate.kind.isNull() ? QString() : QString(candidate.kind));
        add.setParam(1, candidate.number);
        add.setParam(2, candidate.name);
        add.setParam(3, candidate.personKey);
        add.setParam(4, result.code);
        add.setParam(5, now);
        add.setParam(6, workstation);
        add.execSQL();
        result.outcome = candidate.kind.isNull() ? ScanResult::Unknown : ScanResult::Elsewhere;
    }
    result.item = sessionRowOf(m_connection, sessionId, row.id != 0 ? row : key);
    transaction.commit();
    return result;
}

int Stocktaking::close(qint64 sessionId, int date, bool moveFound)
{
    WriteTransaction transaction(m_connection);
    const StocktakingSession s = session(sessionId);
    if (s.closed)
        throw DbError(QStringLiteral("Inwentaryzacja jest już zamknięta."));
    int moved = 0;
    if (moveFound && s.scope == QLatin1Char('L')) {
        Statement name(
            &m_connection, QStringLiteral("DBFInwentaryzacjaMiejsce"),
            {QStringLiteral("SELECT OPIS FROM slowniki WHERE KOD = ") + QString::number(s.location)});
        name.open();
        const QString place = name.isEmpty() ? QString() : name.text(QStringLiteral("OPIS"));
        name.close();
        for (const StocktakingItem& item : items(sessionId)) {
            const Register* r = registerOf(item.kind);
            if (item.expected || !item.found || !r || !r->located || item.locationCode == s.location)
                continue;
            Statement move(&m_connection, QStringLiteral("DBFInwentaryzacjaPrzeniesienie"),
                           {QStringLiteral("UPDATE ") + QLatin1String(r->table) +
                            QStringLiteral(" SET LOKALIZACJA = ") + QString::number(s.location) +
                            QStringLiteral(" WHERE ") + QLatin1String(r->key) + QStringLiteral(" = ") +
                            QString::number(item.objectId)});
            if (move.execSQL() == 0)
                continue; // deleted meanwhile: nothing to move
            // The usage history says where it was and where it went.
            Statement history(
                &m_connection, QStringLiteral("DBFInsertHistoriaInwentaryzacja"),
                {QStringLiteral(
                     "INSERT INTO historia (KOMPSPRZ, IDOBIEKTU, DATAOD, DATADO, NREW, MIEJSCE, INNE)"),
                 QStringLiteral("VALUES (:PARAM0, ") + QString::number(item.objectId) + QStringLiteral(", ") +
                     QString::number(date) + QStringLiteral(", 0, :PARAM1, :PARAM2, :PARAM3)")});
            history.setParam(0, QString(item.kind));
            history.setParam(1, item.personKey);
            history.setParam(2, place);
            history.setParam(
                3, QStringLiteral("Przeniesiono przy inwentaryzacji nr ") + QString::number(s.id) +
                       (item.location.isEmpty()
                            ? QString()
                            : QStringLiteral(" (poprzednio: ") + item.location + QStringLiteral(")")));
            history.execSQL();
            Statement mark(
                &m_connection, QStringLiteral("DBFInwentaryzacjaPrzeniesiona"),
                {QStringLiteral("UPDATE inwentaryzacje_pozycje SET PRZENIESIONA = 'T' WHERE IDPOZYCJI = ") +
                 QString::number(item.id)});
            mark.execSQL();
            ++moved;
        }
    }
    Statement done(&m_connection, QStringLiteral("DBFInwentaryzacjaZamknij"),
                   {QStringLiteral("UPDATE inwentaryzacje SET ZAMKNIETA = 'T', DATAZAMKNIECIA = ") +
                        QString::number(date) + QStringLiteral(", LICZNIK = LICZNIK + 1"),
                    QStringLiteral("WHERE IDINWENTARYZACJI = ") + QString::number(sessionId)});
    done.execSQL();
    transaction.commit();
    return moved;
}

void Stocktaking::remove(qint64 sessionId)
{
    WriteTransaction transaction(m_connection);
    for (const char* table : {"inwentaryzacje_pozycje", "inwentaryzacje"}) {
        Statement del(&m_connection, QStringLiteral("DBFDeleteInwentaryzacje"),
                      {QStringLiteral("DELETE FROM ") + QLatin1String(table) +
                       QStringLiteral(" WHERE IDINWENTARYZACJI = ") + QString::number(sessionId)});
        del.execSQL();
    }
    transaction.commit();
}
