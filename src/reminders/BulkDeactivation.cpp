#include "reminders/BulkDeactivation.h"

#include "store/Guarded.h"
#include "store/TmyDataBase.h"

QStringList BulkDeactivation::lines(const QString& table) const
{
    const QString od = QString::number(from);
    const QString d = QString::number(to);
    QStringList l;
    if (table == QLatin1String("terminy"))
        l << QStringLiteral("UPDATE terminy SET ACT='N' WHERE ") << QStringLiteral("DATAOD >=") + od + " AND "
          << QStringLiteral("DATADO <=") + d + QLatin1Char(' ');
    else
        l << QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ACT='N' WHERE ")
          << QStringLiteral("TERMIN >=") + od + " AND " << QStringLiteral("TERMIN <=") + d + QLatin1Char(' ');
    if (!kind.isEmpty()) {
        // The kind is one of the fixed letters K, S, L set by the caller.
        const QString column =
            table == QLatin1String("naprawy") ? QStringLiteral("KOMPSPRZ") : QStringLiteral("CZEGODOTYCZY");
        l << QStringLiteral(" AND ") + column + QStringLiteral("='") + kind + QStringLiteral("' ")
          << QStringLiteral(" AND IDOBIEKTU=") + QString::number(key) + QLatin1Char(' ');
    }
    return l;
}

bool BulkDeactivation::run(TmyDataBase& db) const
{
    const struct
    {
        bool on;
        const char* table;
        qint64 code;
    } steps[] = {
        {terminy, "terminy", 1091430}, {naprawy, "naprawy", 1091432}, {dokumenty, "dokumenty", 1091433}};
    qint64 firstCode = 1091430;
    for (const auto& s : steps)
        if (s.on) {
            firstCode = s.code;
            break;
        }
    Statement& q = db.mySQL();
    const bool ok = guarded(firstCode, [&] {
        WriteTransaction transaction(db.DatabaseMain());
        for (const auto& s : steps) {
            if (!s.on)
                continue;
            try {
                q.clear();
                q.setLines(lines(QLatin1String(s.table)));
                q.execSQL();
            } catch (const DbError& e) {
                ErrorLog::report(e.message(), true, s.code);
                throw AlreadyReported();
            }
        }
        transaction.commit();
    });
    q.close();
    return ok;
}
