#pragma once

#include "store/TmyDataBase.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class QIODevice;

// One line of the deadline check.
struct DeadlineEntry
{
    qint64 date = 0; // yyyymmdd
    QString kind;    // "Term.", "Napr.", "Dok." or "Bhp"
    QString label;   // the owning object, "Komp. (K-001)"
    QString name;
    QString details;
    qint64 key = 0; // IDTERMINU, IDNAPRAWY or IDDOKUMENTU
    // A safety item's holding: the employee and the item.
    QString nrew;
    qint64 idbhp = 0;

    bool isBhp() const { return kind == QLatin1String("Bhp"); }
    // The hidden key column: the number, or the holding's condition.
    QString keyText() const;
    // The five shown columns.
    QStringList cells() const;
};

Q_DECLARE_TYPEINFO(DeadlineEntry, Q_RELOCATABLE_TYPE);

// Which sources the check reads and how far around today it looks.
struct DeadlineOptions
{
    int dataWsteczna = 7;
    int dataWstecznaMin = 0;
    bool terminy = true;
    bool naprawy = true;
    bool dokumenty = true;
    bool bhpStan = true;

    static DeadlineOptions fromConfig();
};

// Collects what is due from deadlines, repairs, documents and BHP holdings,
// and deletes or deactivates single entries. Database failures are reported
// with the codes of each step; the collection goes on with the next source.
class DeadlineCheck
{
public:
    explicit DeadlineCheck(TmyDataBase& db) : m_db(db) {}

    // The due window: lower < date <= upper.
    static qint64 upperBound(const QDate& today, int dataWsteczna);
    static qint64 lowerBound(const QDate& today, int dataWstecznaMin);

    QList<DeadlineEntry> collect(const DeadlineOptions& options, const Rights& rights, const QDate& today);

    // The write right an entry's register needs (deadlines 8, repairs 10,
    // documents 17, BHP 25).
    static int writeRight(const QString& kind);

    bool remove(const DeadlineEntry& entry);
    bool deactivate(const DeadlineEntry& entry);
    // "Dezakt. wszystko": every entry the user may change, except BHP
    // holdings, in one write. Answers the entries left in the table; on a
    // failure nothing is changed and all entries stay.
    QList<DeadlineEntry> deactivateAll(const QList<DeadlineEntry>& entries, const Rights& rights,
                                       bool* ok = nullptr);

    // The table as text: five lines an entry, CR LF, Windows-1250.
    static bool writeText(const QList<QStringList>& rows, QIODevice& device);

    // The table's titles.
    static QStringList titles();

private:
    // Runs one source; `rows` turns its result rows into entries.
    void readSection(const QString& statement, qint64 upper, qint64 lower, qint64 sectionCode,
                     const QString& kindField, const std::function<void(Statement&)>& rows);
    QString objectLabel(const QString& kind, qint64 id, bool onlyAssets, qint64 code);
    // The same for a row whose kind letter is known (`kind` indexes the
    // kinds); the cached label, else a lookup of its own.
    QString objectLabel(int kind, qint64 id, qint64 code);
    // The labels of the objects of a section, read before its rows: per
    // kind, along the primary key, many at a time.
    void preloadLabels(Statement& rows, const QString& kindField, bool onlyAssets);
    void readLabels(int kind, std::vector<qint64>& keys);
    void clearLabels();

    TmyDataBase& m_db;
    std::array<QHash<qint64, QString>, 4> m_knownLabels; // key -> label, by kind letter
    QHash<QString, QString> m_labels;                    // another kind letter + key -> label
};
