#include "bhp/TfSprawdzenieBhp.h"

#include "base/Dialogs.h"
#include "bhp/StockChecks.h"
#include "registers/TVXExportToCSV.h"
#include "widgets/TVXGridStorage.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QStringList kHeader = {QStringLiteral("ilość"), QStringLiteral("nr ewid."), QStringLiteral("nazwa"),
                             QStringLiteral("cechy")};
}

TfSprawdzenieBhp::TfSprawdzenieBhp(TmyDataBase& db, QWidget* parent)
    : CheckWindow(QStringLiteral("TfSprawdzenieBhp"),
                  QStringLiteral("Sprawdzenie zapotrzebowania na środki BHP"),
                  QStringLiteral("Niski stan następujących środków BHP:"), parent),
      m_db(db)
{
    SGTabela = new QTableWidget(this);
    SGTabela->setObjectName(QStringLiteral("SGTabela"));
    SGTabela->setColumnCount(4);
    // A real header: its columns can be widened and are not a row to select.
    SGTabela->setHorizontalHeaderLabels(kHeader);
    SGTabela->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    SGTabela->horizontalHeader()->setSectionsMovable(false);
    SGTabela->verticalHeader()->hide();
    SGTabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGTabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    SGTabela->setSelectionMode(QAbstractItemView::SingleSelection);
    SGTabela->setColumnWidth(0, 70);
    SGTabela->setColumnWidth(1, 110);
    SGTabela->setColumnWidth(2, 230);
    SGTabela->horizontalHeader()->setStretchLastSection(true);
    TVXGridStorage::registerStringGrid(SGTabela, QStringLiteral("SPRBHPSGTabela"));

    QPushButton* txt = makeButton("SBTxt", QStringLiteral("do TXT ..."),
                                  QStringLiteral("Zapisz tabelę do pliku tekstowego"));
    QPushButton* csv =
        makeButton("SBCsv", QStringLiteral("do CSV"), QStringLiteral("Zapisz tabelę do arkusza CSV"));
    connect(txt, &QPushButton::clicked, this, &TfSprawdzenieBhp::SBTxtClick);
    connect(csv, &QPushButton::clicked, this, &TfSprawdzenieBhp::SBCsvClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading());
    layout->addWidget(SGTabela);
    layout->addLayout(makeBar({txt, csv}));
    resize(620, 380);
}

void TfSprawdzenieBhp::setRow(int row, const QStringList& cells)
{
    for (int c = 0; c < 4; ++c) {
        auto* item = new QTableWidgetItem;
        if (c == 0) {
            // The quantity centred on the header colour, in the header's own text colour.
            item->setText(cells.value(c));
            item->setTextAlignment(Qt::AlignCenter);
            item->setBackground(palette().brush(QPalette::Button));
            item->setForeground(palette().brush(QPalette::ButtonText));
        } else {
            item->setText(QLatin1Char(' ') + cells.value(c));
        }
        SGTabela->setItem(row, c, item);
    }
}

bool TfSprawdzenieBhp::fill()
{
    SGTabela->setRowCount(1);
    setRow(0, {QString(), QString(), StockChecks::nothingFound(), QString()});
    const QList<StockChecks::NeedRow> needs = StockChecks::bhpNeeds(m_db);
    if (needs.isEmpty())
        return false;
    SGTabela->setRowCount(int(needs.size()));
    for (int i = 0; i < needs.size(); ++i) {
        const StockChecks::NeedRow& n = needs[i];
        setRow(i, {n.ilosc, n.nrewid, n.nazwa, n.cechy});
    }
    return true;
}

void TfSprawdzenieBhp::runAfterLogin()
{
    if (!fill())
        return;
    setModal(true);
    exec();
    setModal(false);
}

void TfSprawdzenieBhp::showFromMenu()
{
    setModal(false);
    fill();
    show();
    raise();
}

QList<QStringList> TfSprawdzenieBhp::rows() const
{
    QList<QStringList> out{kHeader};
    for (int r = 0; r < SGTabela->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < 4; ++c) {
            const QTableWidgetItem* item = SGTabela->item(r, c);
            QString text = item ? item->text() : QString();
            if (c > 0 && text.startsWith(QLatin1Char(' ')))
                text.remove(0, 1); // the blank is only how the cell is drawn
            cells << text;
        }
        out << cells;
    }
    return out;
}

void TfSprawdzenieBhp::SBTxtClick()
{
    const QString name = askTextFile(QStringLiteral("zapotrzebowanie_na_bhp.txt"));
    if (name.isEmpty())
        return;
    QStringList lines;
    const QList<QStringList> table = rows();
    for (int r = 1; r < table.size(); ++r) {
        const QStringList& cells = table[r];
        lines << QStringLiteral("Nr ewid.: ") + cells[1] << QStringLiteral("Ilość: ") + cells[0]
              << QStringLiteral("Nazwa: ") + cells[2] << QStringLiteral("Cechy: ") + cells[3]
              << QString(33, QLatin1Char('-'));
    }
    Dialogs::info(QStringLiteral("Informacja"), writeLines(name, lines)
                                                    ? QStringLiteral("Eksport zakończony poprawnie.")
                                                    : QStringLiteral("Nie udało się wyeksportować danych."));
}

void TfSprawdzenieBhp::SBCsvClick()
{
    const QString name = Dialogs::saveFileName(this, QStringLiteral("Eksportuj dane do arkusza .CSV"),
                                               QStringLiteral("zapotrzebowanie_na_bhp.csv"),
                                               QStringLiteral("Arkusz .CSV (*.csv);;Wszystkie pliki (*.*)"));
    if (name.isEmpty())
        return;
    TVXExportToCSV::Grid grid = rows();
    TVXExportToCSV::toCellTexts(grid);
    TVXExportToCSV writer;
    Dialogs::info(QStringLiteral("Informacja"), writer.write(grid, name)
                                                    ? QStringLiteral("Eksport zakończony poprawnie.")
                                                    : QStringLiteral("Nie udało się wyeksportować danych."));
}
