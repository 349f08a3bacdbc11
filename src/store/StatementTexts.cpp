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
        // Accounts and rights. The login reads the account by name; the
        // password is checked against the stored hash in code.
        {QStringLiteral("DBFLogin"), {QStringLiteral("SELECT * FROM"), QStringLiteral("userzy WHERE NAZWA=:PARAM0")}},
        {QStringLiteral("DBFUser"), {QStringLiteral("SELECT * FROM"), QStringLiteral("userzy WHERE NAZWA=:PARAM0")}},
        {QStringLiteral("DBFUserzy"), {QStringLiteral("SELECT * from userzy ORDER BY NAZWA COLLATE PL")}},
        {QStringLiteral("DBFInsertUserzy"),
         {QStringLiteral("INSERT INTO userzy (NAZWA,HASLO,OPIS)"), QStringLiteral("VALUES (:PARAM0,:PARAM1,:PARAM2)")}},
        {QStringLiteral("DBFUpdateUserzy"),
         {QStringLiteral("UPDATE userzy SET"), QStringLiteral("HASLO=:PARAM0, OPIS=:PARAM1"),
          QStringLiteral("WHERE NAZWA=:PARAM2")}},
        {QStringLiteral("DBFUpdateUserzyOpis"),
         {QStringLiteral("UPDATE userzy SET"), QStringLiteral("OPIS=:PARAM1"), QStringLiteral("WHERE NAZWA=:PARAM2")}},
        {QStringLiteral("DBFDeleteUserzy"), {QStringLiteral("DELETE FROM userzy"), QStringLiteral("WHERE NAZWA = :PARAM0")}},
        {QStringLiteral("DBFFindRights"),
         {QStringLiteral("SELECT * FROM uprawnienia WHERE NAZWA=:PARAM0"), QStringLiteral("AND UPR=:PARAM1;")}},
        {QStringLiteral("DBFInsertRights"),
         {QStringLiteral("INSERT INTO uprawnienia (NAZWA,UPR)"), QStringLiteral("VALUES  (:PARAM0, :PARAM1)")}},
        {QStringLiteral("DBFDeleteRights"),
         {QStringLiteral("DELETE FROM uprawnienia"), QStringLiteral("WHERE NAZWA = :PARAM0"),
          QStringLiteral("AND UPR = :PARAM1")}},
        {QStringLiteral("DBFDeleteAllRights"),
         {QStringLiteral("DELETE FROM uprawnienia"), QStringLiteral("WHERE NAZWA = :PARAM0")}},
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
