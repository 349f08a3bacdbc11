#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <map>

class Statement;

// The filter and sort state of every list query: the condition slots (by
// statement line), the order column and the direction. One state per list,
// shared by everybody who shows that list, kept across register switches and
// reset to the defaults when a database is opened.
//
// Condition texts are those of the main window's filters; they name columns of
// the list's base table without an alias, because the column sums run the same
// slots against the base table alone.
class ListState
{
public:
    enum class Role
    {
        Reserved,
        DateRange,
        Archive,
        Classifier,
        ActiveOnly,
        ObjectKey,
        ObjectKind,
        Owner
    };

    struct Entry
    {
        QMap<int, QString> conditions; // statement line -> condition ("" or "AND ...")
        QString orderColumn;
        bool ascending = true;
        bool operator==(const Entry&) const = default;
    };

    ListState();

    // Every list and its defaults (done whenever a database is connected).
    void resetAll();
    void reset(const QString& list);

    static QStringList listNames();
    static bool hasList(const QString& list);

    // Layout of a list statement: the line of a slot role (-1 when the list
    // has none), the reserved lines, every slot line in order, and the lines
    // of the order column and of the direction.
    static int line(const QString& list, Role role);
    static QList<int> reservedLines(const QString& list);
    static QList<int> slotLines(const QString& list);
    static int orderLine(const QString& list);
    static int directionLine(const QString& list);
    static QString defaultOrderColumn(const QString& list);
    // The list's base table alias + column ("K.NREW"), for conditions that
    // would otherwise be ambiguous in the list's joins; the bare column for a
    // list without joins.
    static QString qualifiedColumn(const QString& list, const QString& column);

    // Whole state of one list (reports keep a copy and put it back).
    Entry entry(const QString& list) const;
    void setEntry(const QString& list, const Entry& entry);

    // Slots by line or by role. Writing a line that is not a slot of the list,
    // or a role the list lacks, does nothing.
    QString slot(const QString& list, int line) const;
    void setSlot(const QString& list, int line, const QString& condition);
    QString condition(const QString& list, Role role) const;
    void setCondition(const QString& list, Role role, const QString& condition);
    void clearCondition(const QString& list, Role role) { setCondition(list, role, QString()); }

    // Filters of the main window.
    // Date range of every list that has one; `to` 0 means no upper bound.
    void setDateRange(qint64 from, qint64 to);
    void setDateRange(const QString& list, qint64 from, qint64 to);
    // Archive slot of the computers, equipment and licences: liquidated or current records.
    void setArchive(bool liquidated);
    void setClassifier(const QString& list, qint64 kod);
    // The classifier slots emptied on entering a register (the BHP lists keep theirs).
    void clearRegisterClassifiers();
    // Active-only slot of the deadlines, repairs and documents together.
    void setActiveOnly(bool on);
    void setActiveOnly(const QString& list, bool on);

    // Object and owner conditions of the editors.
    void setObjectKey(const QString& list, qint64 key);
    void setObjectKind(const QString& list, const QString& kind);
    void setObject(const QString& list, const QString& kind, qint64 key);
    void clearObject(const QString& list);
    // "AND <owner column>=key"; `column` picks another owner column where the
    // list has two (DBFLicProg: IDLICENCJI by default, or IDPROGRAMU).
    void setOwner(const QString& list, qint64 key, const QString& column = QString());

    // Sort order.
    QString orderColumn(const QString& list) const;
    bool isAscending(const QString& list) const;
    void setOrderColumn(const QString& list, const QString& column);
    bool ascending(const QString& list) const;
    void setAscending(const QString& list, bool ascending);
    // A click on a column title: the same column again inverts the direction,
    // another column keeps it. The deadline list sorts its own description.
    void sortBy(const QString& list, const QString& column);

    // Writes the slots (in line order), the order column with the Polish
    // collation and "ASC"/"DESC" into the statement's lines.
    void applyTo(const QString& list, Statement& statement) const;

    // Condition texts.
    static QString dateRangeCondition(const QString& list, qint64 from, qint64 to);
    static QString archiveCondition(bool liquidated);
    static QString classifierCondition(qint64 kod);
    static QString activeOnlyCondition();
    static QString objectKeyCondition(qint64 key);
    static QString objectKindCondition(const QString& list, const QString& kind);
    static QString ownerCondition(const QString& list, qint64 key, const QString& column = QString());
    // A text as an SQL literal in single quotes.
    static QString literal(const QString& text);

    // The upper bound written for a range without end.
    static constexpr qint64 kNoUpperBound = 99999999;

private:
    Entry* find(const QString& list);
    const Entry* find(const QString& list) const;

    std::map<QString, Entry> m_entries;
};
