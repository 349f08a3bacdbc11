#include "maintenance/EmployeeImport.h"

#include "store/Guarded.h"
#include "store/TmyDataBase.h"

#include <QHash>

namespace {
const QString kOk = QStringLiteral("Ok");
const QString kErrors = QStringLiteral("Błędy");

QString cell(const CsvSheet::Row& row, int column, bool* present = nullptr)
{
    if (present)
        *present = column >= 1 && column <= row.fields.size();
    if (column < 1 || column > row.fields.size())
        return {};
    return row.fields.at(column - 1).trimmed();
}

bool found(Statement& q)
{
    q.open();
    const bool any = !q.isEmpty();
    q.close();
    return any;
}
} // namespace

bool EmployeeImport::verify(const CsvSheet& sheet, const Columns& columns, bool skipFirst, Progress* progress)
{
    m_results.clear();
    m_results.resize(sheet.rows().size());
    if (progress)
        progress->setRange(sheet.rows().size());
    bool allPassed = true;
    QHash<QString, int> numbersInSheet; // number -> file line of its first row
    Statement& q = m_db.mySQL();
    for (int i = skipFirst ? 1 : 0; i < sheet.rows().size(); ++i) {
        const CsvSheet::Row& row = sheet.rows().at(i);
        RowResult& r = m_results[i];
        r.status = kOk;
        r.remarks.clear();
        r.failed = true;
        auto fail = [&](const QString& remark) {
            r.status = kErrors;
            r.remarks = remark;
            allPassed = false;
        };
        if (progress && i % 256 == 0)
            progress->setValue(i);
        try {
            bool present = false;
            const QString number = cell(row, columns[NREW], &present);
            // An empty number would read as "no employee" wherever it is referenced.
            if (columns[NREW] == 0 || !present || number.isEmpty()) {
                fail(QStringLiteral("Brak numeru ewidencyjnego"));
                continue;
            }
            q.clear();
            q.add(QStringLiteral("SELECT NREW FROM osobowa WHERE NREW = :PARAM0"));
            q.setParam(0, number);
            if (found(q)) {
                fail(QStringLiteral("Pracownik o podanym numerze ewidencyjnym już istnieje"));
                continue;
            }
            if (numbersInSheet.contains(number)) {
                fail(QStringLiteral("Numer ewidencyjny powtórzony w arkuszu (wiersz ") +
                     QString::number(numbersInSheet.value(number)) + QLatin1Char(')'));
                continue;
            }
            if (columns[NAZWISKO] == 0) {
                fail(QStringLiteral("Brak nazwiska"));
                continue;
            }
            for (int f = 0; f < FieldCount; ++f)
                r.values[size_t(f)] = cell(row, columns[size_t(f)]);
            auto dictionary = [&](Field field, const char* dictionaryCode, qint64* key) {
                const QString value = r.values[size_t(field)];
                *key = -1;
                if (columns[size_t(field)] == 0 || value.isEmpty())
                    return true;
                q.clear();
                q.add(QStringLiteral("SELECT KOD FROM slowniki WHERE IDSLOWNIK=:PARAM0 AND OPIS = :PARAM1"));
                q.setParam(0, QLatin1String(dictionaryCode));
                q.setParam(1, value);
                q.open();
                const bool any = !q.isEmpty();
                if (any)
                    *key = q.integer(QStringLiteral("KOD"));
                q.close();
                return any;
            };
            if (!dictionary(DZIAL, "DZIAL", &r.dzial)) {
                fail(QStringLiteral("Brak wskazanego działu w słownikach"));
                continue;
            }
            if (!dictionary(STANOWISKO, "STANO", &r.stanowisko)) {
                fail(QStringLiteral("Brak wskazanego stanowiska w słownikach"));
                continue;
            }
            numbersInSheet.insert(number, row.line);
            r.failed = false;
        } catch (const DbError& e) {
            q.close();
            fail(QStringLiteral("Błąd bazy danych ") + e.message());
            ErrorLog::report(e.message(), true, 802);
        }
    }
    return allPassed;
}

int EmployeeImport::import(bool skipFirst, Progress* progress)
{
    m_importFailed = false;
    int inserted = 0;
    int current = -1;
    Statement& q = m_db.mySQL();
    if (progress)
        progress->setRange(m_results.size());
    try {
        WriteTransaction transaction(m_db.DatabaseMain());
        for (int i = skipFirst ? 1 : 0; i < m_results.size(); ++i) {
            const RowResult& r = m_results.at(i);
            if (r.failed)
                continue;
            current = i;
            if (progress && i % 256 == 0)
                progress->setValue(i);
            q.clear();
            q.add(QStringLiteral("INSERT INTO osobowa(NREW,NAZWISKO,IMIE,ADRES,NUMER,KOD,MIASTO,"));
            q.add(QStringLiteral(" KRAJ,TELEFON,KONTAKT,INNE,NIP,NRPOKOJU,DZIAL,STANOWISKO)"));
            q.add(QStringLiteral("VALUES ( :PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,:PARAM5,:PARAM6,"));
            q.add(QStringLiteral(" :PARAM7,:PARAM8,:PARAM9,:PARAM10,:PARAM11,:PARAM12, "));
            q.add(QString::number(r.dzial) + QStringLiteral(" , ") + QString::number(r.stanowisko) +
                  QStringLiteral(" )"));
            const Field order[] = {NREW, NAZWISKO, IMIE,    ADRES, NUMER, KOD,     MIASTO,
                                   KRAJ, TELEFON,  KONTAKT, INNE,  NIP,   NRPOKOJU};
            for (int p = 0; p < 13; ++p)
                q.setParam(p, r.values[size_t(order[p])]);
            q.execSQL();
            ++inserted;
        }
        current = -1;
        transaction.commit();
        q.close();
        return inserted;
    } catch (const DbError& e) {
        q.close();
        m_importFailed = true;
        ErrorLog::report(e.message(), true, 802);
        if (current >= 0) {
            RowResult& r = m_results[current];
            r.status = kErrors;
            r.remarks = QStringLiteral("Błąd bazy danych ") + e.message();
        }
    }
    return 0; // rolled back: not one row stays
}

QList<int> EmployeeImport::failedLines(const CsvSheet& sheet) const
{
    QList<int> lines;
    for (int i = 0; i < m_results.size() && i < sheet.rows().size(); ++i)
        if (m_results.at(i).status == kErrors)
            lines << sheet.rows().at(i).line;
    return lines;
}
