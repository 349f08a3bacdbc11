#include "registers/ListCsvExport.h"

#include "base/Dialogs.h"
#include "registers/TVXExportToCSV.h"
#include "registers/TfMain.h"
#include "widgets/ListModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

#include <memory>

namespace {
// The caption of each register's page, the name of its file.
const std::pair<const char*, const char*> kFileNames[] = {
    {"komputery", "komputery"},
    {"sprzet", "sprzet"},
    {"programy", "programy"},
    {"licencje", "licencje"},
    {"DodatkoweTerminarz", "Terminarz"},
    {"DodatkoweNaprawy", "Naprawy"},
    {"dodatkoweDokumenty", "Dokumenty"},
    {"DodatkoweHistoria", "Historia"},
    {"DodatkoweZlecenia", "Zlecenia"},
    {"DodatkoweRozliczenia", "Rozliczenia"},
    {"dodatkoweMagazyn", "Magazyn"},
    {"DodatkoweZalaczniki", "Zalaczniki"},
    {"odziezSrodki", "licencje"}, // the BHP items page carries this caption
    {"zakupBhp", "zakupBhp"},
    {"slOsobowa", "osobowa"},
    {"SlFirmy", "firmy"},
};

// The titles, then every row of the list with the texts its grid shows. The
// writer makes them cells: a backquote becomes an apostrophe and a double
// quote a backquote, so that no field holds the quote that encloses it.
class ListRows : public TVXExportToCSV::Rows
{
public:
    explicit ListRows(const ListModel& model) : m_model(model) {}

    int count() const override { return m_model.rowCount() + 1; }
    QStringList row(int index) const override
    {
        QStringList cells;
        readRow(index, cells);
        return cells;
    }
    // The texts as shown; the writer makes them cells.
    void readRow(int index, QStringList& cells) const override
    {
        const int columns = m_model.columnCount();
        cells.resize(columns);
        for (int c = 0; c < columns; ++c)
            cells[c] = index == 0 ? m_model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()
                                  : m_model.displayText(index - 1, c);
    }

private:
    const ListModel& m_model;
};
} // namespace

QString ListCsvExport::proposedName(const QString& page)
{
    const QString register_ = page.section(QLatin1Char('/'), -1);
    for (const auto& [name, file] : kFileNames)
        if (register_ == QLatin1String(name))
            return QLatin1String(file) + QStringLiteral(".csv");
    return register_ + QStringLiteral(".csv");
}

bool ListCsvExport::exportList(const ListModel& model, const QString& fileName, bool* cancelled)
{
    const ListRows rows(model);
    TVXExportToCSV writer;
    writer.setMakeCellTexts(true);
    std::unique_ptr<QProgressDialog> progress;
    QElapsedTimer sinceShown;
    if (rows.count() > kProgressRows) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("Eksport danych do pliku CSV..."),
                                                     QStringLiteral("Anuluj"), 0, rows.count(), &m_main);
        progress->setObjectName(QStringLiteral("CsvProgress"));
        progress->setWindowTitle(QStringLiteral("Eksport do CSV"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(400);
        progress->setAutoReset(false);
        // Shown a few times a second: a modal dialog lets its "Anuluj" through
        // on each showing, and each costs a round of the event loop.
        sinceShown.start();
        writer.setProgress([&progress, &sinceShown](int written, int total) {
            if (written == total || (written % 64 == 0 && sinceShown.elapsed() >= kProgressMs)) {
                progress->setValue(written);
                sinceShown.restart();
            }
            return !progress->wasCanceled();
        });
    }
    const bool ok = writer.write(rows, fileName);
    if (cancelled)
        *cancelled = writer.wasCancelled();
    return ok;
}

void ListCsvExport::SBCsvClick()
{
    const QString page = m_main.currentPageName();
    const QString fileName = Dialogs::saveFileName(
        &m_main, QStringLiteral("Eksportuj dane do arkusza .CSV"), proposedName(page),
        QStringLiteral("Arkusz .CSV (*.csv);;Wszystkie pliki (*.*)"), QStringLiteral("csv"));
    if (fileName.isEmpty())
        return;
    const QString list = m_main.currentList();
    const ListModel* model = list.isEmpty() ? nullptr : m_main.listModel(list);
    if (!model)
        return;
    // The rows are read by position: the list's cursor and the grid stay where they are.
    bool cancelled = false;
    const bool ok = exportList(*model, fileName, &cancelled);
    if (cancelled)
        return;
    Dialogs::info(QStringLiteral("Informacja"), ok ? QStringLiteral("Eksport zakończony poprawnie.")
                                                   : QStringLiteral("Nie udało się wyeksportować danych."));
}
