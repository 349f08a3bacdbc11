#include "maintenance/TableEmptying.h"

#include "store/Guarded.h"
#include "store/SqlDialect.h"
#include "store/TableList.h"
#include "store/TmyDataBase.h"

#include <vector>

namespace {
// Every row of the table removed; the table, its structure and key stay.
void emptyTable(TmyDataBase& db, const QString& table)
{
    Statement& q = db.mySQL();
    q.clear();
    q.add(QStringLiteral("DELETE FROM ") + table);
    q.execSQL();
}
} // namespace

namespace TableEmptying {
const std::vector<Entry>& entries()
{
    static const std::vector<Entry> list = {
        {"Komputery", "komputery", "emptyWlasciwosci", "K"},
        {"Przypisanie komputerów do pracowników", "r_kompprac", nullptr, nullptr},
        {"Licencje", "licencje", nullptr, nullptr},
        {"Przypisanie licencji do komputerów", "r_lickomp", nullptr, nullptr},
        {"Programy", "programy", nullptr, nullptr},
        {"Przypisanie licencji do programów", "r_licprog", nullptr, nullptr},
        {"Inny sprzęt", "sprzet", "emptyWlasciwosci", "S"},
        {"Przypisanie sprzętu do pracowników", "r_sprzprac", nullptr, nullptr},
        {"Odzież i środki BHP", "bhp", nullptr, nullptr},
        {"Stan posiadania środków BHP", "r_bhpprac", nullptr, nullptr},
        {"Koszty zakupu środków BHP", "zakupbhp", nullptr, nullptr},
        {"Naprawy", "naprawy", nullptr, nullptr},
        {"Terminarz", "terminy", nullptr, nullptr},
        {"Dokumenty", "dokumenty", nullptr, nullptr},
        {"Historia użytkowania", "historia", nullptr, nullptr},
        {"Rejestr zleceń", "zlecenia", nullptr, nullptr},
        {"Rejestr rozliczeń", "rozliczenia", nullptr, nullptr},
        {"Magazyn", "magazyn", nullptr, nullptr},
        {"Załączniki", "zalaczniki", nullptr, nullptr},
        {"Dane Firmy", nullptr, "emptyFirma", nullptr},
        {"Kartoteka firm", nullptr, "emptyFirmy", nullptr},
        {"Kartoteka osobowa", "osobowa", nullptr, nullptr},
        {"Notatnik", "notatki", nullptr, nullptr},
        {"Słowniki -> Właściwości komputerów", nullptr, "emptyNazwaWlasciwosci", "K"},
        {"Słowniki -> Właściwości sprzętu", nullptr, "emptyNazwaWlasciwosci", "S"},
        {"Słowniki -> Stan techniczny", nullptr, "emptySlownik", "STANT"},
        {"Słowniki -> Typ licencji", nullptr, "emptySlownik", "TYPLI"},
        {"Słowniki -> Klasyfikacja komputerów", nullptr, "emptySlownik", "KLKOM"},
        {"Słowniki -> Klasyfikacja oprogramowania", nullptr, "emptySlownik", "KLOPR"},
        {"Słowniki -> Klasyfikacja sprzętu", nullptr, "emptySlownik", "KLSPR"},
        {"Słowniki -> Klasyfikacja środków BHP", nullptr, "emptySlownik", "KLBHP"},
        {"Słowniki -> Klasyfikacja terminów", nullptr, "emptySlownik", "KLTER"},
        {"Słowniki -> Działy", nullptr, "emptySlownik", "DZIAL"},
        {"Słowniki -> Stanowiska", nullptr, "emptySlownik", "STANO"},
        {"Słowniki -> Stawki VAT", nullptr, "emptySlownik", "STVAT"},
        {"Słowniki -> Lokalizacje", nullptr, "emptySlownik", "LOKAL"},
        {"Słowniki -> Rodzaj dokumentów", nullptr, "emptySlownik", "RDDOK"},
        {"Słowniki -> Rodzaje zleceń / rozliczeń", nullptr, "emptySlownik", "RPRAC"},
        {"Słowniki -> Rodzaje załączników", nullptr, "emptySlownik", "RDZAL"},
    };
    return list;
}

QStringList texts()
{
    QStringList out;
    for (const Entry& e : entries())
        out << QString::fromUtf8(e.text);
    return out;
}

bool empty(TmyDataBase& db, const QString& entryText)
{
    const Entry* entry = nullptr;
    for (const Entry& e : entries())
        if (entryText == QString::fromUtf8(e.text))
            entry = &e;
    if (!entry)
        return false;
    const bool ok = guardedWrite(db.DatabaseMain(), 300, [&] {
        if (entry->table)
            emptyTable(db, QLatin1String(entry->table));
        if (entry->statement) {
            Statement& q = db.statement(QLatin1String(entry->statement));
            q.clearParams();
            if (entry->param)
                q.setParam(0, QLatin1String(entry->param));
            q.execSQL();
        }
    });
    db.mySQL().close();
    return ok;
}

bool packAll(TmyDataBase& db)
{
    // The tables share one database: packing it once packs all of them. The
    // engine packs only a database no statement of this connection is reading.
    db.closeAll();
    SqlConnection& connection = db.DatabaseMain();
    return guarded(370, [&] { connection.exec(connection.dialect().pack); });
}
} // namespace TableEmptying
