#include "LargeDatabase.h"

#include "store/DatabaseTemplate.h"
#include "store/DbError.h"
#include "store/SqlConnection.h"

#include <QByteArray>
#include <QList>

#include <sqlcipher/sqlite3.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace {
const std::array kSurnames = {
    "Nowak",       "Kowalski",  "Wiśniewski",  "Wójcik",   "Kowalczyk",  "Kamiński",
    "Lewandowski", "Zieliński", "Szymański",   "Woźniak",  "Dąbrowski",  "Kozłowski",
    "Jankowski",   "Mazur",     "Kwiatkowski", "Krawczyk", "Piotrowski", "Grabowski",
    "Nowakowski",  "Pawłowski", "Michalski",   "Król",     "Wieczorek",  "Jabłoński",
    "Wróbel",      "Majewski",  "Olszewski",   "Stępień",  "Jaworski",   "Malinowski",
    "Górski",      "Rutkowski", "Sikora",      "Baran",    "Ostrowski",  "Żak"};
const std::array kFirstNames = {"Anna",      "Piotr",   "Katarzyna", "Krzysztof", "Małgorzata", "Tomasz",
                                "Agnieszka", "Paweł",   "Barbara",   "Michał",    "Ewa",        "Marcin",
                                "Joanna",    "Łukasz",  "Zofia",     "Jakub",     "Magdalena",  "Grzegorz",
                                "Dorota",    "Andrzej", "Żaneta"};
const std::array kCities = {"Warszawa", "Kraków",   "Łódź",        "Wrocław", "Poznań",
                            "Gdańsk",   "Szczecin", "Bydgoszcz",   "Lublin",  "Białystok",
                            "Katowice", "Gdynia",   "Częstochowa", "Radom",   "Toruń",
                            "Kielce",   "Rzeszów",  "Olsztyn",     "Opole",   "Zielona Góra"};
const std::array kStreets = {"ul. Długa",  "ul. Polna",   "ul. Leśna",         "ul. Słoneczna",
                             "ul. Krótka", "ul. Szkolna", "al. Jana Pawła II", "ul. Ogrodowa",
                             "ul. Lipowa", "ul. Łąkowa",  "ul. Kościuszki"};
const std::array kCompanyKinds = {"Sp. z o.o.", "S.A.", "s.c.", "Sp.j.", "Sp.k."};
const std::array kCompanyWords = {"Infotech", "Komputronik", "Serwis",   "Biurotech",
                                  "Netcom",   "Datasys",     "Softpol",  "Elektro",
                                  "Techbud",  "Optinet",     "Mikrobit", "Systemy IT"};
const std::array kProducers = {"Dell", "Lenovo", "HP",  "Fujitsu", "Asus",
                               "Acer", "Apple",  "MSI", "Actina",  "Optimus"};
const std::array kComputerNames = {"Komputer stacjonarny", "Laptop",   "Stacja robocza",      "Serwer",
                                   "Komputer biurowy",     "Notebook", "Komputer All-in-One", "Terminal"};
const std::array kModels = {"OptiPlex 7010", "ThinkPad T14",   "EliteBook 840", "Esprimo P758",
                            "VivoBook 15",   "Aspire 5",       "MacBook Air",   "ProDesk 400",
                            "Latitude 5520", "ThinkCentre M70"};
const std::array kEquipmentNames = {"Drukarka laserowa",
                                    "Monitor 24\"",
                                    "Skaner",
                                    "Projektor",
                                    "Zasilacz UPS",
                                    "Router",
                                    "Przełącznik sieciowy",
                                    "Niszczarka",
                                    "Telefon IP",
                                    "Urządzenie wielofunkcyjne"};
const std::array kDeadlineTexts = {"Koniec gwarancji",
                                   "Przegląd okresowy",
                                   "Odnowienie licencji",
                                   "Wymiana materiałów eksploatacyjnych",
                                   "Kontrola stanu technicznego",
                                   "Przegląd serwisowy",
                                   "Wymiana baterii UPS",
                                   "Aktualizacja oprogramowania"};
const std::array kRepairTexts = {
    "Wymiana dysku",      "Wymiana matrycy",       "Naprawa zasilacza",  "Czyszczenie i konserwacja",
    "Wymiana klawiatury", "Naprawa płyty głównej", "Wymiana wentylatora"};
const std::array kDocumentTexts = {"Faktura zakupu",  "Karta gwarancyjna", "Protokół przekazania",
                                   "Umowa serwisowa", "Protokół naprawy",  "Certyfikat zgodności"};
const std::array kAttachmentTexts = {"Skan faktury", "Zdjęcie urządzenia", "Instrukcja obsługi",
                                     "Karta gwarancyjna", "Protokół odbioru"};
const std::array kPrograms = {"Microsoft Office", "Windows",     "AutoCAD",   "Adobe Acrobat", "Symfonia",
                              "Płatnik",          "Comarch ERP", "Optima",    "Kaspersky",     "7-Zip",
                              "LibreOffice",      "Corel Draw",  "Insert GT", "Subiekt",       "Gimp"};
const std::array kBhpNames = {"Rękawice ochronne", "Obuwie robocze",       "Kask ochronny",
                              "Okulary ochronne",  "Kamizelka odblaskowa", "Ubranie robocze",
                              "Nauszniki",         "Maska przeciwpyłowa"};
const std::array kParts = {"Toner czarny", "Bęben światłoczuły", "Papier A4",      "Kabel sieciowy",
                           "Mysz",         "Klawiatura",         "Dysk SSD 512GB", "Pamięć RAM 16GB",
                           "Zasilacz 65W", "Bateria UPS"};
const std::array kJobs = {"Specjalista", "Kierownik", "Księgowa", "Informatyk", "Asystent", "Handlowiec"};

// A prepared insert bound column by column, stepped and reset.
class Insert
{
public:
    Insert(sqlite3* db, const char* sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    ~Insert() { sqlite3_finalize(m_stmt); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    Insert& operator<<(qint64 v)
    {
        sqlite3_bind_int64(m_stmt, ++m_column, v);
        return *this;
    }
    Insert& operator<<(int v) { return *this << qint64(v); }
    Insert& operator<<(double v)
    {
        sqlite3_bind_double(m_stmt, ++m_column, v);
        return *this;
    }
    Insert& operator<<(const std::string& v)
    {
        sqlite3_bind_text(m_stmt, ++m_column, v.data(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert& operator<<(const char* v) { return *this << std::string(v); }
    void run()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        m_column = 0;
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    int m_column = 0;
};

class Generator
{
public:
    explicit Generator(sqlite3* db) : m_db(db) {}

    template <typename A> const char* pick(const A& pool) { return pool[index(pool.size())]; }
    size_t index(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    // yyyymmdd between two years; days 1-28 keep every month valid.
    qint64 date(int fromYear, int toYear)
    {
        return qint64(between(fromYear, toYear)) * 10000 + between(1, 12) * 100 + between(1, 28);
    }
    double amount(int lo, int hi) { return between(lo * 100, hi * 100) / 100.0; }
    std::string number(const char* prefix, qint64 n, int width = 6)
    {
        std::string digits = std::to_string(n);
        if (int(digits.size()) < width)
            digits.insert(0, size_t(width) - digits.size(), '0');
        return prefix + digits;
    }
    std::string nip()
    {
        return std::to_string(between(100, 999)) + "-" + std::to_string(between(100, 999)) + "-" +
               std::to_string(between(10, 99)) + "-" + std::to_string(between(10, 99));
    }
    std::string phone()
    {
        return std::to_string(between(12, 94)) + " " + std::to_string(between(100, 999)) + " " +
               std::to_string(between(10, 99)) + " " + std::to_string(between(10, 99));
    }

    // Dictionary codes of one dictionary, adding entries when there are few.
    std::vector<qint64> dictionary(const char* id, const std::vector<std::string>& more)
    {
        Insert insert(m_db, "INSERT INTO slowniki (IDSLOWNIK,OPIS) VALUES (?,?)");
        for (const std::string& opis : more) {
            insert << id << opis;
            insert.run();
        }
        std::vector<qint64> codes;
        sqlite3_stmt* q = nullptr;
        sqlite3_prepare_v2(m_db, "SELECT KOD FROM slowniki WHERE IDSLOWNIK=?", -1, &q, nullptr);
        sqlite3_bind_text(q, 1, id, -1, SQLITE_STATIC);
        while (sqlite3_step(q) == SQLITE_ROW)
            codes.push_back(sqlite3_column_int64(q, 0));
        sqlite3_finalize(q);
        if (codes.empty())
            codes.push_back(0);
        return codes;
    }
    qint64 any(const std::vector<qint64>& codes) { return codes[index(codes.size())]; }

private:
    sqlite3* m_db;
    std::mt19937 m_random{20240131};
};

// Programs, licences and their installations, usage, history, orders and
// settlements, BHP items with purchases and holdings, and stock.
template <typename Employee, typename Company>
void fillMore(sqlite3* db, Generator& g, const LargeDatabaseSize& size, Employee employee, Company company)
{
    const auto programKinds = g.dictionary("KLOPR", {});
    const auto licenceKinds = g.dictionary("TYPLI", {});
    const auto works = g.dictionary("RPRAC", {});
    const auto bhpKinds = g.dictionary("KLBHP", {});
    auto someone = [&] {
        const std::string who = employee();
        return who.empty() && size.employees > 0 ? g.number("P", 1, 5) : who;
    };
    {
        Insert insert(
            db, "INSERT INTO programy (IDFIRMY,NAZWA,PRODUCENT,WERSJA,NREWID,NRSERYJNY,INNE,KLASYFIKATOR) "
                "VALUES (?,?,?,?,?,?,?,?)");
        for (int i = 1; i <= size.programs; ++i) {
            insert << company() << std::string(g.pick(kPrograms)) + " " + std::to_string(i)
                   << g.pick(kProducers)
                   << std::to_string(g.between(1, 20)) + "." + std::to_string(g.between(0, 9))
                   << g.number("PROG/", i) << "SN-" + std::to_string(g.between(100000, 999999)) << ""
                   << g.any(programKinds);
            insert.run();
        }
    }
    {
        Insert licence(
            db, "INSERT INTO licencje (NREWID,TYPLICENCJI,NRLICENCJI,KLUCZ,HASLO,DATAZAKUPU,IDFIRMY,NETTO,"
                "VAT,BRUTTO,NRFAKTURY,NRKPIR,INNE,ARCHIWUM,DATAARCH,PRZYCZYNA) "
                "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        Insert granted(
            db, "INSERT INTO r_licprog (IDPROGRAMU,IDLICENCJI,ILOSCLIC,WIELOSTAN,ACT) VALUES (?,?,?,?,'T')");
        Insert installed(db,
                         "INSERT INTO r_lickomp (IDPROGRAMU,IDLICENCJI,IDKOMPUTERA,ACT) VALUES (?,?,?,'T')");
        for (int i = 1; i <= size.licences && size.programs > 0; ++i) {
            const qint64 bought = g.date(2012, 2024);
            const double net = g.amount(50, 8000);
            const double vat = qint64(net * 23.0 + 0.5) / 100.0;
            const bool liquidated = g.chance(5);
            licence << g.number("LIC/", i) << g.any(licenceKinds)
                    << "LIC-" + std::to_string(g.between(1000000, 9999999))
                    << std::to_string(g.between(10000, 99999)) + "-" +
                           std::to_string(g.between(10000, 99999)) + "-" +
                           std::to_string(g.between(10000, 99999)) + "-" +
                           std::to_string(g.between(10000, 99999))
                    << "" << bought << company() << net << vat << net + vat
                    << "FV/" + std::to_string(bought / 10000) + "/" + std::to_string(g.between(1, 999))
                    << std::to_string(g.between(1, 400)) + "/" + std::to_string(bought / 10000) << ""
                    << (liquidated ? "T" : "N") << (liquidated ? g.date(2020, 2024) : 0)
                    << (liquidated ? "Wygaśnięcie licencji" : "");
            licence.run();
            const int programs = g.chance(20) ? 2 : 1;
            for (int p = 0; p < programs; ++p) {
                const qint64 program = g.between(1, size.programs);
                const bool multi = g.chance(10);
                const int seats = g.between(1, 5);
                granted << program << qint64(i) << seats << (multi ? "T" : "N");
                granted.run();
                const int used = size.computers > 0 ? g.between(0, seats) : 0;
                for (int c = 0; c < used; ++c) {
                    installed << program << qint64(i) << qint64(g.between(1, size.computers));
                    installed.run();
                }
            }
        }
    }
    {
        Insert computer(db, "INSERT INTO r_kompprac (IDKOMPUTERA,NREW,LOGIN,OPIS,ACT) VALUES (?,?,?,?,'T')");
        Insert equipment(db, "INSERT INTO r_sprzprac (IDSPRZETU,NREW,OPIS,ACT) VALUES (?,?,?,'T')");
        for (int i = 1; i <= size.uses && size.employees > 0; ++i) {
            if (size.computers > 0 && (size.equipment == 0 || g.chance(60))) {
                computer << qint64(g.between(1, size.computers)) << someone() << g.number("user", i, 5) << "";
                computer.run();
            } else if (size.equipment > 0) {
                equipment << qint64(g.between(1, size.equipment)) << someone() << "";
                equipment.run();
            }
        }
    }
    {
        Insert insert(db, "INSERT INTO historia (KOMPSPRZ,IDOBIEKTU,DATAOD,DATADO,NREW,MIEJSCE,INNE) "
                          "VALUES (?,?,?,?,?,?,?)");
        for (int i = 1; i <= size.history; ++i) {
            const bool bhp = size.bhpItems > 0 && g.chance(20);
            const bool computer = !bhp && size.computers > 0 && (size.equipment == 0 || g.chance(60));
            const int count = bhp ? size.bhpItems : computer ? size.computers : size.equipment;
            if (count == 0)
                continue;
            const qint64 from = g.date(2015, 2024);
            insert << (bhp        ? "B"
                       : computer ? "K"
                                  : "S")
                   << qint64(g.between(1, count)) << from << (g.chance(30) ? 0 : from + 10000) << someone()
                   << "Pokój " + std::to_string(g.between(1, 450)) << "";
            insert.run();
        }
    }
    for (const char* table : {"zlecenia", "rozliczenia"}) {
        const bool settlement = std::string(table) == "rozliczenia";
        const std::string sql =
            std::string("INSERT INTO ") + table +
            " (CZEGODOTYCZY,IDOBIEKTU,IDFIRMY,DATAOD,DATADO,RODZAJPRAC,NRDOKUMENTU,NREW,OPIS" +
            (settlement ? ",GODZINY,STAWKA) VALUES (?,?,?,?,?,?,?,?,?,?,?)" : ") VALUES (?,?,?,?,?,?,?,?,?)");
        Insert insert(db, sql.c_str());
        for (int i = 1; i <= size.orders && size.equipment > 0; ++i) {
            const qint64 from = g.date(2018, 2024);
            insert << "S" << qint64(g.between(1, size.equipment)) << company() << from
                   << from + g.between(0, 30) << g.any(works) << g.number(settlement ? "ROZ/" : "ZL/", i)
                   << someone() << std::string(g.pick(kRepairTexts)) + " – " + g.pick(kStreets);
            if (settlement)
                insert << double(g.between(1, 40)) << g.amount(40, 250);
            insert.run();
        }
    }
    {
        Insert item(
            db,
            "INSERT INTO bhp (NAZWA,CECHY,NREWID,INNE,KLASYFIKATOR,ILOSC,PRZYPOMNIJ) VALUES (?,?,?,?,?,?,?)");
        Insert bought(
            db, "INSERT INTO zakupbhp (IDFIRMY,NAZWA,CECHY,PRODUCENT,NREWID,DATAZAKUPU,NETTO,VAT,BRUTTO,"
                "NRFAKTURY,NRKPIR,INNE,KLASYFIKATOR,ILOSC) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        Insert held(db, "INSERT INTO r_bhpprac (IDBHP,NREW,ILOSC,DATAOD,DATADO,INNE) VALUES (?,?,?,?,?,?)");
        for (int i = 1; i <= size.bhpItems; ++i) {
            const std::string name = g.pick(kBhpNames);
            const std::string features = "rozmiar " + std::to_string(g.between(36, 48));
            item << name << features << g.number("BHP/", i) << "" << g.any(bhpKinds)
                 << double(g.between(0, 200)) << double(g.between(0, 50));
            item.run();
            const qint64 day = g.date(2015, 2024);
            const double net = g.amount(10, 600);
            const double vat = qint64(net * 23.0 + 0.5) / 100.0;
            bought << company() << name << features << g.pick(kProducers) << g.number("BHP/", i) << day << net
                   << vat << net + vat << "FV/B/" + std::to_string(i) << std::to_string(g.between(1, 400))
                   << "" << g.any(bhpKinds) << double(g.between(1, 100));
            bought.run();
            if (size.employees > 0) {
                held << qint64(i) << someone() << double(g.between(1, 5)) << day
                     << (g.chance(50) ? 0 : day + 10000) << "";
                held.run();
            }
        }
    }
    {
        Insert insert(db, "INSERT INTO magazyn (CZESC,ILOSC,PRZYPOMNIJ,UWAGI) VALUES (?,?,?,?)");
        for (int i = 1; i <= size.stock; ++i) {
            insert << std::string(g.pick(kParts)) + " " + std::to_string(i) << double(g.between(0, 500))
                   << double(g.between(0, 20)) << (g.chance(20) ? "Zamówić u dostawcy" : "");
            insert.run();
        }
    }
}

void fill(sqlite3* db, const LargeDatabaseSize& size)
{
    Generator g(db);
    std::vector<std::string> places;
    for (int floor = 0; floor < 5; ++floor)
        for (int room = 1; room <= 20; ++room)
            places.push_back("Budynek A, piętro " + std::to_string(floor) + ", pokój " +
                             std::to_string(floor * 100 + room));
    const auto locations = g.dictionary("LOKAL", places);
    const auto departments = g.dictionary("DZIAL", {"Dział handlowy", "Dział kadr", "Logistyka", "Produkcja",
                                                    "Dział prawny", "Marketing", "Zarząd"});
    const auto jobs = g.dictionary("STANO", {"Referent", "Starszy specjalista", "Koordynator"});
    const auto computerKinds = g.dictionary("KLKOM", {"Terminal", "Komputer przemysłowy"});
    const auto equipmentKinds = g.dictionary("KLSPR", {});
    const auto states = g.dictionary("STANT", {});
    const auto deadlineKinds = g.dictionary("KLTER", {"Badanie techniczne", "Kalibracja"});
    const auto documentKinds = g.dictionary("RDDOK", {});
    const auto attachmentKinds = g.dictionary("RDZAL", {});

    {
        Insert insert(
            db, "INSERT INTO firmy (NAZWA,KOD,MIASTO,ULICA,NUMER,KRAJ,NIP,REGON,TELEFON,EMAIL,WWW,INNE) "
                "VALUES (?,?,?,?,?,'Polska',?,?,?,?,?,?)");
        for (int i = 1; i <= size.companies; ++i) {
            const std::string name =
                std::string(g.pick(kCompanyWords)) + " " + g.pick(kSurnames) + " " + g.pick(kCompanyKinds);
            insert << name + " (" + std::to_string(i) + ")"
                   << std::to_string(g.between(10, 99)) + "-" + std::to_string(g.between(100, 999))
                   << g.pick(kCities) << g.pick(kStreets) << std::to_string(g.between(1, 250)) << g.nip()
                   << std::to_string(g.between(100000000, 999999999)) << g.phone()
                   << g.number("biuro", i, 4) + "@firma.pl" << g.number("www.firma", i, 4) + ".pl"
                   << (g.chance(30) ? "Dostawca sprzętu" : "");
            insert.run();
        }
    }
    {
        Insert insert(db,
                      "INSERT INTO osobowa (NREW,NAZWISKO,IMIE,NIP,DZIAL,STANOWISKO,NRPOKOJU,ADRES,NUMER,KOD,"
                      "MIASTO,KRAJ,TELEFON,INNE) VALUES (?,?,?,?,?,?,?,?,?,?,?,'Polska',?,?)");
        for (int i = 1; i <= size.employees; ++i) {
            insert << g.number("P", i, 5) << g.pick(kSurnames) << g.pick(kFirstNames) << g.nip()
                   << g.any(departments) << g.any(jobs) << std::to_string(g.between(1, 450))
                   << g.pick(kStreets) << std::to_string(g.between(1, 120))
                   << std::to_string(g.between(10, 99)) + "-" + std::to_string(g.between(100, 999))
                   << g.pick(kCities) << g.phone() << g.pick(kJobs);
            insert.run();
        }
    }
    auto employee = [&] {
        return size.employees > 0 && g.chance(90) ? g.number("P", g.between(1, size.employees), 5)
                                                  : std::string();
    };
    auto company = [&] { return size.companies > 0 ? qint64(g.between(2, size.companies + 1)) : qint64(-1); };
    auto asset = [&](const char* table, const char* prefix, int count, const auto& names, const auto& kinds,
                     bool equipment) {
        std::string sql =
            std::string("INSERT INTO ") + table +
            " (IDFIRMY,NREW,NAZWA,PRODUCENT,NREWID,NRSERYJNY,STANTECH,DATAPROD,DATAZAKUPU,NETTO,VAT,"
            "BRUTTO,NRFAKTURY,NRKPIR,LOKALIZACJA,INNE,KLASYFIKATOR,ARCHIWUM,DATAARCH,PRZYCZYNA" +
            (equipment ? std::string(",IDKOMPUTERA) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
                       : std::string(") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        Insert insert(db, sql.c_str());
        for (int i = 1; i <= count; ++i) {
            const qint64 bought = g.date(2010, 2024);
            const double net = g.amount(300, 15000);
            const double vat = qint64(net * 23.0 + 0.5) / 100.0;
            const bool liquidated = g.chance(5);
            insert << company() << employee() << g.pick(names) << g.pick(kProducers) << g.number(prefix, i)
                   << std::string("SN") + std::to_string(g.between(10000000, 99999999)) << g.any(states)
                   << bought - 10000 << bought << net << vat << net + vat
                   << "FV/" + std::to_string(bought / 10000) + "/" + std::to_string(g.between(1, 999))
                   << std::to_string(g.between(1, 400)) + "/" + std::to_string(bought / 10000)
                   << g.any(locations) << std::string("Model: ") + g.pick(kModels) << g.any(kinds)
                   << (liquidated ? "T" : "N") << (liquidated ? g.date(2020, 2024) : 0)
                   << (liquidated ? "Zużycie techniczne" : "");
            if (equipment)
                insert << (g.chance(40) && size.computers > 0 ? g.between(1, size.computers) : 0);
            insert.run();
        }
    };
    asset("komputery", "KOMP/", size.computers, kComputerNames, computerKinds, false);
    asset("sprzet", "SPRZ/", size.equipment, kEquipmentNames, equipmentKinds, true);

    // An object of the deadlines and the other additional registers.
    auto object = [&](qint64* id) -> const char* {
        if (size.equipment > 0 && (size.computers == 0 || g.chance(30))) {
            *id = g.between(1, size.equipment);
            return "S";
        }
        *id = size.computers > 0 ? g.between(1, size.computers) : 0;
        return "K";
    };
    {
        Insert insert(
            db,
            "INSERT INTO terminy (IDOBIEKTU,CZEGODOTYCZY,ACT,KLASYFIKATOR,DATAOD,DATADO,SPRODDO,OPIS,INNE) "
            "VALUES (?,?,?,?,?,?,?,?,?)");
        for (int i = 1; i <= size.deadlines; ++i) {
            qint64 id = 0;
            const char* kind = object(&id);
            const qint64 from = g.date(2018, 2025);
            insert << id << kind << (g.chance(80) ? "T" : "N") << g.any(deadlineKinds) << from
                   << (g.chance(10) ? 0 : from + 10000) << (g.chance(50) ? "D" : "O")
                   << g.pick(kDeadlineTexts)
                   << (g.chance(20) ? "Zgłoszenie " + std::to_string(i) : std::string());
            insert.run();
        }
    }
    {
        Insert insert(
            db,
            "INSERT INTO naprawy (TERMIN,KOMPSPRZ,IDOBIEKTU,IDFIRMY,OPIS,INNE,DATANAPRAWY,NETTO,VAT,BRUTTO,"
            "NRFAKTURY,ACT) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
        for (int i = 1; i <= size.repairs; ++i) {
            qint64 id = 0;
            const char* kind = object(&id);
            const bool done = g.chance(70);
            const double net = done ? g.amount(50, 2500) : 0.0;
            const double vat = qint64(net * 23.0 + 0.5) / 100.0;
            insert << g.date(2018, 2025) << kind << id << company() << g.pick(kRepairTexts) << ""
                   << (done ? g.date(2018, 2024) : 0) << net << vat << net + vat
                   << (done ? "FV/S/" + std::to_string(i) : std::string()) << (done ? "N" : "T");
            insert.run();
        }
    }
    {
        Insert insert(
            db,
            "INSERT INTO dokumenty (CZEGODOTYCZY,IDOBIEKTU,DATADOK,TERMIN,KLASYFIKATOR,NAZWA,NUMER,INNE,ACT) "
            "VALUES (?,?,?,?,?,?,?,?,?)");
        for (int i = 1; i <= size.documents; ++i) {
            qint64 id = 0;
            const char* kind = object(&id);
            const qint64 day = g.date(2015, 2024);
            insert << kind << id << day << (g.chance(30) ? day + 20000 : 0) << g.any(documentKinds)
                   << g.pick(kDocumentTexts) << g.number("DOK/", i) << "" << (g.chance(90) ? "T" : "N");
            insert.run();
        }
    }
    fillMore(db, g, size, employee, company);
    {
        Insert insert(db, "INSERT INTO zalaczniki "
                          "(IDOBIEKTU,CZEGODOTYCZY,NAZWAZALACZNIKA,RDZAL,DATADODANIA,NAZWAPLIKU,INNE) "
                          "VALUES (?,?,?,?,?,?,?)");
        for (int i = 1; i <= size.attachments; ++i) {
            qint64 id = 0;
            const char* kind = object(&id);
            insert << id << kind << g.pick(kAttachmentTexts) << g.any(attachmentKinds) << g.date(2015, 2024)
                   << g.number("zal_", i) + ".pdf"
                   << "";
            insert.run();
        }
    }
}
} // namespace

LargeDatabaseSize everyRegister(int rows)
{
    LargeDatabaseSize size;
    size.computers = rows;
    size.equipment = rows / 5;
    size.employees = qMax(1, rows / 10);
    size.companies = qMax(2, rows / 50);
    size.deadlines = rows;
    size.repairs = rows / 5;
    size.documents = rows / 5;
    size.attachments = rows / 10;
    size.programs = qMax(1, rows / 100);
    size.licences = rows / 5;
    size.uses = rows;
    size.history = rows / 5;
    size.orders = rows / 10;
    size.bhpItems = rows / 10;
    size.stock = rows / 20;
    return size;
}

void makeLargeDatabase(const QString& dir, const QString& password, const LargeDatabaseSize& size)
{
    DatabaseTemplate::create(dir, password, false, true);
    SqlConnection connection;
    connection.open(DatabaseTemplate::databaseFile(dir), password);
    connection.exec(QStringLiteral("BEGIN"));
    try {
        fill(connection.handle(), size);
    } catch (...) {
        connection.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    connection.exec(QStringLiteral("COMMIT"));
}
