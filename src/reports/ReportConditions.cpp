#include "reports/ReportConditions.h"

#include "store/ListState.h"

QString ReportConditions::equals(const QString& column, const QString& value)
{
    return QStringLiteral("AND ") + column + QLatin1Char('=') + ListState::literal(value);
}

QString ReportConditions::between(const QString& column, qint64 from, qint64 to)
{
    return QStringLiteral("AND ") + column + QStringLiteral(" >= ") + QString::number(from) +
           QStringLiteral(" AND ") + column + QStringLiteral(" <= ") + QString::number(to);
}

QString ReportConditions::period(qint64 from, qint64 to)
{
    return QStringLiteral("AND DATAOD >= ") + QString::number(from) + QStringLiteral(" AND DATADO <= ") +
           QString::number(to);
}

QString ReportConditions::numberOfObject(const QString& number, const QString& kindColumn,
                                         const QStringList& aliases)
{
    if (number.isEmpty())
        return {};
    QStringList terms;
    for (const QString& alias : aliases)
        terms << QStringLiteral("(") + kindColumn + QStringLiteral("='") + alias + QStringLiteral("' AND ") +
                     alias + QStringLiteral(".NREWID=") + ListState::literal(number) + QLatin1Char(')');
    return QStringLiteral("AND (") + terms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

QString ReportConditions::activity(int choice)
{
    return choice == 1   ? QStringLiteral("AND ACT='T'")
           : choice == 2 ? QStringLiteral("AND ACT='N'")
                         : QString();
}

QString ReportConditions::kindOf(const QString& column, int choice)
{
    return choice == 1   ? QStringLiteral("AND ") + column + QStringLiteral("='K'")
           : choice == 2 ? QStringLiteral("AND ") + column + QStringLiteral("='S'")
                         : QString();
}

QString ReportConditions::deadlineKind(int choice)
{
    const char* kinds[] = {"", "K", "L", "S", "B"};
    return choice > 0 && choice < 5
               ? QStringLiteral("AND CZEGODOTYCZY='") + QLatin1String(kinds[choice]) + QLatin1Char('\'')
               : QString();
}
