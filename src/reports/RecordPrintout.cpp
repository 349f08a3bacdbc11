#include "reports/RecordPrintout.h"

#include "store/Guarded.h"
#include "store/ListState.h"
#include "store/Statement.h"
#include "store/StatementTexts.h"
#include "store/TmyDataBase.h"

namespace {
// Reads one text of the store; empty when the row is missing or the read fails.
class Lookups
{
public:
    explicit Lookups(TmyDataBase& db) : m_q(&db.DatabaseMain()) {}

    QString dictionary(qint64 kod)
    {
        return kod == 0 ? QString() : one(QStringLiteral("SELECT OPIS AS V FROM slowniki WHERE KOD=:K"), kod);
    }
    // As the company lookups show it: name and NIP.
    QString company(qint64 id)
    {
        return id <= 0
                   ? QString()
                   : one(QStringLiteral("SELECT (NAZWA||' ('||NIP||')') AS V FROM firmy WHERE IDFIRMY=:K"),
                         id);
    }
    QString employee(const QString& nrew)
    {
        if (nrew.isEmpty())
            return {};
        return one(
            QStringLiteral("SELECT (NAZWISKO||' '||IMIE||' (nr.ew. '||NREW||')') AS V FROM osobowa WHERE "
                           "NREW=:K"),
            nrew);
    }
    QString computer(qint64 id)
    {
        return id <= 0
                   ? QString()
                   : one(QStringLiteral("SELECT (NAZWA||' ('||NREWID||') '||PRODUCENT) AS V FROM komputery "
                                        "WHERE IDKOMPUTERA=:K"),
                         id);
    }
    QString equipment(qint64 id)
    {
        return id <= 0 ? QString()
                       : one(QStringLiteral(
                                 "SELECT (NAZWA||' ('||NREWID||') '||PRODUCENT) AS V FROM sprzet WHERE "
                                 "IDSPRZETU=:K"),
                             id);
    }
    // Property lines: the names of the kind and classifier in LP order and
    // the object's values, 14 lines whatever is stored.
    QStringList properties(const QString& kind, qint64 classifier, qint64 object)
    {
        QStringList names(14), values(14);
        const auto read = [&](const QString& sql, qint64 key, const char* column, QStringList& into) {
            guarded(81136, [&] {
                m_q.clear();
                m_q.add(sql);
                m_q.setParam(QStringLiteral("KIND"), kind);
                m_q.setParam(QStringLiteral("K"), QString::number(key));
                m_q.open();
                int i = 0;
                for (m_q.first(); !m_q.eof() && i < 14; m_q.next())
                    into[i++] = m_q.text(QLatin1String(column));
                m_q.close();
            });
        };
        read(QStringLiteral(
                 "SELECT NAZWA FROM nazwawlasciwosci WHERE KOMPSPRZET=:KIND AND IDSLOWNIKA=:K ORDER BY LP"),
             classifier, "NAZWA", names);
        read(QStringLiteral(
                 "SELECT WARTOSC FROM wlasciwosci WHERE KOMPSPRZET=:KIND AND IDOBIEKTU=:K ORDER BY LP"),
             object, "WARTOSC", values);
        QStringList lines;
        for (int i = 0; i < 14; ++i)
            lines << names[i] + QStringLiteral(": ") + values[i];
        return lines;
    }

private:
    QString one(const QString& sql, const QVariant& key)
    {
        QString value;
        guarded(81136, [&] {
            m_q.clear();
            m_q.add(sql);
            m_q.setParam(QStringLiteral("K"), key.toString());
            m_q.open();
            if (!m_q.eof())
                value = m_q.text(QStringLiteral("V"));
            m_q.close();
        });
        return value;
    }

    Statement m_q;
};

class Sheet
{
public:
    explicit Sheet(const Statement& row) : m_row(row) {}

    QString text(const char* field) const
    {
        const QString f = QLatin1String(field);
        return m_row.hasField(f) ? m_row.text(f) : QString();
    }
    qint64 integer(const char* field) const
    {
        const QString f = QLatin1String(field);
        return m_row.hasField(f) ? m_row.integer(f) : 0;
    }
    QString date(const char* field) const { return TmyDataBase::dateText(integer(field)); }
    QString amount(const char* field) const
    {
        const QString f = QLatin1String(field);
        return TmyDataBase::amountText(m_row.hasField(f) ? m_row.number(f) : 0.0);
    }
    QString flag(const char* field) const
    {
        return text(field) == QLatin1String("T") ? QStringLiteral("TAK") : QStringLiteral("NIE");
    }

    void line(const char* label, const QString& value) { lines << QString::fromUtf8(label) + value; }
    // The liquidation lines, only for an item with a liquidation date.
    void liquidation()
    {
        if (integer("DATAARCH") == 0 || date("DATAARCH").isEmpty())
            return;
        line("Data likwidacji: ", date("DATAARCH"));
        line("Przyczyna likwidacji: ", text("PRZYCZYNA"));
    }

    QStringList lines;

private:
    const Statement& m_row;
};

void assetLines(Sheet& s, Lookups& l, bool equipment)
{
    s.liquidation();
    s.line("Numer ewidencyjny: ", s.text("NREWID"));
    s.line("Numer seryjny: ", s.text("NRSERYJNY"));
    s.line("Nazwa: ", s.text("NAZWA"));
    s.line("Data produkcji: ", s.date("DATAPROD"));
    s.line("Producent: ", s.text("PRODUCENT"));
    s.line("Stan techniczny: ", l.dictionary(s.integer("STANTECH")));
    s.line("Klasyfikacja: ", s.text("KLASOPIS"));
    if (equipment)
        s.line("Sprzęt przypisany do komputera: ", l.computer(s.integer("IDKOMPUTERA")));
    s.line("Numer faktury: ", s.text("NRFAKTURY"));
    s.line("Data zakupu: ", s.date("DATAZAKUPU"));
    s.line("Nr KPiR: ", s.text("NRKPIR"));
    s.line("Wartość netto: ", s.amount("NETTO"));
    s.line("Kwota VAT: ", s.amount("VAT"));
    s.line("Wartość brutto: ", s.amount("BRUTTO"));
    s.line("Dostawca: ", l.company(s.integer("IDFIRMY")));
    s.line("Osoba odpowiedzialna: ", l.employee(s.text("NREW")));
    s.line("Lokalizacja: ", s.text("LOK"));
    s.line("Inne: ", s.text("INNE"));
    s.lines << QString();
    if (equipment)
        s.lines << l.properties(QStringLiteral("S"), s.integer("KLASYFIKATOR"), s.integer("IDSPRZETU"));
    else
        s.lines << l.properties(QStringLiteral("K"), 0, s.integer("IDKOMPUTERA"));
}

void orderLines(Sheet& s, Lookups& l)
{
    s.line("Zlecenie na sprzęt: ", l.equipment(s.integer("IDOBIEKTU")));
    s.line("Numer zlecenia: ", s.text("NRDOKUMENTU"));
    s.line("Data od: ", s.date("DATAOD"));
    s.line("Data do: ", s.date("DATADO"));
    s.line("Rodzaj prac: ", s.text("RODZAJPRACO"));
    s.line("Firma zlecająca: ", l.company(s.integer("IDFIRMY")));
    s.line("Osoba zlecająca: ", l.employee(s.text("IDPRAC")));
    s.line("Opis zlecenia: ", s.text("OPIS"));
}
} // namespace

RecordPrintout RecordPrintout::forList(TmyDataBase& db, const QString& list)
{
    if (!ListState::hasList(list))
        return {};
    const Statement& row = db.statement(list);
    if (!row.isOpen() || row.isEmpty() || row.eof())
        return {};
    return forRow(db, list, row);
}

RecordPrintout RecordPrintout::forEquipment(TmyDataBase& db, qint64 key)
{
    const QString list = QStringLiteral("DBFSprzet");
    Statement q(&db.DatabaseMain(), list, statementLines(list));
    ListState state; // defaults, narrowed to the one item
    for (int line : ListState::slotLines(list))
        state.setSlot(list, line, QString());
    state.setSlot(list, ListState::reservedLines(list).value(0),
                  QStringLiteral("AND IDSPRZETU=") + QString::number(key));
    state.applyTo(list, q);
    if (!guarded(TmyDataBase::reloadCode(list), [&] { q.open(); }) || q.eof())
        return {};
    return forRow(db, list, q);
}

RecordPrintout RecordPrintout::forRow(TmyDataBase& db, const QString& list, const Statement& row)
{
    Lookups l(db);
    Sheet s(row);
    RecordPrintout p;
    const auto is = [&](const char* name) { return list == QLatin1String(name); };
    if (is("DBFKomputery")) {
        p.title = QStringLiteral("Komputer");
        assetLines(s, l, false);
    } else if (is("DBFSprzet")) {
        p.title = QStringLiteral("Sprzęt");
        assetLines(s, l, true);
    } else if (is("DBFLicencje")) {
        p.title = QStringLiteral("Licencja");
        s.liquidation();
        s.line("Numer licencji: ", s.text("NRLICENCJI"));
        s.line("Numer ewidencyjny: ", s.text("NREWID"));
        s.line("Klucz: ", s.text("KLUCZ"));
        s.line("Hasło: ", s.text("HASLO"));
        s.line("Typ licencji: ", l.dictionary(s.integer("TYPLICENCJI")));
        s.line("Numer faktury: ", s.text("NRFAKTURY"));
        s.line("Data zakupu: ", s.date("DATAZAKUPU"));
        s.line("Nr KPiR: ", s.text("NRKPIR"));
        s.line("Wartość netto: ", s.amount("NETTO"));
        s.line("Kwota VAT: ", s.amount("VAT"));
        s.line("Wartość brutto: ", s.amount("BRUTTO"));
        s.line("Dostawca: ", l.company(s.integer("IDFIRMY")));
        s.line("Inne: ", s.text("INNE"));
    } else if (is("DBFProgramy")) {
        p.title = QStringLiteral("Oprogramowanie");
        s.line("Numer ewidencyjny: ", s.text("NREWID"));
        s.line("Numer seryjny: ", s.text("NRSERYJNY"));
        s.line("Nazwa: ", s.text("NAZWA"));
        s.line("Wersja: ", s.text("WERSJA"));
        s.line("Klasyfikacja: ", s.text("KLASOPIS"));
        s.line("Producent: ", s.text("PRODUCENT"));
        s.line("Producent (słownik): ", l.company(s.integer("IDFIRMY")));
        s.line("Inne: ", s.text("INNE"));
    } else if (is("DBFZakupBhp")) {
        p.title = QStringLiteral("Zakup BHP");
        s.line("Nazwa: ", s.text("NAZWA"));
        s.line("Numer ewidencyjny: ", s.text("NREWID"));
        s.line("Cechy: ", s.text("CECHY"));
        s.line("Klasyfikacja: ", s.text("KLASOPIS"));
        s.line("Ilość środka: ", s.amount("ILOSC"));
        s.line("Producent: ", s.text("PRODUCENT"));
        s.line("Numer faktury: ", s.text("NRFAKTURY"));
        s.line("Data zakupu: ", s.date("DATAZAKUPU"));
        s.line("Nr KPiR: ", s.text("NRKPIR"));
        s.line("Wartość netto: ", s.amount("NETTO"));
        s.line("Kwota VAT: ", s.amount("VAT"));
        s.line("Wartość brutto: ", s.amount("BRUTTO"));
        s.line("Dostawca: ", l.company(s.integer("IDFIRMY")));
        s.line("Inne: ", s.text("INNE"));
    } else if (is("DBFBhp")) {
        p.title = QStringLiteral("Środek BHP");
        s.line("Nazwa: ", s.text("NAZWA"));
        s.line("Numer ewidencyjny: ", s.text("NREWID"));
        s.line("Cechy: ", s.text("CECHY"));
        s.line("Klasyfikacja: ", s.text("KLASOPIS"));
        s.line("Ilość na stanie: ", s.amount("ILOSC"));
        s.line("Ilość Przypomnij gdy ilość wyniesie: ", s.amount("PRZYPOMNIJ"));
        s.line("Inne: ", s.text("INNE"));
    } else if (is("DBFDokumenty")) {
        p.title = QStringLiteral("Dokument");
        s.line("Czy termin aktywny?: ", s.flag("ACT"));
        s.line("Numer dokumentu: ", s.text("NUMER"));
        s.line("Data dokumentu: ", s.date("DATADOK"));
        s.line("Termin: ", s.date("TERMIN"));
        s.line("Nazwa dokumentu: ", s.text("NAZWA"));
        s.line("Rodzaj dokumentu: ", s.text("OPIS"));
        s.line("Inne: ", s.text("INNE"));
    } else if (is("DBFRozliczenia")) {
        p.title = QStringLiteral("Rozliczenie");
        orderLines(s, l);
        s.line("Godziny: ", s.amount("GODZINY"));
        s.line("Stawka [zł/h]: ", s.amount("STAWKA"));
        s.line("Wartość: ", s.amount("WARTOSC"));
    } else if (is("DBFZlecenia")) {
        p.title = QStringLiteral("Zlecenie");
        orderLines(s, l);
    } else if (is("DBFHistoria")) {
        p.title = QStringLiteral("Historia");
        s.line("Osoba: ", l.employee(s.text("NREW")));
        s.line("Data od: ", s.date("DATAOD"));
        s.line("Data do: ", s.date("DATADO"));
        s.line("Miejsce: ", s.text("MIEJSCE"));
        s.line("Inne: ", s.text("INNE"));
    } else if (is("DBFZalaczniki")) {
        p.title = QStringLiteral("Załacznik");
        s.line("Data dodania: ", s.date("DATADODANIA"));
        s.line("Nazwa zalacznika: ", s.text("NAZWAZALACZNIKA"));
        s.line("Nazwa pliku: ", s.text("NAZWAPLIKU"));
        s.line("Rodzaj załącznika: ", s.text("RDZAL_O"));
        s.line("Inne: ", s.text("INNE"));
    } else if (is("DBFTerminy")) {
        p.title = QStringLiteral("Termin");
        s.line("Czy termin aktywny?: ", s.flag("ACT"));
        s.line("Rodzaj terminu: ", s.text("KLASYFIKATOR_O"));
        s.line("Data od: ", s.date("DATAOD"));
        s.line("Data do: ", s.date("DATADO"));
        s.line("Opis: ", s.text("OPIS"));
        s.line("Inne: ", s.text("INNE"));
        s.line("Którą date uwzględnić przy sprawdzaniu terminów?: ", s.text("SPRODDO") == QLatin1String("O")
                                                                         ? QStringLiteral("Datę od")
                                                                         : QStringLiteral("Datę do"));
    } else if (is("DBFNaprawy")) {
        p.title = QStringLiteral("Naprawa");
        s.line("Czy termin aktywny?: ", s.flag("ACT"));
        s.line("Termin naprawy: ", s.date("TERMIN"));
        s.line("Opis: ", s.text("OPIS"));
        s.line("Kto dokonał naprawy: ", l.company(s.integer("IDFIRMY")));
        s.line("Numer faktury: ", s.text("NRFAKTURY"));
        s.line("Data naprawy: ", s.date("DATANAPRAWY"));
        s.line("Wartość netto: ", s.amount("NETTO"));
        s.line("Kwota VAT: ", s.amount("VAT"));
        s.line("Wartość brutto: ", s.amount("BRUTTO"));
        s.line("Inne: ", s.text("INNE"));
    } else if (is("DBFMagazyn")) {
        p.title = QStringLiteral("Magazyn");
        s.line("Nazwa zasobu: ", s.text("CZESC"));
        s.line("Ilość - stan magazynowy: ", s.amount("ILOSC"));
        s.line("Przypomnij przy stanie: ", s.amount("PRZYPOMNIJ"));
        s.line("Inne: ", s.text("UWAGI"));
    } else if (is("DBFosobowa")) {
        p.title = QStringLiteral("Pracownik");
        s.line("Numer ewidencyjny: ", s.text("NREW"));
        s.line("NIP: ", s.text("NIP"));
        s.line("Nazwisko i imię: ", s.text("NAZWISKO") + QLatin1Char(' ') + s.text("IMIE"));
        s.line("Dział: ", s.text("DZIAL_O"));
        s.line("Stanowisko: ", s.text("STANOWISKO_O"));
        s.line("Numer pokoju: ", s.text("NRPOKOJU"));
        s.line("Ulica: ", s.text("ADRES"));
        s.line("Numer domu: ", s.text("NUMER"));
        s.line("Miasto: ", s.text("MIASTO"));
        s.line("Kod pocztowy: ", s.text("KOD"));
        s.line("Kraj: ", s.text("KRAJ"));
        s.line("Telefon (-y): ", s.text("TELEFON"));
        s.line("Adres kontaktowy: ", s.text("KONTAKT"));
        s.line("Inne: ", s.text("INNE"));
    } else if (is("DBFFirmy")) {
        p.title = QStringLiteral("Firma");
        const char* const first[][2] = {
            {"Nazwa firmy: ", "NAZWA"}, {"NIP: ", "NIP"},          {"NIP UE: ", "NIPUE"},
            {"REGON: ", "REGON"},       {"Kod pocztowy: ", "KOD"}, {"Miasto: ", "MIASTO"},
            {"Ulica: ", "ULICA"},       {"Numer: ", "NUMER"},      {"Kraj: ", "KRAJ"},
            {"Telefon: ", "TELEFON"},   {"Fax: ", "FAX"},          {"Email: ", "EMAIL"},
            {"WWW: ", "WWW"},           {"Bank: ", "BANK"},        {"Numer konta: ", "ROR"}};
        for (const auto& f : first)
            s.line(f[0], s.text(f[1]));
        s.line("Adres korespondencyjny: ", QString());
        const char* const mail[][2] = {{"Kod pocztowy: ", "KKOD"}, {"Miasto: ", "KMIASTO"},
                                       {"Ulica: ", "KULICA"},      {"Numer: ", "KNUMER"},
                                       {"Kraj: ", "KKRAJ"},        {"Telefon: ", "KTELEFON"},
                                       {"Fax: ", "KFAX"},          {"Email: ", "KEMAIL"}};
        for (const auto& f : mail)
            s.line(f[0], s.text(f[1]));
        s.line("Inne: ", s.text("INNE"));
    } else {
        return {};
    }
    p.lines = s.lines;
    return p;
}
