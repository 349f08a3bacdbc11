#include "store/LookupSearch.h"

#include "store/PolishCollation.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"
#include "store/Statement.h"

#include <QRegularExpression>

#include <algorithm>
#include <numeric>
#include <vector>

LookupSearch::LookupSearch(const char* table, const char* key, const char* text, const char* condition,
                           const char* order, bool indexOrder)
    : m_table(QLatin1String(table)), m_key(QLatin1String(key)), m_text(QLatin1String(text)),
      m_condition(QLatin1String(condition)), m_order(QLatin1String(order)), m_indexOrder(indexOrder)
{
}

const LookupSearch* LookupSearch::of(const QString& lookupName)
{
    // The texts and orders of the lists DBFPracownicy, DBFKompSprzet and DBFZlecSprzet.
    static const LookupSearch employees("osobowa", "NREW", "NAZWISKO||' '||IMIE||' (nr.ew. '||NREW||')'", "",
                                        "NAZWISKO||' '||IMIE||' (nr.ew. '||NREW||')'", false);
    // The first rows are taken along the index of the inventory number (a
    // sort of 100000 rows by the Polish order would not answer while typing)
    // and put in the Polish order then.
    static const LookupSearch computers("komputery", "IDKOMPUTERA", "NAZWA||' ('||NREWID||') '||PRODUCENT",
                                        "ARCHIWUM = 'N'", "NREWID", true);
    static const LookupSearch equipment("sprzet", "IDSPRZETU", "NAZWA||' ('||NREWID||') '||PRODUCENT", "",
                                        "NREWID", true);
    if (lookupName == QLatin1String("DBFPracownicy") || lookupName == QLatin1String("DBFPracownicy2"))
        return &employees;
    if (lookupName == QLatin1String("DBFKompSprzet"))
        return &computers;
    if (lookupName == QLatin1String("DBFZlecSprzet"))
        return &equipment;
    return nullptr;
}

QString LookupSearch::containsPattern(const QString& word)
{
    QString pattern = QStringLiteral("*");
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word.at(i);
        if (c.isSurrogate()) {
            pattern += c; // a letter outside the basic plane: as typed
            continue;
        }
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower != upper)
            pattern += QLatin1Char('[') + lower + upper + QLatin1Char(']');
        else if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('['))
            pattern += QLatin1Char('[') + c + QLatin1Char(']'); // the wildcards stand for themselves
        else
            pattern += c;
    }
    return pattern + QLatin1Char('*');
}

QString LookupSearch::containsRegex(const QString& word)
{
    QString pattern;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word.at(i);
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (!c.isSurrogate() && lower != upper)
            pattern += QLatin1Char('[') + lower + upper + QLatin1Char(']');
        else if (c.isLetterOrNumber() || c.isSurrogate() || c.unicode() >= 0x80)
            pattern += c;
        else
            pattern += QLatin1Char('\\') + c; // a backslash before any other sign makes it plain
    }
    return pattern;
}

namespace {
// Rows of the index looked at before a rare text is looked for in the whole table.
constexpr int kIndexProbe = 5000;
} // namespace

QList<LookupSearch::Match> LookupSearch::find(SqlConnection& connection, const QString& typed,
                                              int limit) const
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = typed.split(blanks, Qt::SkipEmptyParts);
    const QString condition = m_condition.isEmpty() ? QString() : QStringLiteral(" AND ") + m_condition;
    const QString limitLine = QStringLiteral(" LIMIT ") + QString::number(qMax(limit, 0));

    // `source` is the table, or the first rows of its index; `order` ends the text.
    const auto run = [&](const QString& source, const QString& where, const QString& order) {
        Statement q(&connection, QStringLiteral("LookupSearch"));
        q.add(QStringLiteral("SELECT ") + m_key + QStringLiteral(",(") + m_text +
              QStringLiteral(") AS TEKST,(") + m_order + QStringLiteral(") AS PORZADEK FROM ") + source);
        q.add(QStringLiteral("WHERE 1=1") + where);
        // What the user typed is bound, never put into the text.
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString name = QStringLiteral("W") + QString::number(i);
            if (connection.dialect().regexMatch) {
                q.add(QStringLiteral("AND (") + m_text + QStringLiteral(") ~ :") + name);
                q.setParam(name, containsRegex(words[i]));
            } else {
                q.add(QStringLiteral("AND (") + m_text + QStringLiteral(") GLOB :") + name);
                q.setParam(name, containsPattern(words[i]));
            }
        }
        q.add(order + limitLine);
        q.open();
        std::vector<int> rows(size_t(q.recordCount()));
        std::iota(rows.begin(), rows.end(), 0);
        if (m_indexOrder)
            std::stable_sort(rows.begin(), rows.end(), [&q](int a, int b) {
                return PolishCollation::compare(q.textAt(a, 2), q.textAt(b, 2)) < 0;
            });
        QList<Match> matches;
        matches.reserve(q.recordCount());
        for (int row : rows)
            matches.append({q.valueAt(row, 0), q.textAt(row, 1)});
        return matches;
    };

    if (!m_indexOrder)
        return run(m_table, condition, QStringLiteral("ORDER BY ") + m_order + PolishCollation::clause());
    // A common text is found at once along the index; a rare one would walk all
    // of it row by row, slower than one pass over the table and a sort of the few found.
    const QList<Match> probed =
        run(QStringLiteral("(SELECT * FROM ") + m_table + QStringLiteral(" WHERE 1=1") + condition +
                QStringLiteral(" ORDER BY ") + m_order + QStringLiteral(" LIMIT ") +
                QString::number(kIndexProbe) + QStringLiteral(") AS probe"),
            QString(), QStringLiteral("ORDER BY ") + m_order);
    if (probed.size() >= limit)
        return probed;
    return run(m_table, condition, QStringLiteral("ORDER BY ") + connection.dialect().noIndexOrder + m_order);
}

bool LookupSearch::textOf(SqlConnection& connection, const QVariant& key, QString* text) const
{
    if (!key.isValid() || key.isNull())
        return false;
    Statement q(&connection, QStringLiteral("LookupSearch"));
    q.add(QStringLiteral("SELECT (") + m_text + QStringLiteral(") AS TEKST FROM ") + m_table);
    q.add(QStringLiteral("WHERE ") + m_key + QStringLiteral(" = :KLUCZ") +
          (m_condition.isEmpty() ? QString() : QStringLiteral(" AND ") + m_condition));
    // Keys compare as the list compared them: as text, so 5 and "5" match alike.
    q.setParam(QStringLiteral("KLUCZ"), key.toString());
    q.open();
    if (q.isEmpty())
        return false;
    *text = q.textAt(0, 0);
    return true;
}
