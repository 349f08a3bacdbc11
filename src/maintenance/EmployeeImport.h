#pragma once

#include "maintenance/CsvSheet.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class TmyDataBase;

// Verification and insert of employees from a loaded sheet. `columns` holds
// the 15 column choices (0: not in the file, n: column n of the sheet) in the
// order of the fields below. Database errors are written to the error log as
// they happen; the caller shows the first of them (showFailure()) once its
// progress box has closed, so that nothing covers the box's OK button.
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

    // The label of a field on screen ("Numer ewidencyjny") and the length of
    // its column in `osobowa` (0 for the two dictionary keys).
    static QString label(Field field);
    static int limit(Field field);

    // Statuses of the column "Zaimportowano?".
    static const QString kOk;     // verified (and, after an import, inserted)
    static const QString kErrors; // refused by the verification or by the database
    static const QString kNot;    // verified, but its import was rolled back

    // One row's result as the window shows it, its texts made when asked for.
    struct RowResult
    {
        QString status; // kOk, kErrors, kNot, or empty before verification
        QString remarks;
        bool failed = true; // the marker "ERR": not imported
        qint64 dzial = -1;
        qint64 stanowisko = -1;
    };
    // The results by sheet row. Only codes are kept per row, so that a sheet
    // of a million rows costs a few bytes a row.
    class Results
    {
    public:
        explicit Results(const EmployeeImport& import) : m_import(import) {}
        qsizetype size() const { return qsizetype(m_import.m_rows.size()); }
        bool isEmpty() const { return m_import.m_rows.empty(); }
        RowResult at(qsizetype row) const;

    private:
        const EmployeeImport& m_import;
    };

    explicit EmployeeImport(TmyDataBase& db) : m_db(db) {}
    // Forgets the results of an earlier sheet.
    void reset()
    {
        m_rows.clear();
        m_texts.clear();
        m_importFailed = false;
        m_failure.clear();
    }

    // Checks every data row (from the second when the first is skipped);
    // answers whether all passed. A cancel leaves the rows not reached
    // without a status and answers false.
    bool verify(const CsvSheet& sheet, const Columns& columns, bool skipFirst, Progress* progress = nullptr);
    bool verifyCancelled() const { return m_verifyCancelled; }
    // Inserts every verified row in one transaction: all of them or, when one
    // insert fails or the user cancels, none. The failed row is marked
    // "Błędy" (and is left out of a later import), the others "Nie".
    // Answers the number inserted.
    int import(const CsvSheet& sheet, bool skipFirst, Progress* progress = nullptr);
    bool importFailed() const { return m_importFailed; }
    bool importCancelled() const { return m_importCancelled; }

    // Results by sheet row.
    Results results() const { return Results(*this); }
    // File lines of the rows that failed verification or import.
    QList<int> failedLines(const CsvSheet& sheet) const;

    // The first database error of the last verify() or import(), already
    // logged with code 802; showFailure() shows it (and forgets it).
    bool hasFailure() const { return !m_failure.isEmpty(); }
    void showFailure();

private:
    enum class Status : quint8
    {
        None,
        Ok,
        Errors,
        Not
    };
    // The remark of a row; the long ones, made of the row's values or of a
    // database message, are kept as text in m_texts.
    enum class Remark : quint8
    {
        None,
        NoNumber,
        Exists,
        Repeated, // the argument: the file line of the first row with the number
        NoSurname,
        NoDepartment,
        NoPosition,
        Text,       // in m_texts
        NotImported // m_notImported
    };
    struct Row
    {
        qint64 dzial = -1;
        qint64 stanowisko = -1;
        int argument = 0;
        Status status = Status::None;
        Remark remark = Remark::None;
        bool failed = true;
    };

    void noteFailure(const QString& message);
    void fail(int row, Remark remark, int argument = 0);
    void fail(int row, const QString& text);

    TmyDataBase& m_db;
    std::vector<Row> m_rows;
    QHash<int, QString> m_texts; // row -> remark (Remark::Text)
    QString m_notImported;       // the remark of the rows an import rolled back
    Columns m_columns{};         // of the last verification
    bool m_importFailed = false;
    bool m_importCancelled = false;
    bool m_verifyCancelled = false;
    QString m_failure;
};
