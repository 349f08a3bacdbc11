#pragma once

#include "maintenance/CsvSheet.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class TmyDataBase;

// Verification and insert of employees from a loaded sheet. `columns` holds
// the 15 column choices (0: not in the file, n: column n of the sheet) in the
// order of the fields below.
class EmployeeImport
{
public:
    enum Field
    {
        NREW,
        IMIE,
        NAZWISKO,
        ADRES,
        NUMER,
        MIASTO,
        KOD,
        KRAJ,
        TELEFON,
        KONTAKT,
        INNE,
        NIP,
        DZIAL,
        STANOWISKO,
        NRPOKOJU,
        FieldCount
    };
    using Columns = std::array<int, FieldCount>;

    struct RowResult
    {
        QString status; // "Ok", "Błędy" or empty before verification
        QString remarks;
        bool failed = true; // the marker "ERR": not imported
        std::array<QString, FieldCount> values;
        qint64 dzial = -1;
        qint64 stanowisko = -1;
    };

    explicit EmployeeImport(TmyDataBase& db) : m_db(db) {}
    // Forgets the results of an earlier sheet.
    void reset()
    {
        m_results.clear();
        m_importFailed = false;
    }

    // Checks every data row (from the second when the first is skipped);
    // answers whether all passed. Database errors are reported (code 802).
    bool verify(const CsvSheet& sheet, const Columns& columns, bool skipFirst, Progress* progress = nullptr);
    // Inserts every verified row in one transaction: all of them or, when one
    // insert fails, none (that row is marked). Answers the number inserted.
    int import(bool skipFirst, Progress* progress = nullptr);
    bool importFailed() const { return m_importFailed; }

    // Results by sheet row (index into sheet.rows()).
    const QList<RowResult>& results() const { return m_results; }
    // File lines of the rows that failed verification or import.
    QList<int> failedLines(const CsvSheet& sheet) const;

private:
    TmyDataBase& m_db;
    QList<RowResult> m_results;
    bool m_importFailed = false;
};
