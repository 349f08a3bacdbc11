#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class SqlConnection;

// One stocktaking session ("Inwentaryzacja"): what it covers and who counts.
struct StocktakingSession
{
    qint64 id = 0;
    int date = 0;       // yyyymmdd
    QChar scope;        // 'L' a location, 'O' a responsible person, 'R' a register, 'W' everything active
    int location = 0;   // slowniki.KOD of the location, scope 'L'
    QString person;     // osobowa.NREW, scope 'O'
    QChar registerKind; // 'K', 'S' or 'B', scope 'R'
    QString scopeText;  // "Lokalizacja: Pokój 12", as shown and printed
    QString committee;  // the committee's names, one per line
    bool closed = false;
    int closedDate = 0; // yyyymmdd
    QString createdBy;  // the user who opened it
};

// An item of a session: expected by its scope, or met while counting.
struct StocktakingItem
{
    qint64 id = 0;
    QChar kind;          // 'K' computer, 'S' other equipment, 'B' BHP item; null for an unknown code
    qint64 objectId = 0; // the asset's key
    QString number;      // inventory number (NREWID)
    QString name;
    int locationCode = 0;
    QString location;  // the registered location's name
    QString personKey; // NREW of the registered responsible person
    QString person;    // "Nazwisko Imię"
    bool expected = true;
    bool found = false;
    QString code;        // what was scanned, for items not expected
    int scans = 0;       // how many times it was scanned
    QString scannedAt;   // "yyyy-MM-dd hh:mm:ss" of the first scan
    QString workstation; // where it was first scanned
    bool moved = false;  // moved to the session's location when it was closed
};

struct StocktakingCounts
{
    int expected = 0;
    int found = 0;      // expected and found
    int missing = 0;    // expected, not found
    int unexpected = 0; // found, not expected (elsewhere or unknown)
};

// What one scan did.
struct ScanResult
{
    enum Outcome
    {
        Found,     // an expected item, marked now
        Repeated,  // scanned before: counted once
        Elsewhere, // an asset of the register the session does not expect here
        Unknown,   // no asset has this number
        Ambiguous, // the number belongs to several assets: the user chooses
        Invalid,   // empty, or characters no inventory number has
        Closed     // the session has been closed meanwhile
    };
    Outcome outcome = Invalid;
    QString code;                      // the code as read, trimmed
    StocktakingItem item;              // the item marked or listed apart
    QList<StocktakingItem> candidates; // Ambiguous: one per asset, not yet written
};

// Sessions and scans in the database. Every write is its own short write
// transaction, so several workstations can scan one session at once: a
// scan reads and marks its item under the write lock. Throws DbError.
class Stocktaking
{
public:
    explicit Stocktaking(SqlConnection& connection) : m_connection(connection) {}

    // Opens a session and lists the items its scope expects, in one
    // transaction; the answer is its key.
    qint64 open(StocktakingSession& session);
    QList<StocktakingSession> sessions();
    StocktakingSession session(qint64 id);
    // Every item, expected ones first, in inventory number order.
    QList<StocktakingItem> items(qint64 sessionId);
    // The items changed since `since` (the session's change counter), and the
    // counter now; a window keeps up with other workstations through it.
    QList<StocktakingItem> changedItems(qint64 sessionId, qint64 since, qint64* now);
    StocktakingCounts counts(qint64 sessionId);

    ScanResult scan(qint64 sessionId, const QString& code, const QString& workstation);
    // The user's choice among the candidates of an ambiguous scan.
    ScanResult choose(qint64 sessionId, const StocktakingItem& candidate, const QString& code,
                      const QString& workstation);

    // Closes the session on `date`. With `moveFound`, the assets found
    // elsewhere move to the session's location, each with a history row,
    // in the same transaction. The answer is how many moved.
    int close(qint64 sessionId, int date, bool moveFound);
    // Removes a session with its items.
    void remove(qint64 sessionId);

    // Whether a code can be an inventory number at all: not empty, no
    // control characters.
    static bool validCode(const QString& code);

private:
    SqlConnection& m_connection;
};
