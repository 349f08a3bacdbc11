#include "registers/RegisterCatalog.h"

namespace {
GridColumn col(const char* field, const char* title, int width, ColumnFormat format = ColumnFormat::Text)
{
    return GridColumn{QLatin1String(field), QString::fromUtf8(title), width, format};
}
GridColumn date(const char* field, const char* title, int width)
{
    return col(field, title, width, ColumnFormat::Date);
}
GridColumn amount(const char* field, const char* title, int width)
{
    return col(field, title, width, ColumnFormat::Amount);
}
GridColumn label(const char* field, const char* title, int width)
{
    return col(field, title, width, ColumnFormat::ObjectLabel);
}

// Computers and other equipment share their columns; only the widths differ.
QList<GridColumn> assetColumns(bool computers)
{
    auto w = [computers](int k, int s) { return computers ? k : s; };
    return {col("NREWID", "Nr ewid.", w(110, 118)),
            col("NAZWA", "Nazwa", w(155, 199)),
            col("PRODUCENT", "Producent", w(138, 154)),
            col("PRACOWNIK", "Odpowiedzialny", 189),
            col("NRSERYJNY", "Nr seryjny", w(153, 151)),
            date("DATAZAKUPU", "Data zakup.", w(102, 98)),
            amount("NETTO", "Netto", w(81, 83)),
            amount("VAT", "", w(77, 75)),
            amount("BRUTTO", "Brutto", w(81, 78)),
            col("FIRMA", "Dostarczył", 193),
            col("LOK", "Lokalizacja", w(122, 146)),
            col("KLASOPIS", "Klasyfikator", w(170, 174)),
            col("INNE", "Inne", 292),
            date("DATAARCH", "Likw.?", 93),
            col("PRZYCZYNA", "Przyczyna likwidacji", 242)};
}

QList<RegisterList> build()
{
    QList<RegisterList> lists;
    auto add = [&lists](const char* list, const char* grid, const char* page, const char* subPage,
                        const char* key, int read, int write, QList<GridColumn> columns) {
        lists << RegisterList{QLatin1String(list),
                              QLatin1String(grid),
                              QLatin1String(page),
                              QLatin1String(subPage),
                              QLatin1String(key),
                              read,
                              write,
                              std::move(columns)};
    };
    // Registration order of the grid layouts.
    add("DBFKomputery", "KomputeryGrid", "komputery", "", "IDKOMPUTERA", 1, 2, assetColumns(true));
    add("DBFosobowa", "osobowaGrid", "Slowniki", "slOsobowa", "NREW", 12, -1,
        {col("NREW", "Nr ewid.", 131), col("NAZWISKO", "Nazwisko", 179, ColumnFormat::EmployeeName),
         col("NIP", "", 116), col("DZIAL_O", "Dział", 179), col("STANOWISKO_O", "Stanowisko", 147),
         col("NRPOKOJU", "Nr pokoju", 71)});
    add("DBFFirmy", "firmyGrid", "Slowniki", "SlFirmy", "IDFIRMY", 12, -1,
        {col("NAZWA", "Nazwa", 219), col("MIASTO", "Miejscowość", 161), col("NIP", "", 130),
         col("NIPUE", "NIP UE", 110), col("TELEFON", "Telefon", 134), col("WWW", "", 220)});
    add("DBFProgramy", "programyGrid", "oprogramowanie", "programy", "IDPROGRAMU", 3, 4,
        {col("NREWID", "Nr ewid.", 118), col("NAZWA", "Nazwa", 207), col("WERSJA", "Wersja", 96),
         col("NRSERYJNY", "Nr seryjny", 164), col("PRODUCENT", "Producent", 192),
         col("KLASOPIS", "Klasyfikator", 153), col("FIRMA", "Firma", 200), col("INNE", "Inne", 292)});
    // The licence VAT column has no design width: the grid's default of 64.
    add("DBFLicencje", "LicencjeGrid", "oprogramowanie", "licencje", "IDLICENCJI", 3, 4,
        {col("NREWID", "Nr ewid.", 115), col("NRLICENCJI", "Nr licencji", 155),
         date("DATAZAKUPU", "Data zakup.", 95), amount("NETTO", "Netto", 77), amount("VAT", "", 64),
         amount("BRUTTO", "Brutto", 77), col("FIRMA", "Dostarczył", 193), col("INNE", "Inne", 292),
         date("DATAARCH", "Likw.?", 91), col("PRZYCZYNA", "Przyczyna likwidacji", 242)});
    add("DBFSprzet", "SprzetGrid", "sprzet", "", "IDSPRZETU", 5, 6, assetColumns(false));
    // OSOBA and LOK are removed at the first paint (TfMain::hideFirstPaintPanels).
    add("DBFTerminy", "terminyGrid", "Dodatkowe", "DodatkoweTerminarz", "IDTERMINU", 7, 8,
        {col("ACT", "Akt?", 39), date("DATAOD", "Data od", 94), date("DATADO", "Data do", 95),
         label("CZEGODOTYCZY", "Dotyczy (nr.ewid)", 212), col("KLASYFIKATOR_O", "Rodzaj terminu", 215),
         col("OPIS", "Opis", 259), col("INNE", "Inne", 209), col("OSOBA", "Osoba odpowiedzialna", 189),
         col("LOK", "Lokalizacja", 229)});
    add("DBFNaprawy", "NaprawyGrid", "Dodatkowe", "DodatkoweNaprawy", "IDNAPRAWY", 9, 10,
        {col("ACT", "Akt?", 44), date("TERMIN", "Termin", 92),
         col("KOMPSPRZ", "Dotyczy (nr ewid.)", 186, ColumnFormat::RepairLabel), col("OPIS", "Opis", 259),
         date("DATANAPRAWY", "Data napr.", 102), amount("NETTO", "Netto", 78), amount("VAT", "Vat", 78),
         amount("BRUTTO", "Brutto", 78), col("INNE", "Inne", 243)});
    add("DBFDokumenty", "DokumentyGrid", "Dodatkowe", "dodatkoweDokumenty", "IDDOKUMENTU", 16, 17,
        {col("ACT", "Akt?", 45), col("NUMER", "Numer dokumentu", 137), date("DATADOK", "Data", 93),
         label("CZEGODOTYCZY", "Dotyczy (nr ewid.)", 179), col("NAZWA", "Nazwa dokumentu", 234),
         date("TERMIN", "Termin", 96), col("OPIS", "Rodzaj dokumentu", 239), col("INNE", "Inne", 243)});
    add("DBFHistoria", "historiaGrid", "Dodatkowe", "DodatkoweHistoria", "IDHISTORII", 18, 19,
        {label("KOMPSPRZ", "Dotyczy (nr ewid.)", 177), col("PRACOWNIK", "Osoba użytkująca", 163),
         date("DATAOD", "Data od", 96), date("DATADO", "Data do", 96),
         col("MIEJSCE", "Miejsce użytkowania", 190), col("INNE", "Inne", 243)});
    add("DBFZlecenia", "zleceniaGrid", "Dodatkowe", "DodatkoweZlecenia", "IDZLECENIA", 20, 21,
        {label("CZEGODOTYCZY", "Dotyczy (nr ewid.)", 183), col("NRDOKUMENTU", "Nr dokumentu", 141),
         col("RODZAJPRACO", "Rodzaj prac", 204), date("DATAOD", "Data od", 98), date("DATADO", "Data do", 93),
         col("PRACOWNIK", "Osoba", 180), col("FIRMA", "Firma", 239)});
    add("DBFRozliczenia", "rozliczeniaGrid", "Dodatkowe", "DodatkoweRozliczenia", "IDROZLICZENIA", 22, 23,
        {label("CZEGODOTYCZY", "Dotyczy (nr ewid.)", 184), col("NRDOKUMENTU", "Nr dokumentu", 180),
         col("RODZAJPRACO", "Rodzaj prac", 172), date("DATAOD", "Data od", 102),
         date("DATADO", "Data do", 98), amount("GODZINY", "Godzin", 75), amount("STAWKA", "zł/h", 80),
         amount("WARTOSC", "Wartość", 86), col("PRACOWNIK", "Osoba", 180), col("FIRMA", "Firma", 239)});
    add("DBFBhp", "BHPGrid", "bhp", "odziezSrodki", "IDBHP", 24, 25,
        {col("NAZWA", "Nazwa", 207), col("NREWID", "Nr ewid.", 115), col("CECHY", "Cechy", 198),
         amount("ILOSC", "Ilość", 69), amount("PRZYPOMNIJ", "Przypomnij", 96),
         col("KLASOPIS", "Klasyfikator", 197), col("INNE", "Inne", 292)});
    add("DBFZakupBhp", "ZakupBhpGrid", "bhp", "zakupBhp", "IDZAKUPBHP", 24, 25,
        {col("NREWID", "Nr ewid.", 120), col("NAZWA", "Nazwa", 180), col("CECHY", "Cechy", 242),
         col("PRODUCENT", "Producent", 165), date("DATAZAKUPU", "Data zakup.", 99),
         amount("NETTO", "Netto", 80), amount("VAT", "", 88), amount("BRUTTO", "Brutto", 87),
         amount("ILOSC", "Ilość", 96), col("FIRMA", "Dostarczył", 193), col("NRFAKTURY", "Nr faktury", 137),
         col("KLASOPIS", "Klasyfikator", 188), col("INNE", "Inne", 292)});
    add("DBFMagazyn", "magazynGrid", "Dodatkowe", "dodatkoweMagazyn", "ID", 26, 27,
        {col("CZESC", "Nazwa części", 261), amount("ILOSC", "Ilość", 93),
         amount("PRZYPOMNIJ", "Przypomnij", 97), col("UWAGI", "Inne", 264)});
    add("DBFZalaczniki", "zalacznikiGrid", "Dodatkowe", "DodatkoweZalaczniki", "IDZALACZNIKA", 28, 29,
        {date("DATADODANIA", "Dodano", 106), col("NAZWAZALACZNIKA", "Nazwa załącznika", 285),
         label("CZEGODOTYCZY", "Dotyczy (nr.ewid)", 210), col("RDZAL_O", "Rodzaj załącznika", 215),
         col("NAZWAPLIKU", "Nazwa pliku", 259), col("INNE", "Inne", 209)});
    return lists;
}
} // namespace

namespace RegisterCatalog {
const QList<RegisterList>& all()
{
    static const QList<RegisterList> lists = build();
    return lists;
}

const RegisterList* byList(const QString& list)
{
    for (const RegisterList& r : all())
        if (r.list == list)
            return &r;
    return nullptr;
}

const RegisterList* byGrid(const QString& grid)
{
    for (const RegisterList& r : all())
        if (r.grid == grid)
            return &r;
    return nullptr;
}

const RegisterList* byPage(const QString& page, const QString& subPage)
{
    for (const RegisterList& r : all())
        if (r.page == page && r.subPage == subPage)
            return &r;
    return nullptr;
}

QList<GridColumn> columns(const QString& list)
{
    const RegisterList* r = byList(list);
    return r ? r->columns : QList<GridColumn>();
}
} // namespace RegisterCatalog
