#include "store/TableList.h"

namespace TableList {
const QStringList& files()
{
    static const QStringList list = {
        QStringLiteral("firmy.db"),
        QStringLiteral("komputery.db"),
        QStringLiteral("licencje.db"),
        QStringLiteral("naprawy.db"),
        QStringLiteral("nazwawlasciwosci.db"),
        QStringLiteral("notatki.db"),
        QStringLiteral("osobowa.db"),
        QStringLiteral("programy.db"),
        QStringLiteral("r_kompprac.db"),
        QStringLiteral("r_lickomp.db"),
        QStringLiteral("r_licprog.db"),
        QStringLiteral("r_sprzprac.db"),
        QStringLiteral("slowniki.db"),
        QStringLiteral("sprzet.db"),
        QStringLiteral("terminy.db"),
        QStringLiteral("uprawnienia.db"),
        QStringLiteral("userzy.db"),
        QStringLiteral("wlasciwosci.db"),
        QStringLiteral("historia.db"),
        QStringLiteral("zlecenia.db"),
        QStringLiteral("rozliczenia.db"),
        QStringLiteral("dokumenty.db"),
        QStringLiteral("bhp.db"),
        QStringLiteral("r_bhpprac.db"),
        QStringLiteral("zakupbhp.db"),
        QStringLiteral("magazyn.db"),
        QStringLiteral("zalaczniki.db"),
        QStringLiteral("system.db"),
    };
    return list;
}

QString tableName(const QString& file)
{
    QString name = file.toLower();
    if (name.endsWith(QLatin1String(".db")))
        name.chop(3);
    return name;
}

QStringList tables()
{
    QStringList names;
    for (const QString& f : files())
        names << tableName(f);
    return names;
}

const QStringList& addedTables()
{
    static const QStringList list = {
        QStringLiteral("inwentaryzacje"),
        QStringLiteral("inwentaryzacje_pozycje"),
    };
    return list;
}
} // namespace TableList
