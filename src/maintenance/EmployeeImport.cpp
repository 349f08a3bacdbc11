#include "maintenance/EmployeeImport.h"

#include "store/Guarded.h"
#include "store/PreparedStatement.h"
#include "store/ReadTransaction.h"
#include "store/TmyDataBase.h"

#include <QElapsedTimer>
#include <QHash>

#include <optional>

const QString EmployeeImport::kOk = QStringLiteral("Ok");
const QString EmployeeImport::kErrors = QStringLiteral("Błędy");
const QString EmployeeImport::kNot = QStringLiteral("Nie");

namespace {
struct FieldInfo
{
    const char* label;
    int limit; // the column's length in osobowa
};
// In the order of EmployeeImport::Field; the lengths are those of the schema
// (and of the employee editor's fields).
const FieldInfo kFields[EmployeeImport::FieldCount] = {
    {"Numer ewidencyjny", 15},
    {"Imię", 30},
    {"Nazwisko", 50},
    {"Adres", 50},
    {"Nr domu", 10},
    {"Miasto", 50},
    {"Kod pocztowy", 10},
    {"Kraj", 30},
    {"Telefon (-y)", 100},
    {"Adres korespondencyjny", 254},
    {"Inne", 254},
    {"NIP", 13},
    {"Dział", 0},
    {"Stanowisko", 0},
    {"Numer pokoju", 10},
};

QString cell(const CsvSheet& sheet, int row, int column)
{
    return column < 1 ? QString() : sheet.field(row, column - 1).trimmed();
}

constexpr int kRowsPerReport = 256;
// A read lock held longer than this is let go at the next report, so that a
// long verification never holds another workstation's save past its wait.
constexpr qint64 kReadLockMs = 250;

// The verification's lookups, compiled once and run under one read lock.
// Dictionary answers are kept: a sheet names the same few departments on
// every row.
class Lookups
{
public:
    explicit Lookups(SqlConnection& connection)
        : m_read(connection),
          m_employee(connection, QStringLiteral("SELECT NREW FROM osobowa WHERE NREW = :PARAM0")),
          m_dictionary(connection,
                       QStringLiteral("SELECT KOD FROM slowniki WHERE IDSLOWNIK=:PARAM0 AND OPIS = :PARAM1"))
    {
        m_held.start();
    }
    bool heldTooLong() const { return m_held.elapsed() >= kReadLockMs; }

    bool employeeExists(const QString& number)
    {
        m_employee.bind(0, number);
        const bool any = m_employee.step();
        m_employee.reset();
        return any;
    }
    // The key of `value` in the dictionary, or nothing when it is not there.
    // `dictionary`: 0 the departments, 1 the positions.
    std::optional<qint64> dictionaryKey(int dictionary, const QString& value)
    {
        static const QString codes[2] = {QStringLiteral("DZIAL"), QStringLiteral("STANO")};
        const QString& dictionaryCode = codes[dictionary];
        QHash<QString, std::optional<qint64>>& known = m_dictionaryKeys[dictionary];
        if (const auto it = known.constFind(value); it != known.constEnd())
            return *it;
        m_dictionary.bind(0, dictionaryCode);
        m_dictionary.bind(1, value);
        std::optional<qint64> found;
        if (m_dictionary.step())
            found = m_dictionary.integer(0);
        m_dictionary.reset();
        known.insert(value, found);
        return found;
    }

private:
    // Declared first: the statements are done before the lock goes.
    ReadTransaction m_read;
    PreparedStatement m_employee;
    PreparedStatement m_dictionary;
    QHash<QString, std::optional<qint64>> m_dictionaryKeys[2]; // text -> key

    QElapsedTimer m_held;
};
} // namespace

QString EmployeeImport::label(Field field)
{
    return QString::fromUtf8(kFields[field].label);
}

int EmployeeImport::limit(Field field)
{
    return kFields[field].limit;
}

void EmployeeImport::noteFailure(const QString& message)
{
    ErrorLog::log(message, 802);
    if (m_failure.isEmpty())
        m_failure = message;
}

void EmployeeImport::showFailure()
{
    if (m_failure.isEmpty())
        return;
    ErrorLog::show(m_failure, true);
    m_failure.clear();
}

bool EmployeeImport::verify(const CsvSheet& sheet, const Columns& columns, bool skipFirst, Progress* progress)
{
    m_results.clear();
    m_results.resize(sheet.rowCount());
    m_failure.clear();
    m_verifyCancelled = false;
    if (progress)
        progress->setRange(sheet.rowCount());
    bool allPassed = true;
    QHash<QString, int> numbersInSheet; // number -> file line of its first row
    numbersInSheet.reserve(sheet.rowCount());
    // Made when first needed, and again after a database error.
    std::optional<Lookups> lookups;
    for (int i = skipFirst ? 1 : 0; i < sheet.rowCount(); ++i) {
        if (i % kRowsPerReport == 0 && lookups && lookups->heldTooLong())
            lookups.reset();
        if (progress && i % kRowsPerReport == 0) {
            progress->setValue(i);
            if (progress->cancelled()) {
                m_verifyCancelled = true;
                return false;
            }
        }
        RowResult& r = m_results[i];
        r.status = kOk;
        r.remarks.clear();
        r.failed = true;
        auto fail = [&](const QString& remark) {
            r.status = kErrors;
            r.remarks = remark;
            allPassed = false;
        };
        try {
            const QString number = cell(sheet, i, columns[NREW]);
            // An empty number would read as "no employee" wherever it is referenced.
            if (columns[NREW] == 0 || number.isEmpty()) {
                fail(QStringLiteral("Brak numeru ewidencyjnego"));
                continue;
            }
            if (!lookups)
                lookups.emplace(m_db.DatabaseMain());
            if (lookups->employeeExists(number)) {
                fail(QStringLiteral("Pracownik o podanym numerze ewidencyjnym już istnieje"));
                continue;
            }
            if (numbersInSheet.contains(number)) {
                fail(QStringLiteral("Numer ewidencyjny powtórzony w arkuszu (wiersz ") +
                     QString::number(numbersInSheet.value(number)) + QLatin1Char(')'));
                continue;
            }
            // Required as in the employee editor: a column and a surname in it.
            QString surname = cell(sheet, i, columns[NAZWISKO]);
            if (columns[NAZWISKO] == 0 || surname.isEmpty()) {
                fail(QStringLiteral("Brak nazwiska"));
                continue;
            }
            for (int f = 0; f < FieldCount; ++f)
                if (f != NREW && f != NAZWISKO)
                    r.values[size_t(f)] = cell(sheet, i, columns[size_t(f)]);
            r.values[NREW] = number;
            r.values[NAZWISKO] = std::move(surname);
            // A value longer than its column is reported, never cut: a cut
            // number would be another employee's.
            QStringList tooLong;
            for (int f = 0; f < FieldCount; ++f) {
                const int max = kFields[f].limit;
                const QString& value = r.values[size_t(f)];
                if (max > 0 && value.size() > max)
                    tooLong << label(Field(f)) + QStringLiteral(" (kolumna #") +
                                   QString::number(columns[size_t(f)]) + QStringLiteral(", wiersz ") +
                                   QString::number(sheet.line(i)) + QStringLiteral(" pliku) ma ") +
                                   QString::number(value.size()) + QStringLiteral(" znaków, dozwolone ") +
                                   QString::number(max);
            }
            if (!tooLong.isEmpty()) {
                fail(QStringLiteral("Za długa wartość: ") + tooLong.join(QStringLiteral("; ")));
                continue;
            }
            auto lookUp = [&](Field field, int dictionary, qint64* key) {
                const QString value = r.values[size_t(field)];
                *key = -1;
                if (columns[size_t(field)] == 0 || value.isEmpty())
                    return true;
                const std::optional<qint64> found = lookups->dictionaryKey(dictionary, value);
                if (found)
                    *key = *found;
                return found.has_value();
            };
            if (!lookUp(DZIAL, 0, &r.dzial)) {
                fail(QStringLiteral("Brak wskazanego działu w słownikach"));
                continue;
            }
            if (!lookUp(STANOWISKO, 1, &r.stanowisko)) {
                fail(QStringLiteral("Brak wskazanego stanowiska w słownikach"));
                continue;
            }
            numbersInSheet.insert(number, sheet.line(i));
            r.failed = false;
        } catch (const DbError& e) {
            lookups.reset();
            fail(QStringLiteral("Błąd bazy danych ") + e.message());
            noteFailure(e.message());
        }
    }
    if (progress)
        progress->setValue(sheet.rowCount());
    return allPassed;
}

int EmployeeImport::import(const CsvSheet& sheet, bool skipFirst, Progress* progress)
{
    m_importFailed = false;
    m_importCancelled = false;
    m_failure.clear();
    int inserted = 0;
    int current = -1;
    if (progress)
        progress->setRange(m_results.size());
    const int first = skipFirst ? 1 : 0;
    try {
        WriteTransaction transaction(m_db.DatabaseMain());
        PreparedStatement insert(
            m_db.DatabaseMain(),
            QStringLiteral("INSERT INTO osobowa(NREW,NAZWISKO,IMIE,ADRES,NUMER,KOD,MIASTO,\n"
                           " KRAJ,TELEFON,KONTAKT,INNE,NIP,NRPOKOJU,DZIAL,STANOWISKO)\n"
                           "VALUES ( :PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,:PARAM5,:PARAM6,\n"
                           " :PARAM7,:PARAM8,:PARAM9,:PARAM10,:PARAM11,:PARAM12,\n"
                           " :PARAM13 , :PARAM14 )"));
        const Field order[] = {NREW, NAZWISKO, IMIE,    ADRES, NUMER, KOD,     MIASTO,
                               KRAJ, TELEFON,  KONTAKT, INNE,  NIP,   NRPOKOJU};
        for (int i = first; i < m_results.size(); ++i) {
            const RowResult& r = m_results.at(i);
            if (progress && i % kRowsPerReport == 0) {
                progress->setValue(i);
                if (progress->cancelled()) {
                    m_importCancelled = true;
                    break;
                }
            }
            if (r.failed)
                continue;
            current = i;
            for (int p = 0; p < 13; ++p)
                insert.bind(p, r.values[size_t(order[p])]);
            insert.bind(13, r.dzial);
            insert.bind(14, r.stanowisko);
            insert.execute();
            ++inserted;
        }
        current = -1;
        if (!m_importCancelled) {
            transaction.commit();
            // What was inserted says so, also after an earlier rolled-back attempt.
            for (int i = first; i < m_results.size(); ++i) {
                RowResult& r = m_results[i];
                if (!r.failed) {
                    r.status = kOk;
                    r.remarks.clear();
                }
            }
            if (progress)
                progress->setValue(m_results.size());
            return inserted;
        }
    } catch (const DbError& e) {
        m_importFailed = true;
        noteFailure(e.message());
        if (current >= 0) {
            RowResult& r = m_results[current];
            r.status = kErrors;
            r.remarks = QStringLiteral("Błąd bazy danych ") + e.message();
            r.failed = true; // a later import goes on without it
        }
    }
    // Rolled back: not one row stays, and the status column says so.
    const QString why = m_importCancelled
                            ? QStringLiteral("Nie zaimportowano: import przerwany przez użytkownika")
                        : current >= 0 ? QStringLiteral("Nie zaimportowano: import wycofany po błędzie w "
                                                        "wierszu ") +
                                             QString::number(sheet.line(current)) + QStringLiteral(" pliku")
                                       : QStringLiteral("Nie zaimportowano: import wycofany po błędzie "
                                                        "bazy danych");
    for (int i = first; i < m_results.size(); ++i) {
        RowResult& r = m_results[i];
        if (!r.failed) {
            r.status = kNot;
            r.remarks = why;
        }
    }
    return 0;
}

QList<int> EmployeeImport::failedLines(const CsvSheet& sheet) const
{
    QList<int> lines;
    for (int i = 0; i < m_results.size() && i < sheet.rowCount(); ++i)
        if (m_results.at(i).status == kErrors)
            lines << sheet.line(i);
    return lines;
}
