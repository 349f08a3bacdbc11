#include "registers/ColumnSums.h"

#include "registers/TfMain.h"
#include "registers/TfSumy.h"
#include "store/Guarded.h"
#include "store/TmyDataBase.h"
#include "widgets/ListModel.h"

#include <vector>

namespace {
// Registers whose sums are read from their table.
struct TableSums
{
    const char* page; // the (sub-)page of the register
    const char* caption;
    const char* select;
    const char* list;       // the list whose condition slots follow; "" for none
    std::vector<int> lines; // its slot lines, in order
    int emptyLines;         // empty condition lines after them
    qint64 code;
};

const char* const kMoney = "SELECT COUNT(*),SUM(NETTO),SUM(VAT),SUM(BRUTTO) FROM ";

const std::vector<TableSums>& tableSums()
{
    static const std::vector<TableSums> table = {
        {"komputery", "Sumy dla tabeli KOMPUTERY", "komputery", "DBFKomputery", {10, 11, 12, 13}, 1, 260},
        {"sprzet", "Sumy dla tabeli SPRZĘT", "sprzet", "DBFSprzet", {10, 11, 12, 13}, 1, 260},
        {"licencje", "Sumy dla tabeli LICENCJE", "licencje", "DBFLicencje", {8, 9, 10}, 2, 260},
        {"DodatkoweNaprawy",
         "Sumy dla tabeli NAPRAWY",
         "naprawy",
         "DBFNaprawy",
         {12, 13, 14, 15, 16},
         0,
         260},
        // Purchases follow their list's date range and classifier, as the
        // assets follow theirs: the totals match the rows the user sees.
        {"zakupBhp", "Sumy dla tabeli Zakup Środków BHP", "zakupbhp", "DBFZakupBhp", {9, 10, 11}, 0, 172000},
    };
    return table;
}

// Registers whose only sum is the number of rows their list holds.
const std::pair<const char*, const char*> kCounted[] = {
    {"programy", "Sumy dla tabeli Programy"},
    {"SlFirmy", "Sumy dla tabeli Katalog Firm"},
    {"slOsobowa", "Sumy dla tabeli Kartoteka osobowa"},
    {"dodatkoweDokumenty", "Sumy dla tabeli Dokumenty"},
    {"DodatkoweHistoria", "Sumy dla tabeli Historia użytkowania"},
    {"DodatkoweZlecenia", "Sumy dla tabeli Zlecenia"},
    {"odziezSrodki", "Sumy dla tabeli Odzież i Środki BHP"},
    {"DodatkoweTerminarz", "Sumy dla tabeli Terminarz"},
    {"DodatkoweZalaczniki", "Sumy dla tabeli Załączniki"},
};

// The general statement with a text built here.
Statement& statementWith(TmyDataBase& db, const QStringList& lines)
{
    Statement& q = db.mySQL();
    q.clear();
    q.setLines(lines);
    return q;
}

QString countText(qint64 n)
{
    return QString::number(n);
}
} // namespace

void ColumnSums::fill(Statement& q, int columns, qint64 code)
{
    guarded(code, [&] {
        q.open();
        if (q.isEmpty())
            return;
        m_window.setValue(0, countText(q.integerAt(0, 0)));
        // An empty sum (no rows, or only NULLs) shows as 0.00.
        for (int c = 1; c < columns; ++c)
            m_window.setValue(c, TmyDataBase::amountText(q.isNullAt(0, c) ? 0.0 : q.numberAt(0, c)));
    });
    q.close();
}

void ColumnSums::SBSumaClick()
{
    m_window.setWindowTitle(QStringLiteral("Włącz odpowiednią tabelę i ponownie kliknij \"Przelicz sumy\""));
    m_window.clearCells(1);
    const QString page = m_main.currentPageName().section(QLatin1Char('/'), -1);
    TmyDataBase* db = m_main.database();

    for (const TableSums& t : tableSums()) {
        if (page != QLatin1String(t.page))
            continue;
        m_window.setWindowTitle(QString::fromUtf8(t.caption));
        m_window.clearCells(4);
        const char* titles[] = {"Ilość rekordów", "Wartość netto", "Wartość vat", "Wartość brutto"};
        for (int c = 0; c < 4; ++c)
            m_window.setTitle(c, QString::fromUtf8(titles[c]));
        QStringList lines{QLatin1String(kMoney) + QLatin1String(t.select) + QStringLiteral(" WHERE 1 = 1")};
        if (db)
            for (int line : t.lines)
                lines << db->listState().slot(QLatin1String(t.list), line);
        for (int i = 0; i < t.emptyLines; ++i)
            lines << QString();
        if (db)
            fill(statementWith(*db, lines), 4, t.code);
        m_window.show();
        m_window.raise();
        return;
    }

    if (page == QLatin1String("DodatkoweRozliczenia")) {
        m_window.setWindowTitle(QStringLiteral("Sumy dla tabeli Rozliczenia"));
        m_window.clearCells(3);
        m_window.setTitle(0, QStringLiteral("Ilość rekordów"));
        m_window.setTitle(1, QStringLiteral("Ilość godzin"));
        m_window.setTitle(2, QStringLiteral("Wartość"));
        if (db) {
            QStringList lines{QStringLiteral(
                "SELECT COUNT(*),SUM(GODZINY),SUM(GODZINY*STAWKA) FROM rozliczenia WHERE 1 = 1")};
            for (int line : {12, 13, 14})
                lines << db->listState().slot(QStringLiteral("DBFRozliczenia"), line);
            fill(statementWith(*db, lines), 3, 71906);
        }
    } else if (page == QLatin1String("dodatkoweMagazyn")) {
        m_window.setWindowTitle(QStringLiteral("Sumy dla tabeli MAGAZYN"));
        m_window.setTitle(0, QStringLiteral("Ilość danych"));
        if (db) {
            Statement& q = db->statement(QStringLiteral("DBFMagazynSUMA"));
            const QList<int> reserved = ListState::reservedLines(QStringLiteral("DBFMagazyn"));
            for (int i = 0; i < reserved.size(); ++i)
                q.setLine(i + 1, db->listState().slot(QStringLiteral("DBFMagazyn"), reserved[i]));
            fill(q, 1, 192210);
        }
    } else {
        for (const auto& [name, caption] : kCounted) {
            if (page != QLatin1String(name))
                continue;
            m_window.setWindowTitle(QString::fromUtf8(caption));
            m_window.setTitle(0, QStringLiteral("Ilość rekordów"));
            const ListModel* model = m_main.listModel(m_main.currentList());
            m_window.setValue(0, countText(model ? model->rowCount() : 0));
        }
    }
    m_window.show();
    m_window.raise();
}
