#include "store/StatementTexts.h"

#include <QHash>

namespace
{
std::vector<StatementText> build()
{
    return {
        {QStringLiteral("DBFNazwaWlasciwosci"),
         {QStringLiteral("SELECT LP,NAZWA FROM nazwawlasciwosci"),
          QStringLiteral("WHERE KOMPSPRZET=:PARAM0 AND IDSLOWNIKA="), QString(), QStringLiteral("ORDER BY LP")}},
        {QStringLiteral("DBFWlasciwosci"),
         {QStringLiteral("SELECT LP,WARTOSC FROM wlasciwosci"),
          QStringLiteral("WHERE KOMPSPRZET=:PARAM0 AND IDOBIEKTU="), QString(), QStringLiteral("ORDER BY LP")}},
        {QStringLiteral("DBFRights"), {QStringLiteral("SELECT * FROM uprawnienia WHERE NAZWA=:PARAM0")}},
    };
}
} // namespace

const std::vector<StatementText>& allStatementTexts()
{
    static const std::vector<StatementText> texts = build();
    return texts;
}

QStringList statementLines(const QString& name)
{
    static const QHash<QString, QStringList> byName = [] {
        QHash<QString, QStringList> map;
        for (const StatementText& t : allStatementTexts())
            map.insert(t.name, t.lines);
        return map;
    }();
    return byName.value(name);
}
