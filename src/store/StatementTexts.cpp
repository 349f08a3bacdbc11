#include "store/StatementTexts.h"

#include <QHash>

#include <initializer_list>
#include <utility>

// Texts in portable SQL: "||" joins text, literals are single-quoted, tables
// are named without a file suffix, and a column that exists in more than one
// joined table is qualified and given its own name back ("K.NAZWA AS NAZWA"),
// so that grids, conditions and ORDER BY keep using the bare name. Fixed ORDER
// BY terms over text carry the Polish collation.

namespace {
using Line = std::pair<int, const char*>;

// A statement of `count` lines where only the listed lines hold text.
StatementText numbered(const char* name, int count, std::initializer_list<Line> lines, QList<int> values = {})
{
    StatementText t{QString::fromLatin1(name), QStringList(), std::move(values)};
    for (int i = 0; i < count; ++i)
        t.lines << QString();
    for (const Line& l : lines)
        t.lines[l.first] = QString::fromUtf8(l.second);
    return t;
}

// A statement whose lines follow one another; "" marks a slot line.
StatementText plain(const char* name, std::initializer_list<const char*> lines, QList<int> values = {})
{
    StatementText t{QString::fromLatin1(name), QStringList(), std::move(values)};
    for (const char* l : lines)
        t.lines << QString::fromUtf8(l);
    return t;
}

void addLists(std::vector<StatementText>& s)
{
    s.push_back(numbered(
        "DBFKomputery", 17,
        {{0, "SELECT IDKOMPUTERA,K.IDFIRMY AS IDFIRMY,(B.NAZWA||' ('||B.NIP||')') AS FIRMA,"},
         {1, "K.NREW AS NREW,(A.NAZWISKO||' '||A.IMIE||' (nr.ew. '||A.NREW||')') AS PRACOWNIK,"},
         {2, "K.NAZWA AS NAZWA,PRODUCENT,NREWID,NRSERYJNY,STANTECH,DATAPROD,DATAZAKUPU,NETTO,VAT,BRUTTO,"},
         {3, "NRFAKTURY,NRKPIR,LOKALIZACJA,K.INNE AS INNE,KLASYFIKATOR,ARCHIWUM,DATAARCH,PRZYCZYNA,"},
         {4, "L.OPIS AS LOK,R.OPIS AS KLASOPIS FROM"},
         {5, "komputery AS K LEFT OUTER JOIN osobowa AS A ON K.NREW = A.NREW LEFT OUTER"},
         {6, "JOIN firmy AS B ON K.IDFIRMY = B.IDFIRMY LEFT OUTER JOIN slowniki AS L"},
         {7, "ON K.LOKALIZACJA=L.KOD"},
         {8, "LEFT OUTER JOIN slowniki AS R ON R.KOD=K.KLASYFIKATOR"},
         {9, "WHERE 1 = 1"},
         {14, "ORDER BY"}}));

    s.push_back(numbered(
        "DBFSprzet", 17,
        {{0, "SELECT IDSPRZETU,IDKOMPUTERA,S.IDFIRMY AS IDFIRMY,(B.NAZWA||' ('||B.NIP||')') AS FIRMA,"},
         {1, "S.NREW AS NREW,(A.NAZWISKO||' '||A.IMIE||' (nr.ew. '||A.NREW||')') AS PRACOWNIK,S.NAZWA AS "
             "NAZWA,"},
         {2, "PRODUCENT,NREWID,NRSERYJNY,STANTECH,DATAPROD,DATAZAKUPU,NETTO,VAT,BRUTTO,"},
         {3, "NRFAKTURY,NRKPIR,LOKALIZACJA,S.INNE AS INNE,KLASYFIKATOR,ARCHIWUM,DATAARCH,PRZYCZYNA,"},
         {4, "L.OPIS AS LOK,R.OPIS AS KLASOPIS FROM"},
         {5, "sprzet AS S LEFT OUTER JOIN osobowa AS A"},
         {6, "ON S.NREW = A.NREW LEFT OUTER JOIN firmy AS B"},
         {7, "ON S.IDFIRMY = B.IDFIRMY LEFT OUTER JOIN slowniki AS L ON S.LOKALIZACJA=L.KOD"},
         {8, "LEFT OUTER JOIN slowniki AS R ON R.KOD=S.KLASYFIKATOR"},
         {9, "WHERE 1=1"},
         {14, "ORDER BY"}}));

    s.push_back(numbered("DBFProgramy", 15,
                         {{0, "SELECT IDPROGRAMU,P.IDFIRMY AS IDFIRMY,(B.NAZWA||' ('||B.NIP||')') AS FIRMA,"},
                          {1, "P.NAZWA AS NAZWA,PRODUCENT,WERSJA,NREWID,NRSERYJNY,"},
                          {2, "P.INNE AS INNE,KLASYFIKATOR, R.OPIS AS KLASOPIS"},
                          {3, "FROM"},
                          {4, "programy AS P LEFT OUTER JOIN firmy AS B ON P.IDFIRMY = B.IDFIRMY"},
                          {5, "LEFT OUTER JOIN slowniki AS R ON R.KOD=P.KLASYFIKATOR"},
                          {6, "WHERE 1 = 1"},
                          {11, "ORDER BY"}}));

    s.push_back(
        numbered("DBFLicencje", 14,
                 {{0, "SELECT "},
                  {1, "IDLICENCJI,NREWID,TYPLICENCJI,NRLICENCJI,KLUCZ,HASLO,"},
                  {2, "DATAZAKUPU,L.IDFIRMY AS IDFIRMY,(A.NAZWA||' ('||A.NIP||')') AS FIRMA,NETTO,VAT,"},
                  {3, "BRUTTO,NRFAKTURY,NRKPIR,L.INNE AS INNE,ARCHIWUM,DATAARCH,PRZYCZYNA"},
                  {4, "FROM"},
                  {5, "licencje AS L LEFT OUTER JOIN firmy AS A"},
                  {6, "ON L.IDFIRMY = A.IDFIRMY "},
                  {7, "WHERE 1 = 1"},
                  {11, "ORDER BY"}}));

    s.push_back(numbered(
        "DBFTerminy", 24,
        {{0, "SELECT "},
         {1, "IDTERMINU,IDOBIEKTU,CZEGODOTYCZY,ACT,T.KLASYFIKATOR AS KLASYFIKATOR,"},
         {2, "A.OPIS AS KLASYFIKATOR_O,DATAOD,DATADO,SPRODDO,T.OPIS AS OPIS,T.INNE AS INNE,"},
         {3, "L.NREWID AS LNREWID, L.NRLICENCJI AS LOPIS,ACT AS OSOBA,ACT AS LOK,"},
         {4, "K.NREWID AS KNREWID, K.NAZWA AS KOPIS, K.NREW AS KNREW, K.LOKALIZACJA AS KLOKALIZACJA,"},
         {5, "S.NREWID AS SNREWID, S.NAZWA AS SOPIS, S.NREW AS SNREW, S.LOKALIZACJA AS SLOKALIZACJA,"},
         {6, "B.NREWID AS BNREWID, B.NAZWA AS BOPIS FROM "},
         {7, "terminy AS T"},
         {8, "LEFT OUTER JOIN slowniki AS A ON T.KLASYFIKATOR=A.KOD"},
         {9, "LEFT OUTER JOIN licencje AS L ON T.IDOBIEKTU=L.IDLICENCJI"},
         {10, "LEFT OUTER JOIN komputery AS K ON T.IDOBIEKTU=K.IDKOMPUTERA"},
         {11, "LEFT OUTER JOIN sprzet AS S ON T.IDOBIEKTU=S.IDSPRZETU"},
         {12, "LEFT OUTER JOIN bhp AS B ON T.IDOBIEKTU=B.IDBHP WHERE 1=1"},
         {18, "ORDER BY "}}));

    s.push_back(
        numbered("DBFNaprawy", 23,
                 {{0, "SELECT "},
                  {1, "IDNAPRAWY,TERMIN,KOMPSPRZ,IDOBIEKTU,"},
                  {2, "N.IDFIRMY AS IDFIRMY,(A.NAZWA||' ('||A.NIP||')') AS FIRMA,"},
                  {3, "OPIS,N.INNE AS INNE,DATANAPRAWY,N.NETTO AS NETTO,N.VAT AS VAT,N.BRUTTO AS BRUTTO,"
                      "N.NRFAKTURY AS NRFAKTURY,"},
                  {4, "K.NREWID AS KNREWID, K.NAZWA AS KOPIS,"},
                  {5, "S.NREWID AS SNREWID, S.NAZWA AS SOPIS,ACT"},
                  {6, "FROM "},
                  {7, "naprawy AS N"},
                  {8, "LEFT OUTER JOIN firmy AS A ON N.IDFIRMY = A.IDFIRMY "},
                  {9, "LEFT OUTER JOIN komputery AS K ON N.IDOBIEKTU=K.IDKOMPUTERA"},
                  {10, "LEFT OUTER JOIN sprzet AS S ON N.IDOBIEKTU=S.IDSPRZETU"},
                  {11, "WHERE 1=1"},
                  {17, "ORDER BY "}}));

    // OPIS of a document is the text of its kind from the dictionary.
    s.push_back(numbered("DBFDokumenty", 23,
                         {{0, "SELECT"},
                          {1, "IDDOKUMENTU,CZEGODOTYCZY,IDOBIEKTU,"},
                          {2, "DATADOK,TERMIN,D.KLASYFIKATOR AS KLASYFIKATOR,"},
                          {3, "A.OPIS AS OPIS,D.INNE AS INNE,D.NAZWA AS NAZWA,NUMER,"},
                          {4, "K.NREWID AS KNREWID, K.NAZWA AS KOPIS,"},
                          {5, "S.NREWID AS SNREWID, S.NAZWA AS SOPIS,ACT"},
                          {6, "FROM"},
                          {7, "dokumenty AS D"},
                          {8, "LEFT OUTER JOIN slowniki AS A ON D.KLASYFIKATOR = A.KOD"},
                          {9, "LEFT OUTER JOIN komputery AS K ON D.IDOBIEKTU=K.IDKOMPUTERA"},
                          {10, "LEFT OUTER JOIN sprzet AS S ON D.IDOBIEKTU=S.IDSPRZETU"},
                          {11, "WHERE 1=1"},
                          {17, "ORDER BY "}}));

    s.push_back(numbered("DBFHistoria", 23,
                         {{0, "SELECT"},
                          {1, "IDHISTORII,KOMPSPRZ,IDOBIEKTU,"},
                          {2, "DATAOD,DATADO,H.NREW AS NREW,"},
                          {3, "MIEJSCE,H.INNE AS INNE,(NAZWISKO||' '||IMIE) AS PRACOWNIK,"},
                          {4, "K.NREWID AS KNREWID, K.NAZWA AS KOPIS,"},
                          {5, "S.NREWID AS SNREWID, S.NAZWA AS SOPIS,"},
                          {6, "B.NREWID AS BNREWID, B.NAZWA AS BOPIS FROM"},
                          {7, "historia AS H"},
                          {8, "LEFT OUTER JOIN osobowa AS O ON H.NREW=O.NREW"},
                          {9, "LEFT OUTER JOIN komputery AS K ON H.IDOBIEKTU=K.IDKOMPUTERA"},
                          {10, "LEFT OUTER JOIN sprzet AS S ON H.IDOBIEKTU=S.IDSPRZETU"},
                          {11, "LEFT OUTER JOIN bhp AS B ON H.IDOBIEKTU=B.IDBHP WHERE 1=1"},
                          {17, "ORDER BY "}}));

    s.push_back(numbered("DBFZlecenia", 23,
                         {{0, "SELECT"},
                          {1, "IDZLECENIA,CZEGODOTYCZY,IDOBIEKTU,"},
                          {2, "DATAOD,DATADO,RODZAJPRAC,NRDOKUMENTU,"},
                          {3, "Z.OPIS AS OPIS,Z.NREW AS IDPRAC,Z.IDFIRMY AS IDFIRMY,A.OPIS AS RODZAJPRACO,"},
                          {4, "(NAZWISKO||' '||IMIE) AS PRACOWNIK,B.NAZWA AS FIRMA,"},
                          {5, "S.NREWID AS SNREWID, S.NAZWA AS SOPIS"},
                          {6, "FROM zlecenia AS Z"},
                          {7, "LEFT OUTER JOIN slowniki AS A ON Z.RODZAJPRAC = A.KOD"},
                          {8, "LEFT OUTER JOIN firmy AS B ON Z.IDFIRMY = B.IDFIRMY"},
                          {9, "LEFT OUTER JOIN osobowa AS O ON Z.NREW = O.NREW"},
                          {10, "LEFT OUTER JOIN sprzet AS S ON Z.IDOBIEKTU=S.IDSPRZETU"},
                          {11, "WHERE 1=1"},
                          {17, "ORDER BY "}}));

    s.push_back(numbered("DBFRozliczenia", 23,
                         {{0, "SELECT"},
                          {1, "IDROZLICZENIA,CZEGODOTYCZY,IDOBIEKTU,DATAOD,DATADO,RODZAJPRAC,"},
                          {2, "NRDOKUMENTU,GODZINY,STAWKA,(GODZINY*STAWKA) AS WARTOSC,"},
                          {3, "Z.OPIS AS OPIS,Z.NREW AS IDPRAC,Z.IDFIRMY AS IDFIRMY,A.OPIS AS RODZAJPRACO,"},
                          {4, "(NAZWISKO||' '||IMIE) AS PRACOWNIK,B.NAZWA AS FIRMA,"},
                          {5, "S.NREWID AS SNREWID, S.NAZWA AS SOPIS"},
                          {6, "FROM rozliczenia AS Z"},
                          {7, "LEFT OUTER JOIN slowniki AS A ON Z.RODZAJPRAC = A.KOD"},
                          {8, "LEFT OUTER JOIN firmy AS B ON Z.IDFIRMY = B.IDFIRMY"},
                          {9, "LEFT OUTER JOIN osobowa AS O ON Z.NREW = O.NREW"},
                          {10, "LEFT OUTER JOIN sprzet AS S ON Z.IDOBIEKTU=S.IDSPRZETU"},
                          {11, "WHERE 1=1"},
                          {17, "ORDER BY "}}));

    s.push_back(numbered("DBFZalaczniki", 35,
                         {{0, "SELECT "},
                          {2, "IDZALACZNIKA,IDOBIEKTU,CZEGODOTYCZY,"},
                          {3, "NAZWAZALACZNIKA,RDZAL,A.OPIS AS RDZAL_O,"},
                          {4, "DATADODANIA,NAZWAPLIKU,Z.INNE AS INNE,"},
                          {5, "L.NREWID AS LNREWID, L.NRLICENCJI AS LOPIS,"},
                          {6, "K.NREWID AS KNREWID, K.NAZWA AS KOPIS,"},
                          {7, "S.NREWID AS SNREWID, S.NAZWA AS SOPIS,"},
                          {8, "B.NREWID AS BNREWID, B.NAZWA AS BOPIS,"},
                          {9, "P.NREWID AS PNREWID, P.NAZWA AS POPIS "},
                          {11, "FROM zalaczniki AS Z"},
                          {13, "LEFT OUTER JOIN slowniki AS A ON Z.RDZAL=A.KOD"},
                          {14, "LEFT OUTER JOIN licencje AS L ON Z.IDOBIEKTU=L.IDLICENCJI"},
                          {15, "LEFT OUTER JOIN komputery AS K ON Z.IDOBIEKTU=K.IDKOMPUTERA"},
                          {16, "LEFT OUTER JOIN sprzet AS S ON Z.IDOBIEKTU=S.IDSPRZETU"},
                          {17, "LEFT OUTER JOIN bhp AS B ON Z.IDOBIEKTU=B.IDBHP "},
                          {18, "LEFT OUTER JOIN programy AS P ON Z.IDOBIEKTU=P.IDPROGRAMU"},
                          {20, "WHERE 1=1"},
                          {27, "ORDER BY "}}));

    s.push_back(numbered("DBFMagazyn", 15,
                         {{0, "SELECT"},
                          {2, "ID,CZESC,ILOSC,PRZYPOMNIJ,UWAGI"},
                          {4, "FROM"},
                          {5, "magazyn"},
                          {6, "WHERE 1 = 1"},
                          {11, "ORDER BY"}}));

    // The stock list's three reserved slots, copied onto lines 1 to 3.
    s.push_back(numbered("DBFMagazynSUMA", 4, {{0, "SELECT COUNT(*) FROM magazyn WHERE 1 = 1"}}));

    s.push_back(numbered("DBFBhp", 17,
                         {{0, "SELECT IDBHP,"},
                          {1, "NAZWA,CECHY,NREWID,INNE,"},
                          {2, "KLASYFIKATOR,ILOSC, PRZYPOMNIJ,"},
                          {3, "R.OPIS AS KLASOPIS FROM bhp AS S "},
                          {4, "LEFT OUTER JOIN slowniki AS R ON R.KOD=S.KLASYFIKATOR"},
                          {7, "WHERE 1=1"},
                          {14, "ORDER BY"}}));

    s.push_back(numbered("DBFZakupBhp", 16,
                         {{0, "SELECT IDZAKUPBHP,Z.IDFIRMY AS IDFIRMY,(B.NAZWA||' ('||B.NIP||')') AS FIRMA,"},
                          {1, "Z.NAZWA AS NAZWA,CECHY,PRODUCENT,NREWID,DATAZAKUPU,NETTO,VAT,BRUTTO,"},
                          {2, "NRFAKTURY,NRKPIR,Z.INNE AS INNE,KLASYFIKATOR,ILOSC,"},
                          {4, "R.OPIS AS KLASOPIS FROM zakupbhp AS Z "},
                          {5, "LEFT OUTER JOIN firmy AS B ON Z.IDFIRMY = B.IDFIRMY"},
                          {6, "LEFT OUTER JOIN slowniki AS R ON R.KOD=Z.KLASYFIKATOR"},
                          {7, "WHERE 1=1"},
                          {13, "ORDER BY"}}));

    s.push_back(numbered("DBFosobowa", 11,
                         {{0, "SELECT NREW,NAZWISKO,IMIE,NIP,DZIAL,A.OPIS AS DZIAL_O,"},
                          {1, "STANOWISKO,B.OPIS AS STANOWISKO_O,NRPOKOJU,ADRES,NUMER,"},
                          {2, "O.KOD AS KOD,MIASTO,KRAJ,TELEFON,KONTAKT,INNE FROM osobowa "},
                          {3, "AS O LEFT OUTER JOIN slowniki AS A ON O.DZIAL=A.KOD"},
                          {4, "LEFT OUTER JOIN slowniki AS B ON O.STANOWISKO=B.KOD"},
                          {5, "WHERE 1 = 1"},
                          {7, "ORDER BY "}}));

    s.push_back(numbered("DBFFirmy", 9,
                         {{0, "SELECT IDFIRMY,NAZWA,KOD,MIASTO,ULICA,NUMER,KRAJ,NIP,NIPUE,"},
                          {1, "REGON,BANK,ROR,TELEFON,FAX,EMAIL,WWW,KKOD,KMIASTO,"},
                          {2, "KULICA,KNUMER,KKRAJ,KTELEFON,KFAX,KEMAIL,INNE FROM firmy"},
                          {3, "WHERE IDFIRMY<>1"},
                          {5, "ORDER BY "}}));

    s.push_back(numbered("DBFUzytkownicy", 15,
                         {{0, "SELECT IDKOMPUTERA,R.NREW AS NREW,LOGIN,HASLO,R.OPIS AS OPIS,R.INNE AS INNE,"},
                          {1, "(NAZWISKO||' '||IMIE) AS PRACOWNIK,"},
                          {2, "NIP,A.OPIS AS DZIAL,B.OPIS AS STANOWISKO,NRPOKOJU FROM "},
                          {3, "r_kompprac AS R LEFT OUTER JOIN osobowa AS O ON O.NREW=R.NREW"},
                          {4, "LEFT OUTER JOIN slowniki AS A ON O.DZIAL=A.KOD"},
                          {5, "LEFT OUTER JOIN slowniki AS B ON O.STANOWISKO=B.KOD"},
                          {6, "WHERE 1=1"},
                          {9, "ORDER BY "}}));

    s.push_back(numbered("DBFUzywajacy", 15,
                         {{0, "SELECT IDSPRZETU,R.NREW AS NREW,R.OPIS AS OPIS,R.INNE AS INNE,"},
                          {1, "(NAZWISKO||' '||IMIE) AS PRACOWNIK,"},
                          {2, "NIP,A.OPIS AS DZIAL,B.OPIS AS STANOWISKO,NRPOKOJU FROM "},
                          {3, "r_sprzprac AS R LEFT OUTER JOIN osobowa AS O ON O.NREW=R.NREW"},
                          {4, "LEFT OUTER JOIN slowniki AS A ON O.DZIAL=A.KOD"},
                          {5, "LEFT OUTER JOIN slowniki AS B ON O.STANOWISKO=B.KOD"},
                          {6, "WHERE O.NREW=R.NREW"},
                          {9, "ORDER BY "}}));

    s.push_back(numbered("DBFPosiadajacy", 15,
                         {{0, "SELECT IDBHP,R.NREW AS NREW,R.INNE AS INNE,ILOSC,DATAOD,DATADO,"},
                          {1, "(NAZWISKO||' '||IMIE) AS PRACOWNIK,"},
                          {2, "NIP,A.OPIS AS DZIAL,B.OPIS AS STANOWISKO,NRPOKOJU FROM"},
                          {3, "r_bhpprac AS R LEFT OUTER JOIN osobowa AS O ON O.NREW=R.NREW"},
                          {4, "LEFT OUTER JOIN slowniki AS A ON O.DZIAL=A.KOD"},
                          {5, "LEFT OUTER JOIN slowniki AS B ON O.STANOWISKO=B.KOD"},
                          {6, "WHERE O.NREW=R.NREW"},
                          {9, "ORDER BY"}}));

    s.push_back(numbered("DBFLicProg", 15,
                         {{0, "SELECT "},
                          {1, "R.IDLICENCJI AS IDLICENCJI,NRLICENCJI,"},
                          {2, "R.IDPROGRAMU AS IDPROGRAMU,NAZWA,WERSJA,L.ARCHIWUM AS ARCHIWUM,"},
                          {3, "WIELOSTAN,ILOSCLIC"},
                          {4, "FROM "},
                          {5, "r_licprog AS R"},
                          {6, "LEFT OUTER JOIN programy AS P ON R.IDPROGRAMU=P.IDPROGRAMU"},
                          {7, "LEFT OUTER JOIN licencje AS L ON R.IDLICENCJI=L.IDLICENCJI"},
                          {8, "WHERE 1=1"},
                          {12, "ORDER BY "}}));

    s.push_back(numbered(
        "DBFLicKomp", 16,
        {{0, "SELECT "},
         {1, "O.IDLICENCJI AS IDLICENCJI,NRLICENCJI,L.NREWID AS LNREWID,L.DATAZAKUPU AS LDATAZAKUPU,"},
         {2, "O.IDPROGRAMU AS IDPROGRAMU,NAZWA,WERSJA,IDKOMPUTERA,L.NETTO AS LNETTO, L.NRKPIR AS LNRKPIR"},
         {3, "FROM r_lickomp AS O"},
         {4, "LEFT OUTER JOIN r_licprog AS R "},
         {5, "ON (O.IDLICENCJI=R.IDLICENCJI AND O.IDPROGRAMU=R.IDPROGRAMU)"},
         {6, "LEFT OUTER JOIN programy AS P ON R.IDPROGRAMU=P.IDPROGRAMU"},
         {7, "LEFT OUTER JOIN licencje AS L ON R.IDLICENCJI=L.IDLICENCJI"},
         {8, "WHERE 1=1"},
         {13, "ORDER BY "}}));
}

// Lookup lists of the editors and filters; a dictionary's entries are always
// listed by OPIS.
void addLookups(std::vector<StatementText>& s)
{
    const auto dictionary = [](const char* name, const char* condition) {
        return plain(name, {"SELECT KOD,OPIS FROM slowniki ", condition, "ORDER BY OPIS COLLATE PL"});
    };
    s.push_back(dictionary("DBFKlasyfikator", "WHERE IDSLOWNIK = :PARAM0"));
    s.push_back(dictionary("DBFKlasFiltr", "WHERE IDSLOWNIK = :PARAM0"));
    s.push_back(dictionary("DBFStantech", "WHERE IDSLOWNIK = 'STANT'"));
    s.push_back(dictionary("DBFRodzLic", "WHERE IDSLOWNIK = 'TYPLI'"));
    s.push_back(dictionary("DBFRdZal", "WHERE IDSLOWNIK = 'RDZAL'"));
    s.push_back(plain("DBFStawkiVAT", {"SELECT OPIS FROM slowniki ", "WHERE IDSLOWNIK = 'STVAT'",
                                       "ORDER BY OPIS COLLATE PL"}));
    s.push_back(dictionary("DBFLokalizacje", "WHERE IDSLOWNIK = 'LOKAL'"));
    s.push_back(dictionary("DBFDzial", "WHERE IDSLOWNIK = 'DZIAL'"));
    s.push_back(dictionary("DBFStanowisko", "WHERE IDSLOWNIK = 'STANO'"));

    s.push_back(plain("DBFDostawcy", {"SELECT  IDFIRMY,(NAZWA||' ('||NIP||')') AS DOSTAWCA FROM firmy ",
                                      "WHERE IDFIRMY > 0", "ORDER BY DOSTAWCA COLLATE PL"}));
    const char* employees =
        "SELECT  NREW,(NAZWISKO||' '||IMIE||' (nr.ew. '||NREW||')') AS PRACOWNIK FROM osobowa ";
    s.push_back(plain("DBFPracownicy", {employees, "ORDER BY PRACOWNIK COLLATE PL"}));
    s.push_back(plain("DBFPracownicy2", {employees, "ORDER BY PRACOWNIK COLLATE PL"}));

    s.push_back(
        plain("DBFKompSprzet",
              {"SELECT IDKOMPUTERA,NREWID,(NAZWA||' ('||NREWID||') '||PRODUCENT) AS KOMPUTER FROM komputery",
               "WHERE ARCHIWUM = 'N'", "ORDER BY NREWID COLLATE PL"}));
    s.push_back(plain("DBFZlecSprzet",
                      {"SELECT IDSPRZETU,NREWID,(NAZWA||' ('||NREWID||') '||PRODUCENT) AS SPRZET FROM sprzet",
                       "ORDER BY NREWID COLLATE PL"}));

    // Line 5: the licence (programs) or program (licences) key, -1 for none.
    s.push_back(
        plain("DBFListaProg",
              {"SELECT IDPROGRAMU,(NAZWA || ' ' || WERSJA) AS PROGRAM", "FROM programy AS P",
               "WHERE NOT EXISTS", "(SELECT * FROM r_licprog AS R",
               "WHERE R.IDPROGRAMU=P.IDPROGRAMU AND R.IDLICENCJI=", "", ")", "ORDER BY PROGRAM COLLATE PL"},
              {5}));
    s.push_back(
        plain("DBFListaLic",
              {"SELECT IDLICENCJI,NRLICENCJI", "FROM licencje AS L", "WHERE ARCHIWUM='N' AND NOT EXISTS",
               "(SELECT * FROM r_licprog AS R", "WHERE R.IDLICENCJI=L.IDLICENCJI AND R.IDPROGRAMU=", "", ")",
               "ORDER BY NRLICENCJI COLLATE PL"},
              {5}));
}

void addDictionaryAndProperties(std::vector<StatementText>& s)
{
    // Rebuilt by the dictionary editor; line 5 is the condition.
    s.push_back(plain("DBFSlowniki", {"SELECT", "KOD, OPIS, UZUP1, UZUP2", "FROM", "slowniki", "WHERE",
                                      "IDSLOWNIK = :PARAM0", "ORDER BY", "OPIS COLLATE PL"}));
    s.push_back(plain("DBFInsertSlowniki", {"INSERT INTO slowniki(IDSLOWNIK, OPIS, UZUP1, UZUP2) ",
                                            "VALUES (:PARAM0, :PARAM1, :PARAM2, :PARAM3)"}));
    s.push_back(plain("DBFUpdateSlowniki",
                      {"UPDATE slowniki", "set IDSLOWNIK = :PARAM0,", "OPIS = :PARAM1,", "UZUP1 = :PARAM2,",
                       "UZUP2 = :PARAM3", "WHERE KOD = ", ""},
                      {6}));
    s.push_back(plain("DBFDeleteSlowniki", {"DELETE FROM slowniki WHERE KOD =", ""}, {1}));

    s.push_back(plain("DBFNazwaWlasciwosci",
                      {"SELECT LP,NAZWA FROM nazwawlasciwosci",
                       "WHERE KOMPSPRZET=:PARAM0 AND IDSLOWNIKA=", "", "ORDER BY LP"},
                      {2}));
    s.push_back(plain("DBFUpdateNazwaWlasciwosci",
                      {"UPDATE nazwawlasciwosci SET NAZWA=:PARAM0", "WHERE KOMPSPRZET=:PARAM1 AND LP=", "",
                       "AND IDSLOWNIKA=", ""},
                      {2, 4}));
    s.push_back(plain(
        "DBFWlasciwosci",
        {"SELECT LP,WARTOSC FROM wlasciwosci", "WHERE KOMPSPRZET=:PARAM0 AND IDOBIEKTU=", "", "ORDER BY LP"},
        {2}));
    s.push_back(plain("DBFUpdateWlasciwosci",
                      {"UPDATE wlasciwosci SET WARTOSC=:PARAM0", "WHERE KOMPSPRZET=:PARAM1 AND LP=", "",
                       "AND IDOBIEKTU=", ""},
                      {2, 4}));

    s.push_back(plain("DBFUnactiveTerminy",
                      {"UPDATE terminy set ACT='N' WHERE CZEGODOTYCZY=:PARAM0", "AND IDOBIEKTU=", ""}, {2}));
}

void addUsersAndRights(std::vector<StatementText>& s)
{
    s.push_back(plain("DBFUserzy", {"SELECT * from userzy ORDER BY NAZWA COLLATE PL"}));
    s.push_back(plain("DBFUser", {"SELECT * FROM", "userzy WHERE NAZWA=:PARAM0"}));
    // The login reads the account by name; the password is checked against
    // the stored hash in code.
    s.push_back(plain("DBFLogin", {"SELECT * FROM", "userzy WHERE NAZWA=:PARAM0"}));
    s.push_back(plain("DBFInsertUserzy",
                      {"INSERT INTO userzy (NAZWA,HASLO,OPIS)", "VALUES (:PARAM0,:PARAM1,:PARAM2)"}));
    s.push_back(plain("DBFUpdateUserzy",
                      {"UPDATE userzy SET", "HASLO=:PARAM0, OPIS=:PARAM1", "WHERE NAZWA=:PARAM2"}));
    s.push_back(plain("DBFUpdateUserzyOpis", {"UPDATE userzy SET", "OPIS=:PARAM1", "WHERE NAZWA=:PARAM2"}));
    s.push_back(plain("DBFDeleteUserzy", {"DELETE FROM userzy", "WHERE NAZWA = :PARAM0"}));

    s.push_back(plain("DBFRights", {"SELECT * FROM uprawnienia WHERE NAZWA=:PARAM0"}));
    s.push_back(plain("DBFFindRights", {"SELECT * FROM uprawnienia WHERE NAZWA=:PARAM0", "AND UPR=:PARAM1"}));
    s.push_back(
        plain("DBFInsertRights", {"INSERT INTO uprawnienia (NAZWA,UPR)", "VALUES  (:PARAM0, :PARAM1)"}));
    s.push_back(
        plain("DBFDeleteRights", {"DELETE FROM uprawnienia", "WHERE NAZWA = :PARAM0", "AND UPR = :PARAM1"}));
    s.push_back(plain("DBFDeleteAllRights", {"DELETE FROM uprawnienia", "WHERE NAZWA = :PARAM0"}));
}

// Writes of the employee and company registers. Every typed text is a
// parameter; the old employee number is the update's key (:PARAM13), so a
// changed number is written over the row it came from.
void addPeopleAndCompanyWrites(std::vector<StatementText>& s)
{
    s.push_back(plain("DBFInsertOsobowa",
                      {"INSERT INTO osobowa(NREW,NAZWISKO,IMIE,ADRES,NUMER,KOD,MIASTO,",
                       "KRAJ,TELEFON,KONTAKT,INNE,NIP,NRPOKOJU,DZIAL,STANOWISKO) VALUES (",
                       ":PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,:PARAM5,:PARAM6,",
                       ":PARAM7,:PARAM8,:PARAM9,:PARAM10,:PARAM11,:PARAM12,", "", ",", "", ")"},
                      {4, 6}));
    s.push_back(plain("DBFUpdateOsobowa",
                      {"UPDATE osobowa SET ", "NREW=:PARAM0,NAZWISKO=:PARAM1,IMIE=:PARAM2,ADRES=:PARAM3,",
                       "NUMER=:PARAM4,KOD=:PARAM5,MIASTO=:PARAM6,KRAJ=:PARAM7,TELEFON=:PARAM8,",
                       "KONTAKT=:PARAM9,INNE=:PARAM10,NIP=:PARAM11,NRPOKOJU=:PARAM12", ",DZIAL=", "",
                       ",STANOWISKO=", "", "WHERE NREW=:PARAM13"},
                      {5, 7}));
    s.push_back(
        plain("DBFInsertFirmy", {"INSERT INTO firmy(NAZWA,KOD,MIASTO,ULICA,NUMER,KRAJ,NIP,NIPUE,REGON,",
                                 "BANK,ROR,TELEFON,FAX,EMAIL,WWW,KKOD,KMIASTO,KULICA,KNUMER,KKRAJ,",
                                 "KTELEFON,KFAX,KEMAIL,INNE) VALUES (",
                                 ":PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,:PARAM5,:PARAM6,:PARAM7,:PARAM8,",
                                 ":PARAM9,:PARAM10,:PARAM11,:PARAM12,:PARAM13,:PARAM14,:PARAM15,:PARAM16,",
                                 ":PARAM17,:PARAM18,:PARAM19,:PARAM20,:PARAM21,:PARAM22,:PARAM23)"}));
    s.push_back(plain("DBFUpdateFirmy",
                      {"UPDATE firmy SET NAZWA=:PARAM0,KOD=:PARAM1,",
                       "MIASTO=:PARAM2,ULICA=:PARAM3,NUMER=:PARAM4,KRAJ=:PARAM5,",
                       "NIP=:PARAM6,NIPUE=:PARAM7,REGON=:PARAM8,BANK=:PARAM9,ROR=:PARAM10,",
                       "TELEFON=:PARAM11,FAX=:PARAM12,EMAIL=:PARAM13,WWW=:PARAM14,",
                       "KKOD=:PARAM15,KMIASTO=:PARAM16,KULICA=:PARAM17,KNUMER=:PARAM18,",
                       "KKRAJ=:PARAM19,KTELEFON=:PARAM20,KFAX=:PARAM21,KEMAIL=:PARAM22,INNE=:PARAM23",
                       "WHERE IDFIRMY=", ""},
                      {7}));
}

// Bulk clearing of the administration function.
void addAdministration(std::vector<StatementText>& s)
{
    s.push_back(plain("emptySlownik", {"DELETE FROM slowniki WHERE IDSLOWNIK = :PARAM0"}));
    s.push_back(plain("emptyWlasciwosci", {"DELETE FROM wlasciwosci WHERE KOMPSPRZET = :PARAM0"}));
    s.push_back(plain("emptyNazwaWlasciwosci", {"DELETE FROM nazwawlasciwosci WHERE KOMPSPRZET = :PARAM0"}));
    s.push_back(plain("emptyFirmy", {"DELETE FROM firmy WHERE IDFIRMY<>1"}));
    s.push_back(
        plain("emptyFirma", {"UPDATE firmy SET ", "NAZWA='',", "KOD='',",     "MIASTO='',", "KRAJ='',",
                             "ULICA='',",         "NUMER='',", "NIP='',",     "NIPUE='',",  "REGON='',",
                             "BANK='',",          "ROR='',",   "TELEFON='',", "FAX='',",    "EMAIL='',",
                             "WWW='',",           "KKOD='',",  "KMIASTO='',", "KULICA='',", "KNUMER='',",
                             "KTELEFON='',",      "KFAX='',",  "KEMAIL='',",  "KKRAJ='',",  "INNE=''",
                             "WHERE IDFIRMY=1"}));
}

// Writes of the computers register and the liquidation of assets.
void addAssetWrites(std::vector<StatementText>& s)
{
    s.push_back(plain("DBFInsertKomputery",
                      {"INSERT INTO komputery(",
                       "IDFIRMY,NREW,NAZWA,PRODUCENT,NREWID,NRSERYJNY,STANTECH,",
                       "DATAPROD,DATAZAKUPU,NETTO,VAT,BRUTTO,NRFAKTURY,INNE,NRKPIR,",
                       "KLASYFIKATOR,LOKALIZACJA,ARCHIWUM,DATAARCH,PRZYCZYNA",
                       ") VALUES (",
                       "",
                       ",:PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,",
                       "",
                       ",",
                       "",
                       ",",
                       "",
                       ",",
                       "",
                       ",",
                       "",
                       ",",
                       "",
                       ",:PARAM5,:PARAM6,:PARAM7,",
                       "",
                       ",",
                       "",
                       ",'N',0,'')"},
                      {5, 7, 9, 11, 13, 15, 17, 19, 21}));
    s.push_back(plain("DBFUpdateKomputery",
                      {"UPDATE komputery set ",
                       "NREW=:PARAM0,",
                       "NAZWA=:PARAM1,",
                       "PRODUCENT=:PARAM2,",
                       "NREWID=:PARAM3,",
                       "NRSERYJNY=:PARAM4,",
                       "NRFAKTURY=:PARAM5,",
                       "INNE=:PARAM6,NRKPIR=:PARAM7",
                       ",IDFIRMY=",
                       "",
                       ",STANTECH=",
                       "",
                       ",DATAPROD=",
                       "",
                       ",DATAZAKUPU=",
                       "",
                       ",NETTO=",
                       "",
                       ",VAT=",
                       "",
                       ",BRUTTO=",
                       "",
                       ",KLASYFIKATOR=",
                       "",
                       ",LOKALIZACJA=",
                       "",
                       "WHERE IDKOMPUTERA=",
                       ""},
                      {9, 11, 13, 15, 17, 19, 21, 23, 25, 27}));
    // Users of a computer (r_kompprac): the computer key on its own line.
    s.push_back(plain("DBFCountKompPrac",
                      {"SELECT COUNT(*) AS ILE FROM r_kompprac WHERE IDKOMPUTERA=", "", "AND NREW=:PARAM0"},
                      {1}));
    s.push_back(plain("DBFInsertKompPrac",
                      {"INSERT INTO r_kompprac(", "IDKOMPUTERA,NREW,LOGIN,HASLO,OPIS,INNE,ACT) VALUES (", "",
                       ",:PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,'T')"},
                      {2}));
    s.push_back(plain("DBFUpdateKompPrac",
                      {"UPDATE r_kompprac set ", "LOGIN=:PARAM0,", "HASLO=:PARAM1,", "OPIS=:PARAM2,",
                       "INNE=:PARAM3", "WHERE NREW=:PARAM4 AND IDKOMPUTERA=", ""},
                      {6}));
    s.push_back(plain("DBFDeleteKompPrac",
                      {"DELETE FROM r_kompprac WHERE IDKOMPUTERA= ", "", "AND NREW=:PARAM0"}, {1}));
    s.push_back(plain("DBFInsertSprzet",
                      {"INSERT INTO sprzet(",
                       "IDFIRMY,NREW,NAZWA,PRODUCENT,NREWID,NRSERYJNY,STANTECH,",
                       "DATAPROD,DATAZAKUPU,NETTO,VAT,BRUTTO,NRFAKTURY,INNE,NRKPIR,",
                       "KLASYFIKATOR,ARCHIWUM,DATAARCH,PRZYCZYNA,IDKOMPUTERA,LOKALIZACJA",
                       ") VALUES (",
                       "",
                       ",:PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,",
                       "",
                       ",",
                       "",
                       ",",
                       "",
                       ",",
                       "",
                       ",",
                       "",
                       ",",
                       "",
                       ",:PARAM5,:PARAM6,:PARAM7,",
                       "",
                       ",'N',0,'',",
                       "",
                       ",",
                       "",
                       ")"},
                      {5, 7, 9, 11, 13, 15, 17, 19, 21, 23}));
    s.push_back(plain("DBFUpdateSprzet",
                      {"UPDATE sprzet set ",
                       "NREW=:PARAM0,",
                       "NAZWA=:PARAM1,",
                       "PRODUCENT=:PARAM2,",
                       "NREWID=:PARAM3,",
                       "NRSERYJNY=:PARAM4,",
                       "NRFAKTURY=:PARAM5,",
                       "INNE=:PARAM6,NRKPIR=:PARAM7",
                       ",IDFIRMY=",
                       "",
                       ",STANTECH=",
                       "",
                       ",DATAPROD=",
                       "",
                       ",DATAZAKUPU=",
                       "",
                       ",NETTO=",
                       "",
                       ",VAT=",
                       "",
                       ",BRUTTO=",
                       "",
                       ",KLASYFIKATOR=",
                       "",
                       ",IDKOMPUTERA=",
                       "",
                       ",LOKALIZACJA=",
                       "",
                       "WHERE IDSPRZETU=",
                       ""},
                      {9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29}));
    // Users of an item of equipment (r_sprzprac): the item key on its own line.
    s.push_back(plain("DBFCountSprzPrac",
                      {"SELECT COUNT(*) AS ILE FROM r_sprzprac WHERE IDSPRZETU=", "", "AND NREW=:PARAM0"},
                      {1}));
    s.push_back(plain("DBFInsertSprzPrac",
                      {"INSERT INTO r_sprzprac(", "IDSPRZETU,NREW,OPIS,INNE,ACT) VALUES (", "",
                       ",:PARAM0,:PARAM1,:PARAM2,'T')"},
                      {2}));
    s.push_back(plain("DBFUpdateSprzPrac",
                      {"UPDATE r_sprzprac set ", "", "", "OPIS=:PARAM0,", "INNE=:PARAM1",
                       "WHERE NREW=:PARAM2 AND IDSPRZETU=", ""},
                      {6}));
    s.push_back(plain("DBFDeleteSprzPrac",
                      {"DELETE FROM r_sprzprac WHERE IDSPRZETU= ", "", "AND NREW=:PARAM0"}, {1}));
    // Work orders and settlements of equipment: :PARAM0 the kind letter "S" on insert.
    s.push_back(plain("DBFInsertZlecenia",
                      {"INSERT INTO zlecenia(", "IDOBIEKTU,IDFIRMY,DATAOD,DATADO,RODZAJPRAC,",
                       "CZEGODOTYCZY,NRDOKUMENTU,NREW,OPIS) VALUES (", "", ",", "", ",", "", ",", "", ",", "",
                       ",:PARAM0,:PARAM1,:PARAM2,:PARAM3)"},
                      {3, 5, 7, 9, 11}));
    s.push_back(
        plain("DBFInsertRozliczenia",
              {"INSERT INTO rozliczenia(", "IDOBIEKTU,IDFIRMY,DATAOD,DATADO,RODZAJPRAC,GODZINY,STAWKA,",
               "CZEGODOTYCZY,NRDOKUMENTU,NREW,OPIS) VALUES (", "", ",", "", ",", "", ",", "", ",", "", ",",
               "", ",", "", ",:PARAM0,:PARAM1,:PARAM2,:PARAM3)"},
              {3, 5, 7, 9, 11, 13, 15}));
    s.push_back(plain("DBFUpdateZlecenia",
                      {"UPDATE zlecenia set", "NRDOKUMENTU=:PARAM0,", "NREW=:PARAM1,", "OPIS=:PARAM2,",
                       "IDFIRMY=", "", ",IDOBIEKTU=", "", ",DATAOD=", "", ",DATADO=", "", ",RODZAJPRAC=", "",
                       "WHERE IDZLECENIA=", ""},
                      {5, 7, 9, 11, 13, 15}));
    s.push_back(plain("DBFUpdateRozliczenia",
                      {"UPDATE rozliczenia set",
                       "NRDOKUMENTU=:PARAM0,",
                       "NREW=:PARAM1,",
                       "OPIS=:PARAM2,",
                       "IDFIRMY=",
                       "",
                       ",IDOBIEKTU=",
                       "",
                       ",DATAOD=",
                       "",
                       ",DATADO=",
                       "",
                       ",RODZAJPRAC=",
                       "",
                       ",GODZINY=",
                       "",
                       ",STAWKA=",
                       "",
                       "WHERE IDROZLICZENIA=",
                       ""},
                      {5, 7, 9, 11, 13, 15, 17, 19}));
    // A licence installed on a computer: program, licence and computer keys.
    s.push_back(
        plain("DBFDeleteLicKomp",
              {"DELETE FROM r_lickomp WHERE IDPROGRAMU= ", "", "AND IDLICENCJI=", "", "AND IDKOMPUTERA=", ""},
              {1, 3, 5}));
    // Line 4: the liquidation date, line 6: the key.
    const auto liquidation = [](const char* name, const char* table, const char* key) {
        return plain(name, {table, "ARCHIWUM='T',", "PRZYCZYNA=:PARAM0,", "DATAARCH=", "", key, ""}, {4, 6});
    };
    s.push_back(liquidation("DBFLikwidacjaKomputery", "UPDATE komputery set ", "WHERE IDKOMPUTERA="));
    s.push_back(liquidation("DBFLikwidacjaSprzet", "UPDATE sprzet set ", "WHERE IDSPRZETU="));
    s.push_back(liquidation("DBFLikwidacjaLicencje", "UPDATE licencje set ", "WHERE IDLICENCJI="));
}

// Writes of the programs and licences registers, the licence-program links and
// the installations of a link on computers.
void addSoftwareWrites(std::vector<StatementText>& s)
{
    s.push_back(
        plain("DBFInsertProgramy",
              {"INSERT INTO programy(", "IDFIRMY,NAZWA,PRODUCENT,WERSJA,NREWID,NRSERYJNY,INNE,KLASYFIKATOR",
               ") VALUES (", "", ",:PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,:PARAM5,", "", ")"},
              {3, 5}));
    s.push_back(plain("DBFUpdateProgramy",
                      {"UPDATE programy set ", "NAZWA=:PARAM0,", "PRODUCENT=:PARAM1,", "WERSJA=:PARAM2,",
                       "NREWID=:PARAM3,", "NRSERYJNY=:PARAM4,", "INNE=:PARAM5", ",IDFIRMY=", "",
                       ",KLASYFIKATOR=", "", "WHERE IDPROGRAMU=", ""},
                      {8, 10, 12}));
    s.push_back(plain("DBFInsertLicencje",
                      {"INSERT INTO licencje(", "NREWID,NRLICENCJI,KLUCZ,HASLO,NRFAKTURY,NRKPIR,INNE,",
                       "TYPLICENCJI,DATAZAKUPU,IDFIRMY,NETTO,VAT,BRUTTO,ARCHIWUM,DATAARCH,PRZYCZYNA",
                       ") VALUES (", ":PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,:PARAM5,:PARAM6,", "", ",", "",
                       ",", "", ",", "", ",", "", ",", "", ",'N',0,'')"},
                      {5, 7, 9, 11, 13, 15}));
    s.push_back(plain("DBFUpdateLicencje",
                      {"UPDATE licencje set ",
                       "NREWID=:PARAM0,",
                       "NRLICENCJI=:PARAM1,",
                       "KLUCZ=:PARAM2,",
                       "HASLO=:PARAM3,",
                       "NRFAKTURY=:PARAM4,",
                       "NRKPIR=:PARAM5,",
                       "INNE=:PARAM6",
                       ",TYPLICENCJI=",
                       "",
                       ",DATAZAKUPU=",
                       "",
                       ",IDFIRMY=",
                       "",
                       ",NETTO=",
                       "",
                       ",VAT=",
                       "",
                       ",BRUTTO=",
                       "",
                       "WHERE IDLICENCJI=",
                       ""},
                      {9, 11, 13, 15, 17, 19, 21}));

    // Line 2: program, 4: licence, 6: the count; :PARAM0 "T" for an unlimited licence.
    s.push_back(plain("DBFInsertLicProg",
                      {"INSERT INTO r_licprog(", "IDPROGRAMU,IDLICENCJI,ILOSCLIC,WIELOSTAN,ACT) VALUES (", "",
                       ",", "", ",", "", ",:PARAM0,'T')"},
                      {2, 4, 6}));
    s.push_back(plain("DBFUpdateLicProg",
                      {"UPDATE r_licprog set ", "WIELOSTAN=:PARAM0,", "ILOSCLIC=", "",
                       "WHERE IDPROGRAMU=", "", "AND IDLICENCJI=", ""},
                      {3, 5, 7}));
    s.push_back(plain("DBFDeleteLicProg",
                      {"DELETE FROM r_licprog WHERE IDPROGRAMU= ", "", "AND IDLICENCJI=", ""}, {1, 3}));
    // Every installation of a link, on any computer.
    s.push_back(plain("DBFDeleteLicKompProg",
                      {"DELETE FROM r_lickomp WHERE ", "IDPROGRAMU=", "", "AND IDLICENCJI=", ""}, {2, 4}));
    // The seats of a link, read inside the installation's write transaction.
    s.push_back(plain(
        "DBFLicProgMiejsca",
        {"SELECT ILOSCLIC,WIELOSTAN FROM r_licprog WHERE ACT='T' AND IDLICENCJI=", "", "AND IDPROGRAMU=", ""},
        {1, 3}));
    s.push_back(plain("DBFCountLicKompKomp",
                      {"SELECT COUNT(*) AS ILE FROM r_lickomp WHERE IDLICENCJI=", "", "AND IDPROGRAMU=", "",
                       "AND IDKOMPUTERA=", ""},
                      {1, 3, 5}));
    s.push_back(plain(
        "DBFCountLicKomp",
        {"SELECT COUNT(*) AS ILE FROM r_lickomp WHERE ACT='T' AND IDLICENCJI=", "", " AND IDPROGRAMU=", ""},
        {1, 3}));
    s.push_back(plain("DBFInsertLicKomp",
                      {"INSERT INTO r_lickomp(", "IDPROGRAMU,IDLICENCJI,IDKOMPUTERA,ACT) VALUES (", "", ",",
                       "", ",", "", ",'T')"},
                      {2, 4, 6}));
}

// Sources of the deadline check; the upper and lower bounds of the due window
// go on their own lines.
void addDeadlineChecks(std::vector<StatementText>& s)
{
    const auto deadlines = [](const char* name, const char* column, const char* from, const char* after,
                              const char* which, const char* order) {
        return plain(name,
                     {"SELECT ", "IDTERMINU,T.IDOBIEKTU AS IDOBIEKTU,", "T.CZEGODOTYCZY AS CZEGODOTYCZY,",
                      column, "T.OPIS AS OPIS,S.OPIS AS KLASYFIKATOR",
                      "FROM terminy AS T LEFT OUTER JOIN slowniki AS S ON S.KOD=T.KLASYFIKATOR", from, "",
                      after, "", which, order},
                     {7, 9});
    };
    s.push_back(deadlines("DBFdatyTerminarzDTOD", "T.DATAOD AS DATAOD,", "WHERE T.DATAOD <=",
                          "AND T.DATAOD >", "AND T.SPRODDO='O' AND T.ACT='T'", "ORDER BY T.DATAOD DESC"));
    s.push_back(deadlines("DBFdatyTerminarzDTDO", "T.DATADO AS DATADO,", "WHERE T.DATADO <=",
                          "AND T.DATADO >", "AND T.SPRODDO='D' AND T.ACT='T'", "ORDER BY T.DATADO DESC"));
    // The company's name is the only column taken from the join.
    s.push_back(plain("DBFdatyNaprawy",
                      {"SELECT N.*,F.NAZWA AS NAZWA FROM naprawy AS N LEFT OUTER JOIN firmy AS F ON "
                       "F.IDFIRMY=N.IDFIRMY WHERE TERMIN <=",
                       "", "AND TERMIN >", "", "AND ACT='T' ORDER BY TERMIN DESC"},
                      {1, 3}));
    s.push_back(plain("DBFdatyDokumenty",
                      {"SELECT * FROM dokumenty WHERE TERMIN <=", "", "AND TERMIN >", "",
                       "AND ACT='T' ORDER BY TERMIN DESC"},
                      {1, 3}));
    s.push_back(plain("DBFdatyStanBHP",
                      {"SELECT R.IDBHP AS IDBHP,NREWID,NAZWA,DATADO,",
                       "(NAZWISKO||' '||IMIE||' ('||R.NREW||')') AS PRACOWNIK,R.NREW AS RNREW", "FROM",
                       "r_bhpprac AS R LEFT OUTER JOIN osobowa AS O ON O.NREW=R.NREW",
                       "LEFT OUTER JOIN bhp AS B ON R.IDBHP=B.IDBHP", "WHERE DATADO <=", "", "AND DATADO >",
                       "", "ORDER BY", "NAZWA COLLATE PL,NREWID COLLATE PL,PRACOWNIK COLLATE PL"},
                      {6, 8}));
}

// Rows written from the sub-record tabs of the asset editors and the
// registers of deadlines, repairs, documents, history and attachments.
void addSubRecordWrites(std::vector<StatementText>& s)
{
    s.push_back(plain("DBFInsertTerminy",
                      {"INSERT INTO terminy(", "IDOBIEKTU,KLASYFIKATOR,DATAOD,DATADO,",
                       "CZEGODOTYCZY,ACT,SPRODDO,OPIS,INNE) VALUES (", "", ",", "", ",", "", ",", "",
                       ",:PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4)"},
                      {3, 5, 7, 9}));
    s.push_back(
        plain("DBFUpdateTerminy",
              {"UPDATE terminy set ", "ACT=:PARAM0,", "SPRODDO=:PARAM1,", "OPIS=:PARAM2,", "INNE=:PARAM3,",
               "KLASYFIKATOR=", "", ",DATAOD=", "", ",DATADO=", "", "WHERE IDTERMINU=", ""},
              {6, 8, 10, 12}));
    s.push_back(plain("DBFDeleteTerminy", {"DELETE FROM terminy WHERE IDTERMINU= ", ""}, {1}));

    s.push_back(plain("DBFInsertNaprawy",
                      {"INSERT INTO naprawy(", "TERMIN,IDOBIEKTU,IDFIRMY,DATANAPRAWY,NETTO,VAT,BRUTTO,",
                       "KOMPSPRZ,OPIS,INNE,NRFAKTURY,ACT) VALUES (", "", ",", "", ",", "", ",", "", ",", "",
                       ",", "", ",", "", ",:PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4)"},
                      {3, 5, 7, 9, 11, 13, 15}));
    s.push_back(plain("DBFUpdateNaprawy",
                      {"UPDATE naprawy set ", "OPIS=:PARAM0,", "INNE=:PARAM1,",
                       "NRFAKTURY=:PARAM2,ACT=:PARAM3,", "TERMIN=", "", ",IDFIRMY=", "", ",DATANAPRAWY=", "",
                       ",NETTO=", "", ",VAT=", "", ",BRUTTO=", "", "WHERE IDNAPRAWY=", ""},
                      {5, 7, 9, 11, 13, 15, 17}));
    s.push_back(plain("DBFDeleteNaprawy", {"DELETE FROM naprawy WHERE IDNAPRAWY= ", ""}, {1}));

    s.push_back(plain("DBFInsertDokumenty",
                      {"INSERT INTO dokumenty(", "IDOBIEKTU,DATADOK,TERMIN,KLASYFIKATOR,",
                       "CZEGODOTYCZY,NAZWA,NUMER,INNE,ACT) VALUES (", "", ",", "", ",", "", ",", "",
                       ",:PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4)"},
                      {3, 5, 7, 9}));
    s.push_back(plain("DBFUpdateDokumenty",
                      {"UPDATE dokumenty set", "NAZWA=:PARAM0,", "NUMER=:PARAM1,",
                       "INNE=:PARAM2,ACT=:PARAM3,", "DATADOK=", "", ",TERMIN=", "", ",KLASYFIKATOR=", "", "",
                       "", "", "", "", "", "", "WHERE IDDOKUMENTU=", ""},
                      {5, 7, 9, 18}));
    s.push_back(plain("DBFDeleteDokumenty", {"DELETE FROM dokumenty WHERE IDDOKUMENTU= ", ""}, {1}));

    s.push_back(
        plain("DBFInsertHistoria",
              {"INSERT INTO historia(", "IDOBIEKTU,DATAOD,DATADO,", "KOMPSPRZ,NREW,MIEJSCE,INNE) VALUES (",
               "", ",", "", ",", "", ",:PARAM0,:PARAM1,:PARAM2,:PARAM3)"},
              {3, 5, 7}));
    s.push_back(plain("DBFUpdateHistoria",
                      {"UPDATE historia set", "NREW=:PARAM0,", "MIEJSCE=:PARAM1,", "INNE=:PARAM2,", "DATAOD=",
                       "", ",DATADO=", "", "", "", "", "", "", "", "", "", "WHERE IDHISTORII=", ""},
                      {5, 7, 17}));
    s.push_back(plain("DBFDeleteHistoria", {"DELETE FROM historia WHERE IDHISTORII= ", ""}, {1}));

    // The file name is written once the file is stored under it.
    s.push_back(plain("DBFInsertZalaczniki",
                      {"INSERT INTO zalaczniki(", "IDOBIEKTU,DATADODANIA,RDZAL,",
                       "CZEGODOTYCZY,NAZWAZALACZNIKA,NAZWAPLIKU,INNE) VALUES (", "", ",", "", ",", "",
                       ",:PARAM0,:PARAM1,'',:PARAM2)"},
                      {3, 5, 7}));
    s.push_back(plain("DBFUpdateZalacznikiNazwaPliku",
                      {"UPDATE zalaczniki SET ", "", "NAZWAPLIKU=:PARAM0", "", "WHERE IDZALACZNIKA=", "", ""},
                      {6}));
    s.push_back(plain("DBFUpdateZalaczniki",
                      {"UPDATE zalaczniki SET ", "", "NAZWAZALACZNIKA=:PARAM0,", "NAZWAPLIKU=:PARAM1,",
                       "INNE=:PARAM2,", "RDZAL=", "", ",DATADODANIA=", "", "", "WHERE IDZALACZNIKA=", "", ""},
                      {6, 8, 12}));
    s.push_back(plain("DBFDeleteZalaczniki", {"DELETE FROM zalaczniki WHERE IDZALACZNIKA= ", ""}, {1}));
}

// Items, holdings, purchases and the resource store.
void addBhpWrites(std::vector<StatementText>& s)
{
    s.push_back(plain("DBFInsertBhp",
                      {"INSERT INTO bhp(NAZWA,CECHY,NREWID,INNE,KLASYFIKATOR,ILOSC,PRZYPOMNIJ) VALUES ",
                       "(:PARAM0,:PARAM1,:PARAM2,:PARAM3,", "", ",", "", ",", "", ")"},
                      {2, 4, 6}));
    s.push_back(
        plain("DBFUpdateBhp",
              {"UPDATE bhp SET NAZWA=:PARAM0, CECHY=:PARAM1, NREWID=:PARAM2, INNE=:PARAM3, KLASYFIKATOR=", "",
               " ,ILOSC=", "", " ,PRZYPOMNIJ=", "", " WHERE IDBHP=", ""},
              {1, 3, 5, 7}));
    s.push_back(plain("DBFInsertPosiadajacy",
                      {"INSERT INTO r_bhpprac(IDBHP,DATAOD,DATADO,ILOSC,NREW,INNE) VALUES (", "", ",", "",
                       ",", "", ",", "", ",:PARAM0,:PARAM1)"},
                      {1, 3, 5, 7}));
    s.push_back(plain("DBFUpdatePosiadajacy",
                      {"UPDATE r_bhpprac set INNE=:PARAM0 ,DATAOD=", "", " ,DATADO=", "", " ,ILOSC=", "",
                       " WHERE NREW=:PARAM1 AND IDBHP=", ""},
                      {1, 3, 5, 7}));
    s.push_back(
        plain("DBFDeletePosiadajacy", {"DELETE FROM r_bhpprac WHERE IDBHP=", "", " AND NREW=:PARAM0"}, {1}));
    s.push_back(plain("DBFCountPosiadajacy",
                      {"SELECT COUNT(*) AS ILE FROM r_bhpprac WHERE IDBHP=", "", " AND NREW=:PARAM0"}, {1}));
    s.push_back(plain(
        "DBFSumaPosiadajacy",
        {"SELECT COUNT(*) AS ILE,SUM(ILOSC) AS SUMA FROM r_bhpprac WHERE 1 = 1", "AND IDBHP=", ""}, {2}));

    s.push_back(plain(
        "DBFInsertZakupBhp",
        {"INSERT INTO zakupbhp(NAZWA,CECHY,PRODUCENT,NREWID,NRFAKTURY,INNE,NRKPIR,IDFIRMY,DATAZAKUPU,",
         "NETTO,VAT,BRUTTO,KLASYFIKATOR,ILOSC) VALUES (:PARAM0,:PARAM1,:PARAM2,:PARAM3,:PARAM4,:PARAM5,",
         ":PARAM6,", "", ",", "", ",", "", ",", "", ",", "", ",", "", ",", "", ")"},
        {3, 5, 7, 9, 11, 13, 15}));
    s.push_back(plain("DBFUpdateZakupBhp",
                      {"UPDATE zakupbhp set NAZWA=:PARAM0, CECHY=:PARAM1, PRODUCENT=:PARAM2, NREWID=:PARAM3,",
                       " NRFAKTURY=:PARAM4, INNE=:PARAM5, NRKPIR=:PARAM6 ,IDFIRMY=", "", " ,DATAZAKUPU=", "",
                       " ,NETTO=", "", " ,VAT=", "", " ,BRUTTO=", "", " ,KLASYFIKATOR=", "", " ,ILOSC=", "",
                       " WHERE IDZAKUPBHP=", ""},
                      {2, 4, 6, 8, 10, 12, 14, 16}));

    s.push_back(plain(
        "DBFInsertMagazyn",
        {"INSERT INTO magazyn(CZESC,UWAGI,ILOSC,PRZYPOMNIJ) VALUES (:PARAM0,:PARAM1,", "", ",", "", ")"},
        {1, 3}));
    s.push_back(plain("DBFUpdateMagazyn",
                      {"UPDATE magazyn SET CZESC=:PARAM0, UWAGI=:PARAM1, ILOSC=", "", " ,PRZYPOMNIJ=", "",
                       " WHERE ID=", ""},
                      {1, 3, 5}));
    // The needs check of the start-up: items at or below their reminder level.
    s.push_back(plain(
        "DBFSprawdzBhp",
        {"SELECT ILOSC,NREWID,NAZWA,CECHY FROM bhp WHERE ILOSC<=PRZYPOMNIJ ORDER BY NAZWA COLLATE PL"}));
}

// Sources of the report catalogue. Conditions and sort go on their own lines;
// ambiguous columns are qualified so that the catalogue's conditions, which
// use the base table's alias, stay unambiguous.
void addReportSources(std::vector<StatementText>& s)
{
    // Line 6: date, 7: archive, 8: number, 10: sort.
    s.push_back(
        plain("DBFRapKomp", {"SELECT IDKOMPUTERA,(A.NAZWA||' ('||A.NIP||')') AS IDF,(B.NAZWISKO||' "
                             "'||B.IMIE||' (nr.ew. '||B.NREW||')') AS NRE,",
                             "K.NAZWA AS NAZWA,PRODUCENT,NREWID,NRSERYJNY,C.OPIS AS "
                             "STA,DATAPROD,DATAZAKUPU,NETTO,VAT,BRUTTO,NRFAKTURY,"
                             "NRKPIR,D.OPIS AS LOK,K.INNE AS INNE,E.OPIS AS KLA,ARCHIWUM,DATAARCH,PRZYCZYNA",
                             "FROM komputery AS K LEFT OUTER JOIN firmy AS A ON K.IDFIRMY = A.IDFIRMY LEFT "
                             "OUTER JOIN osobowa AS B ON "
                             "K.NREW = B.NREW",
                             "LEFT OUTER JOIN slowniki AS C ON K.STANTECH=C.KOD LEFT OUTER JOIN slowniki AS "
                             "D ON K.LOKALIZACJA=D.KOD",
                             "LEFT OUTER JOIN slowniki AS E ON K.KLASYFIKATOR=E.KOD", "WHERE 1 = 1", "", "",
                             "", "ORDER BY", "NREWID COLLATE PL"}));
    s.push_back(plain(
        "DBFRapSprzet",
        {"SELECT IDSPRZETU,(A.NAZWA||' ('||A.NIP||')') AS IDF,(B.NAZWISKO||' '||B.IMIE||' (nr.ew. "
         "'||B.NREW||')') AS NRE,",
         "K.NAZWA AS NAZWA,K.PRODUCENT AS PRODUCENT,K.NREWID AS NREWID,K.NRSERYJNY AS NRSERYJNY,C.OPIS AS "
         "STA,"
         "K.DATAPROD AS DATAPROD,K.DATAZAKUPU AS DATAZAKUPU,K.NETTO AS NETTO,K.VAT AS VAT,K.BRUTTO AS BRUTTO,"
         "K.NRFAKTURY AS NRFAKTURY,K.NRKPIR AS NRKPIR,D.OPIS AS LOK,K.INNE AS INNE,K.KLASYFIKATOR AS "
         "KLASYFIKATOR,"
         "E.OPIS AS KLA,K.ARCHIWUM AS ARCHIWUM,K.DATAARCH AS DATAARCH,K.PRZYCZYNA AS PRZYCZYNA,"
         "(F.NAZWA||' ('||F.NREWID||') '||F.PRODUCENT) AS IDK",
         "FROM sprzet AS K LEFT OUTER JOIN firmy AS A ON K.IDFIRMY = A.IDFIRMY LEFT OUTER JOIN osobowa AS B "
         "ON "
         "K.NREW = B.NREW",
         "LEFT OUTER JOIN slowniki AS C ON K.STANTECH=C.KOD LEFT OUTER JOIN slowniki AS D ON "
         "K.LOKALIZACJA=D.KOD",
         "LEFT OUTER JOIN slowniki AS E ON K.KLASYFIKATOR=E.KOD LEFT OUTER JOIN komputery AS F ON "
         "K.IDKOMPUTERA=F.IDKOMPUTERA WHERE 1=1",
         "", "", "", "", "ORDER BY", "NREWID COLLATE PL"}));
    // Line 5: date, 6: archive, 7: number, 9: sort.
    s.push_back(
        plain("DBFRapOprog",
              {"SELECT R.IDPROGRAMU AS IDPROGRAMU,R.IDLICENCJI AS IDLICENCJI,WIELOSTAN,ILOSCLIC,L.NREWID AS "
               "LNREWID,"
               "A.OPIS AS TYPL,NRLICENCJI,KLUCZ,HASLO,L.DATAZAKUPU AS DATAZAKUPU,(B.NAZWA||' ('||B.NIP||')') "
               "AS IDFI,",
               "NETTO,VAT,BRUTTO,NRFAKTURY,NRKPIR,L.INNE AS LINNE,ARCHIWUM,DATAARCH,PRZYCZYNA,"
               "(C.NAZWA||' ('||C.NIP||')') AS PIDFI,P.NAZWA AS NAZWA,WERSJA,P.NREWID AS PNREWID,NRSERYJNY,"
               "P.INNE AS PINNE,D.OPIS AS KLAS,PRODUCENT",
               "FROM r_licprog AS R LEFT OUTER JOIN programy AS P ON R.IDPROGRAMU=P.IDPROGRAMU LEFT OUTER "
               "JOIN licencje AS "
               "L ON R.IDLICENCJI=L.IDLICENCJI",
               "LEFT OUTER JOIN slowniki AS A ON L.TYPLICENCJI=A.KOD LEFT OUTER JOIN firmy AS B ON "
               "L.IDFIRMY=B.IDFIRMY",
               "LEFT OUTER JOIN firmy AS C ON P.IDFIRMY=C.IDFIRMY LEFT OUTER JOIN slowniki AS D ON "
               "P.KLASYFIKATOR=D.KOD "
               "WHERE 1=1",
               "", "", "", "ORDER BY", "NAZWA COLLATE PL"}));
    // Line 1: licence key, 3: program key.
    s.push_back(
        plain("DBFRapOprogKomp",
              {"SELECT NREWID,NAZWA,DATAZAKUPU,PRODUCENT,A.OPIS AS LOK FROM r_lickomp AS R LEFT OUTER JOIN "
               "komputery AS K ON R.IDKOMPUTERA=K.IDKOMPUTERA LEFT OUTER JOIN slowniki AS A ON "
               "K.LOKALIZACJA=A.KOD WHERE R.IDLICENCJI=",
               "", "AND R.IDPROGRAMU=", "", "AND ARCHIWUM='N' ORDER BY NREWID COLLATE PL"},
              {1, 3}));
    s.push_back(plain("DBFWolneLic",
                      {"SELECT R.IDLICENCJI AS IDLICENCJI,R.IDPROGRAMU AS IDPROGRAMU,NAZWA,WERSJA,NRLICENCJI,"
                       "L.NREWID AS NREWID,WIELOSTAN,ILOSCLIC",
                       "FROM r_licprog AS R, programy AS P, licencje AS L",
                       "WHERE R.IDLICENCJI=L.IDLICENCJI AND R.IDPROGRAMU=P.IDPROGRAMU AND R.ACT='T'",
                       "ORDER BY NAZWA COLLATE PL"}));
    // Seats of one licence and program taken by active installations.
    s.push_back(plain(
        "DBFWolneLicIlosc",
        {"SELECT COUNT(*) AS ILE FROM r_lickomp WHERE ACT='T' AND IDLICENCJI=", "", "AND IDPROGRAMU=", ""},
        {1, 3}));
    // Current items: range, above and below on lines 1-3, 5-7 and 9-11.
    s.push_back(plain(
        "DBFSpis1",
        {"SELECT DATAZAKUPU,NREWID,NRFAKTURY,NRKPIR,NETTO,BRUTTO,NAZWA FROM komputery WHERE ARCHIWUM='N'", "",
         "", "",
         "UNION ALL SELECT DATAZAKUPU,NREWID,NRFAKTURY,NRKPIR,NETTO,BRUTTO,NAZWA FROM sprzet WHERE "
         "ARCHIWUM='N'",
         "", "", "",
         "UNION ALL SELECT DATAZAKUPU,NREWID,NRFAKTURY,NRKPIR,NETTO,BRUTTO,NRLICENCJI AS NAZWA FROM "
         "licencje WHERE ARCHIWUM='N'",
         "", "", "", "ORDER BY NREWID COLLATE PL"}));
    // Current computers and equipment an employee uses (:PARAM0 the employee).
    s.push_back(
        plain("DBFPracKomp",
              {"SELECT R.IDKOMPUTERA AS IDKOMPUTERA,NAZWA,PRODUCENT,DATAZAKUPU,NREWID,NRSERYJNY,NRKPIR,NETTO",
               "FROM r_kompprac AS R LEFT OUTER JOIN komputery AS K ON R.IDKOMPUTERA=K.IDKOMPUTERA",
               "WHERE R.NREW=:PARAM0 AND ARCHIWUM='N'", "ORDER BY NREWID COLLATE PL"}));
    s.push_back(
        plain("DBFPracSprz",
              {"SELECT R.IDSPRZETU AS IDSPRZETU,NAZWA,PRODUCENT,DATAZAKUPU,NREWID,NRSERYJNY,NRKPIR,NETTO",
               "FROM r_sprzprac AS R LEFT OUTER JOIN sprzet AS S ON R.IDSPRZETU=S.IDSPRZETU",
               "WHERE R.NREW=:PARAM0 AND ARCHIWUM='N'", "ORDER BY NREWID COLLATE PL"}));
    // BHP items held by employees; line 5 condition, line 7 sort.
    s.push_back(plain(
        "DBFPracBhp",
        {"SELECT B.NAZWA AS NAZWA,(NAZWISKO||' '||IMIE) AS PRACOWNIK,DATAOD,DATADO,NREWID,R.NREW AS NREW,"
         "R.INNE AS PINNE,CECHY,S.OPIS AS KLASOPIS,R.ILOSC AS PILOSC",
         "FROM r_bhpprac AS R LEFT OUTER JOIN bhp AS B ON R.IDBHP=B.IDBHP",
         "LEFT OUTER JOIN osobowa AS O ON O.NREW=R.NREW",
         "LEFT OUTER JOIN slowniki AS S ON B.KLASYFIKATOR=S.KOD", "WHERE 1=1", "", "ORDER BY",
         "NAZWA COLLATE PL"}));
    // Items liquidated in the period: the range on lines 1, 3 and 5.
    s.push_back(plain(
        "DBFSpis2",
        {"SELECT DATAARCH,NREWID,PRZYCZYNA,L.OPIS AS LOK FROM komputery LEFT OUTER JOIN slowniki AS L ON "
         "LOKALIZACJA=L.KOD WHERE ARCHIWUM='T'",
         "",
         "UNION ALL SELECT DATAARCH,NREWID,PRZYCZYNA,L.OPIS AS LOK FROM sprzet LEFT OUTER JOIN "
         "slowniki AS L ON LOKALIZACJA=L.KOD WHERE ARCHIWUM='T'",
         "",
         "UNION ALL SELECT DATAARCH,NREWID,PRZYCZYNA,'Oprogramowanie komputerowe' AS LOK FROM licencje "
         "WHERE ARCHIWUM='T'",
         "", "ORDER BY NREWID COLLATE PL"}));
}

std::vector<StatementText> build()
{
    std::vector<StatementText> s;
    addLists(s);
    addLookups(s);
    addPeopleAndCompanyWrites(s);
    addDictionaryAndProperties(s);
    addUsersAndRights(s);
    addAdministration(s);
    addAssetWrites(s);
    addSoftwareWrites(s);
    addDeadlineChecks(s);
    addSubRecordWrites(s);
    addBhpWrites(s);
    addReportSources(s);
    return s;
}
} // namespace

const std::vector<StatementText>& allStatementTexts()
{
    static const std::vector<StatementText> texts = build();
    return texts;
}

const StatementText* findStatementText(const QString& name)
{
    static const QHash<QString, const StatementText*> byName = [] {
        QHash<QString, const StatementText*> map;
        for (const StatementText& t : allStatementTexts())
            map.insert(t.name, &t);
        return map;
    }();
    return byName.value(name, nullptr);
}

QStringList statementLines(const QString& name)
{
    const StatementText* t = findStatementText(name);
    return t ? t->lines : QStringList();
}
