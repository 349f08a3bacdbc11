#include "maintenance/EmployeeImport.h"

#include "store/Guarded.h"
#include "store/PreparedStatement.h"
#include "store/ReadTransaction.h"
#include "store/TmyDataBase.h"

#include <QElapsedTimer>
#include <QHash>

#include <optional>
#include <utility>

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

bool asciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Whether a character beginning with byte `lead` may be white space beyond
// ASCII: U+0085, U+00A0, U+1680, U+2000-U+205F and U+3000 begin with these
// bytes; Polish letters never do.
bool mayBeWideSpace(uchar lead)
{
    return lead == 0xC2 || lead == 0xE1 || lead == 0xE2 || lead == 0xE3;
}

// The first byte of the character that ends the text.
uchar lastLead(QByteArrayView text)
{
    qsizetype at = text.size() - 1;
    while (at > 0 && at > text.size() - 4 && (uchar(text[at]) & 0xC0) == 0x80)
        --at;
    return uchar(text[at]);
}

// A cell trimmed as QString::trimmed() trims it, in UTF-8; 0 for a column
// not in the file. Mostly read in place; a value with white space beyond
// ASCII at an end is trimmed into `spare`, which then holds the bytes.
QByteArrayView cell(const CsvSheet& sheet, int row, int column, QByteArray& spare)
{
    if (column < 1)
        return {};
    QByteArrayView v = sheet.fieldUtf8(row, column - 1);
    while (!v.isEmpty() && asciiSpace(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && asciiSpace(v.back()))
        v.chop(1);
    if (v.isEmpty() || (uchar(v.front()) < 0x80 && uchar(v.back()) < 0x80))
        return v;
    if (!mayBeWideSpace(uchar(v.front())) && (uchar(v.back()) < 0x80 || !mayBeWideSpace(lastLead(v))))
        return v;
    spare = QString::fromUtf8(v).trimmed().toUtf8();
    return spare;
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

    bool employeeExists(QByteArrayView number)
    {
        m_employee.bindUtf8(0, number);
        const bool any = m_employee.step();
        m_employee.reset();
        return any;
    }
    // The key of `value` in the dictionary, or nothing when it is not there.
    // `dictionary`: 0 the departments, 1 the positions.
    std::optional<qint64> dictionaryKey(int dictionary, QByteArrayView value)
    {
        static const QString codes[2] = {QStringLiteral("DZIAL"), QStringLiteral("STANO")};
        const QString& dictionaryCode = codes[dictionary];
        QHash<QByteArrayView, std::optional<qint64>>& known = m_dictionaryKeys[dictionary];
        if (const auto it = known.constFind(value); it != known.constEnd())
            return *it;
        m_dictionary.bind(0, dictionaryCode);
        m_dictionary.bindUtf8(1, value);
        std::optional<qint64> found;
        if (m_dictionary.step())
            found = m_dictionary.integer(0);
        m_dictionary.reset();
        m_keptTexts.push_back(value.toByteArray());
        known.insert(QByteArrayView(m_keptTexts.back()), found);
        return found;
    }

private:
    // Declared first: the statements are done before the lock goes.
    ReadTransaction m_read;
    PreparedStatement m_employee;
    PreparedStatement m_dictionary;
    QHash<QByteArrayView, std::optional<qint64>> m_dictionaryKeys[2]; // text -> key
    // The texts the keys above point into.
    std::vector<QByteArray> m_keptTexts;

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

void EmployeeImport::fail(int row, Remark remark, int argument)
{
    Row& r = m_rows[size_t(row)];
    r.status = Status::Errors;
    r.remark = remark;
    r.argument = argument;
    r.failed = true;
}

void EmployeeImport::fail(int row, const QString& text)
{
    fail(row, Remark::Text);
    m_texts.insert(row, text);
}

EmployeeImport::RowResult EmployeeImport::Results::at(qsizetype row) const
{
    const Row& r = m_import.m_rows.at(size_t(row));
    RowResult out;
    out.failed = r.failed;
    out.dzial = r.dzial;
    out.stanowisko = r.stanowisko;
    switch (r.status) {
    case Status::None:
        break;
    case Status::Ok:
        out.status = kOk;
        break;
    case Status::Errors:
        out.status = kErrors;
        break;
    case Status::Not:
        out.status = kNot;
        break;
    }
    switch (r.remark) {
    case Remark::None:
        break;
    case Remark::NoNumber:
        out.remarks = QStringLiteral("Brak numeru ewidencyjnego");
        break;
    case Remark::Exists:
        out.remarks = QStringLiteral("Pracownik o podanym numerze ewidencyjnym już istnieje");
        break;
    case Remark::Repeated:
        out.remarks = QStringLiteral("Numer ewidencyjny powtórzony w arkuszu (wiersz ") +
                      QString::number(r.argument) + QLatin1Char(')');
        break;
    case Remark::NoSurname:
        out.remarks = QStringLiteral("Brak nazwiska");
        break;
    case Remark::NoDepartment:
        out.remarks = QStringLiteral("Brak wskazanego działu w słownikach");
        break;
    case Remark::NoPosition:
        out.remarks = QStringLiteral("Brak wskazanego stanowiska w słownikach");
        break;
    case Remark::Text:
        out.remarks = m_import.m_texts.value(int(row));
        break;
    case Remark::NotImported:
        out.remarks = m_import.m_notImported;
        break;
    }
    return out;
}

bool EmployeeImport::verify(const CsvSheet& sheet, const Columns& columns, bool skipFirst, Progress* progress)
{
    m_rows.assign(size_t(sheet.rowCount()), Row{});
    m_texts.clear();
    m_notImported.clear();
    m_columns = columns;
    m_failure.clear();
    m_verifyCancelled = false;
    if (progress)
        progress->setRange(sheet.rowCount());
    bool allPassed = true;
    // Number -> file line of its first row. The keys point into the sheet,
    // or into `keptNumbers` for a number trimmed apart.
    QHash<QByteArrayView, int> numbersInSheet;
    numbersInSheet.reserve(sheet.rowCount());
    std::vector<QByteArray> keptNumbers;
    std::array<QByteArray, FieldCount> spare;
    std::array<QByteArrayView, FieldCount> values;
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
        Row& r = m_rows[size_t(i)];
        r.status = Status::Ok;
        auto refuse = [&](Remark remark, int argument = 0) {
            fail(i, remark, argument);
            allPassed = false;
        };
        try {
            const QByteArrayView number = cell(sheet, i, columns[NREW], spare[NREW]);
            // An empty number would read as "no employee" wherever it is referenced.
            if (columns[NREW] == 0 || number.isEmpty()) {
                refuse(Remark::NoNumber);
                continue;
            }
            if (!lookups)
                lookups.emplace(m_db.DatabaseMain());
            if (lookups->employeeExists(number)) {
                refuse(Remark::Exists);
                continue;
            }
            if (const auto seen = numbersInSheet.constFind(number); seen != numbersInSheet.constEnd()) {
                refuse(Remark::Repeated, *seen);
                continue;
            }
            // Required as in the employee editor: a column and a surname in it.
            for (int f = 0; f < FieldCount; ++f)
                values[size_t(f)] = f == NREW ? number : cell(sheet, i, columns[size_t(f)], spare[size_t(f)]);
            if (columns[NAZWISKO] == 0 || values[NAZWISKO].isEmpty()) {
                refuse(Remark::NoSurname);
                continue;
            }
            // A value longer than its column is reported, never cut: a cut
            // number would be another employee's. The limits count UTF-16
            // units, never more than the UTF-8 bytes.
            QStringList tooLong;
            for (int f = 0; f < FieldCount; ++f) {
                const int max = kFields[f].limit;
                if (max == 0 || values[size_t(f)].size() <= max)
                    continue;
                const qsizetype length = QString::fromUtf8(values[size_t(f)]).size();
                if (length > max)
                    tooLong << label(Field(f)) + QStringLiteral(" (kolumna #") +
                                   QString::number(columns[size_t(f)]) + QStringLiteral(", wiersz ") +
                                   QString::number(sheet.line(i)) + QStringLiteral(" pliku) ma ") +
                                   QString::number(length) + QStringLiteral(" znaków, dozwolone ") +
                                   QString::number(max);
            }
            if (!tooLong.isEmpty()) {
                fail(i, QStringLiteral("Za długa wartość: ") + tooLong.join(QStringLiteral("; ")));
                allPassed = false;
                continue;
            }
            auto lookUp = [&](Field field, int dictionary, qint64* key) {
                const QByteArrayView value = values[size_t(field)];
                *key = -1;
                if (columns[size_t(field)] == 0 || value.isEmpty())
                    return true;
                const std::optional<qint64> found = lookups->dictionaryKey(dictionary, value);
                if (found)
                    *key = *found;
                return found.has_value();
            };
            if (!lookUp(DZIAL, 0, &r.dzial)) {
                refuse(Remark::NoDepartment);
                continue;
            }
            if (!lookUp(STANOWISKO, 1, &r.stanowisko)) {
                refuse(Remark::NoPosition);
                continue;
            }
            if (!spare[NREW].isNull() && number.data() == spare[NREW].constData()) {
                keptNumbers.push_back(std::exchange(spare[NREW], QByteArray()));
                numbersInSheet.insert(QByteArrayView(keptNumbers.back()), sheet.line(i));
            } else {
                numbersInSheet.insert(number, sheet.line(i));
            }
            r.failed = false;
        } catch (const DbError& e) {
            lookups.reset();
            fail(i, QStringLiteral("Błąd bazy danych ") + e.message());
            allPassed = false;
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
    const int rows = int(m_rows.size());
    if (progress)
        progress->setRange(rows);
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
        // The values are read again from the sheet, as the verification read them.
        std::array<QByteArray, std::size(order)> spare;
        for (int i = first; i < rows; ++i) {
            const Row& r = m_rows[size_t(i)];
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
            for (size_t p = 0; p < std::size(order); ++p)
                insert.bindUtf8(int(p), cell(sheet, i, m_columns[size_t(order[p])], spare[p]));
            insert.bind(13, r.dzial);
            insert.bind(14, r.stanowisko);
            insert.execute();
            ++inserted;
        }
        current = -1;
        if (!m_importCancelled) {
            transaction.commit();
            // What was inserted says so, also after an earlier rolled-back attempt.
            for (int i = first; i < rows; ++i) {
                Row& r = m_rows[size_t(i)];
                if (!r.failed) {
                    r.status = Status::Ok;
                    r.remark = Remark::None;
                }
            }
            if (progress)
                progress->setValue(rows);
            return inserted;
        }
    } catch (const DbError& e) {
        m_importFailed = true;
        noteFailure(e.message());
        // The row marked fails: a later import goes on without it.
        if (current >= 0)
            fail(current, QStringLiteral("Błąd bazy danych ") + e.message());
    }
    // Rolled back: not one row stays, and the status column says so.
    m_notImported = m_importCancelled
                        ? QStringLiteral("Nie zaimportowano: import przerwany przez użytkownika")
                    : current >= 0 ? QStringLiteral("Nie zaimportowano: import wycofany po błędzie w "
                                                    "wierszu ") +
                                         QString::number(sheet.line(current)) + QStringLiteral(" pliku")
                                   : QStringLiteral("Nie zaimportowano: import wycofany po błędzie "
                                                    "bazy danych");
    for (int i = first; i < rows; ++i) {
        Row& r = m_rows[size_t(i)];
        if (!r.failed) {
            r.status = Status::Not;
            r.remark = Remark::NotImported;
        }
    }
    return 0;
}

QList<int> EmployeeImport::failedLines(const CsvSheet& sheet) const
{
    QList<int> lines;
    for (int i = 0; i < int(m_rows.size()) && i < sheet.rowCount(); ++i)
        if (m_rows[size_t(i)].status == Status::Errors)
            lines << sheet.line(i);
    return lines;
}
