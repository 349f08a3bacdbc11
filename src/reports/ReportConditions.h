#pragma once

#include <QString>
#include <QStringList>

// Condition texts of the report statements, each starting with "AND". A
// typed number or name reaches SQL only as a quoted literal.
class ReportConditions
{
public:
    static QString equals(const QString& column, const QString& value);
    static QString between(const QString& column, qint64 from, qint64 to);
    // Rows whose period DATAOD..DATADO lies within from..to.
    static QString period(qint64 from, qint64 to);
    // "AND ((KIND='K' AND K.NREWID='n') OR ...)" over the aliases of a
    // sub-record list; empty for an empty number. The list joins every kind
    // of object by key alone and keys of different kinds overlap, so each
    // number is tied to its kind.
    static QString numberOfObject(const QString& number, const QString& kindColumn,
                                  const QStringList& aliases);
    // "Wszystkie terminy", "Tylko aktywne", "Tylko nieaktywne".
    static QString activity(int choice);
    // "Wszystkie", "Tylko komputery", "Tylko inny sprzęt".
    static QString kindOf(const QString& column, int choice);
    // The deadlines' series: all, computers, licences, other equipment, BHP items.
    static QString deadlineKind(int choice);
};
