#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class SqlConnection;

// A lookup over a register too large to be read whole into a drop-down
// (employees, current computers, equipment): the store is asked for the few
// rows whose shown text holds what the user typed, and for the text of the
// one key chosen.
class LookupSearch
{
public:
    struct Match
    {
        QVariant key;
        QString text;
    };

    // The search standing in for the lookup list of that name; null for the
    // lists that are read whole (dictionaries, companies, programs).
    static const LookupSearch* of(const QString& lookupName);

    // At most `limit` rows whose text holds every word typed, without regard
    // to letter case, in the list's own order; the first rows of the register
    // when nothing is typed.
    // Throws DbError.
    QList<Match> find(SqlConnection& connection, const QString& typed, int limit) const;
    // The shown text of the row with this key; false when no row offered has it.
    // Throws DbError.
    bool textOf(SqlConnection& connection, const QVariant& key, QString* text) const;

    // A GLOB pattern that holds `word` anywhere, each letter in either case.
    static QString containsPattern(const QString& word);
    // The same as a regular expression (the server's ~): every other
    // character stands for itself.
    static QString containsRegex(const QString& word);

    const QString& keyField() const { return m_key; }

private:
    // `order` is the list's order term; with `indexOrder` the engine orders by
    // it as stored (along its index) and the rows found are then put in the
    // Polish order, else the engine orders by the Polish collation.
    LookupSearch(const char* table, const char* key, const char* text, const char* condition,
                 const char* order, bool indexOrder);

    QString m_table;
    QString m_key;
    QString m_text;      // an expression over the table's columns
    QString m_condition; // rows offered at all; empty for every row
    QString m_order;
    bool m_indexOrder;
};
