#pragma once

#include <QString>

class TmyDataBase;

// Sets ACT to "N" for the deadlines, repairs and documents of a period, for
// all assets or for one ("K", "S" or "L" with its key).
struct BulkDeactivation
{
    qint64 from = 0; // yyyymmdd
    qint64 to = 0;
    bool terminy = false;
    bool naprawy = false;
    bool dokumenty = false;
    QString kind; // empty: all assets
    qint64 key = 0;

    // The statements of the ticked tables in one write: a failure is
    // reported with its table's code and nothing stays changed.
    bool run(TmyDataBase& db) const;
    // The statement's lines for one table ("terminy", "naprawy", "dokumenty").
    QStringList lines(const QString& table) const;
};
